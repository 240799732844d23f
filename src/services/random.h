// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The random choice of the celebration: a uniform number in [0, 1), seeded from the clock; tests
// install their own generator.
#include <functional>

namespace rnd {
void seedFromClock();
double uniform();
void setGenerator(std::function<double()> g);  // empty: back to the real one
}  // namespace rnd
