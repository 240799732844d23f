#pragma once
#include "platform/screen.h"
#include "platform/sound.h"

#include <memory>

// The backdrop: a borderless window covering the display behind every screen. It holds the
// program's one sound device and stays loaded until the program ends.
class Grey : public Screen {
    Q_OBJECT
public:
    Grey();
    void onLoad() override;

    std::unique_ptr<SoundDevice> SndDevil1;
};
