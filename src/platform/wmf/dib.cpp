#include "platform/wmf/dib.h"

#include <QtEndian>

namespace wmf {
namespace {

quint16 w16(const uchar *p) { return qFromLittleEndian<quint16>(p); }
quint32 w32(const uchar *p) { return qFromLittleEndian<quint32>(p); }
qint32 s32(const uchar *p) { return qFromLittleEndian<qint32>(p); }

// The number of bits a mask is shifted and how wide it is, to scale a field to 8 bits.
void maskShape(quint32 mask, int &shift, int &bits)
{
    shift = 0;
    bits = 0;
    if (!mask)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++bits;
    }
}

int field(quint32 v, quint32 mask, int shift, int bits)
{
    if (!bits)
        return 0;
    const quint32 x = (v & mask) >> shift;
    return int(x * 255 / ((1u << bits) - 1));
}

// RLE8/RLE4 into an index image (bottom-up rows as stored); runs past a row's end are clipped.
bool decodeRle(const uchar *p, qsizetype size, int bpp, int width, int height, std::vector<uchar> &out)
{
    out.assign(std::size_t(width) * height, 0);
    int x = 0, y = 0;
    qsizetype i = 0;
    auto put = [&](int v) {
        if (x < width && y < height)
            out[std::size_t(y) * width + x] = uchar(v);
        ++x;
    };
    while (i + 1 < size && y < height) {
        const int count = p[i], value = p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count && x < width; ++k)
                put(bpp == 8 ? value : (k % 2 ? value & 15 : value >> 4));
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta
            if (i + 1 >= size)
                return false;
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {  // absolute run of "value" pixels, padded to a word
            const qsizetype bytes = bpp == 8 ? value : (value + 1) / 2;
            if (i + bytes > size)
                return false;
            for (int k = 0; k < value; ++k)
                put(bpp == 8 ? p[i + k] : (k % 2 ? p[i + k / 2] & 15 : p[i + k / 2] >> 4));
            i += bytes + (bytes & 1);
        }
    }
    return true;
}

}  // namespace

QImage decodeDib(const uchar *p, qsizetype size, int usage, const std::vector<QRgb> &logicalPalette)
{
    if (size < 12)
        return {};
    const quint32 headerSize = w32(p);
    qint64 width, height;
    int bpp, planes;
    quint32 compression = 0, used = 0;
    if (headerSize == 12) {
        width = w16(p + 4);
        height = qint16(w16(p + 6));
        planes = w16(p + 8);
        bpp = w16(p + 10);
    } else if (headerSize >= 40 && headerSize <= 124 && qsizetype(headerSize) <= size) {
        width = s32(p + 4);
        height = s32(p + 8);
        planes = w16(p + 12);
        bpp = w16(p + 14);
        compression = w32(p + 16);
        used = w32(p + 32);
    } else {
        return {};
    }
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > 32768 || height > 32768 || width * height > kMaxPixels || planes != 1)
        return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};
    if ((compression == 1 && bpp != 8) || (compression == 2 && bpp != 4) || (compression == 3 && bpp != 16 && bpp != 32) || compression > 3)
        return {};

    qsizetype at = headerSize;
    // Colour masks: in the header from version 4 on, else right after a 40-byte header.
    quint32 masks[3] = {0, 0, 0};
    if (compression == 3) {
        if (headerSize >= 52)
            for (int k = 0; k < 3; ++k)
                masks[k] = w32(p + 40 + 4 * k);
        else {
            if (at + 12 > size)
                return {};
            for (int k = 0; k < 3; ++k)
                masks[k] = w32(p + at + 4 * k);
            at += 12;
        }
    } else if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bpp == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }

    // The colour table.
    std::vector<QRgb> table;
    if (bpp <= 8) {
        const quint32 entries = used && used <= (1u << bpp) ? used : (1u << bpp);
        const int entrySize = usage == 1 ? 2 : (headerSize == 12 ? 3 : 4);
        if (at + qsizetype(entries) * entrySize > size)
            return {};
        for (quint32 k = 0; k < entries; ++k) {
            const uchar *e = p + at + k * entrySize;
            if (usage == 1) {
                const quint16 index = w16(e);
                table.push_back(index < logicalPalette.size() ? logicalPalette[index] : qRgb(0, 0, 0));
            } else {
                table.push_back(qRgb(e[2], e[1], e[0]));
            }
        }
        at += qsizetype(entries) * entrySize;
        table.resize(std::size_t(1) << bpp, qRgb(0, 0, 0));
    } else if (compression == 0 && used && headerSize != 12) {
        // A table given with true-colour bitmaps is only a hint; skip it if it is there.
        if (at + qsizetype(used) * 4 <= size)
            at += qsizetype(used) * 4;
    }

    const uchar *bits = p + at;
    const qsizetype available = size - at;
    QImage img(int(width), int(height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    auto rowOf = [&](qint64 stored) { return int(topDown ? stored : height - 1 - stored); };

    if (compression == 1 || compression == 2) {
        std::vector<uchar> indices;
        if (!decodeRle(bits, available, bpp, int(width), int(height), indices))
            return {};
        for (qint64 y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(img.scanLine(rowOf(y)));
            for (qint64 x = 0; x < width; ++x)
                row[x] = table[indices[std::size_t(y * width + x)]];
        }
        return img;
    }

    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    if (stride * height > available)
        return {};
    int shifts[3], widths[3];
    for (int k = 0; k < 3; ++k)
        maskShape(masks[k], shifts[k], widths[k]);
    for (qint64 y = 0; y < height; ++y) {
        const uchar *src = bits + y * stride;
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(rowOf(y)));
        for (qint64 x = 0; x < width; ++x) {
            switch (bpp) {
            case 1: row[x] = table[(src[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: row[x] = table[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
            case 8: row[x] = table[src[x]]; break;
            case 24: row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: {
                const quint32 v = bpp == 16 ? w16(src + 2 * x) : w32(src + 4 * x);
                row[x] = qRgb(field(v, masks[0], shifts[0], widths[0]), field(v, masks[1], shifts[1], widths[1]),
                              field(v, masks[2], shifts[2], widths[2]));
            }
            }
        }
    }
    return img;
}

QImage decodeBitmap16(const uchar *p, qsizetype size)
{
    // Type, width, height, bytes per row, planes, bits per pixel, a 4-byte pointer, then rows.
    if (size < 14)
        return {};
    const qint64 width = qint16(w16(p + 2)), height = qint16(w16(p + 4)), stride = qint16(w16(p + 6));
    const int planes = p[8], bpp = p[9];
    if (width <= 0 || height <= 0 || width * height > kMaxPixels || planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
        return {};
    if (stride < (width * bpp + 7) / 8 || 14 + stride * height > size)
        return {};
    QImage img(int(width), int(height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    for (qint64 y = 0; y < height; ++y) {
        const uchar *src = p + 14 + y * stride;
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            int v;
            switch (bpp) {
            case 1: v = (src[x / 8] >> (7 - x % 8)) & 1 ? 255 : 0; row[x] = qRgb(v, v, v); break;
            case 4: v = ((src[x / 2] >> (x % 2 ? 0 : 4)) & 15) * 17; row[x] = qRgb(v, v, v); break;
            case 8: row[x] = qRgb(src[x], src[x], src[x]); break;
            default: row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
            }
        }
    }
    return img;
}

}  // namespace wmf
