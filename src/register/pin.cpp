// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/pin.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace pin {
namespace {
constexpr int kRounds = 100000;  // about 60 ms here: nothing to a teacher, slow for a guesser
constexpr int kHashBytes = 32;

QByteArray derive(const QString &pin, const QByteArray &salt, int rounds)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, pin.toUtf8(), salt, rounds, kHashBytes);
}
}  // namespace

bool wellFormed(const QString &pin)
{
    if (pin.size() < 4 || pin.size() > 8)
        return false;
    for (const QChar c : pin)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString hash(const QString &pin)
{
    QByteArray salt(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), salt.size() / 4);
    return QStringLiteral("pbkdf2-sha256$%1$%2$%3")
        .arg(kRounds)
        .arg(QString::fromLatin1(salt.toHex()), QString::fromLatin1(derive(pin, salt, kRounds).toHex()));
}

bool matches(const QString &stored, const QString &pin)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts[0] != QLatin1String("pbkdf2-sha256"))
        return false;
    bool ok = false;
    const int rounds = parts[1].toInt(&ok);
    if (!ok || rounds < 1 || rounds > 10000000)
        return false;
    const QByteArray want = QByteArray::fromHex(parts[3].toLatin1());
    const QByteArray got = derive(pin, QByteArray::fromHex(parts[2].toLatin1()), rounds);
    // Every byte compared, so the time taken says nothing of how much matched.
    if (want.size() != got.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < got.size(); ++i)
        diff |= static_cast<unsigned char>(want[i] ^ got[i]);
    return diff == 0;
}

qint64 Guard::waitMs(qint64 nowMs) const { return lockedUntil_ > nowMs ? lockedUntil_ - nowMs : 0; }

bool Guard::attempt(const QString &stored, const QString &pin, qint64 nowMs)
{
    if (waitMs(nowMs) > 0)
        return false;
    if (matches(stored, pin)) {
        wrong_ = 0;
        return true;
    }
    if (++wrong_ >= kTries) {
        wrong_ = 0;
        lockedUntil_ = nowMs + kWaitMs;
    }
    return false;
}

}  // namespace pin
