// SPDX-License-Identifier: GPL-3.0-or-later
// The class register's store on a real SQLite file and a private PostgreSQL server, its CSV files, the PIN, the teacher's sums,
// and the technician's commands run as a technician would.
#include "register/csv.h"
#include "register/pin.h"
#include "register/store.h"
#include "register/summary.h"
#include "services/paths.h"
#include "support/pgserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <QUuid>

namespace {

reg::Attempt attempt(qint64 pupil, const QString &activity, int score, const QString &marks, int minute)
{
    reg::Attempt a;
    a.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    a.pupilId = pupil;
    a.activity = activity;
    a.score = score;
    a.total = marks.isEmpty() ? 8 : int(marks.size());
    a.marks = marks;
    a.started = QDateTime(QDate(2026, 12, 7), QTime(9, minute));
    a.ended = a.started.addSecs(300);
    a.computer = QStringLiteral("suite-01");
    return a;
}

// Runs SQL statements (one a line; "--" lines are comments) on a file, as another program would.
void sqlOn(const QString &path, const QString &sql)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &line : sql.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("--")))
                QVERIFY2(q.exec(line), qPrintable(line));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestRegister : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString file() const { return dir.filePath(QStringLiteral("quillmoor/register.sqlite")); }

    std::unique_ptr<PgServer> server;

    // The service "quillmoor" as the role; skips the test when this machine has no PostgreSQL.
    void useServer(const QString &role, const QString &database = QStringLiteral("register"))
    {
        if (!server || !server->ok())
            QSKIP("no PostgreSQL server is installed (the test command installs postgresql-15)");
        server->useService(role, database);
    }

private slots:
    void initTestCase()
    {
        if (PgServer::binDir().isEmpty())
            return;
        server = std::make_unique<PgServer>();
        QVERIFY(server->ok());
        QVERIFY(server->addSchoolRoles());
    }
    void cleanupTestCase() { server.reset(); }

    void init()
    {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
    }

    // A first-version file opens in this version with everything it held.
    void versionOneFileOpens()
    {
        QFile v1(QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/data/register-v1.sql"));
        QVERIFY(v1.open(QIODevice::ReadOnly));
        QDir().mkpath(dir.filePath(QStringLiteral("quillmoor")));
        sqlOn(file(), QString::fromUtf8(v1.readAll()));
        reg::Store store(file());
        QVERIFY2(store.ok(), qPrintable(store.error()));
        QCOMPARE(store.setAside(), QString());
        const QList<reg::ClassInfo> classes = store.classes();
        QCOMPARE(classes.size(), 1);
        QCOMPARE(classes[0].name, QStringLiteral("Class 4B"));
        QCOMPARE(store.pupils(classes[0].id).size(), 2);
        const QList<reg::Attempt> all = store.attempts();
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[1].pupil, QStringLiteral("Zoë"));
        QCOMPARE(all[1].ended, QDateTime(QDate(2026, 11, 2), QTime(9, 8), Qt::UTC).toLocalTime());
        QVERIFY(store.record(attempt(1, QStringLiteral("Other Planets: Multiple Choice"), 9, QStringLiteral("1111111110"), 30)));
    }

    // A file a newer program wrote is left exactly as it is, and nothing is kept in it.
    void newerFileLeftAlone()
    {
        reg::Store(file()).addClass(QStringLiteral("Class 5"));
        sqlOn(file(), QStringLiteral("PRAGMA user_version=99"));
        const QByteArray before = read(file());
        reg::Store store(file());
        QVERIFY(!store.ok());
        QVERIFY(store.error().contains(QStringLiteral("newer version")));
        QVERIFY(store.classes().isEmpty());
        QCOMPARE(read(file()), before);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("quillmoor"))).entryList({QStringLiteral("*damaged*")}), QStringList());
    }

    // A damaged file is moved aside, dated, byte for byte; a fresh register takes its place.
    void damagedFileSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("Class 4B,Amira\r\n").repeated(300);
        QByteArray header("SQLite format 3\0", 16);
        QTest::newRow("a header and nothing sound") << header + QByteArray(4080, '\xff');
        QTest::newRow("zeros") << QByteArray(8192, '\0');
    }
    void damagedFileSetAside()
    {
        QFETCH(QByteArray, content);
        write(file(), content);
        reg::Store store(file());
        QVERIFY2(store.ok(), qPrintable(store.error()));
        QVERIFY(store.setAside().endsWith(QStringLiteral("register-damaged-") + QDate::currentDate().toString(Qt::ISODate) + QStringLiteral(".sqlite")));
        QCOMPARE(read(store.setAside()), content);
        const qint64 id = store.addClass(QStringLiteral("Class 4B"));
        QCOMPARE(store.addPupils(id, {QStringLiteral("Amira")}), 1);
    }

    // What is recorded is there for a second copy of the program at once (on this computer's
    // file, or another computer on the school's server), kept once, owner-only on a file;
    // deleting a pupil, their results or all results leaves nothing of them.
    void recordShareAndDelete_data()
    {
        QTest::addColumn<bool>("server");
        QTest::newRow("this computer's file") << false;
        QTest::newRow("the school's server") << true;
    }
    void recordShareAndDelete()
    {
        QFETCH(bool, server);
        if (server)
            useServer(QStringLiteral("quillmoor"));
        std::unique_ptr<reg::Store> first = server ? std::make_unique<reg::Store>(reg::Server{"quillmoor"}) : std::make_unique<reg::Store>(file());
        std::unique_ptr<reg::Store> second = server ? std::make_unique<reg::Store>(reg::Server{"quillmoor"}) : std::make_unique<reg::Store>(file());
        reg::Store &one = *first, &two = *second;
        QVERIFY2(one.ok() && two.ok(), qPrintable(one.error() + two.error()));
        const qint64 c = one.addClass(QStringLiteral("Class 4B"));
        QCOMPARE(one.addClass(QStringLiteral("class 4b ")), c);
        QCOMPARE(one.addPupils(c, {QStringLiteral("Amira"), QStringLiteral(" Ben  Ode "), QString(), QStringLiteral("amira")}), 2);
        QCOMPARE(one.addPupils(c, {QStringLiteral("Ben Ode"), QStringLiteral("Cai")}), 1);
        const QList<reg::Pupil> pupils = two.pupils(c);
        QCOMPARE(pupils.size(), 3);
        const reg::Attempt a = attempt(pupils[0].id, QStringLiteral("Other Planets: Multiple Choice"), 8, QStringLiteral("1111011101"), 0);
        QVERIFY(one.record(a));
        QVERIFY(two.record(a));  // sent again: kept once
        QVERIFY(two.record(attempt(pupils[1].id, QStringLiteral("Other Planets: Multiple Choice"), 5, QStringLiteral("1010101010"), 1)));
        QList<reg::Attempt> seen = one.attempts(c);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].uuid, a.uuid);
        QCOMPARE(seen[0].pupil, QStringLiteral("Amira"));
        QCOMPARE(seen[0].className, QStringLiteral("Class 4B"));
        QCOMPARE(seen[0].marks, a.marks);
        QCOMPARE(seen[0].started, a.started);
        QCOMPARE(seen[1].ended, seen[1].started.addSecs(300));
        if (!server) {
            const QFile::Permissions perms = QFile::permissions(file());
            QVERIFY(perms.testFlags(QFile::ReadOwner | QFile::WriteOwner));
            QVERIFY(!(perms & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        }
        QVERIFY(one.deletePupilResults(pupils[0].id));
        QCOMPARE(two.attempts().size(), 1);
        QVERIFY(one.removePupil(pupils[1].id));
        QCOMPARE(two.attempts().size(), 0);
        QCOMPARE(two.pupils(c).size(), 2);
        QVERIFY(one.record(attempt(pupils[2].id, QStringLiteral("Measuring Temperature: Labelling Activity"), 4, QString(), 2)));
        QVERIFY(two.deleteAllResults());
        QCOMPARE(one.attempts().size(), 0);
        QVERIFY(one.removeClass(c));
        QVERIFY(two.classes().isEmpty());
        QVERIFY(one.setSetting(QStringLiteral("pin"), QStringLiteral("x")) && one.setSetting(QStringLiteral("pin"), QStringLiteral("y")));
        QCOMPARE(two.setting(QStringLiteral("pin")), QStringLiteral("y"));
    }

    // The technician's two group roles: a pupils' computer reads the class lists and adds
    // attempts, and nothing else; a teacher's reads and deletes. A role or service that is not
    // there is an error in words, not a damaged register.
    void serverRoles()
    {
        useServer(QStringLiteral("teacher"));
        reg::Store teacher(reg::Server{"quillmoor"});
        QVERIFY2(teacher.ok(), qPrintable(teacher.error()));
        const qint64 c = teacher.addClass(QStringLiteral("Class 5R"));
        QCOMPARE(teacher.addPupils(c, {QStringLiteral("Dev"), QStringLiteral("Efe")}), 2);
        QVERIFY(teacher.setSetting(QStringLiteral("pin"), QStringLiteral("hash")));

        useServer(QStringLiteral("pupil"));
        reg::Store pupil(reg::Server{"quillmoor"});
        QVERIFY2(pupil.ok(), qPrintable(pupil.error()));
        QCOMPARE(pupil.classes().size(), 1);
        const QList<reg::Pupil> names = pupil.pupils(c);
        QCOMPARE(names.size(), 2);
        const reg::Attempt a = attempt(names[1].id, QStringLiteral("Other Planets: Ordering Activity"), 8, QString(), 3);
        QVERIFY(pupil.record(a));
        QVERIFY(pupil.record(a));  // the reply was lost and it was sent again
        QVERIFY(pupil.attempts().isEmpty());
        QVERIFY(!pupil.deleteAllResults());
        QVERIFY(!pupil.removeClass(c));
        QVERIFY(pupil.addClass(QStringLiteral("Class 6")) == 0);
        QVERIFY(pupil.setting(QStringLiteral("pin")).isEmpty());

        const QList<reg::Attempt> kept = teacher.attempts(c);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].pupil, QStringLiteral("Efe"));
        QCOMPARE(kept[0].started, a.started);
        QVERIFY(teacher.deletePupilResults(names[1].id));
        QVERIFY(teacher.attempts().isEmpty());
        QVERIFY(teacher.removeClass(c));

        useServer(QStringLiteral("nobody_here"));
        reg::Store unknown(reg::Server{"quillmoor"});
        QVERIFY(!unknown.ok());
        QVERIFY2(unknown.error().startsWith(QStringLiteral("The school's register cannot be reached: ")), qPrintable(unknown.error()));
        reg::Store noService(reg::Server{"not_in_the_file"});
        QVERIFY(!noService.ok());
        QVERIFY2(noService.error().contains(QStringLiteral("not_in_the_file")), qPrintable(noService.error()));
    }

    // A server whose tables a newer program made is left as it is; one the role may not set up says so.
    void serverNotOurs()
    {
        useServer(QStringLiteral("quillmoor"));
        QVERIFY(reg::Store(reg::Server{"quillmoor"}).ok());
        QVERIFY(server->sql(QStringLiteral("UPDATE schema_version SET version = 99")));
        reg::Store newer(reg::Server{"quillmoor"});
        QCOMPARE(newer.error(), QStringLiteral("The school's register was made by a newer version of Quillmoor; results are not being kept."));
        QVERIFY(server->sql(QStringLiteral("UPDATE schema_version SET version = 1")));
        QVERIFY(server->sql(QStringLiteral("CREATE DATABASE empty"), nullptr, QStringLiteral("postgres")));
        useServer(QStringLiteral("teacher"), QStringLiteral("empty"));
        reg::Store unset(reg::Server{"quillmoor"});
        QVERIFY2(unset.error().startsWith(QStringLiteral("The school's register on the server is not set up")), qPrintable(unset.error()));
    }

    void csvField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Amira" << "\"Amira\"";
        QTest::newRow("empty") << "" << "\"\"";
        QTest::newRow("comma") << "Ode, Ben" << "\"Ode, Ben\"";
        QTest::newRow("quote") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
        QTest::newRow("line break") << "two\nlines" << "\"two\nlines\"";
        QTest::newRow("formula") << "=HYPERLINK(\"x\")" << "\"'=HYPERLINK(\"\"x\"\")\"";
        QTest::newRow("plus") << "+1" << "\"'+1\"";
        QTest::newRow("minus") << "-5 °C" << "\"'-5 °C\"";
        QTest::newRow("at") << "@SUM(A1)" << "\"'@SUM(A1)\"";
        QTest::newRow("tab") << "\tx" << "\"'\tx\"";
        QTest::newRow("inside") << "a=b" << "\"a=b\"";
    }
    void csvField()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        QCOMPARE(csv::field(text), field);
        // and a reader gets the text back (the apostrophe aside)
        QCOMPARE(csv::rows(field + QStringLiteral(",x")).value(0).value(0).remove(0, field.startsWith(QLatin1String("\"'")) ? 1 : 0), text);
    }

    void resultsFile()
    {
        reg::Attempt a = attempt(1, QStringLiteral("Other Planets: Multiple Choice"), 8, QStringLiteral("1101111110"), 5);
        a.className = QStringLiteral("Class 4B");
        a.pupil = QStringLiteral("=Zoë");
        QCOMPARE(csv::results({a}),
                 QByteArray("\xEF\xBB\xBF\"Date and time\",\"Class\",\"Pupil\",\"Activity\",\"Score\",\"Total\",\"Questions wrong\",\"Computer\"\r\n"
                            "\"2026-12-07 09:10\",\"Class 4B\",\"'=Zo\xC3\xAB\",\"Other Planets: Multiple Choice\",\"8\",\"10\",\"3 10\",\"suite-01\"\r\n"));
    }

    void classList_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("duplicates");
        QTest::newRow("one a line") << QByteArray("Amira\nBen Ode\nCai\n") << QStringList{"Amira", "Ben Ode", "Cai"} << 0;
        QTest::newRow("BOM, heading, CR LF, blanks") << QByteArray("\xEF\xBB\xBFName\r\nAmira\r\n\r\n  \r\nZo\xC3\xAB\r\n")
                                                     << QStringList{"Amira", "Zoë"} << 0;
        QTest::newRow("Windows-1252") << QByteArray("Zo\xEB\r\nRen\xE9\r\n") << QStringList{"Zoë", "René"} << 0;
        QTest::newRow("duplicates") << QByteArray("Amira\namira\n AMIRA \nBen\n") << QStringList{"Amira", "Ben"} << 2;
        QTest::newRow("named column") << QByteArray("UPN,Pupil name,Year\nA1,Amira,4\nA2,\"Ode, Ben\",4\n")
                                      << QStringList{"Amira", "Ode, Ben"} << 0;
        QTest::newRow("first name and surname") << QByteArray("Surname;Forename\nOde;Ben\nKhan;Amira\n")
                                                << QStringList{"Ben Ode", "Amira Khan"} << 0;
        QTest::newRow("no heading, first column") << QByteArray("Amira,4B\nBen,4B\n") << QStringList{"Amira", "Ben"} << 0;
        QTest::newRow("control characters, spaces") << QByteArray("Am\x01ira\n\tBen\t\n") << QStringList{"Am ira", "Ben"} << 0;
        QTest::newRow("nothing") << QByteArray("\n\n,,\n") << QStringList{} << 0;
        QTest::newRow("unclosed quote") << QByteArray("\"Amira\nBen") << QStringList{"Amira Ben"} << 0;
    }
    void classList()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QFETCH(int, duplicates);
        const csv::Names got = csv::names(file);
        QCOMPARE(got.names, names);
        QCOMPARE(got.duplicates, duplicates);
    }

    // Only the hash is kept, salted afresh; five wrong tries make the next wait 30 seconds,
    // the right PIN included.
    void pinTries()
    {
        for (const char *good : {"0123", "12345678"})
            QVERIFY(pin::wellFormed(QString::fromUtf8(good)));
        for (const char *bad : {"123", "123456789", "12a4", "١٢٣٤", "1234 "})
            QVERIFY2(!pin::wellFormed(QString::fromUtf8(bad)), bad);
        const QString stored = pin::hash(QStringLiteral("2468"));
        QVERIFY(!stored.contains(QStringLiteral("2468")));
        QVERIFY(stored != pin::hash(QStringLiteral("2468")));
        QVERIFY(pin::matches(stored, QStringLiteral("2468")));
        QVERIFY(!pin::matches(stored, QStringLiteral("2469")));
        QVERIFY(!pin::matches(QStringLiteral("pbkdf2-sha256$0$00$00"), QStringLiteral("2468")));
        pin::Guard guard;
        qint64 now = 1000;
        for (int i = 0; i < 4; ++i)
            QVERIFY(!guard.attempt(stored, QStringLiteral("1111"), now++));
        QVERIFY(guard.attempt(stored, QStringLiteral("2468"), now++));  // right: the count starts again
        for (int i = 0; i < 5; ++i)
            QVERIFY(!guard.attempt(stored, QStringLiteral("1111"), now));
        QCOMPARE(guard.waitMs(now), pin::Guard::kWaitMs);
        QVERIFY(!guard.attempt(stored, QStringLiteral("2468"), now + pin::Guard::kWaitMs - 1));
        QVERIFY(guard.attempt(stored, QStringLiteral("2468"), now + pin::Guard::kWaitMs));
    }

    // Latest is the last to end, whatever the order given; best is the highest; a quiz's
    // questions are counted on each pupil's latest attempt only.
    void teachersSums()
    {
        const QString quiz = QStringLiteral("Other Planets: Multiple Choice");
        const QList<reg::Attempt> all{attempt(1, quiz, 9, QStringLiteral("1111111110"), 20),
                                      attempt(1, quiz, 4, QStringLiteral("1100110000"), 30),
                                      attempt(2, quiz, 6, QStringLiteral("0111111000"), 10),
                                      attempt(2, QStringLiteral("Other Planets: Ordering Activity"), 8, QString(), 5)};
        const auto s = summary::scores(all);
        QCOMPARE(s.size(), 3);
        const summary::Scores one = s.value({1, quiz});
        QCOMPARE((QList<int>{one.latest, one.best, one.total, one.attempts}), (QList<int>{4, 9, 10, 2}));
        const summary::Scores two = s.value({2, QStringLiteral("Other Planets: Ordering Activity")});
        QCOMPARE((QList<int>{two.latest, two.best, two.total, two.attempts}), (QList<int>{8, 8, 8, 1}));
        QCOMPARE((QStringList{summary::cell(one), summary::cell(two), summary::cell({})}), (QStringList{"4/10 (9)", "8/8", ""}));
        QCOMPARE((QStringList{summary::cellWords(one), summary::cellWords(two), summary::cellWords({})}),
                 (QStringList{"4 out of 10, best 9", "8 out of 8", "Not done yet"}));
        QList<int> right;
        for (const summary::Question &q : summary::questions(all, quiz)) {
            QCOMPARE(q.asked, 2);
            right << q.right;
        }
        QCOMPARE(right, (QList<int>{1, 2, 1, 1, 2, 2, 1, 0, 0, 0}));
    }

    // A technician's shell, no display: a class from a file, the results to a file; a missing
    // or empty file ends with a message and a failure, and changes nothing.
    void technicianCommands()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        auto run = [&env](const QStringList &args, QByteArray *out = nullptr) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(QUILLMOOR_BIN), args);
            p.waitForFinished(20000);
            if (out)
                *out = p.readAllStandardOutput() + p.readAllStandardError();
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        const QString list = dir.filePath(QStringLiteral("names.csv")), empty = dir.filePath(QStringLiteral("empty.csv"));
        write(list, "Name\r\nAmira\r\nBen\r\n");
        write(empty, {});
        QByteArray said;
        QCOMPARE(run({QStringLiteral("--import-class"), QStringLiteral("Class 4B"), list}, &said), 0);
        QCOMPARE(said, QByteArray("Class 4B: 2 pupils added, 0 already in the class.\n"));
        QCOMPARE(run({QStringLiteral("--import-class"), QStringLiteral("Class 4B"), dir.filePath(QStringLiteral("none.csv"))}, &said), 1);
        QVERIFY(said.contains("cannot read the class list"));
        QCOMPARE(run({QStringLiteral("--import-class"), QStringLiteral("Class 4B"), empty}, &said), 1);
        QVERIFY(said.contains("holds no names"));
        QCOMPARE(run({QStringLiteral("--import-class"), QStringLiteral("Class 4B")}), 2);
        {
            paths::setLocalDir(dir.filePath(QStringLiteral("quillmoor")));
            reg::Store store;
            QCOMPARE(store.path(), file());
            const QList<reg::ClassInfo> classes = store.classes();
            QCOMPARE(classes.size(), 1);
            const QList<reg::Pupil> pupils = store.pupils(classes[0].id);
            QCOMPARE(pupils.size(), 2);
            QVERIFY(store.record(attempt(pupils[0].id, QStringLiteral("Other Planets: Multiple Choice"), 9, QStringLiteral("1111111110"), 0)));
            const QString out = dir.filePath(QStringLiteral("results.csv"));
            QCOMPARE(run({QStringLiteral("--export-results"), out}, &said), 0);
            QList<reg::Attempt> all = store.attempts();
            QCOMPARE(read(out), csv::results(all));
            QCOMPARE(run({QStringLiteral("--export-results"), dir.filePath(QStringLiteral("no/such/folder/r.csv"))}), 1);
            // A forgotten PIN: gone, the classes and results kept.
            QVERIFY(store.setSetting(pin::settingKey(), pin::hash(QStringLiteral("1234"))));
            QCOMPARE(run({QStringLiteral("--forget-pin")}), 0);
            QVERIFY(store.setting(pin::settingKey()).isEmpty());
            QCOMPARE(store.attempts().size(), all.size());
        }
    }
};

QTEST_GUILESS_MAIN(TestRegister)
#include "tst_register.moc"
