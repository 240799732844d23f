// SPDX-License-Identifier: GPL-3.0-or-later
#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace loudness {

std::array<Biquad, 2> kWeighting(double rate)
{
    // Stage 1: the high shelf (+4 dB above about 1.7 kHz).
    double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    double k = std::tan(M_PI * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20.0), vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / q + k * k;
    const Biquad shelf{{(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0},
                       {1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0}};
    // Stage 2: the high-pass (about 38 Hz).
    f0 = 38.13547087602444;
    q = 0.5003270373238773;
    k = std::tan(M_PI * f0 / rate);
    a0 = 1.0 + k / q + k * k;
    const Biquad highPass{{1.0, -2.0, 1.0}, {1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0}};
    return {shelf, highPass};
}

namespace {

std::vector<double> filtered(const std::vector<double> &in, const Biquad &f)
{
    std::vector<double> out(in.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double y = f.b[0] * in[i] + f.b[1] * x1 + f.b[2] * x2 - f.a[1] * y1 - f.a[2] * y2;
        x2 = x1;
        x1 = in[i];
        y2 = y1;
        y1 = y;
        out[i] = y;
    }
    return out;
}

double lufs(double meanSquare) { return -0.691 + 10.0 * std::log10(meanSquare); }

}  // namespace

double integrated(const std::vector<double> &samples, double rate)
{
    std::vector<double> y = samples;
    for (const Biquad &f : kWeighting(rate))
        y = filtered(y, f);
    // A sound shorter than one block is measured as one block with silence after it.
    const std::size_t block = std::size_t(std::lround(0.4 * rate)), hop = block / 4;
    if (y.size() < block)
        y.resize(block, 0.0);
    std::vector<double> blocks;
    for (std::size_t start = 0; start + block <= y.size(); start += hop) {
        double sum = 0;
        for (std::size_t i = start; i < start + block; ++i)
            sum += y[i] * y[i];
        blocks.push_back(sum / double(block));
    }
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int n = 0;
        for (double z : blocks)
            if (z > 0 && lufs(z) > gate) {
                sum += z;
                ++n;
            }
        return n ? sum / n : 0.0;
    };
    const double aboveAbsolute = gatedMean(-70.0);
    if (aboveAbsolute <= 0)
        return -std::numeric_limits<double>::infinity();
    return lufs(gatedMean(lufs(aboveAbsolute) - 10.0));
}

double peakDb(const std::vector<double> &samples)
{
    double peak = 0;
    for (double x : samples)
        peak = std::max(peak, std::abs(x));
    return 20.0 * std::log10(peak);
}

}  // namespace loudness
