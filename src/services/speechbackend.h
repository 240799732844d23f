// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the speech module offers the program: one voice, ready or not, that speaks a text and
// returns at once.
#include <QString>
#include <QStringList>

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

// Text split into the sentences it is spoken in: each piece ends at ".", "?" or "!" followed by a
// blank or the end ("2.5" stays whole); a closing piece without one is kept as it is.
inline QStringList spokenSentences(const QString &text)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size()
                         || ((text[i] == QLatin1Char('.') || text[i] == QLatin1Char('?') || text[i] == QLatin1Char('!'))
                             && (i + 1 == text.size() || text[i + 1].isSpace()));
        if (!end)
            continue;
        const QString piece = text.mid(start, i + 1 - start).trimmed();
        if (!piece.isEmpty())
            pieces << piece;
        start = i + 1;
    }
    return pieces;
}
