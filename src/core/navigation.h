// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the screens below the shell need of it. The shell (title screen, backdrop, main menu) sits
// above every other floor, so a lower screen never includes it: it asks through this interface,
// which the shell fills in at start-up (shell::install()).
#include <QImage>
#include <QString>

class SoundDevice;

namespace navigation {

// The main menu's look, which a quiz run from the worksheet catalogue borrows.
struct MenuLook {
    QImage picture;
    QString productLine;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Shows the main menu (loading it if need be) in front: a hub's or the catalogue's "Exit".
    virtual void showMenu() = 0;
    // Reading the menu's look loads the menu unseen, as any first access does.
    virtual MenuLook menuLook() = 0;
    // The backdrop's one sound device, the backdrop being loaded first if need be.
    virtual SoundDevice *backdropSound() = 0;
};

// Set once at start-up; null until then (and in tests of the lower floors alone).
void setShell(Shell *shell);
Shell *shell();

}  // namespace navigation
