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
        if (tts_)
            QObject::connect(tts_.get(), &QTextToSpeech::stateChanged, [this](QTextToSpeech::State s) { onState(s); });
    }
    // A sentence that fails leaves the engine in its error state; the next text is tried all the same.
    bool ready() const override { return tts_ != nullptr; }
    // Qt 6.4's flite engine gives up with "Audio streaming error" when a text of several
    // sentences outruns the sound server's buffer, so a text is spoken a sentence at a time.
    void say(const QString &text) override
    {
        if (!tts_)
            return;
        pending_ = spokenSentences(text);
        sayNext();
    }
    void stop() override
    {
        pending_.clear();
        started_ = false;
        if (tts_)
            tts_->stop();
    }
    bool speaking() const override
    {
        return tts_ && (!pending_.isEmpty() || tts_->state() == QTextToSpeech::Speaking);
    }

private:
    void sayNext()
    {
        started_ = false;
        if (!pending_.isEmpty())
            tts_->say(pending_.takeFirst());
    }
    // Only the end of a sentence this backend started moves on: the end of one stopped by a new
    // text arrives before the new one starts, and is passed over.
    void onState(QTextToSpeech::State s)
    {
        if (s == QTextToSpeech::Speaking)
            started_ = true;
        else if (s == QTextToSpeech::Error || (started_ && s == QTextToSpeech::Ready))
            sayNext();
    }

    std::unique_ptr<QTextToSpeech> tts_;
    QStringList pending_;
    bool started_ = false;
};

}  // namespace

extern "C" Q_DECL_EXPORT SpeechBackend *quillmoor_create_speech_backend() { return new QtSpeechBackend; }
