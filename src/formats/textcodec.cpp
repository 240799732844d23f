// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/textcodec.h"

#include <QStringDecoder>

namespace textcodec {
namespace {

// 0x80..0x9F; the five bytes Windows leaves undefined map to the C1 controls of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteFor(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return 0x80 + i;
    return -1;
}

}  // namespace

bool fitsWindows1252(const QString &text)
{
    for (QChar c : text)
        if (byteFor(c.unicode()) < 0)
            return false;
    return true;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

QString fromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b)));
    }
    return out;
}

namespace {
// True when some run of bytes 0x80 and above would pass for UTF-8: the reader would then take that
// field as UTF-8 and change it (the 1252 text "Ã©" would come back as "é").
bool passesForUtf8(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80)
            ++end;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes.mid(i, end - i));  // decoding happens on conversion
        if (!utf8.hasError())
            return true;
        i = end;
    }
    return false;
}
}  // namespace

QByteArray encode(const QString &text)
{
    if (!fitsWindows1252(text))
        return text.toUtf8();
    const QByteArray bytes = toWindows1252(text);
    return passesForUtf8(bytes) ? text.toUtf8() : bytes;
}

QString decode(const QByteArray &bytes)
{
    bool high = false;
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) {
            high = true;
            break;
        }
    if (!high)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    return fromWindows1252(bytes);
}

}  // namespace textcodec
