// SPDX-License-Identifier: GPL-3.0-or-later
// The register on a school's server: a private PostgreSQL server on this machine, syncing each
// commit to the disk as a school's would. Ten computers (one connection each) record 100
// attempts apiece at once: attempts a second and the slowest commit. Then the outbox's catch-up:
// 1,000 attempts waiting on one computer, sent by its link after an outage, oldest first.
#include "register/link.h"
#include "register/store.h"
#include "support/pgserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {
reg::Attempt attempt(qint64 pupil, int n, const QString &computer)
{
    reg::Attempt a;
    a.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.pupilId = pupil;
    a.activity = QStringLiteral("Other Planets: Multiple Choice");
    a.score = n % 11;
    a.total = 10;
    a.marks = QStringLiteral("1101110111");
    a.started = QDateTime::currentDateTime().addSecs(-n * 60);
    a.ended = a.started.addSecs(300);
    a.computer = computer;
    return a;
}
}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (PgServer::binDir().isEmpty()) {
        std::fprintf(stderr, "bench_school: no PostgreSQL server is installed (postgresql-15)\n");
        return 1;
    }
    PgServer server(true);
    if (!server.ok() || !server.sql(QStringLiteral("CREATE ROLE quillmoor_pupils; CREATE ROLE pupil LOGIN IN ROLE quillmoor_pupils")))
        return 1;
    server.useService(QStringLiteral("quillmoor"));
    QList<reg::Pupil> pupils;
    {
        reg::Store owner(reg::Server{"quillmoor"});
        const qint64 c = owner.addClass(QStringLiteral("Class 4B"));
        QStringList names;
        for (int p = 0; p < 30; ++p)
            names << QStringLiteral("Pupil %1").arg(p);
        owner.addPupils(c, names);
        pupils = owner.pupils(c);
    }
    server.useService(QStringLiteral("pupil"));

    constexpr int kComputers = 10, kEach = 100;
    std::vector<std::unique_ptr<QThread>> computers;
    std::vector<double> slowest(kComputers, 0);
    std::atomic<int> failed = 0;
    for (int c = 0; c < kComputers; ++c)
        computers.emplace_back(QThread::create([&, c] {
            reg::Store s(reg::Server{"quillmoor"});
            for (int i = 0; i < kEach; ++i) {
                const reg::Attempt a = attempt(pupils[(c * kEach + i) % pupils.size()].id, i, QStringLiteral("suite-%1").arg(c));
                QElapsedTimer t;
                t.start();
                failed += !s.record(a);
                slowest[std::size_t(c)] = std::max(slowest[std::size_t(c)], t.nsecsElapsed() / 1e6);
            }
        }));
    QElapsedTimer all;
    all.start();
    for (auto &t : computers)
        t->start();
    for (auto &t : computers)
        t->wait();
    const double seconds = all.nsecsElapsed() / 1e9;
    std::printf("%d computers x %d attempts: %.0f attempts a second, slowest commit %.1f ms, %d failed\n", kComputers, kEach,
                kComputers * kEach / seconds, *std::max_element(slowest.begin(), slowest.end()), failed.load());

    // The catch-up: 1,000 attempts waiting in one computer's outbox when its link starts.
    QTemporaryDir local;
    const QString outboxPath = local.filePath(QStringLiteral("outbox.sqlite"));
    {
        reg::Outbox box(outboxPath);
        for (int i = 0; i < 1000; ++i)
            box.add(attempt(pupils[i % pupils.size()].id, i, QStringLiteral("suite-catch-up")));
    }
    QElapsedTimer catchUp;
    catchUp.start();
    reg::ServerLink link(QStringLiteral("quillmoor"), outboxPath);
    QEventLoop wait;
    int left = -1;
    QObject::connect(&link, &reg::ServerLink::roundDone, &wait, [&](int waiting) {
        left = waiting;
        wait.quit();
    });
    wait.exec();
    const double catchUpS = catchUp.nsecsElapsed() / 1e9;
    std::printf("outbox catch-up: 1000 attempts sent in %.2f s (%.0f a second), %d left waiting\n", catchUpS, 1000 / catchUpS, left);
    return failed.load() == 0 && left == 0 ? 0 : 1;
}
