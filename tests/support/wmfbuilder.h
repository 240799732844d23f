// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds metafiles record by record for tests, including malformed ones, and records what
// playing them draws.
#include "formats/wmf/wmfplayer.h"

#include <QByteArray>
#include <QtEndian>
#include <initializer_list>

class WmfBuilder {
public:
    // A placeable file with the given frame in units per inch; or a plain one (placeable false).
    explicit WmfBuilder(QRect frame = QRect(0, 0, 1440, 1440), int unitsPerInch = 1440, bool placeable = true)
        : frame_(frame), upi_(unitsPerInch), placeable_(placeable)
    {
    }
    WmfBuilder &rec(quint16 function, std::initializer_list<int> words) { return raw(function, wordsOf(words)); }
    WmfBuilder &raw(quint16 function, const QByteArray &params)
    {
        put32(body_, quint32(3 + (params.size() + 1) / 2));  // with the padding byte
        put16(body_, function);
        body_.append(params);
        if (params.size() % 2)
            body_.append('\0');
        return *this;
    }
    // A record with a size field that says anything at all.
    WmfBuilder &lyingSize(quint32 size, quint16 function)
    {
        put32(body_, size);
        put16(body_, function);
        return *this;
    }
    QByteArray bytes(bool withEnd = true) const
    {
        QByteArray out;
        // Placeable: key, handle, frame (right and bottom just outside), units an inch, reserved, checksum.
        const QRect f = frame_;
        if (placeable_)
            out = wordsOf({0xCDD7, 0x9AC6, 0, f.left(), f.top(), f.right() + 1, f.bottom() + 1, upi_, 0, 0, 0});
        out += wordsOf({1, 9, 0x0300, 0, 0, 0, 0, 0, 0});  // type, header words, version; sizes not relied on
        out += body_;
        return withEnd ? out + wordsOf({3, 0, 0}) : out;
    }
    static void put16(QByteArray &b, int v)
    {
        char c[2];
        qToLittleEndian(quint16(v), c);
        b.append(c, 2);
    }
    static void put32(QByteArray &b, quint32 v)
    {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    }
    static QByteArray wordsOf(std::initializer_list<int> words)
    {
        QByteArray b;
        for (int w : words)
            put16(b, w);
        return b;
    }
    static QByteArray colour(QColor c)
    {
        QByteArray b;
        put32(b, quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16);
        return b;
    }
    // CREATEPENINDIRECT's and CREATEBRUSHINDIRECT's parameters.
    static QByteArray pen(QColor c, int style = 0, int width = 0) { return wordsOf({style, width, 0}) + colour(c); }
    static QByteArray brush(QColor c, int style = 0, int hatch = 0) { return wordsOf({style}) + colour(c) + wordsOf({hatch}); }
    // CREATEFONTINDIRECT's: height, width, escapement, orientation, weight, italic | underline << 8,
    // strike-out | charset << 8, two words of precision and pitch, then the face.
    static QByteArray font(std::initializer_list<int> words, const QByteArray &face = "Arial")
    {
        return wordsOf(words) + face.left(31).leftJustified(32, '\0');
    }
    // A text record's parameters: count, the bytes padded to a word, then y and x.
    static QByteArray textOut(int x, int y, const QByteArray &s)
    {
        return wordsOf({int(s.size())}) + s + QByteArray(s.size() % 2, '\0') + wordsOf({y, x});
    }
    // A BITMAPINFOHEADER bitmap of w x h with the given bit count and compression, its table and bits.
    static QByteArray dib(int w, int h, int bpp, int compression, const QByteArray &table, const QByteArray &bits, int used = 0)
    {
        QByteArray d;
        for (qint64 v : {40, w, h, 1 | bpp << 16, compression, int(bits.size()), 0, 0, used, 0})
            put32(d, quint32(v));
        return d + table + bits;
    }
    // STRETCHDIB's parameters: copy the whole srcW x srcH bitmap onto x, y, w, h.
    static QByteArray stretchDib(int x, int y, int w, int h, const QByteArray &bitmap, int srcW, int srcH)
    {
        QByteArray p;
        put32(p, 0x00CC0020);
        return p + wordsOf({0, srcH, srcW, 0, 0, h, w, y, x}) + bitmap;
    }
    // CREATEREGION's parameters: a header with the bounding box, then one scan a rectangle.
    static QByteArray region(const std::vector<QRect> &rects, QRect box)
    {
        QByteArray r = wordsOf({0, 6, 0, 0, 0, int(rects.size()), 4, box.left(), box.top(), box.right() + 1, box.bottom() + 1});
        for (const QRect &q : rects)
            r += wordsOf({2, q.top(), q.bottom() + 1, q.left(), q.right() + 1, 2});
        return r;
    }

private:
    QRect frame_;
    int upi_;
    bool placeable_;
    QByteArray body_;
};

struct Drawn {
    enum Kind { Path, Text, Image, Clip } kind;
    QRectF box{};      // path bounds, image target, clip bounds (empty: no clip)
    QPen pen{};
    QBrush brush{};
    QPointF origin{};  // text
    QString text{};
    QFont font{};
    QColor colour{};
    double angle = 0;
    std::vector<double> advances{};
    QImage image{};
    QPainterPath path{};
};

class RecordingOutput : public wmf::Output {
public:
    std::vector<Drawn> drawn;
    void setClip(const QPainterPath *clip) override
    {
        const QPainterPath path = clip ? *clip : QPainterPath();
        drawn.push_back({.kind = Drawn::Clip, .box = path.boundingRect(), .path = path});
    }
    void drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush) override
    {
        drawn.push_back({.kind = Drawn::Path, .box = path.boundingRect(), .pen = pen, .brush = brush, .path = path});
    }
    void drawText(const QPointF &origin, double angle, const QFont &font, const QColor &colour, const QString &text,
                  const std::vector<double> &advances) override
    {
        drawn.push_back(
            {.kind = Drawn::Text, .origin = origin, .text = text, .font = font, .colour = colour, .angle = angle, .advances = advances});
    }
    void drawImage(const QRectF &target, const QImage &image, QPainter::CompositionMode) override
    {
        drawn.push_back({.kind = Drawn::Image, .box = target, .image = image});
    }
    std::vector<Drawn> of(Drawn::Kind k) const
    {
        std::vector<Drawn> out;
        for (const Drawn &d : drawn)
            if (d.kind == k)
                out.push_back(d);
        return out;
    }
};

// Parses and plays onto a recording output whose target is 0,0 to w,h.
inline RecordingOutput playRecorded(const QByteArray &bytes, double w = 100, double h = 100)
{
    RecordingOutput out;
    if (auto m = wmf::parse(bytes))
        wmf::play(*m, out, QRectF(0, 0, w, h));
    return out;
}
