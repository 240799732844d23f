// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shared value that may not have been assigned yet. Empty until first assigned; empty reads as
// 0 in arithmetic and so is unequal to 1 (the sound switch relies on that before the menu loads).
#include <optional>

class Var {
public:
    Var() = default;
    Var(int v) : v_(v) {}
    Var &operator=(int v) { v_ = v; return *this; }

    bool isEmpty() const { return !v_.has_value(); }
    int toInt() const { return v_.value_or(0); }
    void clear() { v_.reset(); }

    friend bool operator==(const Var &a, int b) { return a.toInt() == b; }
    friend bool operator==(const Var &a, const Var &b) { return a.toInt() == b.toInt(); }

private:
    std::optional<int> v_;
};
