// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/pagebuttons.h"

#include "core/readaloud.h"
#include "ui/accessibility.h"
#include "ui/picturebox.h"
#include "ui/twips.h"
#include "ui/theme.h"

void makePageButtons(QWidget *screen, QLabel *&Label1, ControlArray<ClickLabel> &label3)
{
    const QFont font = twips::font(QStringLiteral("Tahoma"), 15.75, true);
    Label1 = new QLabel(screen);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(font);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, theme::buttonYellow);
    Label1->setPalette(p);
    twips::place(Label1, 4200, 7920, 2295, 495);

    struct Button {
        int index;
        const char *caption;
        double left, top, width;
    };
    const Button buttons[] = {
        {0, "Print", 10680, 120, 1125},
        {1, "Exit", 10680, 7920, 1125},
        {2, "Next Page", 6720, 7920, 2685},
        {3, "Previous Page", 1320, 7920, 2685},
    };
    for (const Button &b : buttons) {
        label3.add(b.index, ClickLabel::button(screen, b.index, QString::fromLatin1(b.caption), b.left, b.top, b.width));
    }
    label3[3]->setEnabled(false);
}

QString pageCaption(int page, int count)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(count);
}

void makePageReader(QWidget *screen, const PictureBox *page)
{
    // Between "Next Page" and "Exit".
    new ReadAloud(screen, [page] { return accessibility::describe(page->source()); }, 9840, 7920);
}

void pageChanged(QWidget *screen)
{
    if (auto *r = screen->findChild<ReadAloud *>(QStringLiteral("readaloud")))
        r->stop();
}
