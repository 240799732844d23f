// SPDX-License-Identifier: GPL-3.0-or-later
// A short clean click: a bright decaying tick over a small low knock, about 25 ms of sound.
#include "generators.h"
#include "wav.h"

#include <cmath>

void makeClick(const Recipe &r, const QString &out)
{
    Samples s;
    s.rate = int(r.number(QStringLiteral("rate"), 22050));
    const double length = r.number(QStringLiteral("length_ms"), 25) / 1000.0;
    const double tick = r.number(QStringLiteral("tick_hz"), 2400);
    const double knock = r.number(QStringLiteral("knock_hz"), 520);
    Rng rng(quint64(r.number(QStringLiteral("seed"), 7)));
    const int n = int(length * s.rate);
    double noiseLp = 0;
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / s.rate;
        const double attack = std::min(1.0, t / 0.0004);
        const double release = std::min(1.0, (length - t) / 0.004);  // no step at the end
        noiseLp += 0.5 * (rng.range(-1, 1) - noiseLp);
        const double bright = std::exp(-t / 0.0022) * (0.65 * std::sin(2 * M_PI * tick * t) + 0.35 * noiseLp);
        const double low = 0.55 * std::exp(-t / 0.006) * std::sin(2 * M_PI * knock * t);
        s.v.push_back(attack * release * (bright + low));
    }
    writeWav(out, s, recipeLoudness(r));
}
