// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/multiple.h"

#include "core/attempts.h"
#include "core/media.h"

#include "ui/labels.h"
#include "ui/messages.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "quiz/printing.h"
#include "quiz/quizaccess.h"
#include "quiz/results.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace {

// An answer whose choice shows at a glance: the chosen row is filled and framed, and its mark is
// a large dot, on the designed place and size.
class AnswerButton : public OptionButton {
public:
    using OptionButton::OptionButton;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (!isChecked()) {
            OptionButton::paintEvent(event);
            return;
        }
        {
            QPainter p(this);
            p.fillRect(rect(), theme::chosenRow);
        }
        OptionButton::paintEvent(event);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double edge = twips::penPx(2);
        p.setPen(QPen(theme::buttonYellow, edge));
        p.drawRect(QRectF(rect()).adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2));
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const QRect mark = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, this);
        const double r = std::min(height() * 0.32, mark.width() * 0.9);
        p.setPen(QPen(theme::black, twips::penPx(1)));
        p.setBrush(theme::buttonYellow);
        p.drawEllipse(QPointF(mark.center()) + QPointF(0.5, 0.5), r, r);
    }
};

QLabel *label(QWidget *parent, const QString &family, double pt, bool bold, const QColor &colour, Qt::Alignment align)
{
    // A teacher's text is shown as typed, never read as markup.
    QLabel *l = makeLabel(parent, QString(), twips::font(family, pt, bold), colour, align);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// The places of a question set's texts, which the wizard's fit checks measure too.
const QString kTextFamily = QStringLiteral("Times New Roman");
constexpr double kTitlePt = 24, kQuestionPt = 30, kAnswerPt = 20.25;
constexpr double kTitleWidth = 6465, kTitleHeight = 705;
constexpr double kQuestionWidth = 9840, kQuestionHeight = 1455;
constexpr double kAnswerWidth = 6975, kAnswerHeight = 525;

}  // namespace

namespace quizfit {

bool title(const QString &text)
{
    const QFontMetrics fm(twips::font(kTextFamily, kTitlePt));
    return fm.horizontalAdvance(text) <= twips::toPx(kTitleWidth);
}

bool question(const QString &text)
{
    // Word-wrapped as the label wraps it; a word wider than the label does not fit either.
    const QFontMetrics fm(twips::font(kTextFamily, kQuestionPt));
    const int w = twips::toPx(kQuestionWidth), h = twips::toPx(kQuestionHeight);
    const QRect r = fm.boundingRect(QRect(0, 0, w, 100 * h), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text);
    return r.width() <= w && r.height() <= h;
}

bool answer(const QString &text)
{
    OptionButton o;  // its mark and spacing take part of the row
    o.setFont(twips::font(kTextFamily, kAnswerPt));
    o.setText(text);
    return o.sizeHint().width() <= twips::toPx(kAnswerWidth);
}

}  // namespace quizfit

multiple::multiple() : Screen(QStringLiteral("multiple"))
{
    const QColor yellow(255, 255, 0);
    Label1 = label(this, QStringLiteral("Tahoma"), 36, true, yellow, Qt::AlignHCenter);
    Label1->setText(QStringLiteral("Multiple Choice"));
    twips::place(Label1, 120, 120, 6240, 900);
    Label5 = label(this, QStringLiteral("Times New Roman"), 24, false, QColor(0, 255, 0), Qt::AlignHCenter);
    twips::place(Label5, 120, 1200, 6465, 585);
    Label6 = label(this, kTextFamily, kTitlePt, false, QColor(128, 128, 255), Qt::AlignHCenter);
    twips::place(Label6, 120, 1920, kTitleWidth, kTitleHeight);
    Label4 = label(this, QStringLiteral("Times New Roman"), 24, false, yellow, Qt::AlignLeft);
    twips::place(Label4, 360, 3240, 5415, 615);
    Label2 = label(this, kTextFamily, kQuestionPt, false, yellow, Qt::AlignHCenter);
    Label2->setWordWrap(true);
    twips::place(Label2, 960, 3960, kQuestionWidth, kQuestionHeight);

    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 1; i <= 5; ++i) {
        auto *o = i <= 4 ? new AnswerButton(this) : new OptionButton(this);
        o->installEventFilter(this);
        o->setObjectName(QStringLiteral("Option1_%1").arg(i));
        o->setFont(twips::font(kTextFamily, kAnswerPt));
        QPalette p = o->palette();
        p.setColor(QPalette::WindowText, yellow);
        o->setPalette(p);
        group->addButton(o, i);
        Option1.add(i, o);
        if (i == 5)
            o->setFocusPolicy(Qt::NoFocus);
        if (i <= 4)
            twips::place(o, 2400, 5400 + 600 * (i - 1), kAnswerWidth, kAnswerHeight);
        else {
            o->resize(twips::toPx(495), twips::toPx(375));
            // Hidden under the picture: not a stop for Tab, though each question focuses it.
            o->setFocusPolicy(Qt::ClickFocus);
        }
        connect(o, &OptionButton::clicked, this, &multiple::Option1_Click);
    }

    // The topic picture, over the no-answer button that load moves beneath it.
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFit(true);
    twips::place(Picture1, 6840, 240, 855, 615);

    struct Button {
        int index;
        const char *caption;
        double left, top, width;
    };
    const Button buttons[] = {{0, "<< Previous Question", 2040, 7920, 3765}, {1, "Next Question >>", 6000, 7920, 3765},
                              {2, "Exit", 10560, 7920, 1245},                {3, "Print Worksheet", 7920, 1920, 3045}};
    for (const Button &b : buttons) {
        auto *l = ClickLabel::button(this, b.index, QString::fromLatin1(b.caption), b.left, b.top, b.width);
        connect(l, &ClickLabel::clicked, this, &multiple::label3_Click);
        label3.add(b.index, l);
    }
    label3[0]->hide();
    declareHighlighting(label3, {0, 1, 2, 3}, true);
    setExitButton(label3[2]);
    quizaccess::attach(this);
}

void multiple::onLoad()
{
    setupform(this);
    shared::score = 0;
    shared::total = 10;
    shared::questnum = 1;
    const QRect pic = Picture1->geometry();
    Option1[5]->move(pic.x() + twips::toPx(240), pic.y() + twips::toPx(240));
    Option1[5]->stackUnder(Picture1);
    for (int i = 1; i <= 4; ++i) {
        QPalette p = Option1[i]->palette();
        p.setColor(QPalette::Window, theme::windowBlue);
        Option1[i]->setPalette(p);
        Option1[i]->setAutoFillBackground(true);
        Option1[i]->setBackgroundRole(QPalette::Window);
    }
    Label6->setText(shared::tasktitle);
    showquest();
}

void multiple::showquest()
{
    const int q = shared::questnum.toInt();
    Option1[5]->setChecked(true);
    label3[0]->show();
    label3[1]->setText(QStringLiteral("Next Question >>"));
    Label4->setText(QStringLiteral("Question %1").arg(q));
    if (q >= 1 && q <= 10) {
        Label2->setText(shared::question[q]);
        Option1[1]->setText(shared::answera[q]);
        Option1[2]->setText(shared::answerb[q]);
        Option1[3]->setText(shared::answerc[q]);
        Option1[4]->setText(shared::answerd[q]);
    }
    if (q == 1)
        label3[0]->hide();
    if (q == 10)
        label3[1]->setText(QStringLiteral("Check Score >>"));
    quizaccess::namesShown(this);
    // The no-answer button is set, as ever, so nothing shows chosen; the keyboard goes to the
    // first answer (unchosen), never to that hidden button, and never to "Print Worksheet",
    // where Enter would print. On question 1 the screen is not shown yet: its show starts at
    // the first stop, the same answer.
    if (isVisible())
        Option1[1]->setFocus(Qt::OtherFocusReason);
    quizaccess::questionShown(this);
}

int multiple::chosen() const
{
    for (int i = 1; i <= 4; ++i)
        if (Option1[i]->isChecked())
            return i;
    return 0;
}

void multiple::Option1_Click() { playsound(media::typekey); }

void multiple::label3_Click(int index)
{
    switch (index) {
    case 0:
        shared::questnum = shared::questnum.toInt() - 1;
        showquest();
        break;
    case 1: {
        const int q = shared::questnum.toInt();
        shared::mark[q] = results::mark(shared::correct[q], chosen());
        shared::questnum = q + 1;
        if (q + 1 < 11)
            showquest();
        else
            endQuiz();
        break;
    }
    case 2:
        Screens::unload(this);
        break;
    case 3:
        printWorksheet(Label5->text(), Label6->text());
        break;
    default:
        break;
    }
    playsound(media::click);
}

void multiple::endQuiz()
{
    // A results screen that another route left loaded (the window's close, then "Cancel") still
    // holds that attempt's score, name and wrong answers: this attempt's are made afresh.
    Screens::unload<Welldone>();
    Screens::unload<Wrong>();
    for (int q = 1; q <= 10; ++q)
        shared::score = shared::score.toInt() + shared::mark[q].toInt();
    const QList<int> wrong = results::wrongQuestions(shared::mark);
    for (int k = 0; k < wrong.size(); ++k) {
        Wrong *w = Screens::get<Wrong>();
        w->Label2[k]->setText(QStringLiteral(" %1. ").arg(wrong[k]) + shared::question[wrong[k]]);
        w->Label2[k]->show();
    }
    shared::certheading = Label5->text();
    Screens::get<Wrong>()->Label6->setText(Label6->text());
    QString marks;
    for (int q = 1; q <= 10; ++q)
        marks += shared::mark[q].toInt() == 1 ? QLatin1Char('1') : QLatin1Char('0');
    // Kept before the score shows: a crash from here on loses nothing.
    attempts::finished(shared::score.toInt(), 10, marks);
    Welldone *done = Screens::get<Welldone>();
    done->Label6->hide();
    done->Label5->show();
    done->label3[0]->show();
    Screens::show<Welldone>();
    Screens::unload(this);
}

void multiple::choose(int answer)
{
    Option1[answer]->click();
    Option1[answer]->setFocus(Qt::OtherFocusReason);
}

void multiple::escape()
{
    // Escape is easily pressed by mistake: once an answer is given it asks before the answers go.
    // The "Exit" button leaves at once, as it always has.
    const bool started = shared::questnum.toInt() > 1 || chosen() != 0;
    if (started && !messages::okCancel(QStringLiteral("Leave this quiz? Your answers will be lost.")))
        return;
    Screen::escape();
}

QList<QWidget *> multiple::focusStops() const
{
    // The answers come first and are one stop, as a group of option buttons is: the chosen one,
    // or the first; never the no-answer button hidden under the picture. Then "Next Question >>"
    // (or "Check Score >>"), what a pupil does next ("<< Previous Question" would go back and
    // clear the choice); then the rest in reading order.
    const int c = chosen();
    QList<QWidget *> stops = Screen::focusStops();
    for (int i = 1; i <= 5; ++i)
        stops.removeAll(Option1[i]);
    if (stops.removeAll(label3[1]))
        stops.prepend(label3[1]);
    stops.prepend(Option1[c ? c : 1]);
    return stops;
}

void multiple::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_4)
        choose(key - Qt::Key_1 + 1);
    else if (key >= Qt::Key_A && key <= Qt::Key_D)
        choose(key - Qt::Key_A + 1);
    else
        Screen::keyPressEvent(event);
}

bool multiple::eventFilter(QObject *watched, QEvent *event)
{
    // The arrows on the answers choose as they move: from the chosen answer, or from the focused
    // one when none is chosen, to the next, which is chosen. Enter chooses the focused answer.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        int focused = 0;
        for (int i = 1; i <= 4; ++i)
            if (watched == Option1[i])
                focused = i;
        const int c = chosen(), from = c ? c : focused;
        int to = -1;
        if (key == Qt::Key_Down || key == Qt::Key_Right)
            to = from ? std::min(from + 1, 4) : 1;
        else if (key == Qt::Key_Up || key == Qt::Key_Left)
            to = from ? std::max(from - 1, 1) : 4;
        else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && focused)
            to = focused;
        if (to > 0) {
            if (to != c)
                choose(to);
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}
