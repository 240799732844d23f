// SPDX-License-Identifier: GPL-3.0-or-later
// The path resolver: either separator, any letter case, the teacher's folder first for
// "multiple", nothing outside the two folders, and writes only ever in the teacher's folder.
#include "services/paths.h"
#include "support/testenv.h"

#include <QDir>
#include <QTest>

class TestPaths : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        TestEnv::writeFile(env->dataDir() + "/Pictures/Snow.JPG", "d");
        TestEnv::writeFile(env->dataDir() + "/multiple/Other Planets.txt", "data bank");
        TestEnv::writeFile(env->dataDir() + "/multiple/only-data.txt", "data");
        TestEnv::writeFile(env->teacherDir() + "/Other Planets.txt", "teacher bank");
    }
    void cleanup() { env.reset(); }

    void resolves_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");  // relative to the data folder, or "T:" + teacher's
        QTest::newRow("backslash, other case") << "pictures\\snow.jpg" << "Pictures/Snow.JPG";
        QTest::newRow("forward slash, exact") << "Pictures/Snow.JPG" << "Pictures/Snow.JPG";
        QTest::newRow("mixed and doubled separators") << "PICTURES\\\\/snow.jpg" << "Pictures/Snow.JPG";
        QTest::newRow("teacher's first") << "multiple\\Other Planets.txt" << "T:Other Planets.txt";
        QTest::newRow("falls back to data") << "multiple/only-data.txt" << "multiple/only-data.txt";
        QTest::newRow("missing") << "pictures\\nothing.jpg" << "";
        QTest::newRow("folder is not a file") << "pictures" << "";
        QTest::newRow("dot-dot never resolves") << "multiple\\..\\pictures\\snow.jpg" << "";
        QTest::newRow("empty") << "" << "";
    }
    void resolves()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QString want;
        if (expected.startsWith("T:"))
            want = QDir(env->teacherDir()).filePath(expected.mid(2));
        else if (!expected.isEmpty())
            want = QDir(env->dataDir()).filePath(expected);
        QCOMPARE(paths::resolve(relative), want);
    }

    void writesGoToTheTeachersFolderOnly_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");  // file name in the teacher's folder, or empty
        QTest::newRow("worksheet, case kept") << "multiple/My Sheet.txt" << "My Sheet.txt";
        QTest::newRow("folder in any case") << "Multiple/x.txt" << "x.txt";
        QTest::newRow("not in multiple") << "images\\icicle.jpg" << "";
        QTest::newRow("deeper folder") << "multiple/a/b.txt" << "";
        QTest::newRow("climbing out") << "multiple/../../x.txt" << "";
        QTest::newRow("the folder itself") << "multiple" << "";
    }
    void writesGoToTheTeachersFolderOnly()
    {
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        const QStringList before = TestEnv::snapshot(env->dataDir());
        const QString path = paths::writable(relative);
        QCOMPARE(path, expected.isEmpty() ? QString() : QDir(env->teacherDir()).filePath(expected));
        QCOMPARE(TestEnv::snapshot(env->dataDir()), before);
    }

    void teachersFolderFollowsXdg()
    {
        paths::setTeacherDir(QString());
        qputenv("XDG_DATA_HOME", "/tmp/xdg-data-test");
        QCOMPARE(paths::teacherDir(), QStringLiteral("/tmp/xdg-data-test/quillmoor/multiple"));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(paths::teacherDir(), QDir::homePath() + QStringLiteral("/.local/share/quillmoor/multiple"));
    }

    void dataFolderBesideTheExecutable()
    {
        QCOMPARE(paths::dataDirForExecutable("/usr/bin"), QStringLiteral("/usr/share/quillmoor"));
        QCOMPARE(paths::dataDirForExecutable("/home/x/build/bin"), QStringLiteral("/home/x/build/share/quillmoor"));
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestPaths)
#include "tst_paths.moc"
