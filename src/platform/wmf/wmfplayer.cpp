#include "platform/wmf/wmfplayer.h"

#include "platform/textcodec.h"
#include "platform/wmf/dib.h"

#include <QFontMetricsF>
#include <QSet>
#include <QtMath>
#include <cmath>
#include <optional>

namespace wmf {
namespace {

constexpr int kMaxSavedStates = 256;
// Qt keeps what it learns of every font family it is asked for; a file naming thousands of
// made-up faces would make it keep them all. Faces past this many fall back to Arial.
constexpr std::size_t kMaxFaces = 32;
constexpr qint64 kImageBudgetBytes = 256ll * 1024 * 1024;

QColor colorRef(quint32 v) { return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)); }

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

struct RegionSpec {
    std::vector<QRectF> rects;  // logical
};

struct Object {
    enum Kind { Pen, Brush, Font, Palette, Region } kind = Pen;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    std::vector<QRgb> palette;
    RegionSpec region;
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
    std::optional<QPainterPath> clip;  // device space
    std::vector<QRgb> palette;
};

class Player {
public:
    Player(const Metafile &m, Output &out, const QRectF &target) : m_(m), out_(out), target_(target)
    {
        const QRectF f = m.frame();
        dc_.windowOrg = f.topLeft();
        dc_.windowExt = f.size();
        dc_.palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    }

    void run()
    {
        for (const Record &r : m_.records)
            record(r.function, m_.params(r));
        out_.setClip(nullptr);
    }

private:
    // ---- coordinates ----------------------------------------------------------------------
    double sx() const
    {
        double s = target_.width() / dc_.windowExt.width();
        if (dc_.mapMode == 7)  // MM_ISOTROPIC: one scale for both axes
            s = std::copysign(std::min(std::abs(s), std::abs(target_.height() / dc_.windowExt.height())), s);
        return s;
    }
    double sy() const
    {
        double s = target_.height() / dc_.windowExt.height();
        if (dc_.mapMode == 7)
            s = std::copysign(std::min(std::abs(s), std::abs(target_.width() / dc_.windowExt.width())), s);
        return s;
    }
    QPointF map(double x, double y) const
    {
        return {target_.left() + (x - dc_.windowOrg.x()) * sx(), target_.top() + (y - dc_.windowOrg.y()) * sy()};
    }
    QRectF mapRect(double l, double t, double r, double b) const { return QRectF(map(l, t), map(r, b)).normalized(); }
    double scale() const { return (std::abs(sx()) + std::abs(sy())) / 2; }
    double diagonal() const { return std::hypot(target_.width(), target_.height()); }

    // ---- objects ----------------------------------------------------------------------------
    void create(Object o)
    {
        for (std::size_t i = 0; i < objects_.size(); ++i)
            if (!objects_[i]) {
                objects_[i] = std::move(o);
                return;
            }
        if (objects_.size() < 65535)
            objects_.push_back(std::move(o));
    }
    const Object *object(int index) const
    {
        if (index < 0 || std::size_t(index) >= objects_.size() || !objects_[std::size_t(index)])
            return nullptr;
        return &*objects_[std::size_t(index)];
    }
    bool spend(const QImage &img)
    {
        imageBytes_ += img.sizeInBytes();
        return imageBytes_ <= kImageBudgetBytes;
    }

    // ---- drawing tools ------------------------------------------------------------------
    QPen pen() const
    {
        const int style = dc_.pen.style & 0x0F;
        if (style == 5)  // PS_NULL
            return Qt::NoPen;
        QPen p(dc_.pen.colour);
        const double w = dc_.pen.width * scale();
        p.setWidthF(w < 1 ? 0 : std::min(w, diagonal()));
        switch (style) {
        case 1: p.setStyle(Qt::DashLine); break;
        case 2: p.setStyle(Qt::DotLine); break;
        case 3: p.setStyle(Qt::DashDotLine); break;
        case 4: p.setStyle(Qt::DashDotDotLine); break;
        default: p.setStyle(Qt::SolidLine);
        }
        const int cap = dc_.pen.style & 0x0F00, join = dc_.pen.style & 0xF000;
        p.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
        p.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
        return p;
    }
    QBrush brush() const
    {
        switch (dc_.brush.style) {
        case 1: return Qt::NoBrush;  // BS_NULL
        case 2: {
            static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            return QBrush(dc_.brush.colour, dc_.brush.hatch >= 0 && dc_.brush.hatch < 6 ? hatches[dc_.brush.hatch] : Qt::SolidPattern);
        }
        case 3:
        case 5:
            if (!dc_.brush.pattern.isNull())
                return QBrush(dc_.brush.pattern);
            return QBrush(dc_.brush.colour);
        default: return QBrush(dc_.brush.colour);
        }
    }

    void draw(QPainterPath path, bool filled)
    {
        path.setFillRule(dc_.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
        QPen p = pen();
        // A dashed outline of enormous length would take forever to stroke; draw it solid.
        if (p.style() != Qt::SolidLine && p.style() != Qt::NoPen) {
            const QRectF b = path.boundingRect();
            if (b.width() + b.height() > 16 * diagonal())
                p.setStyle(Qt::SolidLine);
        }
        if (filled && dc_.brush.style == 2 && dc_.backMode == 2)
            out_.drawPath(path, Qt::NoPen, QBrush(dc_.backColour));
        out_.drawPath(path, p, filled ? brush() : QBrush(Qt::NoBrush));
    }

    void applyClip() { out_.setClip(dc_.clip ? &*dc_.clip : nullptr); }
    QPainterPath everything() const
    {
        QPainterPath all;
        all.addRect(target_.adjusted(-diagonal(), -diagonal(), diagonal(), diagonal()));
        return all;
    }

    // ---- text -------------------------------------------------------------------------------
    QFont font() const
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
                q.setPixelSize(std::max(1, int(std::lround(q.pixelSize() * px / fm.height()))));
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
            if (natural > 0)
                q.setStretch(std::clamp(int(std::lround(100 * wanted / natural)), 1, 4000));
        }
        return q;
    }

    void text(QPointF at, const QByteArray &bytes, const std::vector<double> &logicalDx, const QRectF *box, int options)
    {
        if (bytes.isEmpty() && !(options & 2))
            return;
        const QString s = decodeText(bytes, dc_.font.charset);
        const QFont f = font();
        const QFontMetricsF fm(f);
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
        QPointF origin = map(at.x(), at.y());
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
        const QPointF start = origin + along * dx + down * dy;
        if (dc_.textAlign & 1) {
            const double advanceLogical = width / std::abs(sx()) * (sx() < 0 ? -1 : 1);
            dc_.position = QPointF(dc_.position.x() + advanceLogical, dc_.position.y());
        }

        if (box && (options & 2)) {  // ETO_OPAQUE
            QPainterPath r;
            r.addRect(*box);
            out_.drawPath(r, Qt::NoPen, QBrush(dc_.backColour));
        } else if (dc_.backMode == 2 && !s.isEmpty()) {
            QPainterPath r;
            const QPointF top = start - down * fm.ascent();
            r.moveTo(top);
            r.lineTo(top + along * width);
            r.lineTo(top + along * width + down * fm.height());
            r.lineTo(top + down * fm.height());
            r.closeSubpath();
            out_.drawPath(r, Qt::NoPen, QBrush(dc_.backColour));
        }
        if (s.isEmpty())
            return;
        const bool clipped = box && (options & 4);
        if (clipped) {
            QPainterPath c;
            c.addRect(*box);
            if (dc_.clip)
                c = c.intersected(*dc_.clip);
            out_.setClip(&c);
        }
        out_.drawText(start, angle, f, dc_.textColour, s, advances);
        if (clipped)
            applyClip();
    }

    // ---- bitmaps ----------------------------------------------------------------------------
    void blit(quint32 rop, const QRectF &dest, const QImage &source, QRectF from)
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

    QImage dib(const Params &p, int firstWord, int usage)
    {
        const qsizetype offset = qsizetype(firstWord) * 2;
        if (offset >= p.byteCount())
            return {};
        QImage img = decodeDib(p.raw() + offset, p.byteCount() - offset, usage, dc_.palette);
        if (img.isNull() || !spend(img))
            return {};
        return img;
    }

    QImage bitmap16(const Params &p, int firstWord)
    {
        const qsizetype offset = qsizetype(firstWord) * 2;
        if (offset >= p.byteCount())
            return {};
        QImage img = decodeBitmap16(p.raw() + offset, p.byteCount() - offset);
        if (img.isNull() || !spend(img))
            return {};
        return img;
    }

    // ---- regions ------------------------------------------------------------------------------
    RegionSpec region(const Params &p)
    {
        // nextInChain, objectType, objectCount (2 words), regionSize, scanCount, maxScan,
        // bounding box (4 words), then scans: count, top, bottom, count/2 pairs, count.
        RegionSpec r;
        if (!p.has(11))
            return r;
        const int scans = p.u(5);
        int at = 11;
        for (int s = 0; s < scans && at + 3 <= p.count(); ++s) {
            const int count = p.u(at), top = p.s(at + 1), bottom = p.s(at + 2);
            if (count % 2 || at + 4 + count > p.count())
                break;
            for (int k = 0; k < count; k += 2)
                r.rects.emplace_back(QPointF(p.s(at + 3 + k), top), QPointF(p.s(at + 4 + k), bottom));
            at += 4 + count;
        }
        if (r.rects.empty())
            r.rects.emplace_back(QPointF(p.s(7), p.s(8)), QPointF(p.s(9), p.s(10)));
        return r;
    }

    QPainterPath regionPath(const RegionSpec &r) const
    {
        QPainterPath path;
        for (const QRectF &rect : r.rects)
            path.addRect(mapRect(rect.left(), rect.top(), rect.right(), rect.bottom()));
        return path.simplified();
    }

    // ---- arcs ---------------------------------------------------------------------------------
    QPainterPath arc(const Params &p, int kind)  // 0 arc, 1 chord, 2 pie
    {
        const QRectF box = mapRect(p.s(7), p.s(6), p.s(5), p.s(4));
        if (box.isEmpty())
            return {};
        const QPointF c = box.center();
        const QPointF start = map(p.s(3), p.s(2)), end = map(p.s(1), p.s(0));
        // Angles as seen, anticlockwise; the arc runs anticlockwise from start to end.
        auto angleOf = [&](QPointF q) {
            return qRadiansToDegrees(std::atan2(-(q.y() - c.y()) / box.height(), (q.x() - c.x()) / box.width()));
        };
        const double a0 = angleOf(start);
        double sweep = angleOf(end) - a0;
        while (sweep <= 0)
            sweep += 360;
        QPainterPath path;
        if (kind == 2) {
            path.moveTo(c);
            path.arcTo(box, a0, sweep);
            path.closeSubpath();
        } else {
            path.arcMoveTo(box, a0);
            path.arcTo(box, a0, sweep);
            if (kind == 1)
                path.closeSubpath();
        }
        return path;
    }

    QPolygonF points(const Params &p, int first, int count) const
    {
        QPolygonF poly;
        poly.reserve(count);
        for (int i = 0; i < count; ++i)
            poly << map(p.s(first + 2 * i), p.s(first + 2 * i + 1));
        return poly;
    }

    // ---- the records ------------------------------------------------------------------------------
    void record(quint16 function, const Params &p)
    {
        switch (function) {
        case SETWINDOWORG:
            if (p.has(2))
                dc_.windowOrg = QPointF(p.s(1), p.s(0));
            break;
        case SETWINDOWEXT:
            if (p.has(2) && p.s(0) != 0 && p.s(1) != 0)
                dc_.windowExt = QSizeF(p.s(1), p.s(0));
            break;
        case OFFSETWINDOWORG:
            if (p.has(2))
                dc_.windowOrg += QPointF(p.s(1), p.s(0));
            break;
        case SCALEWINDOWEXT:
            if (p.has(4) && p.s(0) && p.s(2)) {
                const double w = dc_.windowExt.width() * p.s(3) / p.s(2), h = dc_.windowExt.height() * p.s(1) / p.s(0);
                if (w != 0 && h != 0 && std::abs(w) < 1e9 && std::abs(h) < 1e9)
                    dc_.windowExt = QSizeF(w, h);
            }
            break;
        case SETMAPMODE:
            if (p.has(1))
                dc_.mapMode = p.u(0);
            break;
        case SETBKMODE:
            if (p.has(1))
                dc_.backMode = p.u(0);
            break;
        case SETBKCOLOR:
            if (p.has(2))
                dc_.backColour = colorRef(p.u32(0));
            break;
        case SETTEXTCOLOR:
            if (p.has(2))
                dc_.textColour = colorRef(p.u32(0));
            break;
        case SETTEXTALIGN:
            if (p.has(1))
                dc_.textAlign = p.u(0);
            break;
        case SETPOLYFILLMODE:
            if (p.has(1))
                dc_.fillMode = p.u(0);
            break;
        case SETTEXTCHAREXTRA:
            if (p.has(1))
                dc_.charExtra = std::clamp<int>(p.s(0), -1000, 1000);
            break;
        case SAVEDC:
            if (saved_.size() < kMaxSavedStates)
                saved_.push_back(dc_);
            else
                ++lostSaves_;
            break;
        case RESTOREDC: {
            if (!p.has(1))
                break;
            const int n = p.s(0);
            // Negative: that many states back. Positive: back to the state saved at that depth.
            std::size_t keep;
            if (n < 0) {
                std::size_t back = std::size_t(-n);
                const std::size_t lost = std::min<std::size_t>(back, lostSaves_);
                lostSaves_ -= lost;
                back -= lost;
                if (back == 0 || back > saved_.size())
                    break;
                keep = saved_.size() - back;
            } else {
                if (n == 0 || std::size_t(n) > saved_.size())
                    break;
                keep = std::size_t(n) - 1;
                lostSaves_ = 0;
            }
            dc_ = saved_[keep];
            saved_.resize(keep);
            applyClip();
            break;
        }
        case CREATEPENINDIRECT:
            if (p.has(5)) {
                Object o;
                o.kind = Object::Pen;
                o.pen = {p.u(0), double(p.s(1)), colorRef(p.u32(3))};
                create(o);
            } else {
                create(Object{});
            }
            break;
        case CREATEBRUSHINDIRECT:
            if (p.has(4)) {
                Object o;
                o.kind = Object::Brush;
                o.brush.style = p.u(0);
                o.brush.colour = colorRef(p.u32(1));
                o.brush.hatch = p.u(3);
                create(o);
            } else {
                Object o;
                o.kind = Object::Brush;
                create(o);
            }
            break;
        case DIBCREATEPATTERNBRUSH: {
            Object o;
            o.kind = Object::Brush;
            o.brush.style = 5;
            if (p.has(2))
                o.brush.pattern = dib(p, 2, p.u(1));
            o.brush.colour = Qt::gray;
            create(o);
            break;
        }
        case CREATEPATTERNBRUSH: {
            Object o;
            o.kind = Object::Brush;
            o.brush.style = 3;
            o.brush.pattern = bitmap16(p, 0);
            o.brush.colour = Qt::gray;
            create(o);
            break;
        }
        case CREATEFONTINDIRECT: {
            Object o;
            o.kind = Object::Font;
            if (p.has(9)) {
                o.font.height = p.s(0);
                o.font.width = p.s(1);
                o.font.escapement = p.s(2);
                o.font.weight = p.s(4);
                o.font.italic = p.u(5) & 0xFF;
                o.font.underline = p.u(5) >> 8;
                o.font.strikeOut = p.u(6) & 0xFF;
                o.font.charset = p.u(6) >> 8;
                const QByteArray face = p.bytes(9, std::min<qsizetype>(32, p.byteCount() - 18));
                const qsizetype nul = face.indexOf('\0');
                const QString name = textcodec::fromWindows1252(nul >= 0 ? face.left(nul) : face).trimmed();
                if (!name.isEmpty() && (faces_.contains(name) || faces_.size() < kMaxFaces)) {
                    faces_.insert(name);
                    o.font.face = name;
                }
            }
            create(o);
            break;
        }
        case CREATEPALETTE: {
            Object o;
            o.kind = Object::Palette;
            const int entries = std::min<int>(p.u(1), (p.count() - 2) / 2);
            for (int i = 0; i < entries; ++i)
                o.palette.push_back(qRgb(p.u(2 + 2 * i) & 0xFF, p.u(2 + 2 * i) >> 8, p.u(3 + 2 * i) & 0xFF));
            create(o);
            break;
        }
        case CREATEREGION: {
            Object o;
            o.kind = Object::Region;
            o.region = region(p);
            create(o);
            break;
        }
        case SELECTOBJECT:
            if (const Object *o = object(p.u(0))) {
                switch (o->kind) {
                case Object::Pen: dc_.pen = o->pen; break;
                case Object::Brush: dc_.brush = o->brush; break;
                case Object::Font: dc_.font = o->font; break;
                case Object::Palette: dc_.palette = o->palette; break;
                case Object::Region: dc_.clip = regionPath(o->region); applyClip(); break;
                }
            }
            break;
        case SELECTPALETTE:
            if (const Object *o = object(p.u(0)); o && o->kind == Object::Palette)
                dc_.palette = o->palette;
            break;
        case DELETEOBJECT:
            if (object(p.u(0)))
                objects_[p.u(0)].reset();
            break;
        case SELECTCLIPREGION:
            if (const Object *o = object(p.u(0)); o && o->kind == Object::Region)
                dc_.clip = regionPath(o->region);
            else
                dc_.clip.reset();
            applyClip();
            break;
        case INTERSECTCLIPRECT:
        case EXCLUDECLIPRECT:
            if (p.has(4)) {
                QPainterPath r;
                r.addRect(mapRect(p.s(3), p.s(2), p.s(1), p.s(0)));
                const QPainterPath current = dc_.clip ? *dc_.clip : everything();
                dc_.clip = function == INTERSECTCLIPRECT ? current.intersected(r) : current.subtracted(r);
                applyClip();
            }
            break;
        case OFFSETCLIPRGN:
            if (p.has(2) && dc_.clip)
                dc_.clip->translate(p.s(1) * sx(), p.s(0) * sy());
            applyClip();
            break;
        case MOVETO:
            if (p.has(2))
                dc_.position = QPointF(p.s(1), p.s(0));
            break;
        case LINETO:
            if (p.has(2)) {
                QPainterPath path;
                path.moveTo(map(dc_.position.x(), dc_.position.y()));
                dc_.position = QPointF(p.s(1), p.s(0));
                path.lineTo(map(dc_.position.x(), dc_.position.y()));
                draw(path, false);
            }
            break;
        case POLYLINE:
        case POLYGON:
            if (p.has(1)) {
                const int n = std::min<int>(p.u(0), (p.count() - 1) / 2);
                if (n < 2)
                    break;
                QPainterPath path;
                path.addPolygon(points(p, 1, n));
                if (function == POLYGON)
                    path.closeSubpath();
                draw(path, function == POLYGON);
            }
            break;
        case POLYPOLYGON: {
            const int polys = p.u(0);
            if (polys <= 0 || !p.has(1 + polys))
                break;
            QPainterPath path;
            int at = 1 + polys;
            for (int i = 0; i < polys; ++i) {
                const int n = p.u(1 + i);
                if (at + 2 * n > p.count())
                    break;
                path.addPolygon(points(p, at, n));
                path.closeSubpath();
                at += 2 * n;
            }
            draw(path, true);
            break;
        }
        case RECTANGLE:
        case ELLIPSE:
            if (p.has(4)) {
                const QRectF r = mapRect(p.s(3), p.s(2), p.s(1), p.s(0));
                QPainterPath path;
                if (function == RECTANGLE)
                    path.addRect(r);
                else
                    path.addEllipse(r);
                draw(path, true);
            }
            break;
        case ROUNDRECT:
            if (p.has(6)) {
                QPainterPath path;
                path.addRoundedRect(mapRect(p.s(5), p.s(4), p.s(3), p.s(2)), std::abs(p.s(1) * sx()) / 2, std::abs(p.s(0) * sy()) / 2);
                draw(path, true);
            }
            break;
        case ARC:
        case CHORD:
        case PIE:
            if (p.has(8))
                draw(arc(p, function == ARC ? 0 : function == CHORD ? 1 : 2), function != ARC);
            break;
        case SETPIXEL:
            if (p.has(4)) {
                QPainterPath path;
                const QPointF c = map(p.s(3), p.s(2));
                path.addRect(QRectF(c, QSizeF(std::max(1.0, std::abs(sx())), std::max(1.0, std::abs(sy())))));
                out_.drawPath(path, Qt::NoPen, QBrush(colorRef(p.u32(0))));
            }
            break;
        case TEXTOUT:
            if (p.has(1)) {
                const int count = p.u(0);
                const int words = (count + 1) / 2;
                if (!p.has(1 + words + 2))
                    break;
                text(QPointF(p.s(2 + words), p.s(1 + words)), p.bytes(1, count), {}, nullptr, 0);
            }
            break;
        case EXTTEXTOUT:
            if (p.has(4)) {
                const int count = p.u(2), options = p.u(3);
                int at = 4;
                std::optional<QRectF> box;
                if (options & 6) {
                    if (!p.has(8))
                        break;
                    box = mapRect(p.s(4), p.s(5), p.s(6), p.s(7));
                    at = 8;
                }
                const QByteArray bytes = p.bytes(at, count);
                if (bytes.size() != count)
                    break;
                std::vector<double> dx;
                const int dxAt = at + (count + 1) / 2;
                if (count > 0 && p.has(dxAt + count))
                    for (int i = 0; i < count; ++i)
                        dx.push_back(p.s(dxAt + i));
                text(QPointF(p.s(1), p.s(0)), bytes, dx, box ? &*box : nullptr, options);
            }
            break;
        case PATBLT:
            if (p.has(6))
                blit(p.u32(0), QRectF(map(p.s(5), p.s(4)), map(p.s(5) + p.s(3), p.s(4) + p.s(2))), {}, {});
            break;
        case STRETCHDIB:
            if (p.has(11)) {
                const QImage img = dib(p, 11, p.u(2));
                blit(p.u32(0), QRectF(map(p.s(10), p.s(9)), map(p.s(10) + p.s(8), p.s(9) + p.s(7))), img,
                     QRectF(p.s(6), img.height() - p.s(5) - p.s(3), p.s(4), p.s(3)));
            }
            break;
        case DIBSTRETCHBLT:
            if (p.has(10)) {
                const bool withBitmap = p.count() > 11;
                const int d = withBitmap ? 6 : 7;  // where the destination starts
                const QImage img = withBitmap ? dib(p, 10, 0) : QImage();
                // The source is a bitmap selected into a device context: its rows run top down.
                blit(p.u32(0), QRectF(map(p.s(d + 3), p.s(d + 2)), map(p.s(d + 3) + p.s(d + 1), p.s(d + 2) + p.s(d))), img,
                     QRectF(p.s(5), p.s(4), p.s(3), p.s(2)));
            }
            break;
        case DIBBITBLT:
            if (p.has(8)) {
                const bool withBitmap = p.count() > 9;
                const int d = withBitmap ? 4 : 5;
                const QImage img = withBitmap ? dib(p, 8, 0) : QImage();
                const int w = p.s(d + 1), h = p.s(d);
                blit(p.u32(0), QRectF(map(p.s(d + 3), p.s(d + 2)), map(p.s(d + 3) + w, p.s(d + 2) + h)), img, QRectF(p.s(3), p.s(2), w, h));
            }
            break;
        case SETDIBTODEV:
            if (p.has(9)) {
                const QImage img = dib(p, 9, p.u(0));
                const int w = p.s(6), h = p.s(5);
                blit(0x00CC0020, QRectF(map(p.s(8), p.s(7)), map(p.s(8) + w, p.s(7) + h)), img,
                     QRectF(p.s(4), img.height() - p.s(3) - h, w, h));
            }
            break;
        case BITBLT:
            if (p.has(8)) {
                const bool withBitmap = p.count() > 9;
                const int d = withBitmap ? 4 : 5;
                const QImage img = withBitmap ? bitmap16(p, 8) : QImage();
                const int w = p.s(d + 1), h = p.s(d);
                blit(p.u32(0), QRectF(map(p.s(d + 3), p.s(d + 2)), map(p.s(d + 3) + w, p.s(d + 2) + h)), img, QRectF(p.s(3), p.s(2), w, h));
            }
            break;
        case STRETCHBLT:
            if (p.has(10)) {
                const bool withBitmap = p.count() > 11;
                const int d = withBitmap ? 6 : 7;
                const QImage img = withBitmap ? bitmap16(p, 10) : QImage();
                blit(p.u32(0), QRectF(map(p.s(d + 3), p.s(d + 2)), map(p.s(d + 3) + p.s(d + 1), p.s(d + 2) + p.s(d))), img,
                     QRectF(p.s(5), p.s(4), p.s(3), p.s(2)));
            }
            break;
        default:
            // ESCAPE and everything else that draws nothing, or that we do not draw: skipped by size.
            break;
        }
    }

    const Metafile &m_;
    Output &out_;
    QRectF target_;
    DC dc_;
    std::vector<DC> saved_;
    std::size_t lostSaves_ = 0;
    std::vector<std::optional<Object>> objects_;
    QSet<QString> faces_;
    qint64 imageBytes_ = 0;
};

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

void play(const Metafile &m, Output &out, const QRectF &target)
{
    if (target.isEmpty())
        return;
    Player(m, out, target).run();
}

void PainterOutput::setClip(const QPainterPath *clip)
{
    if (clip)
        p_.setClipPath(*clip);
    else
        p_.setClipping(false);
}

void PainterOutput::drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush)
{
    p_.setPen(pen);
    p_.setBrush(brush);
    p_.drawPath(path);
}

void PainterOutput::drawText(const QPointF &origin, double angle, const QFont &font, const QColor &colour, const QString &text,
                             const std::vector<double> &advances)
{
    p_.save();
    p_.translate(origin);
    if (angle != 0)
        p_.rotate(-angle);
    p_.setFont(font);
    p_.setPen(colour);
    if (advances.empty()) {
        p_.drawText(QPointF(0, 0), text);
    } else {
        double x = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            p_.drawText(QPointF(x, 0), QString(text[i]));
            x += i < qsizetype(advances.size()) ? advances[std::size_t(i)] : 0;
        }
    }
    p_.restore();
}

void PainterOutput::drawImage(const QRectF &target, const QImage &image, QPainter::CompositionMode mode)
{
    const QPainter::CompositionMode before = p_.compositionMode();
    p_.setCompositionMode(mode);
    p_.setRenderHint(QPainter::SmoothPixmapTransform);
    p_.drawImage(target, image);
    p_.setCompositionMode(before);
}

void paint(const Metafile &m, QPainter &p, const QRectF &target)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PainterOutput out(p);
    play(m, out, target);
    p.restore();
}

QImage render(const Metafile &m, int width, const QColor &background)
{
    QSizeF own = m.sizeAt(96);
    if (own.width() < 1 || own.height() < 1)
        return {};
    const double k = width > 0 ? width / own.width() : 1.0;
    const QSize size(std::max(1, int(std::lround(own.width() * k))), std::max(1, int(std::lround(own.height() * k))));
    if (qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QPainter p(&img);
    paint(m, p, QRectF(QPointF(0, 0), size));
    p.end();
    return img;
}

}  // namespace wmf
