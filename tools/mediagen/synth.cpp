// SPDX-License-Identifier: GPL-3.0-or-later
#include "synth.h"

namespace synth {

void tone(Buffer &b, double start, double length, const Curve &freq, const Curve &amp, const std::vector<double> &harmonics)
{
    const int n = int(length * b.rate), first = b.at(start);
    b.grow(first + n);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / b.rate;
        const double f = freq(t), a = amp(t);
        phase += 2 * M_PI * f / b.rate;
        if (a == 0)
            continue;
        double s = 0;
        for (std::size_t k = 0; k < harmonics.size(); ++k) {
            // Partials fade out as they near the Nyquist frequency instead of stopping dead.
            const double nearNyquist = f * double(k + 1) / b.rate;
            if (nearNyquist >= 0.45)
                continue;
            const double fade = nearNyquist < 0.38 ? 1.0 : (0.45 - nearNyquist) / 0.07;
            s += fade * harmonics[k] * std::sin(phase * double(k + 1));
        }
        b.v[first + i] += a * s;
    }
}

void noiseBand(Buffer &b, double start, double length, double centre, double q, const Curve &amp, Rng &rng)
{
    const int n = int(length * b.rate), first = b.at(start);
    b.grow(first + n);
    BandPass bp(b.rate, centre, q);
    for (int i = 0; i < n; ++i)
        b.v[first + i] += amp(double(i) / b.rate) * bp(rng.range(-1, 1));
}

BandPass::BandPass(double rate, double centre, double q)
{
    const double w = 2 * M_PI * std::min(centre, rate * 0.45) / rate, alpha = std::sin(w) / (2 * q);
    const double a0 = 1 + alpha;
    b0 = alpha / a0;
    b2 = -alpha / a0;
    a1 = -2 * std::cos(w) / a0;
    a2 = (1 - alpha) / a0;
}

double BandPass::operator()(double x)
{
    const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

}  // namespace synth
