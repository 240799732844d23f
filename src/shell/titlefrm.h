// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

// The title screen: the first screen at start-up ("OK" opens the menu) and the exit screen
// reached from the menu ("Cancel" goes back, "Exit" ends the program).
class Titlefrm : public Screen {
    Q_OBJECT
public:
    Titlefrm();
    void onLoad() override;

    // The exit screen, as the menu's "Exit" opens it: loaded afresh with "Cancel" for "OK".
    static void openAsExitScreen();

    QFrame *Frame1;
    QLabel *Label4;
    PictureBox *Picture1;
    QLabel *Label1;
    QLabel *Label5;
    QLabel *Label3;
    QLabel *Label2;
    QPushButton *Command1;
    QPushButton *Command2;

    // The designed client area: 5460 by 6570 twips.
    static constexpr double kWidthTwips = 5460;
    static constexpr double kHeightTwips = 6570;

private:
    void Command1_Click();
    void Command2_Click();
};
