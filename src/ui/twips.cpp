// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace twips {

namespace {

double g_factor = 1.0;

// What a widget was placed at, and the pixels that gave: if its pixels changed since, someone
// moved it by pixels and its twips are read again from where it is.
constexpr char kTwips[] = "quillmoor_twips";
constexpr char kPlacedPx[] = "quillmoor_placed_px";
// A widget's own font size in pixels at factor 1, and the pixel size that gave.
constexpr char kFontBase[] = "quillmoor_font_base";
constexpr char kFontPx[] = "quillmoor_font_px";

QRectF twipsOf(const QWidget *w, double from)
{
    const QVariant placed = w->property(kPlacedPx);
    if (placed.isValid() && placed.toRect() == w->geometry())
        return w->property(kTwips).toRectF();
    const QRect g = w->geometry();
    const double k = perPixel / from;
    return QRectF(g.x() * k, g.y() * k, g.width() * k, g.height() * k);
}

void rescaleFont(QWidget *w, double from)
{
    if (!w->testAttribute(Qt::WA_SetFont))
        return;
    QFont f = w->font();
    if (f.pixelSize() <= 0)
        return;
    const QVariant set = w->property(kFontPx);
    int base = 0;
    if (set.isValid() && set.toInt() == f.pixelSize())
        base = w->property(kFontBase).toInt();
    else
        base = std::max(1, int(std::lround(f.pixelSize() / from)));
    const int px = std::max(1, int(std::lround(base * g_factor)));
    w->setProperty(kFontBase, base);
    w->setProperty(kFontPx, px);
    if (px != f.pixelSize()) {
        f.setPixelSize(px);
        w->setFont(f);
    }
}

}  // namespace

double factor() { return g_factor; }

void setFactor(double f)
{
    if (f > 0 && std::isfinite(f))
        g_factor = f;
}

int toPx(double tw) { return static_cast<int>(std::lround(tw * g_factor / perPixel)); }

double fromPx(double px) { return px * perPixel / g_factor; }

QRect rect(double left, double top, double width, double height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

void place(QWidget *w, double left, double top, double width, double height)
{
    const QRect px = rect(left, top, width, height);
    w->setProperty(kTwips, QRectF(left, top, width, height));
    w->setProperty(kPlacedPx, px);
    w->setGeometry(px);
}

int pointsToPx(double pt)
{
    const long base = std::lround(pt * 96.0 / 72.0);
    return static_cast<int>(std::lround(base * g_factor));
}

QFont font(const QString &family, double pt, bool bold, bool italic)
{
    QFont f(family);
    f.setPixelSize(std::max(1, pointsToPx(pt)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont atActualSize(QFont f)
{
    if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, int(std::lround(f.pixelSize() / g_factor))));
    return f;
}

int penPx(int pixelsAtActualSize) { return std::max(1, int(std::lround(pixelsAtActualSize * g_factor))); }

void rescale(QWidget *root, double from)
{
    if (from <= 0 || from == g_factor)
        return;
    for (QWidget *w : root->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            continue;
        const QRectF t = twipsOf(w, from);
        rescaleFont(w, from);
        place(w, t.x(), t.y(), t.width(), t.height());
        rescale(w, from);
    }
}

}  // namespace twips
