// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmaps: pattern brushes and the block transfers.
#include "formats/wmf/dib.h"
#include "formats/wmf/player.h"

namespace wmf {
namespace {

// The bitmaps one picture may decode, in bytes. Checked before a bitmap is decoded: a few bytes of
// run-length code can describe millions of pixels.
constexpr qint64 kImageBudgetBytes = 256ll * 1024 * 1024;

}  // namespace

qint64 Player::pixelsLeft() const { return std::max<qint64>(0, (kImageBudgetBytes - imageBytes_) / 4); }

QImage Player::dib(const Params &p, int firstWord, int usage)
{
    const qsizetype offset = qsizetype(firstWord) * 2;
    if (offset >= p.byteCount())
        return {};
    const QImage img = decodeDib(p.raw() + offset, p.byteCount() - offset, usage, dc_.palette, pixelsLeft());
    spend(img);
    return img;
}

QImage Player::bitmap16(const Params &p, int firstWord)
{
    const qsizetype offset = qsizetype(firstWord) * 2;
    if (offset >= p.byteCount())
        return {};
    const QImage img = decodeBitmap16(p.raw() + offset, p.byteCount() - offset, pixelsLeft());
    spend(img);
    return img;
}

void Player::blit(quint32 rop, const QRectF &dest, const QImage &source, QRectF from)
{
    switch (rop) {
    case 0x00000042:  // BLACKNESS
    case 0x00FF0062:  // WHITENESS
    case 0x00F00021:  // PATCOPY
    {
        QPainterPath r;
        r.addRect(dest.normalized());
        out_.drawPath(r, Qt::NoPen, rop == 0x00F00021 ? brush() : QBrush(rop == 0x42 ? Qt::black : Qt::white));
        return;
    }
    case 0x00550009:  // DSTINVERT: nothing sensible on a printer
    case 0x00AA0029:  // DSTCOPY: no-op
        return;
    default: break;
    }
    if (source.isNull())
        return;
    from = from.intersected(QRectF(source.rect()));
    if (from.isEmpty())
        return;
    QImage img = source.copy(from.toAlignedRect());
    // Negative extents mirror the picture.
    const bool flipX = dest.width() < 0, flipY = dest.height() < 0;
    if (flipX || flipY)
        img = img.mirrored(flipX, flipY);
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    if (rop == 0x008800C6)  // SRCAND
        mode = QPainter::CompositionMode_Multiply;
    else if (rop == 0x00EE0086)  // SRCPAINT
        mode = QPainter::CompositionMode_Lighten;
    else if (rop == 0x00660046)  // SRCINVERT
        mode = QPainter::CompositionMode_Difference;
    else if (rop == 0x00330008)  // NOTSRCCOPY
        img.invertPixels();
    out_.drawImage(dest.normalized(), img, mode);
}

void Player::patternBrush(quint16 function, const Params &p)
{
    Object o;
    o.kind = Object::Brush;
    o.brush.colour = Qt::gray;
    if (function == DIBCREATEPATTERNBRUSH) {
        o.brush.style = 5;
        if (p.has(2))
            o.brush.pattern = dib(p, 2, p.u(1));
    } else {
        o.brush.style = 3;
        o.brush.pattern = bitmap16(p, 0);
    }
    objects_.create(o);
}

void Player::patBlt(quint16, const Params &p)
{
    blit(p.u32(0), QRectF(map(p.s(5), p.s(4)), map(p.s(5) + p.s(3), p.s(4) + p.s(2))), {}, {});
}

void Player::stretchDib(quint16, const Params &p)
{
    const QImage img = dib(p, 11, p.u(2));
    blit(p.u32(0), QRectF(map(p.s(10), p.s(9)), map(p.s(10) + p.s(8), p.s(9) + p.s(7))), img,
         QRectF(p.s(6), img.height() - p.s(5) - p.s(3), p.s(4), p.s(3)));
}

void Player::setDibToDev(quint16, const Params &p)
{
    const QImage img = dib(p, 9, p.u(0));
    const int w = p.s(6), h = p.s(5);
    blit(0x00CC0020, QRectF(map(p.s(8), p.s(7)), map(p.s(8) + w, p.s(7) + h)), img, QRectF(p.s(4), img.height() - p.s(3) - h, w, h));
}

// DIBBITBLT and DIBSTRETCHBLT carry a DIB, BITBLT and STRETCHBLT the old device-dependent bitmap;
// without one they are a plain raster operation. The source is a bitmap selected into a device
// context: its rows run top down.
void Player::blt(quint16 function, const Params &p)
{
    const bool stretch = function == DIBSTRETCHBLT || function == STRETCHBLT;
    const bool withBitmap = p.count() > (stretch ? 11 : 9);
    const int first = stretch ? 10 : 8;          // the bitmap's first word
    const int d = first - (withBitmap ? 4 : 3);  // where the destination starts
    QImage img;
    if (withBitmap)
        img = function == DIBBITBLT || function == DIBSTRETCHBLT ? dib(p, first, 0) : bitmap16(p, first);
    const int w = p.s(d + 1), h = p.s(d);
    const QRectF dest(map(p.s(d + 3), p.s(d + 2)), map(p.s(d + 3) + w, p.s(d + 2) + h));
    blit(p.u32(0), dest, img, stretch ? QRectF(p.s(5), p.s(4), p.s(3), p.s(2)) : QRectF(p.s(3), p.s(2), w, h));
}

}  // namespace wmf
