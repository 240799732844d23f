// SPDX-License-Identifier: GPL-3.0-or-later
#include "sphere.h"

#include "recipe.h"

#include <algorithm>

namespace {
Vec rotX(const Vec &p, double a) { return {p.x, p.y * std::cos(a) - p.z * std::sin(a), p.y * std::sin(a) + p.z * std::cos(a)}; }
Vec rotY(const Vec &p, double a) { return {p.x * std::cos(a) + p.z * std::sin(a), p.y, -p.x * std::sin(a) + p.z * std::cos(a)}; }
Vec rotZ(const Vec &p, double a) { return {p.x * std::cos(a) - p.y * std::sin(a), p.x * std::sin(a) + p.y * std::cos(a), p.z}; }
}  // namespace

Vec toPlanetFrame(const SphereView &v, const Vec &view) { return rotY(rotX(rotZ(view, v.tilt), v.incline), v.spin); }

Vec toViewFrame(const SphereView &v, const Vec &planet) { return rotZ(rotX(rotY(planet, -v.spin), -v.incline), -v.tilt); }

double lighting(const SphereView &v, const Vec &n)
{
    const double lambert = std::max(0.0, n.dot(v.light.normalised()));
    // A soft terminator: light falls off smoothly into the night side.
    const double lit = std::pow(lambert, 0.85);
    const double limb = 1.0 - v.limb * (1.0 - n.z);
    return v.ambient + (1.0 - v.ambient) * lit * limb;
}

void drawSphere(QImage &img, const SphereView &v, const Texture &texture)
{
    const int x0 = std::max(0, int(v.cx - v.radius - 2)), x1 = std::min(img.width() - 1, int(v.cx + v.radius + 2));
    const int y0 = std::max(0, int(v.cy - v.radius - 2)), y1 = std::min(img.height() - 1, int(v.cy + v.radius + 2));
    for (int py = y0; py <= y1; ++py) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(py));
        for (int px = x0; px <= x1; ++px) {
            const double nx = (px + 0.5 - v.cx) / v.radius, ny = -(py + 0.5 - v.cy) / v.radius;
            const double d = std::sqrt(nx * nx + ny * ny);
            const double coverage = std::clamp((1.0 - d) * v.radius + 0.5, 0.0, 1.0);
            if (coverage <= 0)
                continue;
            const double dd = std::min(d, 0.9999);
            const Vec n{nx * dd / std::max(d, 1e-9), ny * dd / std::max(d, 1e-9), std::sqrt(1 - dd * dd)};
            const Rgb c = texture(toPlanetFrame(v, n), n) * lighting(v, n);
            row[px] = mix(Rgb::of(row[px]), c, coverage).pixel();
        }
    }
}

void drawStars(QImage &img, int count, quint64 seed)
{
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const int x = int(rng.range(0, img.width())), y = int(rng.range(0, img.height()));
        const double b = rng.uniform();
        const double level = 60 + 195 * b * b * b;
        const double tint = rng.range(-15, 15);
        img.setPixel(x, y, Rgb(level - tint, level, level + tint).pixel());
        if (b > 0.93) {  // a few brighter stars get a soft cross
            const Rgb halo(level * 0.35, level * 0.35, level * 0.4);
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                if (img.rect().contains(x + dx, y + dy))
                    img.setPixel(x + dx, y + dy, halo.pixel());
        }
    }
}
