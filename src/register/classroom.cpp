// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/classroom.h"

#include "core/attempts.h"
#include "register/picker.h"
#include "services/logging.h"
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

std::unique_ptr<reg::Store> &open()
{
    static std::unique_ptr<reg::Store> s;
    // Closed with the application: left to the C++ run-time after main(), its database
    // connection would close after Qt SQL's own statics are gone, and crash the program's exit.
    static const bool closedWithApp = [] {
        qAddPostRoutine([] { s.reset(); });
        return true;
    }();
    Q_UNUSED(closedWithApp);
    return s;
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

void beforeStart(const QString &activity, std::function<void()> start)
{
    current() = {};
    reg::Store *s = store();
    const QList<reg::ClassInfo> classes = s ? s->classes() : QList<reg::ClassInfo>{};
    if (classes.isEmpty()) {
        start();
        return;
    }
    Picker *picker = Screens::get<Picker>();
    picker->offer(activity, classes, [s](qint64 classId) { return s->pupils(classId); }, lastPupil(),
                  [activity, start = std::move(start)](const reg::Pupil &pupil) {
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
    reg::Store *s = store();
    if (!c.pupil.id || !s)
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
    if (!s->record(a))
        qCWarning(lcRegister) << "an attempt could not be kept";
    // "Start Again" on the results is the same pupil's next attempt.
    c.started = a.ended;
}

}  // namespace

void install()
{
    attempts::install({beforeStart, finished, [] { return current().pupil.name; }});
}

reg::Store *store()
{
    std::unique_ptr<reg::Store> &s = open();
    if (!s) {
        // No file, no register: it is made only when a teacher sets one up.
        if (!QFile::exists(reg::Store::defaultPath()))
            return nullptr;
        s = std::make_unique<reg::Store>();
    }
    return s->ok() ? s.get() : nullptr;
}

reg::Store *setUp()
{
    std::unique_ptr<reg::Store> &s = open();
    if (!s || !s->ok())
        s = std::make_unique<reg::Store>();
    return s.get();
}

void reset()
{
    open().reset();
    current() = {};
    lastPupil() = 0;
}

}  // namespace classroom
