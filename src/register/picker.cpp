// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/picker.h"

#include "core/setupform.h"
#include "core/soundrequest.h"
#include "core/media.h"
#include "ui/clicklabel.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/twips.h"

#include <QFontMetrics>

namespace {
constexpr double kLeft = 360, kTop = 1440, kColumn = 3780, kRow = 570, kWidth = 3600;
}  // namespace

Picker::Picker() : Screen(QStringLiteral("Picker"))
{
    const QColor yellow(255, 255, 0);
    Label1 = makeLabel(this, QStringLiteral("Who is doing this?"), twips::font(QStringLiteral("Tahoma"), 20.25, true), yellow, Qt::AlignHCenter);
    twips::place(Label1, 0, 240, 12000, 540);
    Label6 = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 15.75, true), Qt::white, Qt::AlignHCenter);
    Label6->setTextFormat(Qt::PlainText);
    twips::place(Label6, 0, 840, 12000, 450);
    for (int i = 0; i < kPerPage; ++i) {
        auto *b = ClickLabel::button(this, i, QString(), kLeft + (i / 11) * kColumn, kTop + (i % 11) * kRow, kWidth, 495,
                                     QStringLiteral("names"));
        b->hide();
        connect(b, &ClickLabel::clicked, this, &Picker::nameClicked);
        names.add(i, b);
    }
    const struct {
        int index;
        const char *caption;
        double left, width;
    } buttons[] = {{0, "Not in the list", 360, 3600}, {1, "Exit", 10560, 1245}, {2, "More names >>", 5640, 3000}};
    for (const auto &b : buttons) {
        auto *l = ClickLabel::button(this, b.index, QString::fromLatin1(b.caption), b.left, 8040, b.width);
        connect(l, &ClickLabel::clicked, this, &Picker::label3_Click);
        label3.add(b.index, l);
    }
    label3[2]->hide();
    setExitButton(label3[1]);
    std::vector<int> all(kPerPage);
    for (int i = 0; i < kPerPage; ++i)
        all[i] = i;
    declareHighlighting(names, all, true);
    declareHighlighting(label3, {0, 1, 2}, true);
}

void Picker::onLoad() { setupform(this); }

void Picker::offer(const QString &activity, const QList<reg::ClassInfo> &classes,
                   std::function<QList<reg::Pupil>(qint64)> pupilsOf, qint64 lastPupil,
                   std::function<void(const reg::Pupil &)> chosen)
{
    Label6->setText(activity);
    classes_ = classes;
    pupilsOf_ = std::move(pupilsOf);
    lastPupil_ = lastPupil;
    chosen_ = std::move(chosen);
    // With several classes, the last pupil's class is offered first when one is known.
    if (classes_.size() == 1)
        showPupils(classes_.first().id);
    else
        showClasses();
}

void Picker::showClasses()
{
    choosingClass_ = true;
    Label1->setText(QStringLiteral("Which class are you in?"));
    pupils_.clear();
    for (const reg::ClassInfo &c : std::as_const(classes_))
        pupils_.append({c.id, 0, c.name});
    page_ = 0;
    showPage();
}

void Picker::showPupils(qint64 classId)
{
    choosingClass_ = false;
    Label1->setText(QStringLiteral("Who is doing this?"));
    pupils_ = pupilsOf_(classId);
    // The last pupil first, so a pupil doing several in a row needs one click.
    for (qsizetype i = 0; i < pupils_.size(); ++i)
        if (pupils_[i].id == lastPupil_) {
            pupils_.move(i, 0);
            break;
        }
    page_ = 0;
    showPage();
}

void Picker::showPage()
{
    const int first = page_ * kPerPage;
    for (int i = 0; i < kPerPage; ++i) {
        const bool shown = first + i < pupils_.size();
        const QString name = shown ? pupils_[first + i].name : QString();
        // A long name is drawn smaller rather than cut short.
        QFont f = twips::font(QStringLiteral("Tahoma"), 15.75, true);
        const int room = names[i]->width() - twips::toPx(120);
        while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(name) > room)
            f.setPixelSize(f.pixelSize() - 1);
        names[i]->setFont(f);
        names[i]->setText(name);
        names[i]->setAccessibleName(shown ? pupils_[first + i].name : QString());
        names[i]->setVisible(shown);
    }
    label3[2]->setVisible(pupils_.size() > kPerPage);
    if (isVisible())
        focusFirstControl();
}

void Picker::nameClicked(int index)
{
    playsound(media::click);
    const int at = page_ * kPerPage + index;
    if (at >= pupils_.size())
        return;
    if (choosingClass_) {
        showPupils(pupils_[at].id);
        return;
    }
    const reg::Pupil pupil = pupils_[at];
    auto chosen = std::move(chosen_);
    Screens::unload(this);
    chosen(pupil);
}

void Picker::label3_Click(int index)
{
    playsound(media::click);
    switch (index) {
    case 0: {
        auto chosen = std::move(chosen_);
        Screens::unload(this);
        chosen(reg::Pupil{});
        break;
    }
    case 1:
        Screens::unload(this);
        break;
    case 2:
        page_ = (page_ + 1) * kPerPage < pupils_.size() ? page_ + 1 : 0;
        showPage();
        break;
    default:
        break;
    }
}
