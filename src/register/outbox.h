// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This computer's side of a register on the school's server, in one SQLite file readable by its
// owner only: the attempts not yet on the server, oldest first, and the class lists as last read
// from it, so the picker still offers every name while the server cannot be reached. Nothing
// here is the register itself: an attempt leaves once the server has it, and the lists are
// replaced whole each time they are read afresh.
#include "register/store.h"

namespace reg {

class Outbox {
public:
    // "outbox.sqlite" in this computer's own folder.
    static QString defaultPath();

    // Opens the file, making it when absent; one that cannot be read is moved aside and a fresh
    // one made (attempts in it are lost to the register, but kept in the file set aside).
    explicit Outbox(const QString &path = defaultPath());
    ~Outbox();
    Outbox(const Outbox &) = delete;
    Outbox &operator=(const Outbox &) = delete;

    bool ok() const { return ok_; }

    // Keeps an attempt until it is sent; true once it is on the disk.
    bool add(const Attempt &attempt);
    // The attempts waiting, oldest first.
    QList<Attempt> waiting() const;
    int count() const;
    // The attempt is on the server now.
    bool forget(const QString &uuid);

    // The server's class lists, replacing the last ones.
    bool setLists(const QList<ClassInfo> &classes, const QList<Pupil> &pupils);
    QList<ClassInfo> classes() const;
    QList<Pupil> pupils(qint64 classId) const;

private:
    bool open();
    void close();

    QString path_;
    QString connection_;
    bool ok_ = false;
};

}  // namespace reg
