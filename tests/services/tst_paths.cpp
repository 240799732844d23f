// SPDX-License-Identifier: GPL-3.0-or-later
// The path resolver: either separator, any letter case, the teacher's folder first for
// "multiple", nothing outside the two folders, and writes only ever in the teacher's folder; the
// school's settings that move the teacher's folder.
#include "services/paths.h"
#include "services/school.h"
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
        TestEnv::writeFile(env->ownDataFolder(QStringLiteral("multiple")) + "/Other Planets.txt", "data bank");
        TestEnv::writeFile(env->ownDataFolder(QStringLiteral("multiple")) + "/only-data.txt", "data");
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
        paths::setLocalDir(QString());
        qputenv("XDG_DATA_HOME", "/tmp/xdg-data-test");
        QCOMPARE(paths::teacherDir(), QStringLiteral("/tmp/xdg-data-test/quillmoor/multiple"));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(paths::teacherDir(), QDir::homePath() + QStringLiteral("/.local/share/quillmoor/multiple"));
    }

    // The technician's file: the first of the configuration folders that has one, its values
    // checked; what is refused falls back to one computer's settings and is said in the log.
    void schoolSettings_data()
    {
        QTest::addColumn<QStringList>("files");  // per configuration folder: the file's text, or "-" for none
        QTest::addColumn<QString>("folder");     // as read
        QTest::addColumn<bool>("postgresql");
        QTest::addColumn<QString>("service");
        QTest::addColumn<int>("problems");
        const QString whole = "[worksheets]\nfolder=/srv/school/quillmoor/multiple/\n[register]\nstore=postgresql\nservice=quillmoor\n";
        QTest::newRow("no file anywhere") << QStringList{"-", "-"} << "" << false << "" << 0;
        QTest::newRow("the issue's example, second folder") << QStringList{"-", whole} << "/srv/school/quillmoor/multiple" << true << "quillmoor" << 0;
        QTest::newRow("the first folder's file wins") << QStringList{"[register]\nstore=sqlite\n", whole} << "" << false << "" << 0;
        QTest::newRow("folder not a whole path") << QStringList{"[worksheets]\nfolder=school/multiple\n"} << "" << false << "" << 1;
        QTest::newRow("store misspelt") << QStringList{"[register]\nstore=postgres\n"} << "" << false << "" << 1;
        QTest::newRow("service not given") << QStringList{"[register]\nstore=PostgreSQL\n"} << "" << true << "quillmoor" << 0;
        QTest::newRow("service carrying another option") << QStringList{"[register]\nstore=postgresql\nservice=\"x host=elsewhere\"\n"}
                                                         << "" << true << "quillmoor" << 1;
    }
    void schoolSettings()
    {
        QFETCH(QStringList, files);
        const QTemporaryDir root;
        QStringList dirs;
        for (int i = 0; i < files.size(); ++i) {
            dirs << root.filePath(QString::number(i));
            if (files[i] != QLatin1String("-"))
                TestEnv::writeFile(dirs.last() + "/quillmoor/quillmoor.conf", files[i].toUtf8());
        }
        const school::Settings s = school::read(dirs.join(QLatin1Char(':')));
        QCOMPARE(s.file.isEmpty(), files.count(QStringLiteral("-")) == files.size());
        QTEST(s.worksheetsFolder, "folder");
        QTEST(s.store == school::RegisterStore::Postgresql, "postgresql");
        QTEST(s.service, "service");
        QTEST(int(s.problems.size()), "problems");
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
