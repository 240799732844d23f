// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wmf/wmfwriter.h"

#include "formats/textcodec.h"
#include "formats/wmf/wmf.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

namespace wmf {
namespace {

void put16(QByteArray &b, int v)
{
    char c[2];
    qToLittleEndian(quint16(v), c);
    b.append(c, 2);
}
void put32(QByteArray &b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
void putColour(QByteArray &b, const QColor &c) { put32(b, quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16); }

// The objects a shape needs are made in slots 0 (pen) and 1 (brush) and deleted after it; the
// font keeps slot 2 while it stays the same.
constexpr int kPenSlot = 0, kBrushSlot = 1, kFontSlot = 2;

}  // namespace

Writer::Writer(int widthTwips, int heightTwips) : width_(widthTwips), height_(heightTwips)
{
    words(SETMAPMODE, {8});  // MM_ANISOTROPIC
    words(SETWINDOWORG, {0, 0});
    words(SETWINDOWEXT, {height_, width_});
    words(SETBKMODE, {1});  // TRANSPARENT
    words(SETPOLYFILLMODE, {2});
}

void Writer::record(quint16 function, const QByteArray &params)
{
    const quint32 size = quint32(3 + params.size() / 2);
    put32(body_, size);
    put16(body_, function);
    body_.append(params);
    maxRecord_ = std::max(maxRecord_, size);
}

void Writer::words(quint16 function, std::initializer_list<int> values)
{
    QByteArray p;
    for (int v : values)
        put16(p, v);
    record(function, p);
}

void Writer::withTools(const QColor &fill, const QColor &line, int lineWidth, quint16 function, const QByteArray &params)
{
    // Slots are taken lowest first: pen, then brush, both freed afterwards; the font (if any)
    // already sits in the slot after them, so they must be made while slots 0 and 1 are free.
    QByteArray pen;
    put16(pen, line.isValid() ? 0 : 5);
    put16(pen, lineWidth);
    put16(pen, 0);
    putColour(pen, line.isValid() ? line : QColor(Qt::black));
    record(CREATEPENINDIRECT, pen);
    QByteArray brush;
    put16(brush, fill.isValid() ? 0 : 1);
    putColour(brush, fill.isValid() ? fill : QColor(Qt::white));
    put16(brush, 0);
    record(CREATEBRUSHINDIRECT, brush);
    words(SELECTOBJECT, {kPenSlot});
    words(SELECTOBJECT, {kBrushSlot});
    record(function, params);
    words(DELETEOBJECT, {kPenSlot});
    words(DELETEOBJECT, {kBrushSlot});
    maxObjects_ = std::max(maxObjects_, 3);
}

void Writer::useFont(const TextStyle &s)
{
    const QString key = QStringLiteral("%1/%2/%3/%4").arg(s.family).arg(s.points).arg(s.bold).arg(s.italic);
    if (key == fontKey_)
        return;
    if (fontSlot_ >= 0)
        words(DELETEOBJECT, {kFontSlot});
    // Slots 0 and 1 must be taken while the font is made, so it lands in slot 2.
    words(CREATEPENINDIRECT, {5, 0, 0, 0, 0});
    words(CREATEBRUSHINDIRECT, {1, 0, 0, 0});
    QByteArray f;
    put16(f, -int(std::lround(s.points * 20)));  // character height in twips
    put16(f, 0);
    put16(f, 0);
    put16(f, 0);
    put16(f, s.bold ? 700 : 400);
    put16(f, s.italic ? 1 : 0);  // italic, underline
    put16(f, 0);                 // strike-out, ANSI character set
    put16(f, 0);                 // precisions
    put16(f, 0x0400 | 2);        // proof quality, variable pitch
    QByteArray face = textcodec::toWindows1252(s.family).left(31);
    face.append(QByteArray(32 - face.size(), '\0'));
    f.append(face);
    record(CREATEFONTINDIRECT, f);
    words(DELETEOBJECT, {kPenSlot});
    words(DELETEOBJECT, {kBrushSlot});
    words(SELECTOBJECT, {kFontSlot});
    fontSlot_ = kFontSlot;
    fontKey_ = key;
    maxObjects_ = std::max(maxObjects_, 3);
}

void Writer::text(int x, int y, const QString &text, const TextStyle &s)
{
    useFont(s);
    const int align = 24 | (s.align & Qt::AlignHCenter ? 6 : s.align & Qt::AlignRight ? 2 : 0);  // baseline
    if (align != textAlign_) {
        words(SETTEXTALIGN, {align});
        textAlign_ = align;
    }
    if (s.colour != textColour_) {
        QByteArray c;
        putColour(c, s.colour);
        record(SETTEXTCOLOR, c);
        textColour_ = s.colour;
    }
    // Windows-1252 has no minus sign: the en dash is its usual stand-in in print.
    QByteArray bytes = textcodec::toWindows1252(QString(text).replace(QChar(0x2212), QChar(0x2013)));
    QByteArray p;
    put16(p, int(bytes.size()));
    if (bytes.size() % 2)
        bytes.append('\0');
    p.append(bytes);
    put16(p, y);
    put16(p, x);
    record(TEXTOUT, p);
}

void Writer::line(QPoint from, QPoint to, const QColor &colour, int widthTwips)
{
    polyline(QPolygon({from, to}), colour, widthTwips);
}

void Writer::polyline(const QPolygon &points, const QColor &colour, int widthTwips)
{
    QByteArray p;
    put16(p, int(points.size()));
    for (const QPoint &pt : points) {
        put16(p, pt.x());
        put16(p, pt.y());
    }
    withTools(QColor(), colour, widthTwips, POLYLINE, p);
}

// A box's parameters: bottom, right, top, left, the right and bottom just outside it.
static QByteArray box(const QRect &r)
{
    QByteArray p;
    put16(p, r.bottom() + 1);
    put16(p, r.right() + 1);
    put16(p, r.top());
    put16(p, r.left());
    return p;
}

void Writer::rectangle(const QRect &r, const QColor &fill, const QColor &line, int lineWidth)
{
    withTools(fill, line, lineWidth, RECTANGLE, box(r));
}

void Writer::ellipse(const QRect &r, const QColor &fill, const QColor &line, int lineWidth)
{
    withTools(fill, line, lineWidth, ELLIPSE, box(r));
}

void Writer::polygon(const QPolygon &points, const QColor &fill, const QColor &line, int lineWidth)
{
    QByteArray p;
    put16(p, int(points.size()));
    for (const QPoint &pt : points) {
        put16(p, pt.x());
        put16(p, pt.y());
    }
    withTools(fill, line, lineWidth, POLYGON, p);
}

void Writer::image(const QRect &r, const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGB32);
    const int stride = ((img.width() * 3 + 3) / 4) * 4;
    QByteArray p;
    put32(p, 0x00CC0020);  // SRCCOPY
    put16(p, 0);           // colours in the bitmap itself
    put16(p, img.height());
    put16(p, img.width());
    put16(p, 0);
    put16(p, 0);
    put16(p, r.height());
    put16(p, r.width());
    put16(p, r.top());
    put16(p, r.left());
    // BITMAPINFOHEADER, then the rows bottom up, 24 bits a pixel.
    put32(p, 40);
    put32(p, quint32(img.width()));
    put32(p, quint32(img.height()));
    put16(p, 1);
    put16(p, 24);
    put32(p, 0);
    put32(p, quint32(stride * img.height()));
    put32(p, 2835);
    put32(p, 2835);
    put32(p, 0);
    put32(p, 0);
    for (int y = img.height() - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        QByteArray line;
        for (int x = 0; x < img.width(); ++x) {
            line.append(char(qBlue(row[x])));
            line.append(char(qGreen(row[x])));
            line.append(char(qRed(row[x])));
        }
        line.append(QByteArray(stride - line.size(), '\0'));
        p.append(line);
    }
    record(STRETCHDIB, p);
}

QByteArray Writer::finish()
{
    QByteArray records = body_;
    put32(records, 3);
    put16(records, EOF_);

    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7);
    put16(placeable, 0);
    put16(placeable, 0);
    put16(placeable, 0);
    put16(placeable, width_);
    put16(placeable, height_);
    put16(placeable, 1440);
    put32(placeable, 0);
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    put16(placeable, sum);

    QByteArray header;
    put16(header, 1);
    put16(header, 9);
    put16(header, 0x0300);
    put32(header, quint32((18 + records.size()) / 2));
    put16(header, maxObjects_);
    put32(header, maxRecord_);
    put16(header, 0);
    return placeable + header + records;
}

bool Writer::save(const QString &path)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = finish();
    if (f.write(bytes) != bytes.size())
        return false;
    return f.commit();
}

}  // namespace wmf
