// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/wmf/cliparea.h"

namespace wmf {

ClipArea::ClipArea(const QRectF &r)
{
    if (!r.normalized().isEmpty())
        rects_.append(r.normalized());
}

ClipArea ClipArea::unionOf(const QList<QRectF> &rects)
{
    ClipArea a;
    a.rects_.reserve(std::min(rects.size(), kMaxClipRects + 1));
    for (const QRectF &r : rects)
        if (!r.normalized().isEmpty())
            a.rects_.append(r.normalized());
    a.bound();
    return a;
}

QRectF ClipArea::boundingRect() const
{
    QRectF box;
    for (const QRectF &r : rects_)
        box = box.united(r);
    return box;
}

ClipArea ClipArea::intersected(const QRectF &r) const
{
    ClipArea a;
    const QRectF n = r.normalized();
    for (const QRectF &mine : rects_) {
        const QRectF both = mine.intersected(n);
        if (!both.isEmpty())
            a.rects_.append(both);
    }
    return a;
}

ClipArea ClipArea::subtracted(const QRectF &r) const
{
    // Each rectangle loses the part under r: what is left of it is at most four bands around r.
    ClipArea a;
    const QRectF cut = r.normalized();
    for (const QRectF &mine : rects_) {
        const QRectF under = mine.intersected(cut);
        if (under.isEmpty()) {
            a.rects_.append(mine);
            continue;
        }
        const QRectF pieces[] = {
            QRectF(QPointF(mine.left(), mine.top()), QPointF(mine.right(), under.top())),
            QRectF(QPointF(mine.left(), under.bottom()), QPointF(mine.right(), mine.bottom())),
            QRectF(QPointF(mine.left(), under.top()), QPointF(under.left(), under.bottom())),
            QRectF(QPointF(under.right(), under.top()), QPointF(mine.right(), under.bottom())),
        };
        for (const QRectF &piece : pieces)
            if (!piece.isEmpty())
                a.rects_.append(piece);
    }
    a.bound();
    return a;
}

ClipArea ClipArea::translated(double dx, double dy) const
{
    ClipArea a = *this;
    for (QRectF &r : a.rects_)
        r.translate(dx, dy);
    return a;
}

QPainterPath ClipArea::toPath() const
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QRectF &r : rects_)
        path.addRect(r);
    return path;
}

void ClipArea::bound()
{
    if (rects_.size() > kMaxClipRects)
        rects_ = {boundingRect()};
}

}  // namespace wmf
