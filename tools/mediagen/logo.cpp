// SPDX-License-Identifier: GPL-3.0-or-later
// The company logo: a round badge with a raven in flight and the name "Corvane" beneath. The
// animation is one wing-beat in a given number of frames, each its own GIF file, so the viewer
// can page through them; the still logo is a bitmap of the bird with the name.
#include "generators.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <gif_lib.h>
#include <stdexcept>
#include <vector>

namespace {

const QColor kBackground(49, 130, 212);  // the window colour where the logo is shown

// The raven, facing right, its wings at "beat" (0..1 over one wing-beat), within a box of the
// given width centred on the origin.
void raven(QPainter &p, double beat, double s)
{
    const double lift = std::sin(2 * M_PI * beat);  // +1 wings up, -1 wings down
    const QColor black(24, 24, 34);
    p.setPen(Qt::NoPen);

    auto wing = [&](double depth, const QColor &c) {
        QPainterPath w;
        const QPointF shoulder(-0.02 * s, -0.02 * s);
        const QPointF tip(-0.18 * s, -lift * 0.42 * s * depth);
        const QPointF elbow(-0.05 * s, -lift * 0.22 * s * depth - 0.03 * s);
        w.moveTo(shoulder + QPointF(0.10 * s, 0));
        w.quadTo(elbow + QPointF(0.06 * s, 0), tip);
        // Fingered primary feathers along the trailing edge.
        for (int i = 1; i <= 4; ++i) {
            const double t = i / 4.0;
            const QPointF back = tip + (shoulder + QPointF(-0.14 * s, 0.02 * s) - tip) * t;
            w.lineTo(back + QPointF(-0.03 * s, 0.015 * s * (i % 2 ? 1 : -1)));
            w.lineTo(back);
        }
        w.quadTo(elbow + QPointF(-0.05 * s, 0.06 * s), shoulder + QPointF(-0.12 * s, 0.03 * s));
        w.closeSubpath();
        p.setBrush(c);
        p.drawPath(w);
    };

    wing(0.8, QColor(60, 60, 76));  // the far wing, a little lighter
    // Body, tail and head.
    QPainterPath body;
    body.addEllipse(QPointF(0, 0.02 * s), 0.22 * s, 0.085 * s);
    QPainterPath tail;
    tail.moveTo(-0.16 * s, 0.0);
    tail.lineTo(-0.38 * s, -0.05 * s);
    tail.lineTo(-0.40 * s, 0.05 * s);
    tail.lineTo(-0.36 * s, 0.10 * s);
    tail.lineTo(-0.16 * s, 0.07 * s);
    tail.closeSubpath();
    QPainterPath head;
    head.addEllipse(QPointF(0.22 * s, -0.03 * s), 0.075 * s, 0.07 * s);
    QPainterPath beak;
    beak.moveTo(0.27 * s, -0.06 * s);
    beak.quadTo(0.36 * s, -0.05 * s, 0.40 * s, -0.01 * s);
    beak.lineTo(0.27 * s, 0.0);
    beak.closeSubpath();
    p.setBrush(black);
    p.drawPath(body.united(tail).united(head).united(beak));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(0.24 * s, -0.045 * s), 0.014 * s, 0.014 * s);
    wing(1.0, black);  // the near wing over the body
}

QImage badge(const QSize &size, double beat)
{
    const int k = 3;  // drawn large and scaled down, for smooth edges
    QImage big(size * k, QImage::Format_RGB32);
    big.fill(kBackground);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double w = big.width(), h = big.height();
    const double r = std::min(w * 0.37, h * 0.37);
    const QPointF centre(w / 2, r + h * 0.03);
    QRadialGradient gold(centre - QPointF(r * 0.4, r * 0.4), r * 1.6);
    gold.setColorAt(0, QColor(255, 226, 120));
    gold.setColorAt(1, QColor(196, 140, 20));
    p.setPen(QPen(QColor(120, 84, 10), k * 1.0));
    p.setBrush(gold);
    p.drawEllipse(centre, r, r);
    QRadialGradient face(centre - QPointF(r * 0.3, r * 0.3), r * 1.2);
    face.setColorAt(0, QColor(255, 252, 240));
    face.setColorAt(1, QColor(232, 222, 196));
    p.setBrush(face);
    p.drawEllipse(centre, r * 0.84, r * 0.84);
    p.save();
    p.translate(centre + QPointF(0, r * 0.04));
    raven(p, beat, r * 1.9);
    p.restore();

    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(int(std::min(w * 0.15, h * 0.17)));
    f.setBold(true);
    f.setLetterSpacing(QFont::PercentageSpacing, 106);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(0, centre.y() + r + h * 0.005, w, h - centre.y() - r - h * 0.005), Qt::AlignCenter, QStringLiteral("Corvane"));
    p.end();
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---- 256-colour palettes by median cut, shared by all frames --------------------------------

using Palette = std::vector<std::array<int, 3>>;

Palette medianCut(const std::vector<QImage> &frames, int colours)
{
    struct Box {
        std::vector<std::array<int, 3>> px;
    };
    std::vector<Box> boxes(1);
    for (const QImage &f : frames)
        for (int y = 0; y < f.height(); ++y)
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = f.pixel(x, y);
                boxes[0].px.push_back({qRed(c), qGreen(c), qBlue(c)});
            }
    while (int(boxes.size()) < colours) {
        // Split the box with the widest channel range at its median.
        int best = -1, bestRange = 0, bestChannel = 0;
        for (int b = 0; b < int(boxes.size()); ++b) {
            for (int ch = 0; ch < 3; ++ch) {
                int lo = 255, hi = 0;
                for (const auto &c : boxes[b].px) {
                    lo = std::min(lo, c[ch]);
                    hi = std::max(hi, c[ch]);
                }
                if (hi - lo > bestRange && boxes[b].px.size() > 1) {
                    bestRange = hi - lo;
                    best = b;
                    bestChannel = ch;
                }
            }
        }
        if (best < 0)
            break;
        auto &v = boxes[best].px;
        std::sort(v.begin(), v.end(), [&](const auto &a, const auto &b) { return a[bestChannel] != b[bestChannel] ? a[bestChannel] < b[bestChannel] : a < b; });
        Box upper;
        upper.px.assign(v.begin() + v.size() / 2, v.end());
        v.resize(v.size() / 2);
        boxes.push_back(std::move(upper));
    }
    Palette palette;
    for (const Box &b : boxes) {
        long long s[3] = {0, 0, 0};
        for (const auto &c : b.px)
            for (int ch = 0; ch < 3; ++ch)
                s[ch] += c[ch];
        const long long n = std::max<long long>(1, qsizetype(b.px.size()));
        palette.push_back({int(s[0] / n), int(s[1] / n), int(s[2] / n)});
    }
    while (int(palette.size()) < colours)
        palette.push_back({0, 0, 0});
    return palette;
}

int nearest(const Palette &palette, QRgb c)
{
    int best = 0;
    long long bestD = -1;
    for (int i = 0; i < int(palette.size()); ++i) {
        const long long dr = qRed(c) - palette[i][0], dg = qGreen(c) - palette[i][1], db = qBlue(c) - palette[i][2];
        const long long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

void writeGif(const QString &path, const QImage &img, const Palette &palette)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif)
        throw std::runtime_error("cannot write " + path.toStdString());
    std::vector<GifColorType> colours;
    for (const auto &c : palette)
        colours.push_back({GifByteType(c[0]), GifByteType(c[1]), GifByteType(c[2])});
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, img.width(), img.height(), 8, 0, map) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, img.width(), img.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(img.width());
    for (int y = 0; ok && y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            line[x] = GifPixelType(nearest(palette, img.pixel(x, y)));
        ok = EGifPutLine(gif, line.data(), img.width()) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok)
        throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

// Frames OUT0000.gif, OUT0001.gif, ...: one wing-beat.
void makeLogoAnimation(const Recipe &r, const QString &out)
{
    const QSize size = r.size(QStringLiteral("size"));
    const int frames = int(r.number(QStringLiteral("frames"), 20));
    std::vector<QImage> images;
    for (int f = 0; f < frames; ++f)
        images.push_back(badge(size, double(f) / frames));
    const Palette palette = medianCut(images, 256);
    for (int f = 0; f < frames; ++f)
        writeGif(out + QStringLiteral("%1.gif").arg(f, 4, 10, QLatin1Char('0')), images[f], palette);
}

// The still logo: the badge with the wings raised.
void makeLogoStill(const Recipe &r, const QString &out)
{
    if (!badge(r.size(QStringLiteral("size")), 0.25).save(out, "BMP"))
        throw std::runtime_error("cannot write " + out.toStdString());
}
