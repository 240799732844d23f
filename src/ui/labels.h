// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain text label as the screens use them: a font, a text colour, an alignment (at the top of
// the label), on a transparent background.
#include <QLabel>

inline QLabel *makeLabel(QWidget *parent, const QString &text, const QFont &font, const QColor &colour, Qt::Alignment align = Qt::AlignHCenter)
{
    auto *l = new QLabel(text, parent);
    l->setFont(font);
    l->setAlignment(align | Qt::AlignTop);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}
