// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-independent bitmaps as metafiles carry them: BITMAPINFOHEADER or BITMAPCOREHEADER,
// 1, 4, 8, 16, 24 or 32 bits, BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS, bottom-up or top-down;
// and the old device-dependent Bitmap16. Every size is checked against the bytes before use and
// no image larger than kMaxPixels is made.
#include <QColor>
#include <QImage>
#include <QList>

namespace wmf {

inline constexpr qint64 kMaxPixels = 16 * 1024 * 1024;

// palette: the metafile's selected logical palette, for colour tables that index it
// (usage 1, DIB_PAL_COLORS). A bitmap of more than maxPixels is refused before it is decoded.
QImage decodeDib(const uchar *data, qsizetype size, int usage, const QList<QRgb> &palette, qint64 maxPixels = kMaxPixels);
QImage decodeBitmap16(const uchar *data, qsizetype size, qint64 maxPixels = kMaxPixels);

}  // namespace wmf
