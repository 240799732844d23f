// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Clip areas of a played metafile. Every clip a metafile can make (regions, clip rectangles,
// excluded rectangles, text boxes) is a union of axis-aligned rectangles, so it is kept as those
// rectangles, overlapping or not: intersecting, subtracting and moving take time linear in their
// number and never call QPainterPath's set operations, whose cost grows far faster.
#include <QList>
#include <QPainterPath>
#include <QRectF>

namespace wmf {

// The most rectangles one clip keeps. A clip that would hold more is replaced by its bounding box:
// a clip drawn by hand never comes near it, and one made to be slow is not worth being exact for.
inline constexpr qsizetype kMaxClipRects = 16384;

class ClipArea {
public:
    ClipArea() = default;
    explicit ClipArea(const QRectF &r);
    // The union of the rectangles (normalised first); the bounding box when there are too many.
    static ClipArea unionOf(const QList<QRectF> &rects);

    const QList<QRectF> &rects() const { return rects_; }
    bool isEmpty() const { return rects_.isEmpty(); }
    QRectF boundingRect() const;
    ClipArea intersected(const QRectF &r) const;
    ClipArea subtracted(const QRectF &r) const;
    ClipArea translated(double dx, double dy) const;
    // One path whose non-zero winding fill is the area: every rectangle turns the same way, so
    // overlaps add up instead of cancelling.
    QPainterPath toPath() const;

private:
    void bound();
    QList<QRectF> rects_;  // implicitly shared: saving a device context copies no rectangles
};

}  // namespace wmf
