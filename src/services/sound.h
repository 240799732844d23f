// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound seam: one request, play a relative .wav path. The real device hands the file to the
// Qt Multimedia module and returns at once; with no module, no audio output or no such file it
// does nothing. Nothing waits for a sound to end (Qt does not report the end reliably).
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
// Tests install a recording device here; the default makes the real one.
void setFactory(Factory f);
std::unique_ptr<SoundDevice> create();

// Where the Qt Multimedia module lives: <exe>/../lib/quillmoor in a build tree and installed.
void setModuleDir(const QString &dir);
QString moduleDirForExecutable(const QString &executableDir);
// Loads the module ahead of the first sound, so that sound is not late. Safe to call often.
void warmUp();
}  // namespace sound
