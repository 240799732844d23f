// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/classroom.h"

#include "core/attempts.h"
#include "register/link.h"
#include "register/picker.h"
#include "services/logging.h"
#include "services/school.h"
#include "ui/screens.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <QUuid>

namespace classroom {
namespace {

struct Current {
    reg::Pupil pupil;   // id 0: nobody is being recorded
    QString activity;
    QDateTime started;
};

struct Registers {
    std::unique_ptr<reg::Store> file;
    std::unique_ptr<reg::ServerLink> link;
    std::unique_ptr<reg::RemoteRegister> remote;
    QString service;  // empty: this computer's file
};

Registers &open()
{
    // Closed with the application: left to the C++ run-time after main(), a database connection
    // would close after Qt SQL's own statics are gone, and crash the program's exit. Never
    // destroyed by the run-time either: when the display goes away Qt ends the program with
    // exit(), skipping the application's close, and what is kept is already on the disk.
    static Registers &r = *new Registers;
    static const bool closedWithApp = [] {
        qAddPostRoutine([] {
            r.remote.reset();
            r.link.reset();
            r.file.reset();
        });
        return true;
    }();
    Q_UNUSED(closedWithApp);
    return r;
}

Current &current()
{
    static Current c;
    return c;
}

qint64 &lastPupil()
{
    static qint64 id = 0;
    return id;
}

// The class lists the picker offers: the file's, or the server's as last copied.
QList<reg::ClassInfo> classes()
{
    if (reg::ServerLink *l = link())
        return l->outbox().classes();
    reg::Store *s = store();
    return s ? s->classes() : QList<reg::ClassInfo>{};
}

QList<reg::Pupil> pupils(qint64 classId)
{
    if (reg::ServerLink *l = link())
        return l->outbox().pupils(classId);
    reg::Store *s = store();
    return s ? s->pupils(classId) : QList<reg::Pupil>{};
}

void beforeStart(const QString &activity, std::function<void()> start)
{
    current() = {};
    const QList<reg::ClassInfo> offered = classes();
    if (offered.isEmpty()) {
        start();
        return;
    }
    Picker *picker = Screens::get<Picker>();
    picker->offer(activity, offered, pupils, lastPupil(), [activity, start = std::move(start)](const reg::Pupil &pupil) {
        if (pupil.id) {
            current() = {pupil, activity, QDateTime::currentDateTime()};
            lastPupil() = pupil.id;
        }
        start();
    });
    Screens::show<Picker>();
}

void finished(int score, int total, const QString &marks)
{
    Current &c = current();
    if (!c.pupil.id)
        return;
    reg::Attempt a;
    a.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.pupilId = c.pupil.id;
    a.activity = c.activity;
    a.score = score;
    a.total = total;
    a.marks = marks;
    a.started = c.started;
    a.ended = QDateTime::currentDateTime();
    a.computer = QSysInfo::machineHostName();
    reg::ServerLink *l = link();
    reg::Store *s = l ? nullptr : store();
    if (l ? !l->record(a) : (!s || !s->record(a)))
        qCWarning(lcRegister) << "an attempt could not be kept";
    // "Start Again" on the results is the same pupil's next attempt.
    c.started = a.ended;
}

}  // namespace

void install()
{
    attempts::install({beforeStart, finished, [] { return current().pupil.name; }});
    const school::Settings &school = school::settings();
    if (school.store == school::RegisterStore::Postgresql)
        useServer(school.service);
}

void useServer(const QString &service)
{
    Registers &r = open();
    r.remote.reset();
    r.link.reset();
    r.file.reset();
    r.service = service;
    if (!service.isEmpty()) {
        // Started at once: what an earlier run left waiting is sent now.
        r.link = std::make_unique<reg::ServerLink>(service);
        r.remote = std::make_unique<reg::RemoteRegister>(r.link.get());
    }
}

reg::ServerLink *link() { return open().link.get(); }

reg::Store *store()
{
    Registers &r = open();
    if (!r.service.isEmpty())
        return nullptr;
    if (!r.file) {
        // No file, no register: it is made only when a teacher sets one up.
        if (!QFile::exists(reg::Store::defaultPath()))
            return nullptr;
        r.file = std::make_unique<reg::Store>();
    }
    return r.file->ok() ? r.file.get() : nullptr;
}

reg::Register *setUp()
{
    Registers &r = open();
    if (r.remote)
        return r.remote.get();
    if (!r.file || !r.file->ok())
        r.file = std::make_unique<reg::Store>();
    return r.file.get();
}

void reset()
{
    useServer({});
    current() = {};
    lastPupil() = 0;
}

}  // namespace classroom
