// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 16-bit PCM mono WAV files. Every sound starts with 40 ms of silence and ends with 0.3 s of it:
// the sound server drops the first 10 to 30 ms of a new stream and loses the last tenth of a
// second or so of a sample (both measured on a PulseAudio null sink).
#include <QByteArray>
#include <QString>
#include <vector>

struct Samples {
    int rate = 22050;
    std::vector<double> v;  // -1..1
};

// The highest sample any sound reaches, dBFS: under -1 with a margin for the 16-bit rounding.
inline constexpr double kPeakCeilingDb = -1.5;

// Removes any DC offset, brings the sound to an integrated loudness (LUFS) with its peaks held
// under the ceiling, adds the silences and writes the file.
void writeWav(const QString &path, Samples s, double loudnessLufs);

// Recipes give a sound's loudness as "loudness_lufs".
double recipeLoudness(const class Recipe &r);
