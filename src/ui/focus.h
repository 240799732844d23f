// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard focus among a screen's controls: reading order for Tab and Shift+Tab (top to bottom,
// left to right within a row) and the nearest neighbour for the arrow keys.
#include <QList>
#include <QWidget>

namespace focus {

// The controls of `root` that take the focus from Tab: shown, enabled, with a Tab focus policy.
QList<QWidget *> tabStops(const QWidget *root);
// `stops` sorted into reading order by their places in `root`.
void sortReadingOrder(QList<QWidget *> &stops, const QWidget *root);
// The stop after (or before) `current` in `stops`, which are in the order Tab takes them, wrapping
// round; the first (or last) when `current` is not a stop. Null when there are no stops.
QWidget *step(const QList<QWidget *> &stops, const QWidget *current, bool forward);
// The nearest stop from `current` in the direction of an arrow key; null when there is none.
QWidget *neighbour(const QList<QWidget *> &stops, const QWidget *current, Qt::Key arrow, const QWidget *root);
// The arrow keys on a focused control: asks the screen holding it to move the focus.
void moveByArrow(QWidget *from, Qt::Key arrow);

// Whether the keyboard is moving the focus, as a browser's focus-visible: turned on when Tab,
// Shift+Tab or an arrow brings the focus to a control, off by a mouse move over a screen's
// background. Only then does a focused label light up and show its ring; with the mouse alone
// the labels change only as the pointer moves.
bool keyboardInUse();
void setKeyboardInUse(bool on);

}  // namespace focus
