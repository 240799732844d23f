// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows metafiles: parsing into checked records (this file) and playing them (wmfplayer.h).
//
// A metafile is never trusted: every size, count and offset is checked against the bytes that are
// there before it is used, header fields that lie (file size, object count) do not matter, and a
// file that cannot be read is an error, never a crash.
#include "formats/result.h"

#include <QByteArray>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace wmf {

// Record function numbers.
enum Function : quint16 {
    EOF_ = 0x0000, SAVEDC = 0x001E, REALIZEPALETTE = 0x0035, SETPALENTRIES = 0x0037, CREATEPALETTE = 0x00F7,
    SETBKMODE = 0x0102, SETMAPMODE = 0x0103, SETROP2 = 0x0104, SETRELABS = 0x0105, SETPOLYFILLMODE = 0x0106,
    SETSTRETCHBLTMODE = 0x0107, SETTEXTCHAREXTRA = 0x0108, RESTOREDC = 0x0127, INVERTREGION = 0x012A,
    PAINTREGION = 0x012B, SELECTCLIPREGION = 0x012C, SELECTOBJECT = 0x012D, SETTEXTALIGN = 0x012E,
    RESIZEPALETTE = 0x0139, DIBCREATEPATTERNBRUSH = 0x0142, SETLAYOUT = 0x0149, DELETEOBJECT = 0x01F0,
    CREATEPATTERNBRUSH = 0x01F9, SETBKCOLOR = 0x0201, SETTEXTCOLOR = 0x0209, SETTEXTJUSTIFICATION = 0x020A,
    SETWINDOWORG = 0x020B, SETWINDOWEXT = 0x020C, SETVIEWPORTORG = 0x020D, SETVIEWPORTEXT = 0x020E,
    OFFSETWINDOWORG = 0x020F, OFFSETVIEWPORTORG = 0x0211, LINETO = 0x0213, MOVETO = 0x0214,
    OFFSETCLIPRGN = 0x0220, FILLREGION = 0x0228, SETMAPPERFLAGS = 0x0231, SELECTPALETTE = 0x0234,
    CREATEPENINDIRECT = 0x02FA, CREATEFONTINDIRECT = 0x02FB, CREATEBRUSHINDIRECT = 0x02FC, POLYGON = 0x0324,
    POLYLINE = 0x0325, SCALEWINDOWEXT = 0x0410, SCALEVIEWPORTEXT = 0x0412, EXCLUDECLIPRECT = 0x0415,
    INTERSECTCLIPRECT = 0x0416, ELLIPSE = 0x0418, FLOODFILL = 0x0419, FRAMEREGION = 0x0429, RECTANGLE = 0x041B,
    SETPIXEL = 0x041F, ANIMATEPALETTE = 0x0436, TEXTOUT = 0x0521, POLYPOLYGON = 0x0538, EXTFLOODFILL = 0x0548,
    ROUNDRECT = 0x061C, PATBLT = 0x061D, ESCAPE = 0x0626, CREATEREGION = 0x06FF, ARC = 0x0817, PIE = 0x081A,
    CHORD = 0x0830, BITBLT = 0x0922, DIBBITBLT = 0x0940, EXTTEXTOUT = 0x0A32, STRETCHBLT = 0x0B23,
    DIBSTRETCHBLT = 0x0B41, SETDIBTODEV = 0x0D33, STRETCHDIB = 0x0F43,
};

// The parameters of one record: 16-bit words read little-endian, every access checked.
class Params {
public:
    Params(const uchar *data, int words) : data_(data), words_(words) {}
    int count() const { return words_; }
    bool has(int n) const { return n <= words_; }
    quint16 u(int i) const;                 // 0 past the end
    qint16 s(int i) const { return qint16(u(i)); }
    quint32 u32(int i) const { return u(i) | (quint32(u(i + 1)) << 16); }
    // Bytes from a word offset; empty when they are not all there.
    QByteArray bytes(int wordOffset, qsizetype count) const;
    qsizetype byteCount() const { return qsizetype(words_) * 2; }
    const uchar *raw() const { return data_; }

private:
    const uchar *data_;
    int words_;
};

struct Record {
    quint16 function = 0;
    qsizetype offset = 0;  // of the first parameter word, in the file's bytes
    int words = 0;         // parameter words
};

struct Metafile {
    QByteArray data;
    bool placeable = false;
    QRect bounds;         // placeable: the picture's frame in its own units
    int unitsPerInch = 0; // placeable: how many of those units make an inch
    std::vector<Record> records;

    Params params(const Record &r) const
    {
        return Params(reinterpret_cast<const uchar *>(data.constData()) + r.offset, r.words);
    }
    // The frame the drawing's coordinates describe: the placeable frame, or else the first
    // window origin and extent the records set.
    QRectF frame() const;
    QRectF drawnBounds() const;
    bool hasWindow() const;
    // The picture's own size in inches.
    QSizeF sizeInches() const;
    // Its own size in pixels at the given resolution.
    QSizeF sizeAt(double dpi) const { return sizeInches() * dpi; }
};

// The largest file a reader accepts.
inline constexpr qsizetype kMaxFileBytes = 64 * 1024 * 1024;

// The metafile, or why it was refused ("truncated placeable header").
Result<Metafile> parse(const QByteArray &data);
Result<Metafile> load(const QString &path);

}  // namespace wmf
