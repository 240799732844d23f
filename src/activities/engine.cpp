// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/engine.h"

#include "core/attempts.h"
#include "core/media.h"

#include "activities/activityaccess.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

// ---- the labels -------------------------------------------------------------------------------

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    stillPress_ = event->button() == Qt::LeftButton;
    pressAt_ = event->globalPosition();
    emit pressed(index());
}

void DragLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is no new click: the label stays as the first left it.
    event->accept();
    stillPress_ = false;
}

void DragLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !event->isAutoRepeat()) {
        event->accept();
        emit pressed(index());
        emit released(index());
        click();
        return;
    }
    ClickLabel::keyPressEvent(event);
}

void DragLabel::setLifted(bool lifted)
{
    lifted_ = lifted;
    update();
}

void DragLabel::paintEvent(QPaintEvent *event)
{
    ClickLabel::paintEvent(event);
    if (!lifted_)
        return;
    QPainter p(this);
    const double pen = twips::penPx(3);
    p.setPen(QPen(theme::lifted, pen));
    p.drawRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
}

void DragLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit dragged(index(), event->buttons(), float(twips::fromPx(event->position().x())), float(twips::fromPx(event->position().y())));
}

void DragLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool still = stillPress_ && event->button() == Qt::LeftButton &&
                       (event->globalPosition() - pressAt_).manhattanLength() < QApplication::startDragDistance();
    stillPress_ = false;
    emit released(index());
    if (still)
        click();
}

// ---- the activity -------------------------------------------------------------------------------

Activity::Activity(const QString &name, const std::vector<ActivityItem> &items, bool slotTakesHeight)
    : Screen(name), items_(items), slotTakesHeight_(slotTakesHeight)
{
    const QFont itemFont = twips::font(QStringLiteral("Tahoma"), 11.25, true);
    const int n = int(items.size());
    labels_ = boxes_ = slots_ = TwipsRects(n);
    // Slots first, then boxes, then labels: labels are drawn over the places they move to.
    for (int i = 0; i < n; ++i) {
        auto *slot = new ClickLabel(i, QString(), this);
        slot->setObjectName(QStringLiteral("Label4_%1").arg(i));
        slot->setOpaque(false);
        Label4.add(i, slot);
        const ActivityItem &it = items[std::size_t(i)];
        slots_[i] = {it.homeLeft, it.homeTop, it.width, 375};
        place(slot, slots_[i]);
    }
    for (int i = 0; i < n; ++i) {
        const ActivityItem &it = items[std::size_t(i)];
        auto *box = new ClickLabel(i, it.text, this);
        box->setObjectName(QStringLiteral("Label1_%1").arg(i));
        box->setFont(itemFont);
        box->setWordWrap(true);
        Label1.add(i, box);
        boxes_[i] = {it.boxLeft, it.boxTop, it.width, it.height};
        place(box, boxes_[i]);
    }
    for (int i = 0; i < n; ++i) {
        const ActivityItem &it = items[std::size_t(i)];
        auto *label = new DragLabel(i, QString(), this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(i));
        label->setFont(itemFont);
        label->setWordWrap(true);
        Label2.add(i, label);
        labels_[i] = {it.homeLeft, it.homeTop, it.width, it.height};
        place(label, labels_[i]);
        connect(label, &DragLabel::dragged, this, &Activity::Label2_MouseMove);
        connect(label, &DragLabel::released, this, &Activity::Label2_MouseUp);
        connect(label, &DragLabel::pressed, this, &Activity::labelPressed);
        connect(label, &DragLabel::clicked, this, &Activity::Label2_Click);
    }
    for (int i = 0; i < n; ++i) {
        makeTarget(Label1[i], boxes_, i);
        makeTarget(Label4[i], slots_, i);
    }
    const struct {
        int index;
        const char *caption;
        double left, width;
    } buttons[] = {{0, "Exit", 10560, 1245}, {1, "Start Again", 3360, 2565}, {2, "Check Score", 6000, 2565}};
    for (const auto &b : buttons) {
        auto *l = ClickLabel::button(this, b.index, QString::fromLatin1(b.caption), b.left, 7920, b.width);
        connect(l, &ClickLabel::clicked, this, &Activity::label3_Click);
        label3.add(b.index, l);
    }
    label3[2]->hide();
    declareHighlighting(label3, {0, 1, 2}, true);
    setExitButton(label3[0]);
    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
}

QLabel *Activity::text(const QString &caption, double left, double top, double width, double height, const QString &family, double pt,
                       bool bold, const QColor &colour, Qt::Alignment align)
{
    QLabel *l = makeLabel(this, caption, twips::font(family, pt, bold), colour, align);
    l->setWordWrap(true);
    twips::place(l, left, top, width, height);
    l->lower();
    return l;
}

void Activity::place(QWidget *w, const TwipsRect &r) { twips::place(w, r.left, r.top, r.width, r.height); }

void Activity::onLoad()
{
    setupform(this);
    loadBegin();
    shared::total = count();
    for (int i = 0; i < count(); ++i) {
        TwipsRect &slot = slots_[i];
        slot.width = labels_[i].width;
        if (slotTakesHeight_)
            slot.height = labels_[i].height;
    }
    loadPictures();
    for (int i = 0; i < count(); ++i) {
        Label2[i]->setText(Label1[i]->text());
        Label1[i]->setText(QString());
        Label1[i]->setOpaque(false);
        slots_[i].left = labels_[i].left;
        slots_[i].top = labels_[i].top;
        place(Label4[i], slots_[i]);
    }
    loadEnd();
    activityaccess::nameBoxes(this);
}

void Activity::Label2_MouseMove(int index, Qt::MouseButtons buttons, float x, float y)
{
    if (buttons != Qt::LeftButton)
        return;
    TwipsRect &l = labels_[index];
    l.left = float(double(l.left) + x - double(l.width) / 2);
    l.top = float(double(l.top) + y - double(l.height) / 2);
    place(Label2[index], l);
}

void Activity::snap(int index, const TwipsRect &target)
{
    TwipsRect &l = labels_[index];
    l.left = target.left;
    l.top = target.top;
    place(Label2[index], l);
    playsound(media::thud);
}

void Activity::Label2_MouseUp(int index)
{
    // Box 0, slot 0, box 1, slot 1, ...: every hit snaps and thuds; the pass never stops early.
    for (int i = 0; i < count(); ++i) {
        if (rules::catches(boxes_[i], labels_[index]))
            snap(index, boxes_[i]);
        if (rules::catches(slots_[i], labels_[index]))
            snap(index, slots_[i]);
    }
    if (rules::placed(labels_.all(), boxes_.all()) == count())
        label3[2]->show();
    activityaccess::dropped(this, index);
}

bool Activity::inBox(int label, int box) const
{
    return rules::inBox(labels_[label], boxes_[box]);
}

int Activity::countScore() const
{
    return rules::ownBoxScore(labels_.all(), boxes_.all());
}

void Activity::label3_Click(int index)
{
    lower();
    shared::score = 0;
    switch (index) {
    case 0:
        Screens::unload(this);
        break;
    case 1:
        for (int i = 0; i < count(); ++i) {
            labels_[i].left = slots_[i].left;
            labels_[i].top = slots_[i].top;
            place(Label2[i], labels_[i]);
        }
        label3[2]->hide();
        activityaccess::nameBoxes(this);
        break;
    case 2:
        shared::score = countScore();
        attempts::finished(shared::score.toInt(), shared::total.toInt());
        // Afresh, as after a quiz: never the results of an attempt before this one.
        Screens::unload<Welldone>();
        Screens::unload<Wrong>();
        Screens::show<Welldone>();
        break;
    default:
        break;
    }
    playsound(media::click);
}

namespace {

// The pointer lines run from the boxes into the pictures, so they are a layer of their own over
// the pictures: painted on the screen itself they would be hidden under them.
class LineLayer : public QWidget {
public:
    LineLayer(QWidget *screen, std::vector<ActivityLine> lines) : QWidget(screen), lines_(std::move(lines))
    {
        setObjectName(QStringLiteral("lines"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(screen->rect());
        screen->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            setGeometry(static_cast<QWidget *>(watched)->rect());
        return false;
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(theme::buttonYellow, twips::penPx(3)));
        for (const ActivityLine &l : lines_)
            p.drawLine(QPoint(twips::toPx(l.from.x()), twips::toPx(l.from.y())), QPoint(twips::toPx(l.to.x()), twips::toPx(l.to.y())));
    }

private:
    std::vector<ActivityLine> lines_;
};

}  // namespace

void Activity::addLines(const std::vector<ActivityLine> &lines)
{
    auto *layer = new LineLayer(this, lines);
    layer->raise();
    // The boxes, slots, labels and buttons stay above the lines, in their own order.
    const QObjectList below = children();
    for (QObject *o : below)
        if (auto *label = qobject_cast<ClickLabel *>(o))
            label->raise();
}
