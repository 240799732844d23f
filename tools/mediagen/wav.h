#pragma once
// 16-bit PCM mono WAV files. Every sound ends in 0.3 s of silence: the sound output loses the last
// tenth of a second or so of a sample.
#include <QByteArray>
#include <QString>
#include <vector>

struct Samples {
    int rate = 22050;
    std::vector<double> v;  // -1..1
};

// Removes any DC offset, scales the peak to peakDb dBFS, appends the silence and writes the file.
void writeWav(const QString &path, Samples s, double peakDb);
