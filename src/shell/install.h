// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fills in what the lower floors ask of the shell (core/navigation.h). The program calls it once
// before the first screen; tests of the screens call it too.
namespace shell {
void install();
}
