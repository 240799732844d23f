// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's PIN: 4 to 8 digits, kept only as a salted PBKDF2 hash, and a guard that makes
// whoever guesses wait 30 seconds after five wrong tries.
#include <QString>

namespace pin {

// Where the register keeps the hash.
inline QString settingKey() { return QStringLiteral("pin"); }

bool wellFormed(const QString &pin);
// "pbkdf2-sha256$<rounds>$<salt>$<hash>", the salt fresh each time.
QString hash(const QString &pin);
bool matches(const QString &stored, const QString &pin);

class Guard {
public:
    static constexpr int kTries = 5;
    static constexpr qint64 kWaitMs = 30000;

    // How long, from `nowMs`, before another try is taken; 0 when one may be made now.
    qint64 waitMs(qint64 nowMs) const;
    // A try at `nowMs`: true when it is taken and right. Tries while waiting are refused.
    bool attempt(const QString &stored, const QString &pin, qint64 nowMs);

private:
    int wrong_ = 0;
    qint64 lockedUntil_ = 0;
};

}  // namespace pin
