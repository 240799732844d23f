// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small building blocks for synthesising sounds: a sample buffer that sounds are added into,
// oscillators with gliding pitch, noise, filters and envelopes. All deterministic.
#include "recipe.h"
#include "wav.h"

#include <cmath>
#include <functional>
#include <vector>

namespace synth {

struct Buffer {
    explicit Buffer(int sampleRate = 22050) : rate(sampleRate) {}
    int rate;
    std::vector<double> v;
    int at(double seconds) const { return int(seconds * rate); }
    void grow(int n)
    {
        if (int(v.size()) < n)
            v.resize(n, 0.0);
    }
    void add(int i, double x)
    {
        grow(i + 1);
        v[i] += x;
    }
    Samples samples() const { return Samples{rate, v}; }
};

using Curve = std::function<double(double)>;  // a value over time (seconds from the start)

// A tone with the given pitch and amplitude curves; harmonics[k] is the level of partial k+1.
// Partials fade out as they approach the Nyquist frequency.
void tone(Buffer &b, double start, double length, const Curve &freq, const Curve &amp, const std::vector<double> &harmonics);

// Noise shaped by a band-pass filter (centre, Q) and an amplitude curve.
void noiseBand(Buffer &b, double start, double length, double centre, double q, const Curve &amp, Rng &rng);

// Envelopes.
inline double decay(double t, double tau) { return t < 0 ? 0 : std::exp(-t / tau); }
inline double ramp(double t, double length) { return t <= 0 ? 0 : t >= length ? 1 : t / length; }
// Attack, hold at 1, then release to 0 by "length".
inline double adsr(double t, double attack, double release, double length)
{
    if (t < 0 || t > length)
        return 0;
    return std::min({1.0, t / attack, (length - t) / release});
}

// A semitone's ratio.
inline double note(double semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// A biquad band-pass (constant peak gain), for shaping noise and voices.
struct BandPass {
    double b0, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    BandPass(double rate, double centre, double q);
    double operator()(double x);
};

struct OnePole {  // low-pass; high-pass by subtracting
    double k, y = 0;
    OnePole(double rate, double cutoff) : k(1 - std::exp(-2 * M_PI * cutoff / rate)) {}
    double operator()(double x) { return y += k * (x - y); }
};

}  // namespace synth
