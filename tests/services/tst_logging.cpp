// SPDX-License-Identifier: GPL-3.0-or-later
// What a technician can read: a missing picture, a module that would not load and a refused
// worksheet each leave a warning under their category, saying why and never what was typed; the
// command line answers --version and --help with no display at all.
#include "quiz/questions.h"
#include "services/sound.h"
#include "support/testenv.h"
#include "ui/picturebox.h"

#include <QProcess>
#include <QTest>

namespace {

QStringList logged;

void record(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && context.category && QByteArray(context.category).startsWith("quillmoor."))
        logged << QStringLiteral("%1: %2").arg(QLatin1String(context.category), text);
}

}  // namespace

class TestLogging : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        logged.clear();
        previous = qInstallMessageHandler(record);
    }
    void cleanup()
    {
        qInstallMessageHandler(previous);
        env.reset();
    }

    void failuresAreLoggedWithTheirReason()
    {
        PictureBox box(nullptr);
        QVERIFY(!box.load(QStringLiteral("images\\nowhere.jpg")));
        TestEnv::writeFile(env->ownDataFolder(QStringLiteral("images")) + "/broken.gif", "GIF89a not really");
        QVERIFY(!box.load(QStringLiteral("images\\broken.gif")));
        TestEnv::writeFile(env->ownDataFolder(QStringLiteral("wmf")) + "/broken.wmf", QByteArray(40, 'x'));
        QVERIFY(!box.load(QStringLiteral("wmf\\broken.wmf")));
        // The real sound module, looked for where there is none.
        sound::setFactory({});
        sound::setModuleDir(QStringLiteral("/nonexistent"));
        sound::create()->play(QStringLiteral("wav\\click.wav"));
        const QString title = QStringLiteral("Amira's secret worksheet");
        TestEnv::writeFile(env->teacherDir() + "/" + title + ".txt", "\"" + title.toUtf8() + "\"\r\n \r\nQuestion 1\r\n");
        QVERIFY(!loadquestionsfrom(env->teacherDir() + "/" + title + ".txt"));

        QCOMPARE(logged.size(), 5);
        QVERIFY2(logged[0].startsWith("quillmoor.media: picture images\\nowhere.jpg not found"), qPrintable(logged[0]));
        QVERIFY2(logged[1].startsWith("quillmoor.media: picture ") && logged[1].contains("broken.gif not loaded: "), qPrintable(logged[1]));
        QVERIFY2(logged[2].contains("broken.wmf not loaded: "), qPrintable(logged[2]));
        QVERIFY2(logged[3].startsWith("quillmoor.sound: module libquillmoor-sound not loaded: "), qPrintable(logged[3]));
        QCOMPARE(logged[4], QStringLiteral("quillmoor.worksheets: a worksheet in the teacher's folder was refused: input past end of file"));
        for (const QString &line : logged)
            QVERIFY2(!line.contains(QStringLiteral("Amira")), qPrintable(line));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // a line the output holds
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Quillmoor " QUILLMOOR_VERSION;
        QTest::newRow("help") << QStringList{"--help"} << 0 << "  --scale <factor>         Draw the screens at <factor> (0.25 to 8), or \"fit\"";
        QTest::newRow("help names --verbose") << QStringList{"-h"} << 0 << "  --verbose                Log what the program does, not only what fails, to";
        QTest::newRow("a stray argument") << QStringList{"names.csv"} << 2 << "quillmoor: unexpected \"names.csv\"";
        QTest::newRow("a scale out of range") << QStringList{"--scale", "9"} << 2
                                              << "quillmoor: --scale takes \"fit\" or a factor from 0.25 to 8, not \"9\"";
        QTest::newRow("an unknown option") << QStringList{"--colour"} << 2 << "quillmoor: Unknown option 'colour'.";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QProcess p;
        // No display of any kind: these answer on a remote shell.
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove(QStringLiteral("DISPLAY"));
        e.remove(QStringLiteral("WAYLAND_DISPLAY"));
        e.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(e);
        p.start(QStringLiteral(QUILLMOOR_BIN), arguments);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), status);
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(output), qPrintable(lines.join(QLatin1Char('|'))));
    }

private:
    std::unique_ptr<TestEnv> env;
    QtMessageHandler previous = nullptr;
};

QTEST_MAIN(TestLogging)
#include "tst_logging.moc"
