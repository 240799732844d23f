// SPDX-License-Identifier: GPL-3.0-or-later
// The register on a school's server (a private PostgreSQL server here), through the real
// screens: quizzes taken while the server is down wait in this computer's outbox and arrive once
// it is back, exactly once, also when a reply was lost; what the server refuses is never dropped
// unless its pupil is gone; a wrong password is told in the teacher's room; ten computers at
// once lose and double nothing.
#include "register/classroom.h"
#include "register/link.h"
#include "register/pin.h"
#include "register/pinpad.h"
#include "register/room.h"
#include "register/walks.h"
#include "support/pgserver.h"
#include "support/testenv.h"

#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QUuid>

namespace {

reg::Attempt attemptOf(qint64 pupil, int minute)
{
    reg::Attempt a;
    a.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.pupilId = pupil;
    a.activity = QStringLiteral("Other Planets: Multiple Choice");
    a.score = 7;
    a.total = 10;
    a.marks = QStringLiteral("1110111011");
    a.started = QDateTime(QDate(2026, 12, 8), QTime(10, minute));
    a.ended = a.started.addSecs(240);
    a.computer = QStringLiteral("suite-%1").arg(minute);
    return a;
}

}  // namespace

class TestSchool : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;
    std::unique_ptr<PgServer> server;
    QList<reg::Pupil> pupils;  // of "Class 4B": Amira, Ben

    // One round of the link's sending done; returns what still waits.
    int round()
    {
        // Told on this thread: the link emits on its own.
        QEventLoop wait;
        int left = -1;
        quint64 mine = 0;
        connect(classroom::link(), &reg::ServerLink::roundDone, &wait, [&](int waiting, quint64 number) {
            if (number == mine) {
                left = waiting;
                wait.quit();
            }
        });
        mine = classroom::link()->sendSoon();
        QTimer::singleShot(20000, &wait, &QEventLoop::quit);
        wait.exec();
        return left;
    }

    QString onServer(const QString &query)
    {
        QString out;
        server->sql(query, &out);
        return out.trimmed();
    }

private slots:
    void initTestCase()
    {
        if (PgServer::binDir().isEmpty())
            QSKIP("no PostgreSQL server is installed (the test command installs postgresql-15)");
        server = std::make_unique<PgServer>();
        QVERIFY(server->ok());
        QVERIFY(server->addSchoolRoles());
    }
    void cleanupTestCase() { server.reset(); }

    void init()
    {
        env = std::make_unique<TestEnv>();
        if (!server->ok())
            QVERIFY(server->start());
        server->useService(QStringLiteral("quillmoor"));
        reg::Store owner(reg::Server{"quillmoor"});
        QVERIFY2(owner.ok(), qPrintable(owner.error()));
        QVERIFY(owner.deleteAllResults());
        for (const reg::ClassInfo &c : owner.classes())
            owner.removeClass(c.id);
        const qint64 c = owner.addClass(QStringLiteral("Class 4B"));
        owner.addPupils(c, {QStringLiteral("Amira"), QStringLiteral("Ben")});
        pupils = owner.pupils(c);
        QVERIFY(owner.setSetting(QStringLiteral("pin"), QString()));
    }
    void cleanup() { env.reset(); }

    // A pupils' computer: the server stops mid-lesson, the quizzes go on and wait; the teacher's
    // room there says the server cannot be reached and how many wait; back, each arrives once.
    void serverStoppedDuringALesson()
    {
        server->useService(QStringLiteral("pupil"));
        classroom::useServer(QStringLiteral("quillmoor"));
        QCOMPARE(round(), 0);  // the class lists copied
        quizAs(QStringLiteral("Amira"), {1, 2, 3, 4, 5, 6, 7, 8});
        QTRY_COMPARE(onServer(QStringLiteral("SELECT count(*) FROM attempts")), QStringLiteral("1"));
        QVERIFY(server->stop());
        quizAs(QStringLiteral("Ben"), {1, 2, 3, 4, 5, 6, 7, 8, 9});
        quizAs(QStringLiteral("Amira"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QCOMPARE(round(), 2);
        QVERIFY2(classroom::link()->problem().startsWith(QStringLiteral("The school's register cannot be reached: ")),
                 qPrintable(classroom::link()->problem()));
        QTest::mouseClick(Screens::show<intro0>()->Label2[21], Qt::LeftButton);  // "Class Register"
        QCOMPARE(env->messages->shown.size(), 1);
        QVERIFY(env->messages->shown[0].startsWith(QStringLiteral("The school's register cannot be reached: ")));
        QVERIFY(env->messages->shown[0].endsWith(QStringLiteral("\n\n2 results from this computer are waiting to be sent to the school's register.")));
        QVERIFY(server->start());
        QCOMPARE(round(), 0);
        QCOMPARE(round(), 0);
        QCOMPARE(onServer(QStringLiteral("SELECT string_agg(p.name || ' ' || a.score, ', ' ORDER BY a.ended)"
                                         " FROM attempts a JOIN pupils p ON p.id = a.pupil_id")),
                 QStringLiteral("Amira 8, Ben 9, Amira 10"));
        // Here the role only adds results: the room says where to go instead.
        QTest::mouseClick(Screens::show<intro0>()->Label2[21], Qt::LeftButton);
        QCOMPARE(env->messages->shown.last(), QStringLiteral("This computer may only add results to the school's register. "
                                                             "Open the Class Register on a teacher's computer."));
    }

    // The outbox sends what the server has already (its reply was lost) once; an attempt of a
    // pupil removed since is let go; one refused for the role's rights waits until they are back.
    void resendsAndRefusals()
    {
        server->useService(QStringLiteral("pupil"));
        reg::Attempt lostReply = attemptOf(pupils[0].id, 1), refused = attemptOf(pupils[1].id, 2), gone = attemptOf(pupils[1].id, 3);
        {
            reg::Store already(reg::Server{"quillmoor"});
            QVERIFY(already.record(lostReply));
        }
        QVERIFY(server->sql(QStringLiteral("INSERT INTO pupils (class_id, name) SELECT class_id, 'Cai' FROM pupils LIMIT 1")));
        gone.pupilId = onServer(QStringLiteral("SELECT id FROM pupils WHERE name = 'Cai'")).toLongLong();
        QVERIFY(server->sql(QStringLiteral("DELETE FROM pupils WHERE name = 'Cai'; REVOKE INSERT ON attempts FROM quillmoor_pupils")));
        {
            reg::Outbox box;
            QVERIFY(box.add(lostReply) && box.add(gone) && box.add(refused));
        }
        classroom::useServer(QStringLiteral("quillmoor"));
        QCOMPARE(round(), 3);  // refused at the first: the order is kept, nothing dropped
        QVERIFY2(classroom::link()->problem().contains(QStringLiteral("42501")), qPrintable(classroom::link()->problem()));
        QVERIFY(server->sql(QStringLiteral("GRANT INSERT ON attempts TO quillmoor_pupils")));
        QCOMPARE(round(), 0);
        QCOMPARE(onServer(QStringLiteral("SELECT string_agg(computer, ' ' ORDER BY ended) FROM attempts")), QStringLiteral("suite-1 suite-2"));
    }

    // A server that sits on a statement (a table locked by someone else): the quiz's results show
    // at once, the attempt waits in the outbox while the statement is cut off after its timeout,
    // and it is sent once the server answers again.
    void slowServer()
    {
        server->useService(QStringLiteral("pupil"));
        classroom::useServer(QStringLiteral("quillmoor"));
        QCOMPARE(round(), 0);
        QProcess holder;
        holder.start(PgServer::binDir() + QStringLiteral("/psql"),
                     {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-h"), server->socketDir(), QStringLiteral("-U"),
                      QStringLiteral("quillmoor"), QStringLiteral("-d"), QStringLiteral("register"), QStringLiteral("-c"),
                      QStringLiteral("BEGIN; LOCK TABLE attempts IN ACCESS EXCLUSIVE MODE; SELECT pg_sleep(12); COMMIT;")});
        QTRY_COMPARE(onServer(QStringLiteral("SELECT count(*) FROM pg_locks WHERE relation = 'attempts'::regclass AND granted")),
                     QStringLiteral("1"));
        quizAs(QStringLiteral("Amira"), {1, 2, 3, 4, 5, 6, 7});
        QCOMPARE(classroom::link()->outbox().count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(classroom::link()->problem().contains(QStringLiteral("57014")), 11000);  // cut off
        QCOMPARE(holder.state(), QProcess::Running);  // all the while the table was held
        QVERIFY(holder.waitForFinished(20000));
        QCOMPARE(round(), 0);
        QCOMPARE(onServer(QStringLiteral("SELECT string_agg(score::text, ' ') FROM attempts")), QStringLiteral("7"));
    }

    // A teacher's computer whose attempts the server refuses for now: the room says how many wait
    // here, and says no more once they are sent.
    void roomSaysWhatWaits()
    {
        server->useService(QStringLiteral("teacher"));
        QVERIFY(server->sql(QStringLiteral("REVOKE INSERT ON attempts FROM quillmoor_teachers")));
        classroom::useServer(QStringLiteral("quillmoor"));
        QCOMPARE(round(), 0);
        quizAs(QStringLiteral("Ben"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QCOMPARE(round(), 1);
        QVERIFY(classroom::setUp()->setSetting(QStringLiteral("pin"), pin::hash(QStringLiteral("2468"))));
        QTest::mouseClick(Screens::show<intro0>()->Label2[21], Qt::LeftButton);  // "Class Register"
        PinPad *pad = Screens::find<PinPad>();
        QVERIFY(pad && pad->isVisible());
        QTest::keyClicks(pad->Text1, QStringLiteral("2468"));
        QTest::mouseClick(pad->Command1, Qt::LeftButton);
        Room *room = Screens::find<Room>();
        QVERIFY(room && room->isVisible());
        QCOMPARE(room->waiting->text(), QStringLiteral("1 result from this computer is waiting to be sent to the school's register."));
        QVERIFY(server->sql(QStringLiteral("GRANT INSERT ON attempts TO quillmoor_teachers")));
        QCOMPARE(round(), 0);
        QTRY_COMPARE(room->waiting->text(), QString());
        // A name added in the room is offered by this computer's picker straight away.
        QCOMPARE(classroom::setUp()->addPupils(room->classId(), {QStringLiteral("Cai")}), 1);
        QTRY_COMPARE(classroom::link()->outbox().pupils(room->classId()).size(), 3);
    }

    // A wrong password: told in the room and the log, and the quiz still waits in the outbox.
    void wrongPassword()
    {
        QVERIFY(server->requirePassword(QStringLiteral("teacher"), QStringLiteral("right-one")));
        server->useService(QStringLiteral("teacher"));
        classroom::useServer(QStringLiteral("quillmoor"));
        QCOMPARE(round(), 0);
        QVERIFY2(classroom::link()->problem().contains(QStringLiteral("password")), qPrintable(classroom::link()->problem()));
        // No class lists came, so no picker: the quiz runs on as on one computer.
        QTest::mouseClick(Screens::show<intro0>()->Label2[21], Qt::LeftButton);
        QCOMPARE(env->messages->shown.size(), 1);
        QVERIFY2(env->messages->shown[0].startsWith(QStringLiteral("The school's register cannot be reached: ")) && env->messages->shown[0].contains(QStringLiteral("password")),
                 qPrintable(env->messages->shown[0]));
        QVERIFY(server->sql(QStringLiteral("ALTER ROLE teacher PASSWORD NULL")));
    }

    // Ten computers sending a hundred attempts each at once, each sent twice: all there, once.
    void tenComputersAtOnce()
    {
        server->useService(QStringLiteral("pupil"));
        std::vector<std::unique_ptr<QThread>> computers;
        std::atomic<int> failed = 0;
        for (int c = 0; c < 10; ++c)
            computers.emplace_back(QThread::create([this, c, &failed] {
                reg::Store s(reg::Server{"quillmoor"});
                for (int i = 0; i < 100; ++i) {
                    reg::Attempt a = attemptOf(pupils[i % 2].id, i % 60);
                    a.computer = QStringLiteral("computer-%1").arg(c);
                    failed += !s.record(a) + !s.record(a);
                }
            }));
        for (auto &t : computers)
            t->start();
        for (auto &t : computers)
            QVERIFY(t->wait(120000));
        QCOMPARE(failed.load(), 0);
        QCOMPARE(onServer(QStringLiteral("SELECT count(*) || ' ' || count(DISTINCT uuid) || ' ' || count(DISTINCT computer) FROM attempts")),
                 QStringLiteral("1000 1000 10"));
    }
};

QTEST_MAIN(TestSchool)
#include "tst_school.moc"
