#include "platform/sound.h"

#include "platform/paths.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>

namespace {

class QtSoundDevice : public SoundDevice {
public:
    void play(const QString &relativePath) override
    {
        const QString file = paths::resolve(relativePath);
        if (file.isEmpty())
            return;
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

sound::Factory &factory()
{
    static sound::Factory f;
    return f;
}

}  // namespace

namespace sound {

void setFactory(Factory f) { factory() = std::move(f); }

std::unique_ptr<SoundDevice> create()
{
    if (factory())
        return factory()();
    return std::make_unique<QtSoundDevice>();
}

}  // namespace sound
