// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/sound.h"

#include "services/logging.h"
#include "services/module.h"
#include "services/paths.h"
#include "services/qtsound/qtsound.h"

#include <QDir>

namespace {

QString g_moduleDir;

SoundBackend *backend()
{
    return platform::loadModule<SoundBackend>(g_moduleDir, "libquillmoor-sound", "quillmoor_create_sound_backend", lcSound());
}

class ModuleSoundDevice : public SoundDevice {
public:
    void play(const QString &relativePath) override
    {
        const QString file = paths::resolve(relativePath);
        if (file.isEmpty()) {
            qCWarning(lcSound, "sound %s not found in %s", qPrintable(relativePath), qPrintable(paths::dataDir()));
            return;
        }
        if (SoundBackend *b = backend())
            b->playFile(file);
    }
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
    return std::make_unique<ModuleSoundDevice>();
}

void setModuleDir(const QString &dir) { g_moduleDir = dir; }

QString moduleDirForExecutable(const QString &executableDir)
{
    return QDir::cleanPath(executableDir + QStringLiteral("/../lib/quillmoor"));
}

void warmUp() { backend(); }

}  // namespace sound
