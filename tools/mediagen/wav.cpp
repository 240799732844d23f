#include "wav.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <stdexcept>

namespace {
void put32(QByteArray &b, quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); }
void put16(QByteArray &b, quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); }
}  // namespace

void writeWav(const QString &path, Samples s, double peakDb)
{
    // A gentle high-pass (about 20 Hz) takes out any DC offset without the steps at the ends
    // that subtracting the mean would leave; its short tail rings out inside the silence.
    s.v.resize(s.v.size() + std::size_t(0.06 * s.rate), 0.0);
    const double keep = std::exp(-2 * M_PI * 20.0 / s.rate);
    double previousIn = 0, previousOut = 0, peak = 0;
    for (double &x : s.v) {
        const double out = x - previousIn + keep * previousOut;
        previousIn = x;
        previousOut = out;
        x = out;
        peak = std::max(peak, std::abs(x));
    }
    const double gain = peak > 0 ? std::pow(10.0, peakDb / 20.0) / peak : 0;
    s.v.insert(s.v.begin(), std::size_t(0.04 * s.rate), 0.0);
    s.v.resize(s.v.size() + std::size_t(0.3 * s.rate), 0.0);

    QByteArray data;
    data.reserve(int(s.v.size() * 2));
    for (double x : s.v)
        put16(data, quint16(qint16(std::lround(std::clamp(x * gain, -1.0, 1.0) * 32767.0))));

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
