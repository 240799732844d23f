#include "platform/sound.h"

#include "platform/paths.h"
#include "platform/qtsound/qtsound.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

QString g_moduleDir;

SoundBackend *backend()
{
    static bool tried = false;
    static SoundBackend *loaded = nullptr;
    if (!tried && QCoreApplication::instance()) {
        tried = true;
        QLibrary module(QDir(g_moduleDir).filePath(QStringLiteral("libquillmoor-sound")));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Create = SoundBackend *(*)();
        if (auto create = reinterpret_cast<Create>(module.resolve("quillmoor_create_sound_backend"))) {
            loaded = create();
            // The sounds must go while the application and its audio connection still exist.
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
                delete std::exchange(loaded, nullptr);
            });
        }
    }
    return loaded;
}

class ModuleSoundDevice : public SoundDevice {
public:
    void play(const QString &relativePath) override
    {
        const QString file = paths::resolve(relativePath);
        if (file.isEmpty())
            return;
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
