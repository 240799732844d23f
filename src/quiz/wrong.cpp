// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/results.h"
#include "quiz/wrong.h"

#include "ui/accessibility.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "quiz/welldone.h"
#include "core/setupform.h"

#include <QTimer>

namespace {
QLabel *label(QWidget *parent, double pt, const QColor &colour, Qt::Alignment align, const QString &text = {})
{
    // Questions are shown as typed, never read as markup.
    QLabel *l = makeLabel(parent, text, twips::font(QStringLiteral("Tahoma"), pt, true), colour, align);
    l->setTextFormat(Qt::PlainText);
    return l;
}
}  // namespace

Wrong::Wrong() : Screen(QStringLiteral("Wrong"))
{
    const QColor yellow(255, 255, 0);
    Label6 = label(this, 20.25, yellow, Qt::AlignHCenter);
    twips::place(Label6, 0, 120, 12000, 540);
    Label4 = label(this, 15.75, yellow, Qt::AlignLeft, QStringLiteral("You answered the following questions incorrectly."));
    twips::place(Label4, 240, 960, 12000, 540);
    for (int k = 0; k < 10; ++k) {
        // A long question wraps inside its label; what does not fit its height is not shown.
        QLabel *l = label(this, 15.75, Qt::white, Qt::AlignLeft);
        l->setWordWrap(true);
        l->setObjectName(QStringLiteral("Label2_%1").arg(k));
        twips::place(l, 120, 1680 + 600 * k, 12000, 540);
        l->hide();
        Label2.add(k, l);
    }
    Label5 = label(this, 20.25, yellow, Qt::AlignHCenter, results::tryAgain);
    twips::place(Label5, 0, 7920, 12000, 540);
    auto *exit = ClickLabel::button(this, 1, QStringLiteral("Exit"), 10560, 7920, 1245);
    connect(exit, &ClickLabel::clicked, this, &Wrong::label3_Click);
    label3.add(1, exit);
    setExitButton(exit);
    // No highlighting: its Exit keeps its black background.
}

void Wrong::onLoad() { setupform(this); }

void Wrong::showEvent(QShowEvent *event)
{
    Screen::showEvent(event);
    // A screen reader hears the list and the advice as the review opens, after its Exit.
    QStringList said{Label4->text()};
    for (int k = 0; k < 10; ++k)
        if (Label2[k]->isVisibleTo(this))
            said << Label2[k]->text().trimmed();
    said << Label5->text();
    QTimer::singleShot(0, this, [this, said] { accessibility::announce(this, said.join(QLatin1Char(' '))); });
}

void Wrong::label3_Click(int)
{
    Screens::unload<Welldone>();
    Screens::unload(this);
}
