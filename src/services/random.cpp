// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/random.h"

#include <chrono>
#include <random>

namespace rnd {
namespace {
std::mt19937_64 &engine()
{
    static std::mt19937_64 e;
    return e;
}
std::function<double()> &fake()
{
    static std::function<double()> f;
    return f;
}
}  // namespace

void seedFromClock() { engine().seed(std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count())); }

double uniform()
{
    if (fake())
        return fake()();
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine());
}

void setGenerator(std::function<double()> g) { fake() = std::move(g); }
}  // namespace rnd
