// SPDX-License-Identifier: GPL-3.0-or-later
// Thermometer pictures: the labelling activity's large Fahrenheit thermometer, the quiz's small
// thermometer and the hub's temperature strip.
#include "generators.h"

#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>

namespace {

void save(const QImage &img, const QString &out, const Recipe &r)
{
    if (!img.save(out, "JPEG", int(r.number(QStringLiteral("quality"), 92))))
        throw std::runtime_error("cannot write " + out.toStdString());
}

QFont sans(int px, bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// A glass tube with rounded ends, shaded as a cylinder, across the given rectangle.
void glass(QPainter &p, const QRectF &tube, bool vertical)
{
    QLinearGradient g = vertical ? QLinearGradient(tube.left(), 0, tube.right(), 0) : QLinearGradient(0, tube.top(), 0, tube.bottom());
    g.setColorAt(0.0, QColor(170, 186, 206));
    g.setColorAt(0.25, QColor(246, 250, 255));
    g.setColorAt(0.6, QColor(222, 232, 244));
    g.setColorAt(1.0, QColor(150, 166, 188));
    p.setPen(QPen(QColor(90, 104, 126), 1.2));
    p.setBrush(g);
    const double r = (vertical ? tube.width() : tube.height()) / 2;
    p.drawRoundedRect(tube, r, r);
}

}  // namespace

// The large Fahrenheit thermometer. Its scale is placed so that the boiling point, the reading
// and the freezing point stand where the activity's pointer lines meet the picture (given in
// the recipe as picture rows), the glass between the two given columns, the liquid at the reading.
void makeThermometer(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const double left = r.number(QStringLiteral("tube_left")), right = r.number(QStringLiteral("tube_right"));
    const double yBoil = r.number(QStringLiteral("row_212")), yRead = r.number(QStringLiteral("row_reading"));
    const double yFreeze = r.number(QStringLiteral("row_32")), reading = r.number(QStringLiteral("reading"));
    // A linear scale cannot meet three rows exactly: split the error evenly between them.
    const double perDegree = (yFreeze - yBoil) / 180.0;
    const double miss = ((yFreeze - (reading - 32) * perDegree) - yRead) / 2;
    auto rowOf = [&](double f) { return yFreeze - miss - (f - 32) * perDegree; };

    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(39, 63, 137));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const double cx = (left + right) / 2, width = right - left;
    const double bulbR = width / 2 - 1, bulbY = size.height() - bulbR - 6;
    glass(p, QRectF(left, 6, width, bulbY - 6), true);
    QRadialGradient bulbGlass(cx - bulbR * 0.3, bulbY - bulbR * 0.3, bulbR * 1.3);
    bulbGlass.setColorAt(0, QColor(250, 252, 255));
    bulbGlass.setColorAt(1, QColor(160, 176, 198));
    p.setBrush(bulbGlass);
    p.drawEllipse(QPointF(cx, bulbY), bulbR, bulbR);

    // The bore, and the red liquid rising from the bulb to the reading.
    const double bore = 8, boreTop = 28;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 240, 246));
    p.drawRoundedRect(QRectF(cx - bore / 2, boreTop, bore, bulbY - boreTop), bore / 2, bore / 2);
    QLinearGradient liquid(cx - bore / 2, 0, cx + bore / 2, 0);
    liquid.setColorAt(0, QColor(170, 10, 16));
    liquid.setColorAt(0.4, QColor(236, 46, 40));
    liquid.setColorAt(1, QColor(160, 8, 14));
    p.setBrush(liquid);
    const double top = rowOf(reading);
    p.drawRect(QRectF(cx - bore / 2, top, bore, bulbY - top));
    QRadialGradient bulbLiquid(cx - bulbR * 0.25, bulbY - bulbR * 0.25, bulbR);
    bulbLiquid.setColorAt(0, QColor(250, 90, 80));
    bulbLiquid.setColorAt(1, QColor(170, 10, 16));
    p.setBrush(bulbLiquid);
    p.drawEllipse(QPointF(cx, bulbY), bulbR - 5, bulbR - 5);

    // The scale: a mark every 5 degrees, a longer one every 10, numbers every 20.
    p.setFont(sans(10));
    for (int f = 10; f <= 260; f += 5) {
        const double y = rowOf(f);
        const bool major = f % 10 == 0;
        p.setPen(QPen(QColor(20, 24, 40), major ? 1.3 : 0.9));
        p.drawLine(QPointF(cx + bore / 2 + 2, y), QPointF(cx + bore / 2 + (major ? 13 : 7), y));
        if (f % 20 == 0) {
            p.setPen(QColor(20, 24, 40));
            p.drawText(QRectF(left + 1, y - 7, cx - bore / 2 - left - 3, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(f));
        }
    }
    p.setFont(sans(12));
    p.setPen(QColor(20, 24, 40));
    p.drawText(QRectF(cx + bore / 2 + 1, 10, right - cx - bore / 2 - 2, 16), Qt::AlignCenter, QStringLiteral("°F"));
    p.end();
    save(img, out, r);
}

// A small thermometer lying at a slant, for the quiz's picture box.
void makeSmallThermometer(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const int k = 4;  // drawn large, then scaled down smoothly
    QImage big(size * k, QImage::Format_RGB32);
    big.fill(QColor(49, 135, 214));
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(big.width() / 2.0, big.height() / 2.0);
    p.rotate(-28);
    const double len = big.width() * 0.86, thick = big.height() * 0.22;
    glass(p, QRectF(-len / 2 + thick * 0.6, -thick / 2, len - thick * 0.6, thick), false);
    p.setPen(QPen(QColor(90, 104, 126), 4));
    p.setBrush(QColor(220, 30, 30));
    p.drawEllipse(QPointF(-len / 2 + thick * 0.6, 0), thick * 0.75, thick * 0.75);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawRect(QRectF(-len / 2 + thick * 0.6, -thick * 0.16, len * 0.5, thick * 0.32));
    p.setPen(QPen(QColor(30, 36, 60), 3));
    for (int i = 0; i < 9; ++i) {
        const double x = -len / 2 + thick * 1.6 + i * (len - thick * 2.6) / 8;
        p.drawLine(QPointF(x, -thick / 2 + 3), QPointF(x, -thick / 2 + (i % 2 ? 10 : 18)));
    }
    p.end();
    save(big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), out, r);
}

// The temperature strip under the hub's weather map: cold blue to hot red, marked in degrees
// Celsius.
void makeTemperatureStrip(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const double from = r.number(QStringLiteral("from"), -10), to = r.number(QStringLiteral("to"), 40);
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(39, 63, 137));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double x0 = 18, x1 = size.width() - 18, top = 3, bottom = 19;
    auto xOf = [&](double t) { return x0 + (t - from) / (to - from) * (x1 - x0); };

    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, QColor(30, 70, 220));
    g.setColorAt(0.2, QColor(60, 170, 250));
    g.setColorAt(0.45, QColor(120, 220, 140));
    g.setColorAt(0.65, QColor(250, 220, 60));
    g.setColorAt(0.82, QColor(250, 140, 30));
    g.setColorAt(1.0, QColor(220, 30, 30));
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(x0, top, x1 - x0, bottom - top), 4, 4);

    p.setFont(sans(11));
    for (int t = int(from); t <= int(to); ++t) {
        const double x = xOf(t);
        const bool major = t % 10 == 0;
        p.setPen(QPen(Qt::white, major ? 1.4 : 0.8));
        p.drawLine(QPointF(x, bottom), QPointF(x, bottom + (major ? 6 : 3)));
        if (major) {
            const QString text = QString::number(t) + QStringLiteral("°C");
            p.drawText(QRectF(x - 24, bottom + 5, 48, 14), Qt::AlignCenter, text);
        }
    }
    p.end();
    save(img, out, r);
}
