// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts and the text records.
#include "formats/textcodec.h"
#include "formats/wmf/player.h"

#include <QFontMetricsF>
#include <QtMath>

namespace wmf {
namespace {

// The Symbol font's code points, for metafiles that write Greek and mathematics with it.
QChar symbolChar(uchar c)
{
    static const char16_t upper[26] = {0x391, 0x392, 0x3A7, 0x394, 0x395, 0x3A6, 0x393, 0x397, 0x399, 0x3D1, 0x39A, 0x39B, 0x39C,
                                       0x39D, 0x39F, 0x3A0, 0x398, 0x3A1, 0x3A3, 0x3A4, 0x3A5, 0x3C2, 0x3A9, 0x39E, 0x3A8, 0x396};
    static const char16_t lower[26] = {0x3B1, 0x3B2, 0x3C7, 0x3B4, 0x3B5, 0x3C6, 0x3B3, 0x3B7, 0x3B9, 0x3D5, 0x3BA, 0x3BB, 0x3BC,
                                       0x3BD, 0x3BF, 0x3C0, 0x3B8, 0x3C1, 0x3C3, 0x3C4, 0x3C5, 0x3D6, 0x3C9, 0x3BE, 0x3C8, 0x3B6};
    static const char16_t high[96] = {
        0x20AC, 0x3D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
        0xB0, 0xB1, 0x2033, 0x2265, 0xD7, 0x221D, 0x2202, 0x2022, 0xF7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
        0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
        0x2220, 0x2207, 0xAE, 0xA9, 0x2122, 0x220F, 0x221A, 0x22C5, 0xAC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
        0x25CA, 0x2329, 0xAE, 0xA9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
        0x20AC, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0x20};
    if (c >= 'A' && c <= 'Z')
        return QChar(upper[c - 'A']);
    if (c >= 'a' && c <= 'z')
        return QChar(lower[c - 'a']);
    if (c >= 0xA0)
        return QChar(high[c - 0xA0]);
    switch (c) {
    case 0x22: return QChar(0x2200);
    case 0x24: return QChar(0x2203);
    case 0x27: return QChar(0x220B);
    case 0x2A: return QChar(0x2217);
    case 0x2D: return QChar(0x2212);
    case 0x40: return QChar(0x2245);
    case 0x5C: return QChar(0x2234);
    case 0x5E: return QChar(0x22A5);
    case 0x60: return QChar(0x203E);
    case 0x7E: return QChar(0x223C);
    default: return QChar(c);
    }
}

}  // namespace

QString decodeText(const QByteArray &bytes, int charset)
{
    if (charset != 2)
        return textcodec::fromWindows1252(bytes);
    QString s;
    for (char c : bytes)
        s.append(symbolChar(uchar(c)));
    return s;
}

QFont Player::font() const
{
    const FontSpec &f = dc_.font;
    QFont q(f.charset == 2 ? QStringLiteral("Liberation Serif") : f.face);
    // A negative height is the characters' height; a positive one the cell's, leading included.
    double px = std::abs(f.height) * std::abs(sy());
    if (f.height == 0)
        px = 12 * std::abs(sy()) * 20;
    q.setPixelSize(std::max(1, int(std::lround(std::min(px, diagonal())))));
    if (f.height > 0) {
        const QFontMetricsF fm(q);
        if (fm.height() > 0)
            // Bounded as above: glyphs far larger than the picture only cost time.
            q.setPixelSize(std::max(1, int(std::lround(std::min(q.pixelSize() * px / fm.height(), diagonal())))));
    }
    q.setWeight(QFont::Weight(std::clamp(f.weight ? f.weight : 400, 1, 1000)));
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    if (f.width > 0 && f.height != 0) {
        // A given character width stretches or narrows the face.
        const QFontMetricsF fm(q);
        const double natural = fm.averageCharWidth();
        const double wanted = f.width * std::abs(sx());
        // At most ten times: FreeType fails on small glyphs stretched about 25 times, and Qt 6.4
        // then copies a glyph bitmap that was never made (a crash). No drawing stretches a face so.
        if (natural > 0)
            q.setStretch(std::clamp(int(std::lround(100 * wanted / natural)), 1, 1000));
    }
    return q;
}

void Player::text(QPointF at, const QByteArray &bytes, const std::vector<double> &logicalDx, const QRectF *box, int options)
{
    if (bytes.isEmpty() && !(options & 2))
        return;
    const QFont f = font();
    const QFontMetricsF fm(f);
    // Each character costs the area of its cell: thousands the size of the picture would take
    // minutes. Past 64 pictures' worth of cells the rest of the record is left out.
    const double cell = std::max(1.0, fm.height() * fm.height());
    const qsizetype most = qsizetype(std::min(1e9, 64 * target_.width() * target_.height() / cell));
    const QString s = decodeText(bytes.left(std::max<qsizetype>(1, most)), dc_.font.charset);
    const double angle = dc_.font.escapement / 10.0;
    std::vector<double> advances;
    double width = 0;
    if (!logicalDx.empty()) {
        for (double d : logicalDx)
            advances.push_back(d * std::abs(sx()));
        for (double a : advances)
            width += a;
    } else {
        width = fm.horizontalAdvance(s) + dc_.charExtra * std::abs(sx()) * s.size();
    }
    if (dc_.textAlign & 1)  // TA_UPDATECP
        at = dc_.position;
    // Shift to the baseline's left end along the text's own direction.
    const double rad = qDegreesToRadians(angle);
    const QPointF along(std::cos(rad), -std::sin(rad)), down(std::sin(rad), std::cos(rad));
    double dx = 0, dy = 0;
    const int h = dc_.textAlign & 6, v = dc_.textAlign & 24;
    if (h == 6)
        dx = -width / 2;
    else if (h == 2)
        dx = -width;
    if (v == 0)
        dy = fm.ascent();
    else if (v == 8)
        dy = -fm.descent();
    const QPointF start = map(at.x(), at.y()) + along * dx + down * dy;
    if (dc_.textAlign & 1) {
        const double advanceLogical = width / std::abs(sx()) * (sx() < 0 ? -1 : 1);
        dc_.position = QPointF(dc_.position.x() + advanceLogical, dc_.position.y());
    }

    if (box && (options & 2)) {  // ETO_OPAQUE
        QPainterPath r;
        r.addRect(*box);
        out_.drawPath(r, Qt::NoPen, QBrush(dc_.backColour));
    } else if (dc_.backMode == 2 && !s.isEmpty()) {
        textBackground(start, along, down, width, fm);
    }
    if (s.isEmpty())
        return;
    const bool clipped = box && (options & 4);
    if (clipped) {
        showClip(dc_.clip ? dc_.clip->intersected(*box) : ClipArea(*box));
    }
    out_.drawText(start, angle, f, dc_.textColour, s, advances);
    if (clipped)
        applyClip();
}

void Player::textBackground(const QPointF &start, const QPointF &along, const QPointF &down, double width, const QFontMetricsF &fm)
{
    QPainterPath r;
    const QPointF top = start - down * fm.ascent();
    r.moveTo(top);
    r.lineTo(top + along * width);
    r.lineTo(top + along * width + down * fm.height());
    r.lineTo(top + down * fm.height());
    r.closeSubpath();
    out_.drawPath(r, Qt::NoPen, QBrush(dc_.backColour));
}

void Player::textOut(quint16, const Params &p)
{
    const int count = p.u(0);
    const int words = (count + 1) / 2;
    if (!p.has(1 + words + 2))
        return;
    text(QPointF(p.s(2 + words), p.s(1 + words)), p.bytes(1, count), {}, nullptr, 0);
}

void Player::extTextOut(quint16, const Params &p)
{
    const int count = p.u(2), options = p.u(3);
    int at = 4;
    std::optional<QRectF> box;
    if (options & 6) {
        if (!p.has(8))
            return;
        box = mapRect(p.s(4), p.s(5), p.s(6), p.s(7));
        at = 8;
    }
    const QByteArray bytes = p.bytes(at, count);
    if (bytes.size() != count)
        return;
    std::vector<double> dx;
    const int dxAt = at + (count + 1) / 2;
    if (count > 0 && p.has(dxAt + count))
        for (int i = 0; i < count; ++i)
            dx.push_back(p.s(dxAt + i));
    text(QPointF(p.s(1), p.s(0)), bytes, dx, box ? &*box : nullptr, options);
}

}  // namespace wmf
