// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wmf/wmf.h"

#include <QFile>
#include <QtEndian>

namespace wmf {

quint16 Params::u(int i) const
{
    if (i < 0 || i >= words_)
        return 0;
    return qFromLittleEndian<quint16>(data_ + 2 * i);
}

QByteArray Params::bytes(int wordOffset, qsizetype count) const
{
    if (wordOffset < 0 || count < 0 || 2 * qsizetype(wordOffset) + count > byteCount())
        return {};
    return QByteArray(reinterpret_cast<const char *>(data_) + 2 * wordOffset, count);
}

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;

Result<Metafile> failure(const char *why) { return Result<Metafile>::failure(QString::fromLatin1(why)); }

quint16 word(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint16>(d.constData() + at); }
quint32 dword(const QByteArray &d, qsizetype at) { return qFromLittleEndian<quint32>(d.constData() + at); }

}  // namespace

Result<Metafile> parse(const QByteArray &data)
{
    Metafile m;
    m.data = data;
    if (data.size() > kMaxFileBytes) {
        return failure("file too large");
    }
    qsizetype at = 0;
    if (data.size() >= 4 && dword(data, 0) == kPlaceableKey) {
        if (data.size() < 22) {
            return failure("truncated placeable header");
        }
        const qint16 left = qint16(word(data, 6)), top = qint16(word(data, 8));
        const qint16 right = qint16(word(data, 10)), bottom = qint16(word(data, 12));
        m.placeable = true;
        // Right and bottom lie just outside the picture.
        m.bounds = QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left), std::abs(bottom - top));
        m.unitsPerInch = word(data, 14);
        if (m.bounds.width() <= 1 || m.bounds.height() <= 1 || m.unitsPerInch == 0) {
            return failure("empty picture frame");
        }
        at = 22;
    }
    // The standard header: type 1 or 2, nine words long. Its file size and object count are not
    // relied on.
    if (data.size() - at < 18) {
        return failure("truncated header");
    }
    const quint16 type = word(data, at), headerWords = word(data, at + 2), version = word(data, at + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300)) {
        return failure("not a Windows metafile");
    }
    at += 18;

    // Records: a 32-bit size in words (at least 3, the size and function themselves), a function,
    // then parameters. Reading stops at the end record or at the end of the bytes.
    while (data.size() - at >= 6) {
        const quint32 size = dword(data, at);
        const quint16 function = word(data, at + 4);
        if (function == EOF_)
            break;
        if (size < 3 || qsizetype(size) * 2 > data.size() - at) {
            return failure("a record runs past the end of the file");
        }
        m.records.push_back({function, at + 6, int(size - 3)});
        at += qsizetype(size) * 2;
    }
    if (!m.placeable && m.frame().isEmpty()) {
        return failure("no picture frame");
    }
    return m;
}

Result<Metafile> load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return failure("cannot open the file");
    }
    if (f.size() > kMaxFileBytes) {
        return failure("file too large");
    }
    return parse(f.readAll());
}

bool Metafile::hasWindow() const
{
    for (const Record &r : records)
        if (r.function == SETWINDOWEXT)
            return true;
    return false;
}

QRectF Metafile::frame() const
{
    if (placeable)
        return QRectF(bounds);
    std::optional<QPointF> origin;
    std::optional<QSizeF> extent;
    for (const Record &r : records) {
        const Params p = params(r);
        if (r.function == SETWINDOWORG && !origin && p.has(2))
            origin = QPointF(p.s(1), p.s(0));
        else if (r.function == SETWINDOWEXT && !extent && p.has(2))
            extent = QSizeF(p.s(1), p.s(0));
        if (origin && extent)
            break;
    }
    if (extent && extent->width() != 0 && extent->height() != 0)
        return QRectF(origin.value_or(QPointF()), *extent).normalized();
    return drawnBounds();
}

QRectF Metafile::drawnBounds() const
{
    // No window is set: the drawing is in device units. Its frame is what its records reach,
    // from the origin, with room for the tallest text.
    QRectF box;
    double tallest = 0;
    auto reach = [&](double x, double y) { box = box.united(QRectF(QPointF(x, y), QSizeF(1, 1))); };
    for (const Record &r : records) {
        const Params p = params(r);
        switch (r.function) {
        case CREATEFONTINDIRECT: tallest = std::max(tallest, double(std::abs(p.s(0)))); break;
        case MOVETO:
        case LINETO: reach(p.s(1), p.s(0)); break;
        case RECTANGLE:
        case ELLIPSE:
        case ROUNDRECT:
        case ARC:
        case PIE:
        case CHORD: {
            const int o = r.function == RECTANGLE || r.function == ELLIPSE ? 0 : r.function == ROUNDRECT ? 2 : 4;
            reach(p.s(o + 3), p.s(o + 2));
            reach(p.s(o + 1), p.s(o));
            break;
        }
        case POLYGON:
        case POLYLINE:
            for (int i = 0; i < std::min<int>(p.u(0), (p.count() - 1) / 2); ++i)
                reach(p.s(1 + 2 * i), p.s(2 + 2 * i));
            break;
        case TEXTOUT: {
            const int count = p.u(0), words = (count + 1) / 2;
            if (p.has(3 + words)) {
                reach(p.s(2 + words), p.s(1 + words));
                reach(p.s(2 + words) + count * tallest * 0.6, p.s(1 + words) + tallest);
            }
            break;
        }
        case EXTTEXTOUT:
            reach(p.s(1), p.s(0));
            reach(p.s(1) + p.u(2) * tallest * 0.6, p.s(0) + tallest);
            break;
        default: break;
        }
    }
    if (box.isEmpty())
        return {};
    return box.united(QRectF(0, 0, 1, 1)).adjusted(0, 0, tallest * 0.2, tallest * 0.3);
}

QSizeF Metafile::sizeInches() const
{
    const QRectF f = frame();
    // Plain files: twips when they set a window (as drawing programs write them), device
    // pixels at 96 dpi when they do not.
    const double perInch = placeable ? unitsPerInch : hasWindow() ? 1440.0 : 96.0;
    return QSizeF(f.width() / perInch, f.height() / perInch);
}

}  // namespace wmf
