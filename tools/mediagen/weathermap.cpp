// SPDX-License-Identifier: GPL-3.0-or-later
// A weather map of an invented stretch of coast: land and sea, a few towns, the day's weather
// symbols and temperature readings in degrees Celsius, warmer in the sunny south than in the
// cloudy, rainy north, and a little cooler over the sea.
#include "colour.h"
#include "generators.h"
#include "noise.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>

namespace {

using noise::fbm;

QFont sans(int px, bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// Land is where the height is above zero: a coast running down the map with a bay, a headland
// and an island, roughened by noise.
double height(double x, double y, double w, double h)
{
    const double u = x / w, v = y / h;
    double base = 0.62 - u * 1.05 + 0.18 * std::sin(v * 5.2 + 0.6) + 0.10 * std::sin(v * 11.0);
    base += 0.22 * std::exp(-(std::pow((u - 0.55) / 0.12, 2) + std::pow((v - 0.78) / 0.07, 2)));  // headland
    base -= 0.18 * std::exp(-(std::pow((u - 0.34) / 0.08, 2) + std::pow((v - 0.40) / 0.10, 2)));  // bay
    base += 0.30 * std::exp(-(std::pow((u - 0.80) / 0.06, 2) + std::pow((v - 0.30) / 0.07, 2))) - 0.05;  // island
    return base + (fbm(x / 60.0, y / 60.0, 0.5, 5, 91) - 0.5) * 0.22;
}

void sun(QPainter &p, QPointF c, double r)
{
    p.setPen(QPen(QColor(255, 200, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * (r * 1.3), c + QPointF(std::cos(a), std::sin(a)) * (r * 1.75));
    }
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
    g.setColorAt(0, QColor(255, 250, 170));
    g.setColorAt(1, QColor(255, 196, 0));
    p.setPen(QPen(QColor(230, 150, 0), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void cloud(QPainter &p, QPointF c, double s, const QColor &colour)
{
    // One outline around the puffs, without their inner edges.
    QPainterPath path;
    auto puff = [&](QPointF at, double rx, double ry) {
        QPainterPath e;
        e.addEllipse(at, rx, ry);
        path = path.united(e);
    };
    puff(c + QPointF(-s * 0.55, s * 0.05), s * 0.45, s * 0.38);
    puff(c + QPointF(0, -s * 0.18), s * 0.55, s * 0.5);
    puff(c + QPointF(s * 0.55, s * 0.05), s * 0.45, s * 0.38);
    QPainterPath base;
    base.addRoundedRect(QRectF(c.x() - s, c.y(), s * 2, s * 0.42), s * 0.2, s * 0.2);
    path = path.united(base);
    p.setPen(QPen(QColor(110, 120, 140), 1.2));
    p.setBrush(colour);
    p.drawPath(path);
}

void rain(QPainter &p, QPointF c, double s)
{
    p.setPen(QPen(QColor(30, 110, 230), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = -1; i <= 1; ++i)
        p.drawLine(c + QPointF(i * s * 0.55, s * 0.6), c + QPointF(i * s * 0.55 - s * 0.2, s * 1.05));
    cloud(p, c, s, QColor(200, 206, 216));
}

QColor readingColour(int t)
{
    if (t <= 10)
        return QColor(20, 90, 210);
    if (t <= 14)
        return QColor(0, 140, 140);
    if (t <= 17)
        return QColor(200, 120, 0);
    return QColor(210, 40, 20);
}

// A temperature reading in a white rounded box, coloured by how warm it is.
void reading(QPainter &p, QPointF c, int t)
{
    const QString text = QString::number(t) + QStringLiteral("°C");
    p.setFont(sans(17));
    const QRectF box(c.x() - 30, c.y() - 13, 60, 26);
    p.setPen(QPen(readingColour(t), 2));
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawRoundedRect(box, 7, 7);
    p.setPen(readingColour(t));
    p.drawText(box, Qt::AlignCenter, text);
}

void town(QPainter &p, QPointF c, const QString &name, bool labelLeft)
{
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(60, 40, 40));
    p.drawEllipse(c, 4, 4);
    p.setFont(sans(12));
    const QRectF r = labelLeft ? QRectF(c.x() - 106, c.y() - 8, 100, 16) : QRectF(c.x() + 7, c.y() - 8, 100, 16);
    p.setPen(QColor(40, 36, 30));
    p.drawText(r, (labelLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, name);
}

// Sea and land, shaded by height, with a darker line along the coast.
void shadeLand(QImage &img, const QSize &size, double w, double h)
{
    std::vector<double> hs(size.width() * size.height());
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            hs[y * size.width() + x] = height(x, y, w, h);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double v = hs[y * size.width() + x];
            Rgb c;
            if (v < 0) {
                const double depth = std::min(1.0, -v * 4);
                c = mix(Rgb(140, 196, 236), Rgb(64, 128, 200), depth) * (0.97 + 0.06 * fbm(x / 9.0, y / 4.0, 3, 2, 92));
            } else {
                const double hill = std::min(1.0, v * 2.2);
                c = mix(Rgb(150, 200, 110), Rgb(96, 150, 74), hill);
                c = mix(c, Rgb(156, 132, 96), std::max(0.0, hill - 0.7) * 2.2);
                c = mix(c, Rgb(236, 222, 170), std::max(0.0, 1 - v * 40) * 0.8);  // beaches
            }
            const bool coast = v >= 0 && ((x > 0 && hs[y * size.width() + x - 1] < 0) || (x + 1 < size.width() && hs[y * size.width() + x + 1] < 0)
                                          || (y > 0 && hs[(y - 1) * size.width() + x] < 0) || (y + 1 < size.height() && hs[(y + 1) * size.width() + x] < 0));
            row[x] = (coast ? Rgb(70, 90, 70) : c).pixel();
        }
    }
}

// Key and compass, and a frame round the map.
void drawKeyAndCompass(QPainter &p, double w, double h)
{
    const QRectF key(w - 176, h - 40, 168, 30);
    p.setPen(QPen(QColor(40, 60, 110), 1.5));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(key, 6, 6);
    p.setFont(sans(13));
    p.drawText(key, Qt::AlignCenter, QStringLiteral("Temperatures in °C"));
    const QPointF n(w - 28, 34);
    QPainterPath arrow;
    arrow.moveTo(n + QPointF(0, -20));
    arrow.lineTo(n + QPointF(9, 8));
    arrow.lineTo(n + QPointF(0, 2));
    arrow.lineTo(n + QPointF(-9, 8));
    arrow.closeSubpath();
    p.setBrush(QColor(40, 60, 110));
    p.setPen(Qt::NoPen);
    p.drawPath(arrow);
    p.setPen(QColor(40, 60, 110));
    p.setFont(sans(14));
    p.drawText(QRectF(n.x() - 10, n.y() + 8, 20, 18), Qt::AlignCenter, QStringLiteral("N"));
    p.setPen(QPen(QColor(40, 60, 110), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
}

}  // namespace

void makeWeatherMap(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const double w = size.width(), h = size.height();
    QImage img(size, QImage::Format_RGB32);

    shadeLand(img, size, w, h);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Towns (invented) and the day's weather: rain in the north, cloud in the middle, sun in the south.
    town(p, QPointF(w * 0.16, h * 0.16), QStringLiteral("Fellhaven"), false);
    town(p, QPointF(w * 0.30, h * 0.55), QStringLiteral("Marrowby"), false);
    town(p, QPointF(w * 0.21, h * 0.86), QStringLiteral("Tolworth"), false);
    town(p, QPointF(w * 0.55, h * 0.80), QStringLiteral("Quenby Point"), true);
    town(p, QPointF(w * 0.80, h * 0.30), QStringLiteral("Gull Head"), true);

    rain(p, QPointF(w * 0.30, h * 0.10), 22);
    cloud(p, QPointF(w * 0.10, h * 0.44), 20, QColor(246, 248, 252));
    sun(p, QPointF(w * 0.44, h * 0.63), 13);
    cloud(p, QPointF(w * 0.47, h * 0.61), 14, QColor(250, 250, 252));
    sun(p, QPointF(w * 0.36, h * 0.80), 15);
    sun(p, QPointF(w * 0.72, h * 0.74), 13);
    rain(p, QPointF(w * 0.70, h * 0.14), 18);

    reading(p, QPointF(w * 0.12, h * 0.25), 9);
    reading(p, QPointF(w * 0.42, h * 0.19), 11);
    reading(p, QPointF(w * 0.12, h * 0.58), 14);
    reading(p, QPointF(w * 0.41, h * 0.45), 15);
    reading(p, QPointF(w * 0.14, h * 0.75), 18);
    reading(p, QPointF(w * 0.36, h * 0.92), 21);
    reading(p, QPointF(w * 0.84, h * 0.45), 12);
    reading(p, QPointF(w * 0.66, h * 0.90), 16);

    drawKeyAndCompass(p, w, h);
    p.end();

    if (!img.save(out, "JPEG", int(r.number(QStringLiteral("quality"), 92))))
        throw std::runtime_error("cannot write " + out.toStdString());
}
