// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Orthographic rendering of lit spheres (planets) onto an image, with an antialiased edge.
#include "colour.h"

#include <QImage>
#include <cmath>
#include <functional>

struct Vec {
    double x = 0, y = 0, z = 0;
    Vec operator-(const Vec &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec operator+(const Vec &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator*(double k) const { return {x * k, y * k, z * k}; }
    double dot(const Vec &o) const { return x * o.x + y * o.y + z * o.z; }
    double length() const { return std::sqrt(dot(*this)); }
    Vec normalised() const { return *this * (1.0 / length()); }
};

// How a sphere sits in the picture. The planet's own frame has its north pole along +y; "spin"
// turns it about that axis, "incline" tips the pole towards the viewer, "tilt" leans it in the
// picture. Light comes from the direction "light" (view space: x right, y up, z towards viewer).
struct SphereView {
    double cx = 0, cy = 0, radius = 1;
    double tilt = 0, incline = 0, spin = 0;
    Vec light{-0.6, 0.25, 0.76};
    double ambient = 0.03;
    double limb = 0.2;  // darkening towards the edge (gas giants more than rocky planets)
};

// Surface colour at a unit vector of the planet's frame; also given the view-space normal.
using Texture = std::function<Rgb(const Vec &planet, const Vec &view)>;

Vec toPlanetFrame(const SphereView &v, const Vec &view);
Vec toViewFrame(const SphereView &v, const Vec &planet);
double lighting(const SphereView &v, const Vec &view);
void drawSphere(QImage &img, const SphereView &v, const Texture &texture);

// Latitude (radians, north positive) and longitude of a unit vector in the planet's frame.
inline double latitude(const Vec &p) { return std::asin(std::clamp(p.y, -1.0, 1.0)); }
inline double longitude(const Vec &p) { return std::atan2(p.x, p.z); }

// A black sky, optionally with stars of a few brightnesses.
void drawStars(QImage &img, int count, quint64 seed);
