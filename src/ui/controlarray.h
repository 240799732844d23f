// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Controls of one name told apart by an index, with the gaps of the design kept (the menu's
// entries are 0, 10 and 16 to 20).
#include <QtGlobal>
#include <map>

template <class T>
class ControlArray {
public:
    void add(int index, T *control) { items_[index] = control; }
    T *operator[](int index) const
    {
        auto it = items_.find(index);
        // A missing index is a programming error; stop here rather than throw through Qt's event loop.
        if (it == items_.end())
            qFatal("no control with index %d in this control array", index);
        return it->second;
    }
    bool contains(int index) const { return items_.count(index) != 0; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    std::size_t size() const { return items_.size(); }

private:
    std::map<int, T *> items_;
};
