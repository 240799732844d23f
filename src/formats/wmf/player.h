// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inside the metafile player (not for use outside src/formats/wmf): the device context and object
// table the records change, and the Player that hands each record to its handler. The handlers live
// by family: state and objects (playerstate.cpp), drawing (playerdraw.cpp), text (playertext.cpp)
// and bitmaps (playerbitmaps.cpp).
#include "formats/wmf/cliparea.h"
#include "formats/wmf/wmfplayer.h"

#include <QList>
#include <QSet>
#include <optional>
#include <set>

namespace wmf {

inline QColor colorRef(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

struct PenSpec {
    int style = 0;  // PS_SOLID
    double width = 0;
    QColor colour = Qt::black;
};

struct BrushSpec {
    int style = 0;  // BS_SOLID
    QColor colour = Qt::white;
    int hatch = 0;
    QImage pattern;
};

struct FontSpec {
    int height = -16, width = 0, escapement = 0, weight = 400;
    bool italic = false, underline = false, strikeOut = false;
    int charset = 0;
    QString face = QStringLiteral("Arial");
};

struct Object {
    enum Kind { Pen, Brush, Font, Palette, Region } kind = Pen;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    QList<QRgb> palette;
    QList<QRectF> region;  // logical
};

// Objects by index: a new one takes the lowest free index, as the format requires.
class ObjectTable {
public:
    void create(Object o);
    const Object *at(int index) const;
    void remove(int index);

private:
    std::vector<std::optional<Object>> objects_;
    std::set<std::size_t> free_;  // a set, not a scan: a file of many objects stays linear
};

struct DC {
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    int mapMode = 1;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    QColor textColour = Qt::black, backColour = Qt::white;
    int backMode = 2;  // OPAQUE
    int textAlign = 0;
    int fillMode = 1;  // ALTERNATE
    int charExtra = 0;
    QPointF position;
    std::optional<ClipArea> clip;  // device space
    QList<QRgb> palette;            // implicitly shared: saving a state copies no colours
};

class Player {
public:
    Player(const Metafile &m, Output &out, const QRectF &target);
    void run();

    using Handler = void (Player::*)(quint16 function, const Params &p);
    struct Handling {
        quint16 function;
        Handler handler;
        int minWords;  // parameter words; a shorter record is skipped
    };

private:
    static const Handling *handlingOf(quint16 function);

    // coordinates (wmfplayer.cpp)
    double sx() const;
    double sy() const;
    QPointF map(double x, double y) const;
    QRectF mapRect(double l, double t, double r, double b) const { return QRectF(map(l, t), map(r, b)).normalized(); }
    double scale() const { return (std::abs(sx()) + std::abs(sy())) / 2; }
    double diagonal() const { return std::hypot(target_.width(), target_.height()); }
    QPolygonF points(const Params &p, int first, int count) const;

    // state and objects (playerstate.cpp)
    void window(quint16 function, const Params &p);
    void modes(quint16 function, const Params &p);
    void saveDC(quint16 function, const Params &p);
    void restoreDC(quint16 function, const Params &p);
    void createPen(quint16 function, const Params &p);
    void createBrush(quint16 function, const Params &p);
    void createFont(quint16 function, const Params &p);
    void createPalette(quint16 function, const Params &p);
    void createRegion(quint16 function, const Params &p);
    void selectObject(quint16 function, const Params &p);
    void deleteObject(quint16 function, const Params &p);
    void clipRegion(quint16 function, const Params &p);
    void clipRect(quint16 function, const Params &p);
    void offsetClip(quint16 function, const Params &p);
    void selectRegion(const QList<QRectF> &logical);
    void applyClip();
    void showClip(const ClipArea &area);

    // drawing (playerdraw.cpp)
    QPen pen() const;
    QBrush brush() const;
    void draw(QPainterPath path, bool filled);
    void lines(quint16 function, const Params &p);
    void poly(quint16 function, const Params &p);
    void polyPolygon(quint16 function, const Params &p);
    void box(quint16 function, const Params &p);
    void arc(quint16 function, const Params &p);
    void pixel(quint16 function, const Params &p);

    // text (playertext.cpp)
    QFont font() const;
    void text(QPointF at, const QByteArray &bytes, const std::vector<double> &logicalDx, const QRectF *box, int options);
    void textBackground(const QPointF &start, const QPointF &along, const QPointF &down, double width, const QFontMetricsF &fm);
    void textOut(quint16 function, const Params &p);
    void extTextOut(quint16 function, const Params &p);

    // bitmaps (playerbitmaps.cpp)
    void blit(quint32 rop, const QRectF &dest, const QImage &source, QRectF from);
    QImage dib(const Params &p, int firstWord, int usage);
    QImage bitmap16(const Params &p, int firstWord);
    qint64 pixelsLeft() const;
    void spend(const QImage &img) { imageBytes_ += img.sizeInBytes(); }
    void patBlt(quint16 function, const Params &p);
    void stretchDib(quint16 function, const Params &p);
    void setDibToDev(quint16 function, const Params &p);
    void blt(quint16 function, const Params &p);
    void patternBrush(quint16 function, const Params &p);

    const Metafile &m_;
    Output &out_;
    QRectF target_;
    DC dc_;
    std::vector<DC> saved_;
    std::size_t lostSaves_ = 0;
    ObjectTable objects_;
    QSet<QString> faces_;
    qint64 imageBytes_ = 0;
    qint64 clipWork_ = 0;
};

}  // namespace wmf
