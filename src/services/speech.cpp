// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/speech.h"

#include "services/logging.h"
#include "services/module.h"
#include "services/speechbackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

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
            b->say(spokenWords(text));
    }
    void stop() override
    {
        if (SpeechBackend *b = backend())
            b->stop();
    }
    bool speaking() const override { return backend() && backend()->speaking(); }
    bool screenReaderRunning() const override { return readerOnBus() || readerProcess(); }

private:
    // A desktop that starts its screen reader says so on the accessibility bus's status.
    static bool readerOnBus()
    {
        QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                          QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.a11y.Status") << QStringLiteral("ScreenReaderEnabled");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, 200);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return false;
        return reply.arguments().first().value<QDBusVariant>().variant().toBool();
    }
    // Orca started by hand or by a session's autostart leaves that status alone: look for it.
    static bool readerProcess()
    {
        const QFileInfoList procs = QDir(QStringLiteral("/proc")).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &p : procs) {
            if (p.ownerId() != ::getuid())
                continue;
            QFile comm(p.filePath() + QStringLiteral("/comm"));
            if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "orca")
                return true;
        }
        return false;
    }
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
