// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Deterministic 3-D value noise and fractal sums of it, for textures that must come out the same
// on every build (no library random generators, whose sequences may differ between versions).
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace noise {

inline uint32_t hash(int x, int y, int z, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

inline double lattice(int x, int y, int z, uint32_t seed) { return hash(x, y, z, seed) * (1.0 / 4294967295.0); }

inline double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }

// Smooth noise in [0,1].
inline double value(double x, double y, double z, uint32_t seed = 1)
{
    const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    const int ix = int(fx), iy = int(fy), iz = int(fz);
    const double u = fade(x - fx), v = fade(y - fy), w = fade(z - fz);
    auto c = [&](int dx, int dy, int dz) { return lattice(ix + dx, iy + dy, iz + dz, seed); };
    return lerp(lerp(lerp(c(0, 0, 0), c(1, 0, 0), u), lerp(c(0, 1, 0), c(1, 1, 0), u), v),
                lerp(lerp(c(0, 0, 1), c(1, 0, 1), u), lerp(c(0, 1, 1), c(1, 1, 1), u), v), w);
}

// Fractal sum, normalised to [0,1].
inline double fbm(double x, double y, double z, int octaves, uint32_t seed = 1)
{
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * value(x, y, z, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
        z *= 2.03;
    }
    return sum / norm;
}

inline double smoothstep(double a, double b, double x)
{
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

}  // namespace noise
