// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message-box seam: application-modal boxes titled with the application's title.
#include <QString>
#include <memory>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ok(const QString &text) = 0;
    // true for OK, false for Cancel
    virtual bool okCancel(const QString &text) = 0;
};

namespace messages {
// Tests install scripted answers; by default real message boxes are shown.
void set(std::unique_ptr<MessageBoxes> boxes);
MessageBoxes &get();
inline void ok(const QString &text) { get().ok(text); }
inline bool okCancel(const QString &text) { return get().okCancel(text); }
}  // namespace messages
