// SPDX-License-Identifier: GPL-3.0-or-later
#include "wav.h"

#include "loudness.h"
#include "recipe.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace {

// Holds every sample under the ceiling with a smooth gain: the gain each sample needs, its
// minimum over a short window, then the mean over the same window. The mean of minimums that
// all include a sample is never above what that sample needs, so nothing overshoots, and the
// gain moves over 6 ms instead of jumping.
void limit(std::vector<double> &v, int rate, double ceiling)
{
    const int half = std::max(1, int(0.003 * rate)), n = int(v.size());
    std::vector<double> need(v.size()), least(v.size());
    for (int i = 0; i < n; ++i)
        need[i] = std::abs(v[i]) > ceiling ? ceiling / std::abs(v[i]) : 1.0;
    for (int i = 0; i < n; ++i) {
        double m = 1.0;
        for (int j = std::max(0, i - half); j <= std::min(n - 1, i + half); ++j)
            m = std::min(m, need[j]);
        least[i] = m;
    }
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int j = i - half; j <= i + half; ++j)
            sum += (j >= 0 && j < n) ? least[j] : 1.0;
        v[i] *= sum / (2 * half + 1);
    }
}

// Gain to the loudness, limit, measure again: the limiter takes a little off, so a few rounds
// settle it. A sound the limiter cannot bring to its loudness stops the build.
void level(Samples &s, double target)
{
    const double ceiling = std::pow(10.0, kPeakCeilingDb / 20.0);
    for (int round = 0; round < 12; ++round) {
        const double now = loudness::integrated(s.v, s.rate);
        if (!std::isfinite(now))
            throw std::runtime_error("a silent sound cannot be levelled");
        if (std::abs(now - target) < 0.05)
            return;
        const double gain = std::pow(10.0, (target - now) / 20.0);
        for (double &x : s.v)
            x *= gain;
        limit(s.v, s.rate, ceiling);
    }
    throw std::runtime_error("a sound does not settle at " + std::to_string(target) + " LUFS");
}

void put32(QByteArray &b, quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); }
void put16(QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); }
}  // namespace

double recipeLoudness(const Recipe &r)
{
    const double lufs = r.number(QStringLiteral("loudness_lufs"), 0);
    if (lufs >= 0 || lufs < -60)
        throw std::runtime_error("a sound's recipe needs loudness_lufs between -60 and 0");
    return lufs;
}

void writeWav(const QString &path, Samples s, double loudnessLufs)
{
    // A gentle high-pass (about 20 Hz) takes out any DC offset without the steps at the ends
    // that subtracting the mean would leave; its short tail rings out inside the silence.
    s.v.resize(s.v.size() + std::size_t(0.06 * s.rate), 0.0);
    const double keep = std::exp(-2 * M_PI * 20.0 / s.rate);
    double previousIn = 0, previousOut = 0;
    for (double &x : s.v) {
        const double out = x - previousIn + keep * previousOut;
        previousIn = x;
        previousOut = out;
        x = out;
    }
    s.v.insert(s.v.begin(), std::size_t(0.04 * s.rate), 0.0);
    s.v.resize(s.v.size() + std::size_t(0.3 * s.rate), 0.0);
    level(s, loudnessLufs);  // measured as the file will be played, silences and all

    QByteArray data;
    data.reserve(int(s.v.size() * 2));
    for (double x : s.v)
        put16(data, quint16(qint16(std::lround(std::clamp(x, -1.0, 1.0) * 32767.0))));

    QByteArray out("RIFF");
    put32(out, quint32(36 + data.size()));
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, quint32(s.rate));
    put32(out, quint32(s.rate * 2));
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, quint32(data.size()));
    out.append(data);

    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
