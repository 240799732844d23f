// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/speech.h"

#include "services/logging.h"
#include "services/module.h"
#include "services/speechbackend.h"


namespace {

QString g_moduleDir;

SpeechBackend *backend()
{
    return platform::loadModule<SpeechBackend>(g_moduleDir, "libquillmoor-speech", "quillmoor_create_speech_backend", lcSpeech());
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
