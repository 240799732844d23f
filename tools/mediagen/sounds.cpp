// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound of the program but the click, synthesised. The recipe's "sound" names which; each
// function builds its sound into a buffer, and writeWav levels it to the
// recipe's loudness, pads and writes it.
#include "generators.h"
#include "synth.h"

#include <map>
#include <stdexcept>

namespace {

using namespace synth;

std::vector<double> brass() { return {1, 0.8, 0.65, 0.5, 0.38, 0.28, 0.2, 0.14, 0.1, 0.07, 0.05, 0.035}; }

// A brass note: a slight scoop up to pitch, a bright attack settling into a steady tone, vibrato
// on long notes.
void brassNote(Buffer &b, double start, double length, double freq, double level)
{
    tone(
        b, start, length + 0.06,
        [=](double t) { return freq * (1 - 0.03 * decay(t, 0.025)) * (1 + (length > 0.4 ? 0.006 * std::sin(2 * M_PI * 5.5 * t) * ramp(t - 0.2, 0.2) : 0)); },
        [=](double t) { return level * adsr(t, 0.02, 0.06, length + 0.06) * (0.8 + 0.2 * decay(t, 0.08)); }, brass());
}

Buffer typekey(Rng &rng)
{
    // A key tap: a short bright tick over a small hollow knock.
    Buffer b;
    noiseBand(b, 0, 0.035, 3600, 1.2, [](double t) { return decay(t, 0.004); }, rng);
    tone(b, 0, 0.035, [](double) { return 190.0; }, [](double t) { return 0.35 * decay(t, 0.007) * ramp(t, 0.0005); }, {1, 0.3});
    return b;
}

Buffer thud(Rng &rng)
{
    // A soft low thud: a falling low tone and a muffled knock.
    Buffer b;
    tone(b, 0, 0.22, [](double t) { return 50 + 60 * decay(t, 0.04); },
         [](double t) { return decay(t, 0.06) * ramp(t, 0.003) * std::min(1.0, (0.22 - t) / 0.03); }, {1, 0.25, 0.08});
    noiseBand(b, 0, 0.08, 240, 0.8, [](double t) { return 0.6 * decay(t, 0.018) * std::min(1.0, (0.08 - t) / 0.02); }, rng);
    return b;
}

Buffer eagle(Rng &rng)
{
    // A bird of prey's call: a harsh, high scream that rises briefly, then slides down, with a
    // rasp from fast flutter and breath. At 44.1 kHz: its overtones reach past 10 kHz.
    Buffer b{44100};
    const double length = 1.45;
    auto pitch = [](double t) { return t < 0.12 ? 2700 + 500 * t / 0.12 : 3200 - 1350 * std::pow((t - 0.12) / 1.33, 1.3); };
    auto amp = [=](double t) {
        const double flutter = 0.75 + 0.25 * std::sin(2 * M_PI * 62 * t) * std::sin(2 * M_PI * 7 * t + 1);
        return adsr(t, 0.05, 0.35, length) * flutter * (0.85 + 0.15 * std::sin(2 * M_PI * 1.3 * t));
    };
    tone(b, 0, length, pitch, amp, {1, 0.45, 0.22, 0.1});
    Buffer breath{44100};
    BandPass bp(breath.rate, 3000, 3);
    for (int i = 0; i < int(length * breath.rate); ++i) {
        const double t = double(i) / breath.rate;
        breath.add(i, 0.35 * amp(t) * bp(rng.range(-1, 1)));
    }
    for (std::size_t i = 0; i < breath.v.size(); ++i)
        b.add(int(i), breath.v[i]);
    return b;
}

Buffer fanfareRising(Rng &)
{
    // Up the major chord and hold the top note, with the chord sounding under it.
    Buffer b;
    const double c4 = note(-9), e4 = note(-5), g4 = note(-2), c5 = note(3), e5 = note(7), g5 = note(10);
    brassNote(b, 0.00, 0.16, c4, 0.6);
    brassNote(b, 0.20, 0.16, e4, 0.6);
    brassNote(b, 0.40, 0.16, g4, 0.6);
    brassNote(b, 0.60, 1.30, c5, 0.6);
    brassNote(b, 0.60, 1.30, e4 * 2, 0.35);
    brassNote(b, 0.60, 1.30, g4, 0.35);
    (void)e5;
    (void)g5;
    return b;
}

Buffer fanfareCall(Rng &)
{
    // A herald's call: three quick notes, a long one, a pick-up and a held chord.
    Buffer b;
    const double d4 = note(-7), a4 = note(0), d5 = note(5), fs5 = note(9), a5 = note(12);
    for (int i = 0; i < 3; ++i)
        brassNote(b, i * 0.13, 0.09, a4, 0.6);
    brassNote(b, 0.39, 0.45, d5, 0.6);
    brassNote(b, 0.90, 0.12, a4, 0.6);
    for (double f : {d5, fs5, a5})
        brassNote(b, 1.06, 1.10, f, 0.38);
    brassNote(b, 1.06, 1.10, d4, 0.3);
    return b;
}

// One voice of a crowd: a vowel-like sound on a wandering pitch.
void voice(Buffer &b, double start, double length, double pitch, double rise, double level, Rng &rng)
{
    const double f1 = rng.range(600, 850), f2 = rng.range(1100, 1700);  // "ah" to "ay" formants
    std::vector<double> h;
    for (int k = 1; k <= 24; ++k) {
        const double f = pitch * k;
        const double g = std::exp(-std::pow((f - f1) / 250, 2)) + 0.6 * std::exp(-std::pow((f - f2) / 300, 2)) + 0.08 / k;
        h.push_back(g);
    }
    const double wob = rng.range(4, 7);
    tone(b, start, length, [=](double t) { return pitch * (1 + rise * ramp(t, length * 0.6)) * (1 + 0.02 * std::sin(2 * M_PI * wob * t)); },
         [=](double t) { return level * adsr(t, 0.08, length * 0.4, length); }, h);
}

void applause(Buffer &b, double start, double length, double perSecond, double level, Rng &rng)
{
    const int claps = int(length * perSecond);
    for (int i = 0; i < claps; ++i) {
        const double t = start + rng.range(0, length);
        const double edge = std::min({1.0, (t - start) / 0.3, (start + length - t) / 0.6});
        const double a = rng.range(0.3, 1.0), tau = rng.range(0.004, 0.009);
        noiseBand(b, t, 0.03, rng.range(900, 2400), 1.4, [=](double u) { return level * edge * a * decay(u, tau); }, rng);
    }
}

Buffer crowd(Rng &rng)
{
    // A crowd cheering: many voices shouting together over a roar and applause.
    Buffer b;
    for (int i = 0; i < 36; ++i)
        voice(b, rng.range(0, 0.5), rng.range(1.2, 2.4), rng.range(140, 380), rng.range(0.05, 0.3), 0.12, rng);
    noiseBand(b, 0, 3.0, 900, 0.6, [](double t) { return 0.25 * adsr(t, 0.3, 1.0, 3.0); }, rng);
    applause(b, 0.2, 2.6, 40, 0.35, rng);
    return b;
}

Buffer cheer(Rng &rng)
{
    // A few voices shouting "hooray", a whistle and some claps.
    Buffer b;
    for (int i = 0; i < 10; ++i) {
        const double start = rng.range(0, 0.25), pitch = rng.range(170, 360);
        voice(b, start, 0.35, pitch * 0.85, 0.15, 0.22, rng);                // "hoo-"
        voice(b, start + 0.32, rng.range(0.9, 1.4), pitch * 1.15, 0.2, 0.3, rng);  // "-ray!"
    }
    tone(b, 0.5, 0.9, [](double t) { return 1800 + 900 * ramp(t, 0.25) - 400 * ramp(t - 0.55, 0.3); },
         [](double t) { return 0.25 * adsr(t, 0.03, 0.15, 0.9); }, {1});
    applause(b, 0.3, 2.0, 25, 0.35, rng);
    return b;
}

Buffer klaxon(Rng &)
{
    // An old motor horn, "aa-OO-ga", twice: a buzzing tone that swoops up, clipped hard.
    Buffer b;
    std::vector<double> buzz;
    for (int k = 1; k <= 30; ++k)
        buzz.push_back(1.0 / k * (1 + 1.5 * std::exp(-std::pow((k * 260.0 - 1100) / 500, 2))));
    for (double start : {0.0, 0.75}) {
        Buffer blast;
        tone(blast, 0, 0.6, [](double t) { return 150 + 190 * std::pow(ramp(t, 0.32), 0.7); },
             [](double t) { return adsr(t, 0.02, 0.05, 0.6); }, buzz);
        for (std::size_t i = 0; i < blast.v.size(); ++i)
            b.add(b.at(start) + int(i), std::tanh(blast.v[i] * 3));
    }
    return b;
}

Buffer flute(Rng &rng)
{
    // A short, happy tune on a flute: a pure tone with a breathy edge and gentle vibrato.
    Buffer b;
    const double g5 = note(10), a5 = note(12), b5 = note(14), d6 = note(17), e6 = note(19);
    const std::pair<double, double> tune[] = {{g5, 0.18}, {a5, 0.18}, {b5, 0.18}, {d6, 0.36}, {b5, 0.18}, {d6, 0.18}, {e6, 0.24}, {d6, 0.7}};
    double t0 = 0;
    for (auto [f, len] : tune) {
        tone(b, t0, len + 0.04,
             [=](double t) { return f * (1 + 0.007 * std::sin(2 * M_PI * 5.2 * t) * ramp(t - 0.12, 0.15)); },
             [=](double t) { return 0.55 * adsr(t, 0.04, 0.06, len + 0.04); }, {1, 0.22, 0.06, 0.02});
        noiseBand(b, t0, len + 0.04, f, 8, [=](double t) { return 0.25 * adsr(t, 0.02, 0.06, len + 0.04); }, rng);
        t0 += len;
    }
    return b;
}

Buffer gong(Rng &rng)
{
    // A large gong: a soft hit, then inharmonic partials ringing and beating as they die away.
    Buffer b;
    const double f0 = 98;
    const std::pair<double, double> partials[] = {{1.0, 2.6}, {1.47, 2.2}, {2.09, 1.8}, {2.56, 1.5}, {2.98, 1.3}, {3.57, 1.0}, {4.23, 0.8}, {5.12, 0.6}, {6.3, 0.45}};
    int k = 0;
    for (auto [ratio, tau] : partials) {
        const double level = 0.5 / (1 + k * 0.35);
        for (double detune : {-0.4, 0.4})
            tone(b, 0, 3.6, [=](double) { return f0 * ratio + detune; },
                 [=](double t) { return level * ramp(t, 0.004 + 0.02 * k) * decay(t, tau) * std::min(1.0, (3.6 - t) / 0.3); }, {1});
        ++k;
    }
    noiseBand(b, 0, 0.08, 500, 0.7, [](double t) { return 0.5 * decay(t, 0.015); }, rng);
    return b;
}

Buffer clapping(Rng &rng)
{
    // Applause from a room full of people: it swells and fades.
    Buffer b;
    applause(b, 0, 2.6, 70, 0.6, rng);
    return b;
}

Buffer clapInTime(Rng &rng)
{
    // A class clapping together in time: each beat a few hands just apart.
    Buffer b;
    for (int beat = 0; beat < 8; ++beat) {
        const double t = beat * 0.28 + (beat == 7 ? 0.1 : 0);
        for (int hand = 0; hand < 12; ++hand)
            noiseBand(b, t + rng.range(0, 0.025), 0.04, rng.range(1000, 2200), 1.6, [a = rng.range(0.4, 1.0), tau = rng.range(0.006, 0.012)](double u) { return a * decay(u, tau); }, rng);
    }
    return b;
}

Buffer drumroll(Rng &rng)
{
    // A snare drum roll that builds, ending on a crash and a bass drum.
    Buffer b;
    const double roll = 2.0;
    for (double t = 0; t < roll; t += 0.032 + rng.range(-0.004, 0.004)) {
        const double level = 0.25 + 0.55 * ramp(t, roll);
        noiseBand(b, t, 0.05, 3800, 0.9, [=](double u) { return level * decay(u, 0.018); }, rng);
        tone(b, t, 0.04, [](double) { return 190.0; }, [=](double u) { return 0.4 * level * decay(u, 0.012); }, {1});
    }
    tone(b, roll, 0.5, [](double u) { return 55 + 45 * decay(u, 0.05); }, [](double u) { return 1.2 * decay(u, 0.15); }, {1, 0.3});
    Buffer crash;
    OnePole lp(crash.rate, 3000);
    for (int i = 0; i < crash.at(1.3); ++i) {
        const double x = rng.range(-1, 1);
        crash.add(i, 0.55 * (x - lp(x)) * decay(double(i) / crash.rate, 0.35) * std::min(1.0, (1.3 - double(i) / crash.rate) / 0.2));
    }
    for (std::size_t i = 0; i < crash.v.size(); ++i)
        b.add(b.at(roll) + int(i), crash.v[i]);
    return b;
}

Buffer laser(Rng &)
{
    // Four zaps of a toy ray gun: fast falling sweeps with a buzzy edge.
    Buffer b;
    for (int i = 0; i < 4; ++i)
        tone(b, i * 0.27, 0.2, [](double t) { return 300 + 2300 * std::exp(-t / 0.05); },
             [](double t) { return adsr(t, 0.003, 0.04, 0.2); }, {1, 0, 0.33, 0, 0.2, 0, 0.14});
    return b;
}

Buffer whizz(Rng &rng)
{
    // A firework: a whistle that climbs as it flies, then a bang and crackling sparks (44.1 kHz
    // for the hiss and the sparks).
    Buffer b{44100};
    tone(b, 0, 1.0, [](double t) { return 700 + 2400 * std::pow(t, 1.4) + 40 * std::sin(2 * M_PI * 9 * t); },
         [](double t) { return 0.55 * adsr(t, 0.1, 0.05, 1.0); }, {1, 0.15});
    noiseBand(b, 0, 1.0, 4000, 1.0, [](double t) { return 0.2 * ramp(t, 1.0); }, rng);
    noiseBand(b, 1.0, 0.4, 300, 0.5, [](double t) { return 1.4 * decay(t, 0.06); }, rng);
    for (int i = 0; i < 30; ++i) {
        const double t = 1.05 + rng.range(0, 0.6) * rng.range(0.3, 1);
        noiseBand(b, t, 0.02, rng.range(2500, 6000), 2, [a = rng.range(0.2, 0.5)](double u) { return a * decay(u, 0.003); }, rng);
    }
    return b;
}

Buffer clown(Rng &)
{
    // A clown's squeeze horn: two short honks and a long one that droops.
    Buffer b;
    std::vector<double> reedy;
    for (int k = 1; k <= 16; ++k)
        reedy.push_back((k % 2 ? 1.0 : 0.35) / k * (1 + 2.0 * std::exp(-std::pow((k * 340.0 - 1500) / 450, 2))));
    auto honk = [&](double start, double length, double pitch, double droop) {
        Buffer h;
        tone(h, 0, length, [=](double t) { return pitch * (1 + 0.06 * decay(t, 0.02)) * (1 - droop * ramp(t - length * 0.4, length * 0.6)); },
             [=](double t) { return adsr(t, 0.01, 0.04, length); }, reedy);
        for (std::size_t i = 0; i < h.v.size(); ++i)
            b.add(b.at(start) + int(i), std::tanh(h.v[i] * 2.2));
    };
    honk(0.0, 0.16, 350, 0.0);
    honk(0.26, 0.16, 350, 0.0);
    honk(0.55, 0.7, 330, 0.25);
    return b;
}

using Maker = Buffer (*)(Rng &);

const std::map<QString, Maker> &makers()
{
    static const std::map<QString, Maker> m = {
        {QStringLiteral("typekey"), typekey},   {QStringLiteral("thud"), thud},
        {QStringLiteral("eagle"), eagle},       {QStringLiteral("fanfare-rising"), fanfareRising},
        {QStringLiteral("fanfare-call"), fanfareCall}, {QStringLiteral("crowd"), crowd},
        {QStringLiteral("cheer"), cheer},       {QStringLiteral("klaxon"), klaxon},
        {QStringLiteral("flute"), flute},       {QStringLiteral("gong"), gong},
        {QStringLiteral("applause"), clapping}, {QStringLiteral("clap-in-time"), clapInTime},
        {QStringLiteral("drumroll"), drumroll}, {QStringLiteral("laser"), laser},
        {QStringLiteral("whizz"), whizz},       {QStringLiteral("clown-horn"), clown},
    };
    return m;
}

}  // namespace

void makeSound(const Recipe &r, const QString &out)
{
    const auto it = makers().find(r.text(QStringLiteral("sound")));
    if (it == makers().end())
        throw std::runtime_error("no such sound in " + out.toStdString());
    Rng rng(quint64(r.number(QStringLiteral("seed"), 1)));
    Buffer b = it->second(rng);
    writeWav(out, b.samples(), recipeLoudness(r));
}
