// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's colours and the paths of media used in more than one place, each under one name.
#include <QColor>
#include <QString>

namespace theme {

inline const QColor windowBlue(39, 63, 137);     // every fitted screen's back colour
inline const QColor pictureBlue(49, 135, 214);   // the back colour of a screen's Picture1
inline const QColor backdropBlue(48, 133, 214);  // the stage behind every screen
inline const QColor buttonYellow(255, 255, 0);   // clickable labels' text, most headings
inline const QColor black(0, 0, 0);
inline const QColor navy(0, 0, 128);
inline const QColor green(0, 255, 0);
inline const QColor dialogGrey(192, 192, 192);   // the title screen
inline const QColor focusLight(255, 255, 255);   // the keyboard focus ring, outside ...
inline const QColor focusDark(0, 0, 0);          // ... and inside, so it shows on every back colour
inline const QColor lifted(0, 255, 255);         // the outline of an activity label picked up by a click
inline const QColor chosenRow(0, 0, 128);        // the quiz answer chosen
// The thin edge round each screen on the stage: a dark outer line and a light inner one.
inline const QColor edgeOuter(20, 20, 20);
inline const QColor edgeInner(220, 220, 220);

}  // namespace theme
