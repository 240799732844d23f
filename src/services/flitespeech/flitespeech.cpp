// SPDX-License-Identifier: GPL-3.0-or-later
// The read-aloud backend, built as a module of its own so that the program still starts where
// flite or Qt Multimedia is missing, and so its start is not slowed by them.
//
// flite's own library turns each sentence into sound data, and one audio output, started once
// and kept for the program's life, plays it. Qt 6.4's flite engine opened an audio output for
// every sentence and dropped it at the end, while the sound server's thread could still report
// on it: the program crashed within a few dozen read-aloud presses. Nothing here deletes an
// output while the program runs.
#include "services/speechbackend.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QByteArray>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cstring>

extern "C" {
#include <flite/flite.h>
cst_voice *register_cmu_us_slt(const char *voxdir);
}

namespace {

// The output keeps about this much sound ahead of what is heard: what "stop" lets through.
constexpr int kBufferMs = 100;

// What the audio output pulls: speech while there is some, silence otherwise, so the output
// never runs dry and never has to be stopped and started again.
class SpeechStream : public QIODevice {
public:
    void queue(const QByteArray &pcm) { pending_ += pcm; }
    void clear() { pending_.clear(); }
    bool holdsSpeech() const { return !pending_.isEmpty(); }
    // Since the last byte of speech was handed to the output.
    qint64 msSinceSpeech() const { return lastSpeech_.isValid() ? lastSpeech_.elapsed() : -1; }

    bool isSequential() const override { return true; }
    // Never empty: between texts the output pulls silence, so it is never starved and stopped.
    qint64 bytesAvailable() const override { return pending_.size() + QIODevice::bytesAvailable() + (1 << 20); }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min<qint64>(max, pending_.size());
        if (n > 0) {
            std::memcpy(data, pending_.constData(), std::size_t(n));
            pending_.remove(0, n);
            lastSpeech_.start();
        }
        // An odd length would leave the output half-way through a sample.
        const qint64 total = max & ~qint64(1);
        std::memset(data + n, 0, std::size_t(std::max<qint64>(0, total - n)));
        return std::max(total, n);
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray pending_;
    QElapsedTimer lastSpeech_;
};

class FliteSpeechBackend : public SpeechBackend {
public:
    FliteSpeechBackend()
    {
        flite_init();
        voice_ = register_cmu_us_slt(nullptr);
        next_.setSingleShot(true);
        next_.setInterval(0);
        QObject::connect(&next_, &QTimer::timeout, [this] { synthesiseNext(); });
    }
    ~FliteSpeechBackend() override
    {
        // Deleted as the application quits: the output is stopped first, so the sound server
        // has nothing left to report on.
        if (sink_)
            sink_->stop();
        delete sink_;
    }

    bool ready() const override { return voice_ != nullptr; }

    void say(const QString &text) override
    {
        stop();
        if (!voice_)
            return;
        sentences_ = spokenSentences(text);
        synthesiseNext();
    }

    void stop() override
    {
        sentences_.clear();
        next_.stop();
        stream_.clear();
    }

    bool speaking() const override
    {
        if (!sentences_.isEmpty() || stream_.holdsSpeech())
            return true;
        const qint64 since = stream_.msSinceSpeech();
        return since >= 0 && since < 2 * kBufferMs;
    }

private:
    // One sentence at a time, each in its own turn of the event loop, so the screen never waits
    // for a whole question and its answers to be made.
    void synthesiseNext()
    {
        if (sentences_.isEmpty())
            return;
        const QByteArray utf8 = sentences_.takeFirst().toUtf8();
        if (cst_wave *w = flite_text_to_wave(utf8.constData(), voice_)) {
            if (w->num_channels == 1 && w->num_samples > 0 && startOutput(w->sample_rate))
                stream_.queue(QByteArray(reinterpret_cast<const char *>(w->samples),
                                         qsizetype(w->num_samples) * qsizetype(sizeof(short))));
            delete_wave(w);
        }
        if (!sentences_.isEmpty())
            next_.start();
    }

    // The output is made at the first sentence, at the voice's rate, and then only ever
    // restarted, never replaced; false when there is no sound device.
    bool startOutput(int rate)
    {
        if (!sink_) {
            const QAudioDevice device = QMediaDevices::defaultAudioOutput();
            if (device.isNull())
                return false;
            QAudioFormat format;
            format.setSampleRate(rate);
            format.setChannelCount(1);
            format.setSampleFormat(QAudioFormat::Int16);
            if (!device.isFormatSupported(format))
                return false;
            sink_ = new QAudioSink(device, format);
            sink_->setBufferSize(format.bytesForDuration(kBufferMs * 1000));
            stream_.open(QIODevice::ReadOnly);
        }
        if (sink_->format().sampleRate() != rate)
            return false;
        // A sound server that went away and came back leaves the output stopped.
        if (sink_->state() == QAudio::StoppedState)
            sink_->start(&stream_);
        return sink_->state() != QAudio::StoppedState;
    }

    cst_voice *voice_ = nullptr;
    QStringList sentences_;
    QTimer next_;
    SpeechStream stream_;
    QAudioSink *sink_ = nullptr;
};

}  // namespace

extern "C" Q_DECL_EXPORT SpeechBackend *quillmoor_create_speech_backend() { return new FliteSpeechBackend; }
