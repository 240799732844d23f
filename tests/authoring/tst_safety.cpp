// SPDX-License-Identifier: GPL-3.0-or-later
// What protects the teacher's files: a catalogue that cannot be read whole is never rewritten, a
// full one takes no new title, a busy one is waited for briefly, a write that fails leaves the old
// files whole, and several copies of the program saving at once lose no title.
#include "authoring/catalogue.h"
#include "authoring/testsheets.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");
const QString kProblem = QStringLiteral("There was a problem saving your worksheet");
}  // namespace

class TestSafety : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void catalogueReadOnlyInPartIsNeverRewritten_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::newRow("an overlong line") << QByteArray(" 4 \r\nA\r\nB\r\n" + QByteArray(kMaxCatalogueLine + 1, 'x') + "\r\nD\r\n");
        QTest::newRow("1003 titles") << numbered(1003, 1003);
        QTest::newRow("fewer titles than the count") << numbered(5, 3);
        QTest::newRow("count not a number") << QByteArray("three\r\nA\r\n");
        QTest::newRow("negative count") << QByteArray("-2\r\nA\r\nB\r\n");
    }
    void catalogueReadOnlyInPartIsNeverRewritten()
    {
        QFETCH(QByteArray, catalogue);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue);
        TestEnv::writeFile(env->teacherDir() + "/A.txt", "kept");
        const QStringList before = TestEnv::snapshot(env->teacherDir());
        QVERIFY(!saveworksheet(entries(QStringLiteral("New one"))));
        QVERIFY(!saveworksheet(entries(QStringLiteral("A"))));
        const QString unreadable = QStringLiteral("The worksheet catalogue could not be read in full, so nothing has been changed.");
        QCOMPARE(env->messages->shown, QStringList(2, unreadable));
        QVERIFY(!trackworksheets(QStringLiteral("New one")));
        shared::currentworksheet = QStringLiteral("A");
        QCOMPARE(delworksheet(), Change::CatalogueUnreadable);
        QCOMPARE(TestEnv::snapshot(env->teacherDir()), before);
    }

    void exactly1000Titles()
    {
        const QByteArray catalogue = numbered(1000, 1000);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue);
        QVERIFY(!saveworksheet(entries(QStringLiteral("One too many"))));
        QVERIFY(!trackworksheets(QStringLiteral("One too many")));
        QCOMPARE(env->messages->shown, QStringList{"The worksheet catalogue is full: it holds 1000 worksheets. "
                                                   "Please delete a worksheet before saving a new one."});
        QVERIFY(!QFile::exists(env->teacherDir() + "/One too many.txt"));
        // A title already there is saved again.
        QVERIFY(saveworksheet(entries(QStringLiteral("Sheet 1000"))));
        QVERIFY(QFile::exists(env->teacherDir() + "/Sheet 1000.txt"));
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), catalogue);
    }

    void savesAndFailuresToSave()
    {
        // The first save starts from the shipped, empty catalogue; titles differing in case are two.
        QVERIFY(saveworksheet(entries(QStringLiteral("Magnets"), QStringLiteral("a, b"))));
        QVERIFY(saveworksheet(entries(QStringLiteral("magnets"))));
        QVERIFY(!saveworksheet(entries(QStringLiteral("track"))));  // refused before it replaced the catalogue
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), QByteArray(" 2 \r\nMagnets\r\nmagnets\r\n"));
        QCOMPARE(readFile(env->dataDir() + "/multiple/track.txt"), QByteArray(" 0 \r\n"));
        const QByteArray saved = readFile(env->teacherDir() + "/Magnets.txt");
        QVERIFY(saved.startsWith("Magnets\r\n \r\na& b\r\na& b\r\n"));
        QCOMPARE(saved.count("\r\n"), 72);
        // The worksheet cannot be written (a folder stands in its place): the catalogue stays.
        QDir().mkpath(env->teacherDir() + "/Sound.txt");
        QVERIFY(!saveworksheet(entries(QStringLiteral("Sound"))));
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), QByteArray(" 2 \r\nMagnets\r\nmagnets\r\n"));
        // With no catalogue anywhere, nothing is written.
        QFile::remove(env->teacherDir() + "/track.txt");
        QFile::remove(env->ownDataFolder(QStringLiteral("multiple")) + "/track.txt");
        QVERIFY(!saveworksheet(entries(QStringLiteral("Heat"))));
        QVERIFY(!QFile::exists(env->teacherDir() + "/Heat.txt"));
        QCOMPARE(env->messages->shown, (QStringList{kSaved, kSaved, titleProblem(QStringLiteral("track")), kProblem, kProblem}));
    }

    void busyCatalogueIsWaitedForBriefly()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nA\r\n");
        QProcess holder;
        start(holder, {QStringLiteral("--hold")});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
        const QStringList before = TestEnv::snapshot(env->teacherDir());
        QElapsedTimer t;
        t.start();
        QVERIFY(!saveworksheet(entries(QStringLiteral("Magnets"))));
        QVERIFY2(t.elapsed() < 6000, "waited for the lock far longer than two seconds");
        QCOMPARE(env->messages->shown, QStringList{"The worksheet catalogue is in use. Please try again."});
        shared::currentworksheet = QStringLiteral("A");
        QCOMPARE(delworksheet(), Change::Busy);
        QCOMPARE(TestEnv::snapshot(env->teacherDir()), before);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(saveworksheet(entries(QStringLiteral("Magnets"))));  // free again
    }

    // A shared folder: a lock left by another computer cannot be seen to be dead from here, so
    // it holds until it is older than the stale limit; one of this computer's dead copies does not.
    void lockLeftByAnotherComputer_data()
    {
        QTest::addColumn<QByteArray>("host");  // empty: this computer
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("saved");
        QTest::newRow("another computer's, new") << QByteArray("classroom-7") << 0 << false;
        QTest::newRow("another computer's, 25 s old") << QByteArray("classroom-7") << 25 << false;
        QTest::newRow("another computer's, 35 s old") << QByteArray("classroom-7") << 35 << true;
        QTest::newRow("a dead copy's here, new") << QByteArray() << 0 << true;
    }
    void lockLeftByAnotherComputer()
    {
        QFETCH(QByteArray, host);
        QFETCH(int, ageSeconds);
        QFETCH(bool, saved);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nA\r\n");
        // As QLockFile writes it: process, program, host name, machine and boot ids. The process
        // number is one no process has here.
        const QByteArray machine = host.isEmpty() ? QSysInfo::machineHostName().toUtf8() : host;
        const QByteArray ids = host.isEmpty() ? QSysInfo::machineUniqueId() + "\n" + QSysInfo::bootUniqueId()
                                              : QByteArray("0123456789abcdef0123456789abcdef\nfedcba98-7654-3210-fedc-ba9876543210");
        TestEnv::writeFile(env->teacherDir() + "/track.lock", "4194999\nquillmoor\n" + machine + "\n" + ids + "\n");
        QFile lock(env->teacherDir() + "/track.lock");
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        lock.close();
        QCOMPARE(saveworksheet(entries(QStringLiteral("Magnets"))), saved);
        QCOMPARE(env->messages->shown, QStringList{saved ? kSaved : QStringLiteral("The worksheet catalogue is in use. Please try again.")});
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), saved ? QByteArray(" 2 \r\nA\r\nMagnets\r\n") : QByteArray(" 1 \r\nA\r\n"));
    }

    // Only a write that replaces the file in one step passes these: a truncating write would
    // leave the old file cut short when the new one cannot be written whole.
    void writeFailingHalfwayLeavesOldFilesWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("ignore");  // false: killed by the limit mid-write
        QTest::newRow("worksheet, write refused") << "Magnets" << true;
        QTest::newRow("worksheet, killed mid-write") << "Magnets" << false;
        QTest::newRow("catalogue, write refused") << "Zebra" << true;
        QTest::newRow("catalogue, killed mid-write") << "Zebra" << false;
    }
    void writeFailingHalfwayLeavesOldFilesWhole()
    {
        QFETCH(QString, title);
        QFETCH(bool, ignore);
        // About 3 KB of catalogue and an old worksheet of about 700 bytes. "Magnets" is rewritten
        // with texts of 30 letters (about 2 KB); "Zebra" is small, but makes the catalogue grow.
        const QByteArray catalogue = numbered(301, 300) + "Magnets\r\n", old = sheet("Magnets");
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue);
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", old);
        const bool magnets = title == QLatin1String("Magnets");
        const long long limit = magnets ? 1200 : 2000;
        QVERIFY(catalogue.size() > limit && old.size() < limit);
        QProcess saver;
        start(saver, {QStringLiteral("--limited"), QString::number(limit), title, magnets ? "30" : "1", ignore ? "ignore" : ""});
        QVERIFY(saver.waitForFinished(20000));
        if (ignore)
            QCOMPARE(saver.exitCode(), int(Change::WriteFailed));
        else
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), catalogue);
        QCOMPARE(readFile(env->teacherDir() + "/Magnets.txt"), old);
    }

    void severalCopiesSavingAtOnceLoseNoTitle()
    {
        std::vector<std::unique_ptr<QProcess>> copies;
        QStringList all;
        for (int c = 0; c < 6; ++c) {
            QStringList titles;
            for (int t = 0; t < 8; ++t)
                titles << QStringLiteral("Copy %1 sheet %2").arg(c).arg(t);
            all << titles;
            copies.push_back(std::make_unique<QProcess>());
            start(*copies.back(), titles);
        }
        for (auto &p : copies) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        QStringList got = QString::fromUtf8(readFile(env->teacherDir() + "/track.txt")).split("\r\n", Qt::SkipEmptyParts).mid(1);
        got.sort();
        all.sort();
        QCOMPARE(got, all);
    }

private:
    // A second copy of the program on the same folders.
    void start(QProcess &copy, const QStringList &args)
    {
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert(QStringLiteral("QUILLMOOR_TEACHER_DIR"), env->teacherDir());
        pe.insert(QStringLiteral("QUILLMOOR_DATA_DIR"), env->dataDir());
        copy.setProcessEnvironment(pe);
        copy.start(QStringLiteral(QUILLMOOR_SAVER), args);
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestSafety)
#include "tst_safety.moc"
