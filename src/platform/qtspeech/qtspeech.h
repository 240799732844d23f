#pragma once
// What the speech module offers the program: one engine, ready or not, that speaks a text and
// returns at once.
#include <QString>

class SpeechBackend {
public:
    virtual ~SpeechBackend() = default;
    virtual bool ready() const = 0;
    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;
    virtual bool speaking() const = 0;
};

// The module's one entry point, resolved by name.
extern "C" SpeechBackend *quillmoor_create_speech_backend();
