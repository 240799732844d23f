// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's style, with what it draws at a fixed size (the marks of tick boxes and option
// buttons, their spacing, the margins of message boxes) drawn at the stage's scale, as every
// designed control is.
#include <QProxyStyle>

namespace scaledstyle {
// Puts the scaled style on the application once; later calls do nothing.
void install();
}  // namespace scaledstyle
