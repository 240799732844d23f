// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/link.h"

#include "services/logging.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

namespace reg {

// Lives on the link's thread, where its connections were made (Qt SQL connections stay on theirs).
class Courier : public QObject {
public:
    Courier(ServerLink *link, QString service, QString outboxPath)
        : link_(link), service_(std::move(service)), outboxPath_(std::move(outboxPath))
    {
    }

    void begin()
    {
        timer_ = new QTimer(this);
        timer_->setInterval(ServerLink::kRoundMs);
        connect(timer_, &QTimer::timeout, this, [this] { round(0); });
        timer_->start();
        round(0);
    }

    // The server's connection, made again after it failed; null while it cannot be had.
    Store *server()
    {
        if (!server_) {
            server_ = std::make_unique<Store>(Server{service_});
            if (!server_->ok()) {
                setProblem(server_->error());
                server_.reset();
                return nullptr;
            }
            setProblem({});
        }
        return server_.get();
    }

    // After a statement failed: a connection that no longer answers is made afresh next time.
    void check()
    {
        if (server_ && !server_->answers()) {
            setProblem(QStringLiteral("The school's register stopped answering."), true);
            server_.reset();
        }
    }

    void round(quint64 number)
    {
        if (!outbox_)
            outbox_ = std::make_unique<Outbox>(outboxPath_);
        if (Store *s = server()) {
            sendWaiting(s);
            if (server_)
                copyLists(server_.get());
        }
        emit link_->roundDone(outbox_->count(), number);
    }

private:
    void sendWaiting(Store *s)
    {
        for (const Attempt &a : outbox_->waiting()) {
            // Sent again after a reply that never came, it is kept once: the server knows its UUID.
            if (s->record(a)) {
                outbox_->forget(a.uuid);
                continue;
            }
            check();
            if (!server_)
                return;  // cut off: the rest wait, in order
            if (s->lastFailure() == QLatin1String("23503")) {
                // Its pupil has been removed from the register since: their results went with them.
                qCWarning(lcRegister) << "an attempt of a pupil no longer in the register was not sent";
                outbox_->forget(a.uuid);
                continue;
            }
            // Refused for another reason (the role's rights, say): nothing is dropped.
            setProblem(QStringLiteral("The school's register refused an attempt: ") + s->lastFailure(), true);
            return;
        }
    }

    void copyLists(Store *s)
    {
        const QList<ClassInfo> classes = s->classes();
        QList<Pupil> pupils;
        for (const ClassInfo &c : classes)
            pupils += s->pupils(c.id);
        // Lists half read from a server that stopped answering would hide names from the picker.
        check();
        if (server_)
            outbox_->setLists(classes, pupils);
    }

    // The store has logged its own failures; the courier's are logged as they first happen.
    void setProblem(const QString &why, bool log = false)
    {
        const QMutexLocker lock(&link_->mutex_);
        if (log && why != link_->problem_)
            qCWarning(lcRegister).noquote() << why;
        link_->problem_ = why;
    }

    ServerLink *link_;
    QString service_;
    QString outboxPath_;
    QTimer *timer_ = nullptr;
    std::unique_ptr<Store> server_;
    std::unique_ptr<Outbox> outbox_;
};

ServerLink::ServerLink(const QString &service, const QString &outboxPath) : service_(service), outbox_(outboxPath)
{
    courier_ = new Courier(this, service, outboxPath);
    courier_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("register courier"));
    thread_.start();
    QMetaObject::invokeMethod(courier_, [c = courier_] { c->begin(); }, Qt::QueuedConnection);
}

ServerLink::~ServerLink()
{
    // Its connections close on the thread that made them.
    QMetaObject::invokeMethod(courier_, [c = courier_] { delete c; }, Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

bool ServerLink::record(const Attempt &attempt)
{
    const bool kept = outbox_.add(attempt);
    sendSoon();
    return kept;
}

quint64 ServerLink::sendSoon()
{
    const quint64 number = ++rounds_;
    QMetaObject::invokeMethod(courier_, [c = courier_, number] { c->round(number); }, Qt::QueuedConnection);
    return number;
}

QString ServerLink::problem() const
{
    const QMutexLocker lock(&mutex_);
    return problem_;
}

void ServerLink::run(std::function<void(Store *)> work)
{
    QEventLoop wait;
    QPointer<QEventLoop> waiting(&wait);
    QMetaObject::invokeMethod(courier_, [this, c = courier_, work = std::move(work), waiting] {
        Store *s = c->server();
        work(s);
        if (s)
            c->check();
        QMetaObject::invokeMethod(this, [waiting] {
            if (waiting)
                waiting->quit();
        }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
    QTimer::singleShot(kCallWaitMs, &wait, &QEventLoop::quit);
    // The screen goes on painting; what the teacher clicks meanwhile waits for the answer.
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

bool RemoteRegister::ok() const { return link_->call<bool>([](Store &) { return true; }, false); }
QString RemoteRegister::error() const { return link_->problem(); }
bool RemoteRegister::mayChange() const { return link_->call<bool>([](Store &s) { return s.mayChange(); }, false); }

qint64 RemoteRegister::addClass(const QString &name)
{
    return changed(link_->call<qint64>([name](Store &s) { return s.addClass(name); }, 0));
}
QList<ClassInfo> RemoteRegister::classes() const
{
    return link_->call<QList<ClassInfo>>([](Store &s) { return s.classes(); }, {});
}
bool RemoteRegister::renameClass(qint64 classId, const QString &name)
{
    return changed(link_->call<bool>([=](Store &s) { return s.renameClass(classId, name); }, false));
}
bool RemoteRegister::removeClass(qint64 classId)
{
    return changed(link_->call<bool>([=](Store &s) { return s.removeClass(classId); }, false));
}
int RemoteRegister::addPupils(qint64 classId, const QStringList &names)
{
    return changed(link_->call<int>([=](Store &s) { return s.addPupils(classId, names); }, -1));
}
QList<Pupil> RemoteRegister::pupils(qint64 classId) const
{
    return link_->call<QList<Pupil>>([=](Store &s) { return s.pupils(classId); }, {});
}
bool RemoteRegister::renamePupil(qint64 pupilId, const QString &name)
{
    return changed(link_->call<bool>([=](Store &s) { return s.renamePupil(pupilId, name); }, false));
}
bool RemoteRegister::removePupil(qint64 pupilId)
{
    return changed(link_->call<bool>([=](Store &s) { return s.removePupil(pupilId); }, false));
}
bool RemoteRegister::record(const Attempt &attempt) { return link_->record(attempt); }
QList<Attempt> RemoteRegister::attempts(qint64 classId) const
{
    return link_->call<QList<Attempt>>([=](Store &s) { return s.attempts(classId); }, {});
}
bool RemoteRegister::deletePupilResults(qint64 pupilId)
{
    return link_->call<bool>([=](Store &s) { return s.deletePupilResults(pupilId); }, false);
}
bool RemoteRegister::deleteAllResults()
{
    return link_->call<bool>([](Store &s) { return s.deleteAllResults(); }, false);
}
QString RemoteRegister::setting(const QString &key) const
{
    return link_->call<QString>([=](Store &s) { return s.setting(key); }, {});
}
bool RemoteRegister::setSetting(const QString &key, const QString &value)
{
    return link_->call<bool>([=](Store &s) { return s.setSetting(key, value); }, false);
}

}  // namespace reg
