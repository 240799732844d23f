// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt Multimedia sound backend, built as a module of its own: linking Qt Multimedia (and the
// sound server's client libraries) into the program adds several milliseconds to every start, so
// the program loads this module once its title screen is up.
#include "services/qtsound/qtsound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

namespace {

class QtSoundBackend : public SoundBackend {
public:
    void playFile(const QString &file) override
    {
        // Asked each time: a device may come or go while the program runs.
        if (QMediaDevices::audioOutputs().isEmpty())
            return;
        auto &effect = effects_[file];
        if (!effect) {
            effect = std::make_unique<QSoundEffect>();
            effect->setSource(QUrl::fromLocalFile(file));
        }
        // Starting a sound again restarts it; different sounds overlap.
        effect->play();
    }

private:
    std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace

extern "C" Q_DECL_EXPORT SoundBackend *quillmoor_create_sound_backend() { return new QtSoundBackend; }
