#include "platform/speech.h"

#include "platform/qtspeech/qtspeech.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

QString g_moduleDir;

SpeechBackend *backend()
{
    static bool tried = false;
    static SpeechBackend *loaded = nullptr;
    if (!tried && QCoreApplication::instance()) {
        tried = true;
        // A missing module, or a module whose speech library is missing, does not load: no speech.
        QLibrary module(QDir(g_moduleDir).filePath(QStringLiteral("libquillmoor-speech")));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Create = SpeechBackend *(*)();
        if (auto create = reinterpret_cast<Create>(module.resolve("quillmoor_create_speech_backend"))) {
            loaded = create();
            // The engine must go while the application and its sound connection still exist.
            QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
                delete std::exchange(loaded, nullptr);
            });
        }
    }
    return loaded;
}

class ModuleSpeaker : public Speaker {
public:
    bool available() const override { return backend() && backend()->ready(); }
    void say(const QString &text) override
    {
        if (SpeechBackend *b = backend())
            b->say(text);
    }
    void stop() override
    {
        if (SpeechBackend *b = backend())
            b->stop();
    }
    bool speaking() const override { return backend() && backend()->speaking(); }
};

speech::Factory &factory()
{
    static speech::Factory f;
    return f;
}

std::unique_ptr<Speaker> &current()
{
    static std::unique_ptr<Speaker> s;
    return s;
}

}  // namespace

namespace speech {

void setFactory(Factory f)
{
    factory() = std::move(f);
    current().reset();
}

Speaker *speaker()
{
    if (!current())
        current() = factory() ? factory()() : std::make_unique<ModuleSpeaker>();
    return current().get();
}

void setModuleDir(const QString &dir) { g_moduleDir = dir; }

void warmUp() { backend(); }

}  // namespace speech
