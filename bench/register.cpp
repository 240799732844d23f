// SPDX-License-Identifier: GPL-3.0-or-later
// The class register at a year's size: 30 pupils with 200 attempts each (6,000 rows) in a real
// SQLite file. Times opening the file, reading every attempt with the teacher's sums, filling the
// teacher's room from it, and recording one attempt, committed. Medians.
// With --make FOLDER it only writes that register into FOLDER (a data folder, as XDG_DATA_HOME),
// for bench/startup.sh to time the program's start with the register on.
#include "register/store.h"
#include "register/room.h"
#include "register/summary.h"
#include "ui/screens.h"
#include "ui/stage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUuid>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
double medianMs(int runs, const std::function<void()> &job)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        job();
        t.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

reg::Attempt attempt(qint64 pupil, int n)
{
    reg::Attempt a;
    a.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.pupilId = pupil;
    a.activity = n % 3 == 0 ? QStringLiteral("Other Planets: Multiple Choice") : QStringLiteral("Measuring Temperature: Multiple Choice");
    a.score = n % 11;
    a.total = 10;
    for (int q = 0; q < 10; ++q)
        a.marks += (n + q) % 3 ? QLatin1Char('1') : QLatin1Char('0');
    a.started = QDateTime::currentDateTime().addSecs(-n * 60);
    a.ended = a.started.addSecs(300);
    a.computer = QStringLiteral("suite-01");
    return a;
}
// The room needs a stage to stand on; the program's own is in a higher floor.
class BenchStage : public Stage {
public:
    BenchStage() : Stage(QStringLiteral("bench")) {}
};
}  // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const bool makeOnly = argc == 3 && qstrcmp(argv[1], "--make") == 0;
    const QString file = makeOnly ? QDir(QString::fromLocal8Bit(argv[2])).filePath(QStringLiteral("quillmoor/register.sqlite"))
                                  : dir.filePath(QStringLiteral("register.sqlite"));
    if (makeOnly)
        QDir().mkpath(QFileInfo(file).path());
    {
        reg::Store store(file);
        const qint64 c = store.addClass(QStringLiteral("Class 4B"));
        QStringList names;
        for (int p = 0; p < 30; ++p)
            names << QStringLiteral("Pupil %1").arg(p);
        store.addPupils(c, names);
        int n = 0;
        for (const reg::Pupil &p : store.pupils(c))
            for (int i = 0; i < 200; ++i)
                store.record(attempt(p.id, n++));
    }
    if (makeOnly)
        return 0;
    const double open = medianMs(20, [&] {
        reg::Store s(file);
        s.classes();
    });
    reg::Store store(file);
    const qint64 c = store.classes().first().id;
    const double view = medianMs(20, [&] {
        const QList<reg::Attempt> all = store.attempts(c);
        summary::scores(all);
        summary::questions(all, QStringLiteral("Other Planets: Multiple Choice"));
    });
    // The teacher's room itself: its lists and results table filled from the file.
    Screens::setStage<BenchStage>();
    Room *room = Screens::get<Room>();
    const double roomOpen = medianMs(20, [&] { room->open(&store); });
    const qint64 pupil = store.pupils(c).first().id;
    int n = 100000;
    const double record = medianMs(50, [&] { store.record(attempt(pupil, n++)); });
    std::printf("rows %lld\nopen and list classes %.2f ms\nread all and sum (teacher's view) %.2f ms\n"
                "the teacher's room filled %.2f ms\nrecord one, committed %.2f ms\n",
                static_cast<long long>(store.attempts().size()), open, view, roomOpen, record);
    return 0;
}
