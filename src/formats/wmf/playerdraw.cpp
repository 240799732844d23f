// SPDX-License-Identifier: GPL-3.0-or-later
// Pens, brushes and the drawing records: lines, polygons, boxes, arcs and pixels.
#include "formats/wmf/player.h"

#include <QtMath>

namespace wmf {

QPen Player::pen() const
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

QBrush Player::brush() const
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

void Player::draw(QPainterPath path, bool filled)
{
    path.setFillRule(dc_.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    QPen p = pen();
    const double length = p.style() == Qt::NoPen ? 0 : path.length();
    // Dashes cost in the outline's length, which a few points far outside the picture, or many
    // points going to and fro inside it, make as long as they like; such an outline is drawn solid.
    if (p.style() != Qt::SolidLine && p.style() != Qt::NoPen) {
        const QRectF b = path.boundingRect();
        if (b.width() + b.height() > 16 * diagonal() || length > 256 * diagonal())
            p.setStyle(Qt::SolidLine);
    }
    // A wide stroke costs its length times its width: past 64 pictures' worth it is narrowed.
    const double area = 64 * target_.width() * target_.height();
    if (p.widthF() > 1 && length * p.widthF() > area)
        p.setWidthF(std::max(1.0, area / length));
    if (filled && dc_.brush.style == 2 && dc_.backMode == 2)
        out_.drawPath(path, Qt::NoPen, QBrush(dc_.backColour));
    out_.drawPath(path, p, filled ? brush() : QBrush(Qt::NoBrush));
}

void Player::lines(quint16 function, const Params &p)
{
    if (function == MOVETO) {
        dc_.position = QPointF(p.s(1), p.s(0));
        return;
    }
    QPainterPath path;
    path.moveTo(map(dc_.position.x(), dc_.position.y()));
    dc_.position = QPointF(p.s(1), p.s(0));
    path.lineTo(map(dc_.position.x(), dc_.position.y()));
    draw(path, false);
}

void Player::poly(quint16 function, const Params &p)
{
    const int n = std::min<int>(p.u(0), (p.count() - 1) / 2);
    if (n < 2)
        return;
    QPainterPath path;
    path.addPolygon(points(p, 1, n));
    if (function == POLYGON)
        path.closeSubpath();
    draw(path, function == POLYGON);
}

void Player::polyPolygon(quint16, const Params &p)
{
    const int polys = p.u(0);
    if (polys <= 0 || !p.has(1 + polys))
        return;
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
}

void Player::box(quint16 function, const Params &p)
{
    QPainterPath path;
    if (function == ROUNDRECT) {
        path.addRoundedRect(mapRect(p.s(5), p.s(4), p.s(3), p.s(2)), std::abs(p.s(1) * sx()) / 2, std::abs(p.s(0) * sy()) / 2);
    } else {
        const QRectF r = mapRect(p.s(3), p.s(2), p.s(1), p.s(0));
        if (function == RECTANGLE)
            path.addRect(r);
        else
            path.addEllipse(r);
    }
    draw(path, true);
}

void Player::arc(quint16 function, const Params &p)
{
    const QRectF box = mapRect(p.s(7), p.s(6), p.s(5), p.s(4));
    QPainterPath path;
    if (!box.isEmpty()) {
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
        if (function == PIE) {
            path.moveTo(c);
            path.arcTo(box, a0, sweep);
            path.closeSubpath();
        } else {
            path.arcMoveTo(box, a0);
            path.arcTo(box, a0, sweep);
            if (function == CHORD)
                path.closeSubpath();
        }
    }
    draw(path, function != ARC);
}

void Player::pixel(quint16, const Params &p)
{
    QPainterPath path;
    const QPointF c = map(p.s(3), p.s(2));
    path.addRect(QRectF(c, QSizeF(std::max(1.0, std::abs(sx())), std::max(1.0, std::abs(sy())))));
    out_.drawPath(path, Qt::NoPen, QBrush(colorRef(p.u32(0))));
}

}  // namespace wmf
