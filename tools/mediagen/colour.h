// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours as floating-point RGB in 0..255, for mixing and shading before they become pixels.
#include <QColor>
#include <algorithm>

struct Rgb {
    double r = 0, g = 0, b = 0;
    Rgb() = default;
    Rgb(double r_, double g_, double b_) : r(r_), g(g_), b(b_) {}
    Rgb operator*(double k) const { return {r * k, g * k, b * k}; }
    Rgb operator+(const Rgb &o) const { return {r + o.r, g + o.g, b + o.b}; }
    QRgb pixel() const
    {
        auto c = [](double v) { return int(std::clamp(v, 0.0, 255.0) + 0.5); };
        return qRgb(c(r), c(g), c(b));
    }
    static Rgb of(QRgb p) { return {double(qRed(p)), double(qGreen(p)), double(qBlue(p))}; }
};

inline Rgb mix(const Rgb &a, const Rgb &b, double t) { return a * (1 - t) + b * t; }
