// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The register on the school's server, worked off the screens' thread. A courier thread holds
// the one connection: it sends the attempts waiting in this computer's outbox, oldest first (at
// start, after each attempt and every few minutes), copies the class lists for the picker, and
// runs the teacher's room's calls while the screen waits for them without freezing (it goes on
// painting; a click waits until the call is done). A server that is slow or gone costs a few
// seconds' wait, never a lost attempt.
#include "register/outbox.h"
#include "register/store.h"

#include <QMutex>
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

namespace reg {

class Courier;

class ServerLink : public QObject {
    Q_OBJECT
public:
    // How often what waits is sent again, when nothing else has sent it.
    static constexpr int kRoundMs = 3 * 60 * 1000;
    // The longest a screen waits for a call: a connection and a few statements' timeouts.
    static constexpr int kCallWaitMs = (Store::kConnectTimeoutS + 3 * Store::kStatementTimeoutS) * 1000;

    ServerLink(const QString &service, const QString &outboxPath = Outbox::defaultPath());
    ~ServerLink() override;

    QString service() const { return service_; }
    // The screens' own view of the outbox: the picker's lists and what waits.
    Outbox &outbox() { return outbox_; }
    // Keeps the attempt in the outbox (true once it is on this computer's disk) and sends it soon.
    bool record(const Attempt &attempt);
    // Has what waits sent and the lists read afresh, soon; returns the round's number.
    quint64 sendSoon();
    // Why the server could not be used last time it was tried; empty once it answered.
    QString problem() const;

    // Runs `work` on the server's connection and waits for it; `failed` when the server could
    // not be reached or did not answer in time.
    template <typename T>
    T call(std::function<T(Store &)> work, T failed);

signals:
    // A round of sending is over (the round of that number, and those before it); `waiting`
    // attempts are still in the outbox.
    void roundDone(int waiting, quint64 round);

private:
    void run(std::function<void(Store *)> work);

    QString service_;
    Outbox outbox_;
    QThread thread_;
    Courier *courier_ = nullptr;
    quint64 rounds_ = 0;
    mutable QMutex mutex_;
    QString problem_;
    friend class Courier;
};

// The teacher's room's register, each call made on the server through the link.
class RemoteRegister : public Register {
public:
    explicit RemoteRegister(ServerLink *link) : link_(link) {}
    bool ok() const override;
    QString error() const override;
    QString path() const override { return QStringLiteral("service=") + link_->service(); }
    bool mayChange() const override;
    qint64 addClass(const QString &name) override;
    QList<ClassInfo> classes() const override;
    bool renameClass(qint64 classId, const QString &name) override;
    bool removeClass(qint64 classId) override;
    int addPupils(qint64 classId, const QStringList &names) override;
    QList<Pupil> pupils(qint64 classId) const override;
    bool renamePupil(qint64 pupilId, const QString &name) override;
    bool removePupil(qint64 pupilId) override;
    bool record(const Attempt &attempt) override;
    QList<Attempt> attempts(qint64 classId = 0) const override;
    bool deletePupilResults(qint64 pupilId) override;
    bool deleteAllResults() override;
    QString setting(const QString &key) const override;
    bool setSetting(const QString &key, const QString &value) override;

private:
    // After a change to the class lists: the picker here offers them at once, not at the next round.
    template <typename T>
    T changed(T result)
    {
        link_->sendSoon();
        return result;
    }
    ServerLink *link_;
};

template <typename T>
T ServerLink::call(std::function<T(Store &)> work, T failed)
{
    auto result = std::make_shared<std::optional<T>>();
    auto guard = std::make_shared<QMutex>();
    run([work = std::move(work), result, guard](Store *s) {
        if (!s)
            return;
        T r = work(*s);
        const QMutexLocker lock(guard.get());
        *result = std::move(r);
    });
    const QMutexLocker lock(guard.get());
    return result->has_value() ? std::move(**result) : failed;
}

}  // namespace reg
