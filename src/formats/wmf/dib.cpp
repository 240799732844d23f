// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wmf/dib.h"

#include <QtEndian>
#include <optional>
#include <vector>

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

struct DibHeader {
    qsizetype size = 0;  // bytes of the header
    qint64 width = 0, height = 0;
    int bpp = 0;
    quint32 compression = 0, used = 0;
    bool topDown = false;
    bool core = false;  // BITMAPCOREHEADER: 3-byte colour entries
};

// BITMAPCOREHEADER or BITMAPINFOHEADER (and its later, longer versions), checked.
std::optional<DibHeader> readHeader(const uchar *p, qsizetype size, qint64 maxPixels)
{
    if (size < 12)
        return std::nullopt;
    DibHeader h;
    h.size = w32(p);
    int planes;
    if (h.size == 12) {
        h.core = true;
        h.width = w16(p + 4);
        h.height = qint16(w16(p + 6));
        planes = w16(p + 8);
        h.bpp = w16(p + 10);
    } else if (h.size >= 40 && h.size <= 124 && h.size <= size) {
        h.width = s32(p + 4);
        h.height = s32(p + 8);
        planes = w16(p + 12);
        h.bpp = w16(p + 14);
        h.compression = w32(p + 16);
        h.used = w32(p + 32);
    } else {
        return std::nullopt;
    }
    h.topDown = h.height < 0;
    h.height = std::abs(h.height);
    if (h.width <= 0 || h.height <= 0 || h.width > 32768 || h.height > 32768 || h.width * h.height > std::min(kMaxPixels, maxPixels) || planes != 1)
        return std::nullopt;
    if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
        return std::nullopt;
    const quint32 c = h.compression;
    if ((c == 1 && h.bpp != 8) || (c == 2 && h.bpp != 4) || (c == 3 && h.bpp != 16 && h.bpp != 32) || c > 3)
        return std::nullopt;
    return h;
}

// Colour masks: in the header from version 4 on, else right after a 40-byte header; fixed ones
// for uncompressed 16 and 32 bits. at moves past masks that follow the header.
bool readMasks(const DibHeader &h, const uchar *p, qsizetype size, qsizetype &at, quint32 masks[3])
{
    if (h.compression == 3) {
        const qsizetype from = h.size >= 52 ? 40 : at;
        if (from + 12 > size)
            return false;
        for (int k = 0; k < 3; ++k)
            masks[k] = w32(p + from + 4 * k);
        if (h.size < 52)
            at += 12;
    } else if (h.bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else if (h.bpp == 32) {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
    return true;
}

// The colour table (of 2^bpp entries, the missing ones black); at moves past it.
bool readTable(const DibHeader &h, const uchar *p, qsizetype size, int usage, const QList<QRgb> &logicalPalette, qsizetype &at,
               std::vector<QRgb> &table)
{
    if (h.bpp > 8) {
        // A table given with true-colour bitmaps is only a hint; skip it if it is there.
        if (h.compression == 0 && h.used && !h.core && at + qsizetype(h.used) * 4 <= size)
            at += qsizetype(h.used) * 4;
        return true;
    }
    const quint32 entries = h.used && h.used <= (1u << h.bpp) ? h.used : (1u << h.bpp);
    const int entrySize = usage == 1 ? 2 : (h.core ? 3 : 4);
    if (at + qsizetype(entries) * entrySize > size)
        return false;
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
    table.resize(std::size_t(1) << h.bpp, qRgb(0, 0, 0));
    return true;
}

int rowOf(const DibHeader &h, qint64 stored) { return int(h.topDown ? stored : h.height - 1 - stored); }

bool decodeRleImage(const DibHeader &h, const uchar *bits, qsizetype available, const std::vector<QRgb> &table, QImage &img)
{
    std::vector<uchar> indices;
    if (!decodeRle(bits, available, h.bpp, int(h.width), int(h.height), indices))
        return false;
    for (qint64 y = 0; y < h.height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(rowOf(h, y)));
        for (qint64 x = 0; x < h.width; ++x)
            row[x] = table[indices[std::size_t(y * h.width + x)]];
    }
    return true;
}

// Uncompressed and bit-field rows, each padded to four bytes.
bool decodeRows(const DibHeader &h, const uchar *bits, qsizetype available, const std::vector<QRgb> &table, const quint32 masks[3], QImage &img)
{
    const qint64 stride = ((h.width * h.bpp + 31) / 32) * 4;
    if (stride * h.height > available)
        return false;
    int shifts[3], widths[3];
    for (int k = 0; k < 3; ++k)
        maskShape(masks[k], shifts[k], widths[k]);
    for (qint64 y = 0; y < h.height; ++y) {
        const uchar *src = bits + y * stride;
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(rowOf(h, y)));
        for (qint64 x = 0; x < h.width; ++x) {
            switch (h.bpp) {
            case 1: row[x] = table[(src[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: row[x] = table[(src[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
            case 8: row[x] = table[src[x]]; break;
            case 24: row[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: {
                const quint32 v = h.bpp == 16 ? w16(src + 2 * x) : w32(src + 4 * x);
                row[x] = qRgb(field(v, masks[0], shifts[0], widths[0]), field(v, masks[1], shifts[1], widths[1]),
                              field(v, masks[2], shifts[2], widths[2]));
            }
            }
        }
    }
    return true;
}

}  // namespace

QImage decodeDib(const uchar *p, qsizetype size, int usage, const QList<QRgb> &logicalPalette, qint64 maxPixels)
{
    const std::optional<DibHeader> h = readHeader(p, size, maxPixels);
    if (!h)
        return {};
    qsizetype at = h->size;
    quint32 masks[3] = {0, 0, 0};
    std::vector<QRgb> table;
    if (!readMasks(*h, p, size, at, masks) || !readTable(*h, p, size, usage, logicalPalette, at, table))
        return {};
    QImage img(int(h->width), int(h->height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    const bool rle = h->compression == 1 || h->compression == 2;
    if (rle ? !decodeRleImage(*h, p + at, size - at, table, img) : !decodeRows(*h, p + at, size - at, table, masks, img))
        return {};
    return img;
}

QImage decodeBitmap16(const uchar *p, qsizetype size, qint64 maxPixels)
{
    // Type, width, height, bytes per row, planes, bits per pixel, a 4-byte pointer, then rows.
    if (size < 14)
        return {};
    const qint64 width = qint16(w16(p + 2)), height = qint16(w16(p + 4)), stride = qint16(w16(p + 6));
    const int planes = p[8], bpp = p[9];
    if (width <= 0 || height <= 0 || width * height > std::min(kMaxPixels, maxPixels) || planes != 1 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
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
