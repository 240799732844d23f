// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the speech module offers the program: one voice, ready or not, that speaks a text and
// returns at once.
#include <QRegularExpression>
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

// Temperatures as words, as a voice should say them: "-5 °C" (with a minus sign or a hyphen) is
// "minus 5 degrees Celsius", "212 °F" "212 degrees Fahrenheit", "32°" "32 degrees", and the unit
// alone, "°C", "degrees Celsius". A hyphen between two numbers ("3-5") is left alone.
inline QString spokenWords(const QString &text)
{
    static const QRegularExpression signedDegrees(QStringLiteral("(^|[\\s(])[-\u2212](\\d)"));
    static const QRegularExpression celsius(QStringLiteral("\\s*°\\s*C\\b"));
    static const QRegularExpression fahrenheit(QStringLiteral("\\s*°\\s*F\\b"));
    static const QRegularExpression degrees(QStringLiteral("\\s*°"));
    QString t = text;
    t.replace(signedDegrees, QStringLiteral("\\1minus \\2"));
    t.replace(celsius, QStringLiteral(" degrees Celsius"));
    t.replace(fahrenheit, QStringLiteral(" degrees Fahrenheit"));
    t.replace(degrees, QStringLiteral(" degrees"));
    return t.trimmed();
}
