#pragma once
// Builds metafiles record by record for tests, including malformed ones, and records what
// playing them draws.
#include "platform/wmf/wmfplayer.h"

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
    WmfBuilder &rec(quint16 function, std::initializer_list<int> words)
    {
        QByteArray p;
        for (int w : words)
            put16(p, w);
        return raw(function, p);
    }
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
        if (placeable_) {
            put32(out, 0x9AC6CDD7);
            put16(out, 0);
            put16(out, frame_.left());
            put16(out, frame_.top());
            put16(out, frame_.right() + 1);
            put16(out, frame_.bottom() + 1);
            put16(out, upi_);
            put32(out, 0);
            put16(out, 0);
        }
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, 0);
        put16(out, 0);
        put32(out, 0);
        put16(out, 0);
        out.append(body_);
        if (withEnd) {
            put32(out, 3);
            put16(out, 0);
        }
        return out;
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
    // A text record's parameters: count, the bytes padded to a word, then y and x.
    static QByteArray textOut(int x, int y, const QByteArray &s)
    {
        QByteArray p;
        put16(p, int(s.size()));
        p.append(s);
        if (s.size() % 2)
            p.append('\0');
        put16(p, y);
        put16(p, x);
        return p;
    }

private:
    QRect frame_;
    int upi_;
    bool placeable_;
    QByteArray body_;
};

struct Drawn {
    enum Kind { Path, Text, Image, Clip } kind;
    QRectF box;        // path bounds, image target, clip bounds (empty: no clip)
    QPen pen;
    QBrush brush;
    QPointF origin;    // text
    QString text;
    QFont font;
    QColor colour;
    double angle = 0;
    std::vector<double> advances;
    QImage image;
    QPainterPath path;
};

class RecordingOutput : public wmf::Output {
public:
    std::vector<Drawn> drawn;
    void setClip(const QPainterPath *clip) override
    {
        Drawn d{Drawn::Clip, clip ? clip->boundingRect() : QRectF()};
        if (clip)
            d.path = *clip;
        drawn.push_back(d);
    }
    void drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush) override
    {
        Drawn d{Drawn::Path, path.boundingRect()};
        d.pen = pen;
        d.brush = brush;
        d.path = path;
        drawn.push_back(d);
    }
    void drawText(const QPointF &origin, double angle, const QFont &font, const QColor &colour, const QString &text,
                  const std::vector<double> &advances) override
    {
        Drawn d{Drawn::Text, {}};
        d.origin = origin;
        d.angle = angle;
        d.font = font;
        d.colour = colour;
        d.text = text;
        d.advances = advances;
        drawn.push_back(d);
    }
    void drawImage(const QRectF &target, const QImage &image, QPainter::CompositionMode) override
    {
        Drawn d{Drawn::Image, target};
        d.image = image;
        drawn.push_back(d);
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
