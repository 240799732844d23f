// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes the families the screens ask for resolve to look-alikes of the same width: Debian's Tahoma
// clone sits in a folder fontconfig does not scan, so the program registers it itself; Times New
// Roman and Arial already resolve to Liberation through fontconfig's metric aliases.
namespace fonts {
void registerFonts();
}
