// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Screen;

// Gives a screen the standard colour, caption and size, centred on the display. Every screen
// but the title screen and the backdrop runs it first when it loads.
void setupform(Screen *screen);

// The standard screen: 12000 by 9000 twips.
inline constexpr double kScreenWidthTwips = 12000;
inline constexpr double kScreenHeightTwips = 9000;
