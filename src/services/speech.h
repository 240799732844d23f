// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speech seam, beside the sound seam: say a text aloud, stop, ask whether it is still
// speaking. The real speaker hands the text to the speech module, loaded at run time from the
// same folder as the sound module, so the program runs (without read-aloud) where no speech
// library or voice is installed. Tests install a recording speaker.
#include <QString>
#include <functional>
#include <memory>

class Speaker {
public:
    virtual ~Speaker() = default;
    // False when there is no speech engine: read-aloud is then not offered at all.
    virtual bool available() const = 0;
    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;
    virtual bool speaking() const = 0;
    // Whether a screen reader is running beside us: it speaks the key that was pressed and
    // what changed, so our own voice lets it finish first.
    virtual bool screenReaderRunning() const = 0;
};

namespace speech {
using Factory = std::function<std::unique_ptr<Speaker>()>;
// Tests install a recording speaker here; the default makes the real one. Setting a factory
// drops the speaker made so far.
void setFactory(Factory f);
// The program's one speaker, made on first use.
Speaker *speaker();

void setModuleDir(const QString &dir);
// Loads the module and starts its engine ahead of the first read-aloud. Safe to call often.
void warmUp();
}  // namespace speech
