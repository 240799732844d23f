// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/teacher.h"

#include "ui/screens.h"
#include "ui/twips.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "viewers/pagebuttons.h"
#include "viewers/printpage.h"

namespace {
const char kLetters[] = "abcd";
}

teacher::teacher() : Screen(QStringLiteral("teacher"))
{
    Image1 = new PictureBox(this, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    twips::place(Image1, 120, 0, 11880, 7920);
    Image2 = new PictureBox(this, false);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->hide();

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    twips::place(Picture1, 8520, 4440, 1800, 1800);
    Picture1->hide();
    Picture2 = new PictureBox(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    twips::place(Picture2, 8550, 6360, 1800, 1335);
    Picture2->hide();

    makePageButtons(this, Label1, label3);
    setExitButton(label3[1]);
    for (const auto &[index, label] : label3)
        connect(label, &ClickLabel::clicked, this, &teacher::label3_Click);
    makePageReader(this, Image1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(25);
    connect(Timer1, &QTimer::timeout, this, &teacher::Timer1_Timer);
    // No highlighting on this screen: its buttons keep their black background.
}

void teacher::onLoad()
{
    setupform(this);
    Picture2->setBackColor(backColor());
    if (shared::pagecount == 1) {
        Label1->hide();
        label3[2]->hide();
        label3[3]->hide();
    }
    shared::pagenum = 1;
    Label1->setText(pageCaption(shared::pagenum.toInt(), shared::pagecount.toInt()));
}

void teacher::label3_Click(int index)
{
    switch (index) {
    case 0:
        printPicture(Image2);
        break;
    case 1:
        Screens::unload(this);
        break;
    case 2:
        shared::pagenum = shared::pagenum.toInt() + 1;
        label3[3]->setEnabled(true);
        refresh();
        break;
    case 3:
        shared::pagenum = shared::pagenum.toInt() - 1;
        label3[2]->setEnabled(true);
        refresh();
        break;
    default:
        break;
    }
}

void teacher::refresh()
{
    pageChanged(this);
    const int page = shared::pagenum.toInt();
    if (page == shared::pagecount.toInt())
        label3[2]->setEnabled(false);
    if (page == 1)
        label3[3]->setEnabled(false);
    // Sets have at most four pages, a to d; a page number outside them loads nothing.
    if (page >= 1 && page <= 4) {
        const QString name = shared::pageset + QLatin1Char(kLetters[page - 1]) + QStringLiteral(".wmf");
        Image1->load(QStringLiteral("wmf\\") + name);
        Image2->load(QStringLiteral("wmf2\\") + name);
    }
    Label1->setText(pageCaption(page, shared::pagecount.toInt()));
}

void teacher::Timer1_Timer()
{
    int frame = shared::logoframe.toInt() + 1;
    if (frame == 20)
        frame = 0;
    shared::logoframe = frame;
    const QString file = frame < 10 ? QStringLiteral("logo\\corv000%1.gif").arg(frame) : QStringLiteral("logo\\corv00%1.gif").arg(frame);
    // Shown first, so a logo in view decodes its frame at once; under another screen it decodes
    // nothing until it comes back to the front.
    Picture1->show();
    Picture2->show();
    Picture1->showFrame(file);
}
