// The wizard and the worksheet files: validation, Enter moves, saving and cataloguing, refused
// titles, failures that leave files whole, deleting, and several copies saving at once.
#include "authoring/worksheets.h"
#include "authoring/wizard.h"
#include "platform/paths.h"
#include "platform/screens.h"
#include "quiz/questions.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Fills every box of the wizard and ticks answer (q % 4) of each question.
void fill(wizard *w, const QString &title)
{
    w->Text1->setText(title);
    for (int q = 0; q < 10; ++q) {
        w->Text2[q]->setText(QStringLiteral("Question %1, with a comma").arg(q + 1));
        for (int a = 0; a < 4; ++a) {
            w->Text3[4 * q + a]->setText(QStringLiteral("Answer %1%2").arg(q + 1).arg(QLatin1Char("ABCD"[a])));
            w->Check1[4 * q + a]->setChecked(a == q % 4);
        }
    }
}

}  // namespace

class TestAuthoring : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        QTest::mouseClick(Screens::show<intro0>()->Label2[17], Qt::LeftButton);
        w = Screens::find<wizard>();
        QVERIFY(w && w->isVisible());
    }
    void cleanup() { env.reset(); }

    void validationOrder_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty title first") << "title" << "You have not chosen a title for your worksheet";
        QTest::newRow("question 2, answer C empty, no tick") << "q2" << "You have not completed Question 2";
        QTest::newRow("question 10, two ticks") << "q10" << "You have ticked more than one correct answer for Question 10";
        QTest::newRow("question 1, no tick") << "q1" << "You have not ticked the correct answer for Question 1";
        QTest::newRow("blanks count as filled") << "blanks" << "Your worksheet has been saved.";
    }
    void validationOrder()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        fill(w, QStringLiteral("Magnets"));
        if (change == QLatin1String("title")) {
            w->Text1->clear();
            w->Text2[0]->clear();
        } else if (change == QLatin1String("q2")) {
            w->Text3[6]->clear();
            w->Check1[5]->setChecked(false);
        } else if (change == QLatin1String("q10")) {
            w->Check1[38]->setChecked(true);
        } else if (change == QLatin1String("q1")) {
            w->Check1[0]->setChecked(false);
        } else {
            w->Text3[3]->setText(QStringLiteral("   "));
        }
        env->played.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{message});
        QCOMPARE(env->played, QStringList{"wav\\click.wav"});
        QCOMPARE(QFile::exists(env->teacherDir() + "/Magnets.txt"), message.startsWith(QLatin1String("Your worksheet")));
    }

    void enterMoves_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("title to question 1") << "Text1" << "Text2_0";
        QTest::newRow("question 3 to its answer A") << "Text2_2" << "Text3_8";
        QTest::newRow("answer A to B") << "Text3_0" << "Text3_1";
        QTest::newRow("answer D of question 4 to question 5") << "Text3_15" << "Text2_4";
        QTest::newRow("the last answer keeps the focus") << "Text3_39" << "Text3_39";
    }
    void enterMoves()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto *box = w->findChild<QLineEdit *>(from);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }

    void saveAppendsAndResaveRewrites()
    {
        fill(w, QStringLiteral("Heat, light"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        fill(w, QStringLiteral("Magnets"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(read(env->teacherDir() + "/track.txt"), QByteArray(" 2 \r\nHeat, light\r\nMagnets\r\n"));
        const QByteArray sheet = read(env->teacherDir() + "/Heat, light.txt");
        QVERIFY(sheet.startsWith("Heat& light\r\n \r\nQuestion 1& with a comma\r\nAnswer 1A\r\n"));
        QCOMPARE(sheet.count("\r\n"), 72);
        // Saved again with a change: the file is rewritten, the catalogue stays.
        w->Text2[0]->setText(QStringLiteral("Changed"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(read(env->teacherDir() + "/track.txt"), QByteArray(" 2 \r\nHeat, light\r\nMagnets\r\n"));
        QVERIFY(read(env->teacherDir() + "/Magnets.txt").contains("\r\nChanged\r\n"));
        // Loads back as typed, commas included.
        QVERIFY(loadquestionfile(QStringLiteral("multiple/Heat, light.txt")));
        QCOMPARE(shared::tasktitle, QStringLiteral("Heat, light"));
        QCOMPARE(shared::question[1], QStringLiteral("Question 1, with a comma"));
        QCOMPARE(shared::correct[2], QStringLiteral("2"));
        QCOMPARE(env->messages->shown, (QStringList{"Your worksheet has been saved.", "Your worksheet has been saved.", "Your worksheet has been saved."}));
    }

    void titlesDifferingInCaseAndBeyond1252()
    {
        for (const QString &t : {QStringLiteral("magnets"), QStringLiteral("Magnets"), QStringLiteral("Ωmega ℃")}) {
            fill(w, t);
            QTest::mouseClick(w->label3[1], Qt::LeftButton);
        }
        QVERIFY(QFile::exists(env->teacherDir() + "/magnets.txt") && QFile::exists(env->teacherDir() + "/Magnets.txt"));
        QVERIFY(readcatalogueTitles().contains(QStringLiteral("Ωmega ℃")));
        QCOMPARE(readcatalogueTitles().size(), 3);
        QVERIFY(loadquestionfile(QStringLiteral("multiple/Ωmega ℃.txt")));
        QCOMPARE(shared::tasktitle, QStringLiteral("Ωmega ℃"));
    }

    void refusedTitles_data()
    {
        QTest::addColumn<QString>("title");
        for (const char *t : {"a/b", "..\\..\\x", "x:y", "what?", "say \"hi\"", "a|b", "a*", "<b>", "track", "TRACK", "other planets", "Measuring Temperature"})
            QTest::newRow(t) << QString::fromLatin1(t);
        QTest::newRow("control character") << QStringLiteral("tab\there");
    }
    void refusedTitles()
    {
        QFETCH(QString, title);
        const QStringList data = TestEnv::snapshot(env->dataDir());
        fill(w, title);
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown.size(), 1);
        QVERIFY(!env->messages->shown[0].startsWith(QLatin1String("Your worksheet")));
        QVERIFY(!env->messages->shown[0].startsWith(QLatin1String("There was")));
        QVERIFY(TestEnv::snapshot(env->teacherDir()).isEmpty());
        QCOMPARE(TestEnv::snapshot(env->dataDir()), data);
    }

    void failedWritesLeaveFilesWhole()
    {
        fill(w, QStringLiteral("Magnets"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        const QByteArray catalogue = read(env->teacherDir() + "/track.txt");
        // The worksheet file cannot be written (a folder stands in its place).
        QDir().mkpath(env->teacherDir() + "/Sound.txt");
        fill(w, QStringLiteral("Sound"));
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"There was a problem saving your worksheet"});
        QCOMPARE(read(env->teacherDir() + "/track.txt"), catalogue);
        QVERIFY(QFileInfo(env->teacherDir() + "/Sound.txt").isDir());
    }

    void firstSaveUsesTheShippedEmptyCatalogue()
    {
        QVERIFY(!QFile::exists(env->teacherDir() + "/track.txt"));
        fill(w, QStringLiteral("Magnets"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(read(env->teacherDir() + "/track.txt"), QByteArray(" 1 \r\nMagnets\r\n"));
        QCOMPARE(read(env->dataDir() + "/multiple/track.txt"), QByteArray(" 0 \r\n"));
        // With no catalogue anywhere, the file is written and the problem reported.
        QFile::remove(env->teacherDir() + "/track.txt");
        QFile::remove(env->dataDir() + "/multiple/track.txt");
        fill(w, QStringLiteral("Sound"));
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"There was a problem saving your worksheet"});
        QVERIFY(QFile::exists(env->teacherDir() + "/Sound.txt"));
    }

    void deleting_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("first") << "A" << QByteArray(" 2 \r\nB\r\nC\r\n");
        QTest::newRow("middle") << "B" << QByteArray(" 2 \r\nA\r\nC\r\n");
        QTest::newRow("last") << "C" << QByteArray(" 2 \r\nA\r\nB\r\n");
        QTest::newRow("not there: unchanged") << "D" << QByteArray(" 3 \r\nA\r\nB\r\nC\r\n");
    }
    void deleting()
    {
        QFETCH(QString, title);
        QFETCH(QByteArray, after);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 3 \r\nA\r\nB\r\nC\r\n");
        TestEnv::writeFile(env->teacherDir() + "/" + title + ".txt", "kept");
        shared::currentworksheet = title;
        QVERIFY(delworksheet());
        QCOMPARE(read(env->teacherDir() + "/track.txt"), after);
        QVERIFY(QFile::exists(env->teacherDir() + "/" + title + ".txt"));
        if (title != QLatin1String("D"))
            QCOMPARE(shared::worksheetcount.toInt(), 2);
    }

    void severalCopiesSavingAtOnceLoseNoTitle()
    {
        QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
        pe.insert(QStringLiteral("QUILLMOOR_TEACHER_DIR"), env->teacherDir());
        pe.insert(QStringLiteral("QUILLMOOR_DATA_DIR"), env->dataDir());
        std::vector<std::unique_ptr<QProcess>> copies;
        QStringList all;
        for (int c = 0; c < 6; ++c) {
            QStringList titles;
            for (int t = 0; t < 8; ++t)
                titles << QStringLiteral("Copy %1 sheet %2").arg(c).arg(t);
            all << titles;
            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(pe);
            p->start(QStringLiteral(QUILLMOOR_SAVER), titles);
            copies.push_back(std::move(p));
        }
        for (auto &p : copies) {
            QVERIFY(p->waitForFinished(60000));
            QCOMPARE(p->exitCode(), 0);
        }
        QStringList got = readcatalogueTitles();
        QCOMPARE(got.size(), all.size());
        got.sort();
        all.sort();
        QCOMPARE(got, all);
    }

private:
    QStringList readcatalogueTitles()
    {
        QFile f(paths::resolve(QStringLiteral("multiple\\track.txt")));
        f.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        return lines.mid(1);
    }

    std::unique_ptr<TestEnv> env;
    wizard *w = nullptr;
};

QTEST_MAIN(TestAuthoring)
#include "tst_authoring.moc"
