// The wizard and the worksheet files: validation, Enter moves, saving and cataloguing, refused
// titles, failures that leave files whole, deleting, and several copies saving at once.
#include "authoring/worksheets.h"
#include "authoring/wizard.h"
#include "platform/paths.h"
#include "platform/screens.h"
#include "quiz/questions.h"
#include "quiz/welldone.h"
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
        QTest::addColumn<QString>("message");  // empty: any refusal
        for (const char *t : {"a/b", "..\\..\\x", "x:y", "what?", "say \"hi\"", "a|b", "a*", "<b>", "track", "TRACK", "other planets", "Measuring Temperature"})
            QTest::newRow(t) << QString::fromLatin1(t) << QString();
        QTest::newRow("only blanks") << "   " << QStringLiteral("A worksheet title cannot be only blanks. Please choose another title");
        QTest::newRow("device name") << "con.txt" << QStringLiteral("The title con.txt is kept by Windows for a device. Please choose another title");
    }
    void refusedTitles()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        const QStringList data = TestEnv::snapshot(env->dataDir());
        fill(w, title);
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown.size(), 1);
        QVERIFY(!env->messages->shown[0].startsWith(QLatin1String("Your worksheet")));
        QVERIFY(!env->messages->shown[0].startsWith(QLatin1String("There was")));
        if (!message.isEmpty())
            QCOMPARE(env->messages->shown[0], message);
        QVERIFY(TestEnv::snapshot(env->teacherDir()).isEmpty());
        QCOMPARE(TestEnv::snapshot(env->dataDir()), data);
    }

    // The title rules alone; refusedTitles shows they are applied before anything is written.
    void titleRules_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");  // empty: allowed
        const QString end = QStringLiteral("A worksheet title cannot end with a dot or a blank. Please choose another title");
        QTest::newRow("trailing dot") << "Magnets." << end;
        QTest::newRow("trailing blank") << "Magnets " << end;
        QTest::newRow("leading blanks allowed") << "  Magnets" << "";
        QTest::newRow("blanks and a tab only") << " \t " << "A worksheet title cannot contain any of these: / \\ : * ? \" < > |";
        for (const char *t : {"CON", "prn", "Aux", "nul.txt", "COM1", "com9.backup", "LPT1", "lpt9", "CON .txt", "LPT\u00b9"})
            QTest::newRow(t) << QString::fromUtf8(t) << QStringLiteral("The title %1 is kept by Windows for a device. Please choose another title").arg(QString::fromUtf8(t));
        for (const char *t : {"Console", "COM10", "LPT", "com0", "Auxiliary", "Null", "CON-tent", "My CON"})
            QTest::newRow(t) << QString::fromLatin1(t) << "";
        // 25 characters, but each a family emoji of 25 bytes.
        const QString longTitle = QString(25, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("👨‍👩‍👧‍👦"));
        QTest::newRow("too long to name a file") << longTitle
                                                << QStringLiteral("The title %1 is too long to name a file. Please choose another title").arg(longTitle);
    }
    void titleRules()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        QCOMPARE(titleProblem(title), message);
    }

    void unwritableFileLeavesTheCatalogue()
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
        // With no catalogue anywhere, the problem is reported and nothing written.
        QFile::remove(env->teacherDir() + "/track.txt");
        QFile::remove(env->dataDir() + "/multiple/track.txt");
        fill(w, QStringLiteral("Sound"));
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"There was a problem saving your worksheet"});
        QVERIFY(!QFile::exists(env->teacherDir() + "/Sound.txt"));
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
        QCOMPARE(delworksheet(), Change::Done);
        QCOMPARE(read(env->teacherDir() + "/track.txt"), after);
        QVERIFY(QFile::exists(env->teacherDir() + "/" + title + ".txt"));
        if (title != QLatin1String("D"))
            QCOMPARE(shared::worksheetcount.toInt(), 2);
    }

    void replacingAnotherWorksheetAsksFirst_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK replaces it") << true;
        QTest::newRow("Cancel changes nothing") << false;
    }
    void replacingAnotherWorksheetAsksFirst()
    {
        QFETCH(bool, ok);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", "another teacher's");
        const QStringList before = TestEnv::snapshot(env->teacherDir());
        fill(w, QStringLiteral("Magnets"));
        env->messages->answers = {ok};
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown.first(), QStringLiteral("A worksheet called Magnets already exists. Do you want to replace it?"));
        if (!ok) {
            QCOMPARE(env->messages->shown.size(), 1);
            QCOMPARE(TestEnv::snapshot(env->teacherDir()), before);
            return;
        }
        QCOMPARE(env->messages->shown.last(), QStringLiteral("Your worksheet has been saved."));
        QVERIFY(read(env->teacherDir() + "/Magnets.txt").startsWith("Magnets\r\n"));
        QCOMPARE(read(env->teacherDir() + "/track.txt"), QByteArray(" 1 \r\nMagnets\r\n"));
        // Saved from here, it is this wizard's own: saving again asks nothing.
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"Your worksheet has been saved."});
    }

    void fileLeftByADeletedTitleIsNotReplacedUnasked()
    {
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", "kept after a delete");
        fill(w, QStringLiteral("Magnets"));
        env->messages->answers = {false};
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"A worksheet called Magnets already exists. Do you want to replace it?"});
        QCOMPARE(read(env->teacherDir() + "/Magnets.txt"), QByteArray("kept after a delete"));
    }

    void exitWithUnsavedTyping_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing typed: leaves at once") << false << true << true;
        QTest::newRow("typed, OK: leaves") << true << true << true;
        QTest::newRow("typed, Cancel: stays with the typing") << true << false << false;
    }
    void exitWithUnsavedTyping()
    {
        QFETCH(bool, typed);
        QFETCH(bool, ok);
        QFETCH(bool, closed);
        if (typed)
            QTest::keyClicks(w->Text2[4], "Ten questions of work");
        env->messages->answers = {ok};
        QTest::mouseClick(w->label3[0], Qt::LeftButton);
        settle();
        QCOMPARE(env->messages->shown.size(), typed ? 1 : 0);
        QCOMPARE(!Screens::isLoaded<wizard>(), closed);
        if (!closed)
            QCOMPARE(w->Text2[4]->text(), QStringLiteral("Ten questions of work"));
    }

    void exitAfterSavingAsksNothing()
    {
        fill(w, QStringLiteral("Magnets"));
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[0], Qt::LeftButton);
        settle();
        QVERIFY(env->messages->shown.isEmpty());
        QVERIFY(!Screens::isLoaded<wizard>());
    }

    void warnsWhenTextWillNotFitTheQuiz_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");  // empty: no warning
        QTest::newRow("all fits") << "Text2_0" << "Short" << "";
        QTest::newRow("25 capitals in the title") << "Text1" << QString(25, QLatin1Char('W')) << "the title";
        QTest::newRow("60 capitals in question 3") << "Text2_2" << "WHICH MAGNET PULLS HARDEST ON IRON FILINGS IN THE GREEN TRAYS" << "Question 3";
        QTest::newRow("30 capitals in answer B of question 4") << "Text3_13" << QString(30, QLatin1Char('M')) << "Question 4 answer B";
    }
    void warnsWhenTextWillNotFitTheQuiz()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, named);
        fill(w, QStringLiteral("Magnets"));
        w->findChild<QLineEdit *>(box)->setText(text);
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QStringList expected{"Your worksheet has been saved."};
        if (!named.isEmpty())
            expected.prepend(QStringLiteral("These will not show in full on the quiz screen: %1. Your worksheet will still be saved.").arg(named));
        QCOMPARE(env->messages->shown, expected);
    }

    // An emoji is one character: it fits as the last one and is never cut in half, in every box
    // of the wizard and in the pupil's name box.
    void emojiAtTheLimit()
    {
        std::vector<std::pair<QLineEdit *, int>> boxes{{w->Text1, 25}, {Screens::get<Welldone>()->Text1, 25}};
        for (int q = 0; q < 10; ++q)
            boxes.emplace_back(w->Text2[q], 60);
        for (int i = 0; i < 40; ++i)
            boxes.emplace_back(w->Text3[i], 30);
        const QString emoji = QStringLiteral("😀"), family = QStringLiteral("👨‍👩‍👧");
        for (auto [e, limit] : boxes) {
            const QString start(limit - 2, QLatin1Char('x'));
            e->setText(start);
            typeText(e, emoji);
            typeText(e, family);
            QCOMPARE(e->text(), start + emoji + family);
            typeText(e, emoji);  // one too many: refused whole
            typeText(e, QStringLiteral("y"));
            QCOMPARE(e->text(), start + emoji + family);
            // Pasted over the limit: what fits of the paste is kept, in whole characters.
            e->setText(start + QLatin1Char('x'));
            e->insert(emoji + emoji + emoji);
            QCOMPARE(e->text(), start + QLatin1Char('x') + emoji);
        }
    }

    void titleEndingInAnEmojiIsSaved()
    {
        const QString title = QString(24, QLatin1Char('t')) + QStringLiteral("😀");
        fill(w, QString());
        typeText(w->Text1, title);
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown.last(), QStringLiteral("Your worksheet has been saved."));
        QVERIFY(loadquestionfile(QStringLiteral("multiple/") + title + QStringLiteral(".txt")));
        QCOMPARE(shared::tasktitle, title);
    }

    void lineBreaksPastedBecomeBlanks()
    {
        w->Text2[0]->insert(QStringLiteral("one\r\ntwo\tthree"));
        QCOMPARE(w->Text2[0]->text(), QStringLiteral("one  two three"));
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
    // Typed as one key press carrying the text, as an input method delivers an emoji.
    static void typeText(QLineEdit *e, const QString &text)
    {
        e->end(false);
        QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, text, Qt::NoModifier);
    }

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
