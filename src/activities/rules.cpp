// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/rules.h"

#include <cstddef>

namespace rules {

bool catches(const TwipsRect &t, const TwipsRect &l)
{
    // Computed in double and compared in float, as the stored positions are.
    return float(double(t.left) - double(t.width) / 2) < l.left && float(double(t.left) + t.width) > l.left
           && float(double(t.top) - double(t.height) / 2) < l.top && float(double(t.top) + t.height) > l.top;
}

bool inBox(const TwipsRect &label, const TwipsRect &box) { return label.left == box.left && label.top == box.top; }

int placed(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes)
{
    int n = 0;
    for (const TwipsRect &l : labels)
        for (const TwipsRect &b : boxes)
            if (inBox(l, b))
                ++n;
    return n;
}

int ownBoxScore(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes)
{
    int score = 0;
    for (std::size_t i = 0; i < labels.size() && i < boxes.size(); ++i)
        if (inBox(labels[i], boxes[i]))
            ++score;
    return score;
}

int groupScore(const std::vector<TwipsRect> &labels, const std::vector<TwipsRect> &boxes, int groupSize)
{
    int score = 0;
    for (std::size_t box = 0; box < boxes.size(); ++box) {
        const std::size_t first = box / std::size_t(groupSize) * std::size_t(groupSize);
        for (std::size_t j = first; j < first + std::size_t(groupSize) && j < labels.size(); ++j)
            if (inBox(labels[j], boxes[box]))
                ++score;
    }
    return score;
}

}  // namespace rules
