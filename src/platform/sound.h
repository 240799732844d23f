#pragma once
// The sound seam: one request, play a relative .wav path. The real device uses Qt Multimedia
// and returns at once; with no audio output or no such file it does nothing. Nothing waits for a
// sound to end (Qt does not report the end reliably).
#include <QString>
#include <functional>
#include <memory>

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual void play(const QString &relativePath) = 0;
};

namespace sound {
using Factory = std::function<std::unique_ptr<SoundDevice>()>;
// Tests install a recording device here; the default makes the Qt Multimedia one.
void setFactory(Factory f);
std::unique_ptr<SoundDevice> create();
}  // namespace sound
