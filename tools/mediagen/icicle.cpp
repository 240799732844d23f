// SPDX-License-Identifier: GPL-3.0-or-later
// Icicles hanging from a snowy roof edge against a winter sky, with snowy hills below.
#include "generators.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>

namespace {

QPainterPath iciclePath(double x, double top, double width, double length, Rng &rng)
{
    // A tapered body with gentle ripples down each side, ending in a point.
    QPainterPath path;
    const int steps = 24;
    const double ripplePhase = rng.range(0, 6.28);
    const double rippleAmp = rng.range(0.06, 0.14);
    auto halfWidth = [&](double u) {
        const double taper = std::pow(1.0 - u, 1.35);
        const double ripple = 1.0 + rippleAmp * std::sin(ripplePhase + u * 19.0);
        return 0.5 * width * taper * ripple;
    };
    path.moveTo(x - width / 2, top);
    for (int i = 1; i <= steps; ++i) {
        const double u = double(i) / steps;
        path.lineTo(x - halfWidth(u), top + u * length);
    }
    for (int i = steps; i >= 0; --i) {
        const double u = double(i) / steps;
        path.lineTo(x + halfWidth(u), top + u * length);
    }
    path.closeSubpath();
    return path;
}

void drawSkyAndHills(QPainter &p, const QRect &rect, double w, double h, Rng &rng)
{
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(24, 58, 128));
    sky.setColorAt(0.55, QColor(92, 146, 206));
    sky.setColorAt(1.0, QColor(196, 222, 244));
    p.fillRect(rect, sky);

    // A pale winter sun low on the right.
    QRadialGradient sun(w * 0.80, h * 0.62, h * 0.30);
    sun.setColorAt(0.0, QColor(255, 250, 225, 235));
    sun.setColorAt(0.18, QColor(255, 244, 200, 200));
    sun.setColorAt(1.0, QColor(255, 244, 200, 0));
    p.fillRect(rect, sun);

    // Two rows of snowy hills.
    for (int row = 0; row < 2; ++row) {
        QPainterPath hills;
        const double base = h * (row == 0 ? 0.80 : 0.88);
        hills.moveTo(0, h);
        hills.lineTo(0, base);
        const double phase = rng.range(0, 6.28);
        for (int x = 0; x <= int(w); x += 4)
            hills.lineTo(x, base - h * 0.05 * std::sin(phase + x / (w * (row == 0 ? 0.16 : 0.23))) - h * 0.02);
        hills.lineTo(w, h);
        hills.closeSubpath();
        p.fillPath(hills, row == 0 ? QColor(214, 228, 244) : QColor(246, 250, 255));
    }
}

// The roof edge: a dark timber beam with a thick, rounded cap of snow. Returns the beam's bottom.
double drawRoof(QPainter &p, double w, double h)
{
    const double beamTop = h * 0.06, beamBottom = h * 0.15;
    p.fillRect(QRectF(0, beamTop, w, beamBottom - beamTop), QColor(86, 54, 34));
    p.fillRect(QRectF(0, beamBottom - 3, w, 3), QColor(58, 36, 22));
    QPainterPath snow;
    snow.moveTo(0, 0);
    snow.lineTo(0, beamTop + 4);
    for (int x = 0; x <= int(w); x += 3)
        snow.lineTo(x, beamTop + 4 + 3.0 * std::sin(x / 11.0) + 2.0 * std::sin(x / 4.3));
    snow.lineTo(w, 0);
    snow.closeSubpath();
    p.fillPath(snow, QColor(250, 252, 255));
    p.fillRect(QRectF(0, 0, w, 2), QColor(226, 236, 248));
    return beamBottom;
}

void drawIcicle(QPainter &p, double x, double top, double width, double length, bool drip, Rng &rng)
{
    const QPainterPath body = iciclePath(x, top, width, length, rng);
    QLinearGradient ice(x - width / 2, 0, x + width / 2, 0);
    ice.setColorAt(0.0, QColor(150, 196, 232, 215));
    ice.setColorAt(0.35, QColor(236, 248, 255, 240));
    ice.setColorAt(0.6, QColor(196, 226, 248, 225));
    ice.setColorAt(1.0, QColor(120, 170, 216, 215));
    p.fillPath(body, ice);
    p.setPen(QPen(QColor(90, 140, 196, 180), 0.8));
    p.drawPath(body);

    // A bright streak of reflected light down the left of the icicle.
    p.setPen(QPen(QColor(255, 255, 255, 210), std::max(1.2, width * 0.12), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - width * 0.18, top + 4), QPointF(x - width * 0.04, top + length * 0.6));

    // Some have a drop of melt water about to fall.
    if (drip) {
        const QPointF drop(x, top + length + 7);
        QRadialGradient g(drop + QPointF(-1, -1), 3.2);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(150, 200, 240));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(drop, 2.6, 3.2);
    }
}

}  // namespace

void makeIcicles(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    Rng rng(quint64(r.number(QStringLiteral("seed"), 1)));
    const int count = int(r.number(QStringLiteral("count"), 14));
    const double w = size.width(), h = size.height();

    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawSkyAndHills(p, img.rect(), w, h, rng);
    const double top = drawRoof(p, w, h) - 4;

    // Icicles, spread along the edge, long and short mixed.
    for (int i = 0; i < count; ++i) {
        const double x = (i + 0.5) * w / count + rng.range(-w / count * 0.3, w / count * 0.3);
        const double width = rng.range(9, 22);
        const double length = rng.range(h * 0.22, h * 0.72) * (i % 3 == 1 ? 0.55 : 1.0);
        drawIcicle(p, x, top, width, length, i % 4 == 0, rng);
    }

    // A few sparkles in the air.
    p.setPen(QPen(QColor(255, 255, 255, 220), 1));
    for (int i = 0; i < 18; ++i) {
        const QPointF c(rng.range(0, w), rng.range(h * 0.2, h * 0.8));
        const double s = rng.range(1.0, 2.5);
        p.drawLine(c - QPointF(s, 0), c + QPointF(s, 0));
        p.drawLine(c - QPointF(0, s), c + QPointF(0, s));
    }
    p.end();

    if (!img.save(out, "JPEG", int(r.number(QStringLiteral("quality"), 90))))
        throw std::runtime_error("cannot write " + out.toStdString());
}
