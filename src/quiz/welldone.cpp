// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/welldone.h"

#include "core/attempts.h"
#include "core/media.h"

#include "ui/accessibility.h"
#include "ui/labels.h"
#include "services/random.h"
#include "ui/textlimit.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "quiz/printing.h"
#include "quiz/results.h"
#include "quiz/wrong.h"
#include "ui/theme.h"

#include <QFontMetrics>
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"

namespace {

QLabel *label(QWidget *parent, double pt, bool bold, const QString &family, const QString &text = {})
{
    QLabel *l = makeLabel(parent, text, twips::font(family, pt, bold), theme::buttonYellow);
    l->setWordWrap(true);
    return l;
}

QTimer *timer(QObject *parent, int ms)
{
    auto *t = new QTimer(parent);
    t->setInterval(ms);
    return t;
}

}  // namespace

Welldone::Welldone() : Screen(QStringLiteral("Welldone"))
{
    Label4 = label(this, 36, true, QStringLiteral("Tahoma"), QStringLiteral("Well Done!"));
    twips::place(Label4, 0, 120, 12000, 900);
    for (auto [index, left, top, width] : {std::tuple{0, 240.0, 1800.0, 3765.0}, std::tuple{1, 10560.0, 7920.0, 1245.0}}) {
        auto *l = ClickLabel::button(this, index, index == 1 ? QStringLiteral("Exit") : QString(), left, top, width);
        connect(l, &ClickLabel::clicked, this, &Welldone::label3_Click);
        label3.add(index, l);
    }
    label3[0]->hide();
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    twips::place(Picture1, 5880, 1440, 4800, 3600);
    Label1 = label(this, 24, false, QStringLiteral("Times New Roman"));
    twips::place(Label1, 0, 5400, 12000, 855);
    Label5 = label(this, 24, false, QStringLiteral("Times New Roman"));
    twips::place(Label5, 1680, 6000, 8640, 1335);
    Label5->hide();
    Label6 = label(this, 24, false, QStringLiteral("Times New Roman"), results::tryAgain);
    twips::place(Label6, 0, 6240, 12000, 855);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(twips::font(QStringLiteral("Times New Roman"), 24));
    textlimit::limit(Text1, 25);  // an emoji at the end of a name prints whole
    twips::place(Text1, 3120, 6600, 5760, 615);
    Text1->hide();
    Text1->setAccessibleName(QStringLiteral("Your name for the certificate"));
    Label2 = label(this, 18, false, QStringLiteral("Times New Roman"), QStringLiteral("Enter your name in the box above before printing your certificate"));
    twips::place(Label2, 3120, 7440, 5775, 855);
    Label2->hide();
    Timer1 = timer(this, 1);
    Timer2 = timer(this, 10);
    Timer3 = timer(this, 1);
    connect(Timer1, &QTimer::timeout, this, &Welldone::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Welldone::Timer2_Timer);
    connect(Timer3, &QTimer::timeout, this, &Welldone::Timer3_Timer);
    declareHighlighting(label3, {0, 1}, true);
    setExitButton(label3[1]);
}

void Welldone::onLoad()
{
    setupform(this);
    const int s = shared::score.toInt(), t = shared::total.toInt();
    Label1->setText(results::message(s, t));
    if (results::fullMarks(s, t)) {
        Label6->hide();
        label3[0]->setText(QStringLiteral("Print Certificate"));
        label3[0]->show();
        Text1->setText(attempts::pupilName());  // still the pupil's to change
        Text1->show();
        Label2->show();
    } else {
        Label5->setText(QStringLiteral("Click the button above to check which questions you answered incorrectly."));
        label3[0]->setText(QStringLiteral("Check Wrong Answers"));
    }
    Timer1->start();
}

void Welldone::Timer1_Timer()
{
    Picture1->load(media::icicle);
    Timer1->stop();
    // Shown by now: a screen reader hears the result without looking for it.
    accessibility::announce(this, Label4->text() + QLatin1Char(' ') + Label1->text());
    Timer2->start();
}

void Welldone::Timer2_Timer()
{
    if (Text1->isVisible())
        Text1->setFocus();
    Timer2->stop();
    label3[0]->setOpaque(true);
    label3[1]->setOpaque(true);
    Timer3->start();
}

void Welldone::Timer3_Timer()
{
    rnd::seedFromClock();
    if (shared::soundflag == 1) {
        const QString sound = results::celebration(shared::score.toInt(), rnd::uniform());
        if (!sound.isEmpty())
            playsound(sound);
    }
    Timer3->stop();
}

void Welldone::label3_Click(int index)
{
    if (index == 0) {
        if (shared::score == shared::total.toInt()) {
            // Measured as this screen would draw the heading at actual size, in its own default
            // font: the printed certificate is the same whatever the screen's scale.
            const QFontMetrics fm(twips::atActualSize(font()));
            const double heading = fm.horizontalAdvance(shared::certheading) * twips::perPixel;
            printCertificate(Text1->text(), heading);
            return;  // never a click after the certificate
        }
        Screens::show<Wrong>();
    } else {
        Screens::unload<Wrong>();
        Screens::unload(this);
    }
    playsound(media::click);
}
