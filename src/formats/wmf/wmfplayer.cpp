// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/logging.h"
#include "formats/wmf/dib.h"
#include "formats/wmf/player.h"

#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <utility>

namespace wmf {

Player::Player(const Metafile &m, Output &out, const QRectF &target) : m_(m), out_(out), target_(target)
{
    const QRectF f = m.frame();
    dc_.windowOrg = f.topLeft();
    dc_.windowExt = f.size();
    dc_.palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
}

void Player::run()
{
    for (const Record &r : m_.records) {
        const Handling *h = handlingOf(r.function);
        if (!h)
            continue;
        // A record too short for what it says is skipped whole: read past its end, its words
        // would be zeros (an empty SELECTOBJECT would select object 0).
        if (r.words < h->minWords) {
            qCDebug(lcWmf, "record 0x%04x skipped: %d parameter words, %d needed", r.function, r.words, h->minWords);
            continue;
        }
        (this->*h->handler)(r.function, m_.params(r));
    }
    out_.setClip(nullptr);
}

const Player::Handling *Player::handlingOf(quint16 function)
{
    // ESCAPE and every record that draws nothing, or that we do not draw, has none: it is
    // skipped by its size. The fewest parameter words each record needs; a record that makes an
    // object needs none, since even a short one takes its place in the object table, and the
    // later records' indices count it (its object keeps default values).
    static const auto table = [] {
        std::vector<Handling> t = {
            {SETWINDOWORG, &Player::window, 2}, {SETWINDOWEXT, &Player::window, 2}, {OFFSETWINDOWORG, &Player::window, 2},
            {SCALEWINDOWEXT, &Player::window, 4}, {SETMAPMODE, &Player::window, 1},
            {SETBKMODE, &Player::modes, 1}, {SETBKCOLOR, &Player::modes, 2}, {SETTEXTCOLOR, &Player::modes, 2},
            {SETTEXTALIGN, &Player::modes, 1}, {SETPOLYFILLMODE, &Player::modes, 1}, {SETTEXTCHAREXTRA, &Player::modes, 1},
            {SAVEDC, &Player::saveDC, 0}, {RESTOREDC, &Player::restoreDC, 1},
            {CREATEPENINDIRECT, &Player::createPen, 0}, {CREATEBRUSHINDIRECT, &Player::createBrush, 0},
            {DIBCREATEPATTERNBRUSH, &Player::patternBrush, 0}, {CREATEPATTERNBRUSH, &Player::patternBrush, 0},
            {CREATEFONTINDIRECT, &Player::createFont, 0}, {CREATEPALETTE, &Player::createPalette, 0},
            {CREATEREGION, &Player::createRegion, 0}, {SELECTOBJECT, &Player::selectObject, 1},
            {SELECTPALETTE, &Player::selectObject, 1}, {DELETEOBJECT, &Player::deleteObject, 1},
            {SELECTCLIPREGION, &Player::clipRegion, 1}, {INTERSECTCLIPRECT, &Player::clipRect, 4},
            {EXCLUDECLIPRECT, &Player::clipRect, 4}, {OFFSETCLIPRGN, &Player::offsetClip, 2},
            {MOVETO, &Player::lines, 2}, {LINETO, &Player::lines, 2}, {POLYLINE, &Player::poly, 1}, {POLYGON, &Player::poly, 1},
            {POLYPOLYGON, &Player::polyPolygon, 1}, {RECTANGLE, &Player::box, 4}, {ELLIPSE, &Player::box, 4},
            {ROUNDRECT, &Player::box, 6}, {ARC, &Player::arc, 8}, {CHORD, &Player::arc, 8}, {PIE, &Player::arc, 8},
            {SETPIXEL, &Player::pixel, 4}, {TEXTOUT, &Player::textOut, 1}, {EXTTEXTOUT, &Player::extTextOut, 4},
            {PATBLT, &Player::patBlt, 6}, {STRETCHDIB, &Player::stretchDib, 11}, {DIBSTRETCHBLT, &Player::blt, 10},
            {DIBBITBLT, &Player::blt, 8}, {SETDIBTODEV, &Player::setDibToDev, 9}, {BITBLT, &Player::blt, 8},
            {STRETCHBLT, &Player::blt, 10},
        };
        std::sort(t.begin(), t.end(), [](const Handling &a, const Handling &b) { return a.function < b.function; });
        return t;
    }();
    const auto it = std::lower_bound(table.begin(), table.end(), function,
                                     [](const Handling &e, quint16 f) { return e.function < f; });
    return it != table.end() && it->function == function ? &*it : nullptr;
}

double Player::sx() const
{
    double s = target_.width() / dc_.windowExt.width();
    if (dc_.mapMode == 7)  // MM_ISOTROPIC: one scale for both axes
        s = std::copysign(std::min(std::abs(s), std::abs(target_.height() / dc_.windowExt.height())), s);
    return s;
}

double Player::sy() const
{
    double s = target_.height() / dc_.windowExt.height();
    if (dc_.mapMode == 7)
        s = std::copysign(std::min(std::abs(s), std::abs(target_.width() / dc_.windowExt.width())), s);
    return s;
}

QPointF Player::map(double x, double y) const
{
    return {target_.left() + (x - dc_.windowOrg.x()) * sx(), target_.top() + (y - dc_.windowOrg.y()) * sy()};
}

QPolygonF Player::points(const Params &p, int first, int count) const
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly << map(p.s(first + 2 * i), p.s(first + 2 * i + 1));
    return poly;
}

void play(const Metafile &m, Output &out, const QRectF &target)
{
    if (target.isEmpty())
        return;
    Player(m, out, target).run();
}

void PainterOutput::setClip(const QPainterPath *clip)
{
    if (clip) {
        // Our clips are unions of rectangles: antialiasing them costs ten times as much, for
        // edges half a pixel wide.
        const bool smooth = p_.testRenderHint(QPainter::Antialiasing);
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.setClipPath(*clip);
        p_.setRenderHint(QPainter::Antialiasing, smooth);
    } else
        p_.setClipping(false);
}

void PainterOutput::drawPath(const QPainterPath &path, const QPen &pen, const QBrush &brush)
{
    // Qt's antialiasing rasteriser slows far faster than an outline grows (a 1,000-point zigzag
    // takes seconds); outlines longer than any drawing has (the longest seen: 6 diagonals) are
    // drawn aliased.
    constexpr double kMaxSmoothDiagonals = 16;
    const double scale = std::sqrt(std::abs(p_.transform().determinant()));
    const double diagonal = std::hypot(p_.device()->width(), p_.device()->height());
    const double sides = pen.style() == Qt::NoPen ? 1 : 2;  // a stroke's outline runs down both sides
    const bool smooth = p_.testRenderHint(QPainter::Antialiasing);
    if (smooth && path.length() * scale * sides > kMaxSmoothDiagonals * diagonal)
        p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(pen);
    p_.setBrush(brush);
    p_.drawPath(path);
    p_.setRenderHint(QPainter::Antialiasing, smooth);
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
