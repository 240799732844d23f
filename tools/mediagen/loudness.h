// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integrated loudness of a mono sound, in LUFS, as ITU-R BS.1770-4 defines it: a K-weighting
// filter (a high shelf for the head's effect and a high-pass), mean square over 400 ms blocks
// that overlap by 75 %, an absolute gate at -70 LUFS and a relative gate 10 LU below the mean of
// the blocks that pass it. The filters are designed for any sample rate from their analogue
// prototypes, so 22.05 kHz sounds are weighted as 48 kHz ones are.
#include <array>
#include <vector>

namespace loudness {

struct Biquad {
    std::array<double, 3> b, a;  // a[0] is 1
};

// The two stages of the K-weighting filter at a sample rate.
std::array<Biquad, 2> kWeighting(double rate);

// Integrated loudness in LUFS; -70 or below (or -infinity) when there is nothing to hear.
double integrated(const std::vector<double> &samples, double rate);

// Sample peak in dBFS.
double peakDb(const std::vector<double> &samples);

}  // namespace loudness
