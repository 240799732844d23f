// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/guide.h"

#include "ui/screens.h"
#include "ui/twips.h"
#include "core/setupform.h"
#include "core/shared.h"
#include "viewers/pagebuttons.h"
#include "viewers/printpage.h"

guide::guide() : Screen(QStringLiteral("guide"))
{
    Image1 = new PictureBox(this, false);
    Image1->setObjectName(QStringLiteral("Image1"));
    twips::place(Image1, 120, 0, 11880, 7920);
    Image2 = new PictureBox(this, false);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->hide();
    makePageButtons(this, Label1, label3);
    setExitButton(label3[1]);
    Label1->setText(pageCaption(1, 3));
    for (const auto &[index, label] : label3)
        connect(label, &ClickLabel::clicked, this, &guide::label3_Click);
    makePageReader(this, Image1);
    // The window resets the buttons but they never light up: they lose their black background
    // at the first move over the window and keep it off.
    declareHighlighting(label3, {0, 1, 2, 3}, false);
}

void guide::onLoad() { setupform(this); }

void guide::label3_Click(int index)
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
        showPage();
        break;
    case 3:
        shared::pagenum = shared::pagenum.toInt() - 1;
        showPage();
        break;
    default:
        break;
    }
}

void guide::showPage()
{
    const int page = shared::pagenum.toInt();
    if (page < 1 || page > 3)
        return;
    pageChanged(this);
    Image1->load(QStringLiteral("wmf\\guide%1.wmf").arg(page));
    Image2->load(QStringLiteral("wmf2\\guide%1.wmf").arg(page));
    label3[3]->setEnabled(page != 1);
    label3[2]->setEnabled(page != 3);
    Label1->setText(pageCaption(page, 3));
}
