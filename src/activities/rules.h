// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activities' rules as plain functions over positions in single-precision twips, so they can
// be checked without a screen. A label is in a box exactly when their left and top are equal.
#include <vector>

// A rectangle in twips, single precision as the positions are stored.
struct TwipsRect {
    float left = 0, top = 0, width = 0, height = 0;
};

// An activity's rectangles (its labels, boxes or home slots), numbered from 0 as the control
// arrays they belong to are, so an index is the same int everywhere.
class TwipsRects {
public:
    TwipsRects() = default;
    explicit TwipsRects(int n) : v_(std::size_t(n)) {}
    int size() const { return int(v_.size()); }
    TwipsRect &operator[](int i) { return v_[std::size_t(i)]; }
    const TwipsRect &operator[](int i) const { return v_[std::size_t(i)]; }
    const std::vector<TwipsRect> &all() const { return v_; }

private:
    std::vector<TwipsRect> v_;
};

namespace rules {

// Whether a label whose top-left now lies at `label` is caught by `target` (a box or a home slot):
// its top-left must lie strictly inside the target grown by half its width to the left and half
// its height upwards. The edges themselves never catch.
bool catches(const TwipsRect &target, const TwipsRect &label);

// Whether the label sits exactly in the box.
bool inBox(const TwipsRect &label, const TwipsRect &box);

// How many label-box pairs coincide: "Check Score" appears when every label sits in some box.
int placed(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes);

// One mark for each label in its own box.
int ownBoxScore(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes);

// One mark for each box holding a label of its own group; groups are runs of `groupSize` boxes
// and labels with the same numbers (0 to groupSize-1, groupSize to 2*groupSize-1, ...).
int groupScore(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes, int groupSize);

}  // namespace rules
