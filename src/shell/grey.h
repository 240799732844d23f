// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "services/sound.h"
#include "ui/stage.h"

#include <memory>

// The backdrop, which is also the stage: the program's one window, covering the display behind
// every screen. It holds the program's one sound device and stays loaded until the program ends.
class Grey : public Stage {
    Q_OBJECT
public:
    Grey();
    void onLoad() override;

    std::unique_ptr<SoundDevice> SndDevil1;

protected:
    // The window manager's close does what the menu's "Exit" does.
    void closeRequested() override;
};
