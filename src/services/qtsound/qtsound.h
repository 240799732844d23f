// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the sound module offers the program: play an absolute .wav path, returning at once.
#include <QString>

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    virtual void playFile(const QString &file) = 0;
};

// The module's one entry point, resolved by name.
extern "C" SoundBackend *quillmoor_create_sound_backend();
