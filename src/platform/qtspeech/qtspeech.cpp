// The Qt TextToSpeech backend, built as a module of its own so that the program still starts
// where Qt's speech library is not installed, and so its start is not slowed by it.
#include "platform/qtspeech/qtspeech.h"

#include <QTextToSpeech>
#include <memory>

namespace {

// flite speaks on its own, offline, with no daemon; speech-dispatcher comes second because it
// needs a running server and an output module of its own.
const char *const kEngines[] = {"flite", "speechd"};

class QtSpeechBackend : public SpeechBackend {
public:
    QtSpeechBackend()
    {
        const QStringList engines = QTextToSpeech::availableEngines();
        for (const char *name : kEngines) {
            if (!engines.contains(QLatin1String(name)))
                continue;
            auto tts = std::make_unique<QTextToSpeech>(QLatin1String(name));
            if (tts->state() != QTextToSpeech::Error) {
                tts_ = std::move(tts);
                break;
            }
        }
    }
    bool ready() const override { return tts_ && tts_->state() != QTextToSpeech::Error; }
    void say(const QString &text) override
    {
        if (ready())
            tts_->say(text);
    }
    void stop() override
    {
        if (tts_)
            tts_->stop();
    }
    bool speaking() const override { return tts_ && tts_->state() == QTextToSpeech::Speaking; }

private:
    std::unique_ptr<QTextToSpeech> tts_;
};

}  // namespace

extern "C" Q_DECL_EXPORT SpeechBackend *quillmoor_create_speech_backend() { return new QtSpeechBackend; }
