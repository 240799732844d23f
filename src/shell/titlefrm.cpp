// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/titlefrm.h"
#include "core/media.h"

#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "ui/theme.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "core/setupform.h"
#include "core/soundrequest.h"


namespace {

QLabel *creditLabel(QWidget *parent, const QString &text, const QString &family, double pt, bool bold,
                    const QColor &colour)
{
    return makeLabel(parent, text, twips::font(family, pt, bold), colour);
}

QPushButton *greyButton(QWidget *parent, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, theme::dialogGrey);
    b->setPalette(p);
    b->setFont(twips::font(QStringLiteral("Arial"), 8.25));
    return b;
}

}  // namespace

Titlefrm::Titlefrm() : Screen(QStringLiteral("Titlefrm"))
{
    setCaption(QStringLiteral(" "));
    setBackColor(theme::dialogGrey);
    resize(twips::toPx(kWidthTwips), twips::toPx(kHeightTwips));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1->setAttribute(Qt::WA_TransparentForMouseEvents);
    twips::place(Frame1, 0, -90, 5480, 6660);

    Label4 = creditLabel(this, QStringLiteral("Quillmoor"), QStringLiteral("Times New Roman"), 24, true, QColor(0, 0, 192));
    twips::place(Label4, 60, 120, 5355, 1305);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    twips::place(Picture1, 300, 1200, 4800, 3600);

    const QColor blue(0, 0, 255);
    Label1 = creditLabel(this, QStringLiteral("Written by the Quillmoor science team"), QStringLiteral("Times New Roman"), 14.25,
                         false, blue);
    twips::place(Label1, 360, 4980, 4695, 375);
    Label5 = creditLabel(this, QStringLiteral("Programmed by the Corvane software team"), QStringLiteral("Times New Roman"), 12,
                         false, blue);
    twips::place(Label5, 480, 5310, 4455, 375);
    Label3 = creditLabel(this, QStringLiteral("Series edited by the Corvane editors"), QStringLiteral("Times New Roman"), 12,
                         false, blue);
    twips::place(Label3, 480, 5640, 4455, 375);
    Label2 = creditLabel(this, QStringLiteral("Quillmoor science for primary schools, published by Corvane"),
                         QStringLiteral("Arial"), 8.25, false, QColor(0, 128, 0));
    twips::place(Label2, 0, 6420, 5415, 255);

    Command1 = greyButton(this, QStringLiteral("OK"));
    Command1->setObjectName(QStringLiteral("Command1"));
    twips::place(Command1, 1320, 6000, 1335, 375);
    Command2 = greyButton(this, QStringLiteral("Exit"));
    Command2->setObjectName(QStringLiteral("Command2"));
    twips::place(Command2, 2760, 6000, 1335, 375);

    connect(Command1, &QPushButton::clicked, this, &Titlefrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Titlefrm::Command2_Click);
    // Enter presses the focused button, or "OK" ("Cancel") from anywhere else. Escape never ends
    // the program: two quick presses from the menu would have. On the exit screen it is "Cancel";
    // on the first title screen it does nothing. "Exit" by mouse or Enter still ends at once.
    Command1->setAutoDefault(true);
    Command2->setAutoDefault(true);
    setEnterAction([this] { Command1->click(); });
    setEscapeAction([this] {
        if (Command1->text() == QLatin1String("Cancel"))
            Command1->click();
    });
}

void Titlefrm::onLoad()
{
    // Centred on the stage by its own designed size; a failure anywhere falls back to the standard
    // fitting.
    if (QWidget *stage = parentWidget())
        move((stage->width() - width()) / 2, (stage->height() - height()) / 2);
    Screens::show<Grey>();
    if (Picture1->load(media::icicle))
        return;

    setupform(this);
    Frame1->raise();
    Picture1->load(media::icicle);
}

void Titlefrm::openAsExitScreen()
{
    // Already up (the first title screen, or the exit screen itself): it only comes to the front.
    if (Titlefrm *t = Screens::find<Titlefrm>()) {
        Screens::bringToFront(t);
        return;
    }
    Screens::get<Titlefrm>()->Command1->setText(QStringLiteral("Cancel"));
    Screens::show<Titlefrm>();
}

void Titlefrm::Command1_Click()
{
    Screens::show<intro0>();
    Screens::unload(this);
    playsound(media::click);
}

void Titlefrm::Command2_Click()
{
    playsound(media::click);
    Screens::end();
}
