// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The activities for a screen reader: each box and home slot says where it is and what it holds
// ("box 3 of 8, holding The Sun"), and a label dropped is announced where it landed.
class Activity;

namespace activityaccess {
// Renames every box and slot from the labels' positions.
void nameBoxes(Activity *a);
// After a drop: renames, then announces where label index now sits.
void dropped(Activity *a, int index);
}  // namespace activityaccess
