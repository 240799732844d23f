// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message-box seam: application-modal boxes titled with the application's title, and the
// file dialogs.
#include <QString>
#include <memory>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void ok(const QString &text) = 0;
    // true for OK, false for Cancel
    virtual bool okCancel(const QString &text) = 0;
    // A file to read or to write, chosen by the user; empty when they cancel.
    virtual QString openFile(const QString &caption, const QString &filter) = 0;
    virtual QString saveFile(const QString &caption, const QString &suggested, const QString &filter) = 0;
};

namespace messages {
// Tests install scripted answers; by default real message boxes are shown.
void set(std::unique_ptr<MessageBoxes> boxes);
MessageBoxes &get();
inline void ok(const QString &text) { get().ok(text); }
inline bool okCancel(const QString &text) { return get().okCancel(text); }
inline QString openFile(const QString &caption, const QString &filter) { return get().openFile(caption, filter); }
inline QString saveFile(const QString &caption, const QString &suggested, const QString &filter)
{
    return get().saveFile(caption, suggested, filter);
}
}  // namespace messages
