// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz, results and review screens driven from the hubs with clicks, and the worksheet and
// certificate they print, as the exact operations, in order, on the recording printer. The rules
// the screens show (loading, message, sound, marking) are tables in tst_quizrules.
#include "services/random.h"
#include "ui/screens.h"
#include "quiz/multiple.h"
#include "quiz/results.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "core/shared.h"
#include "support/golden.h"
#include "support/recordingprinter.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");
const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kCancelled = QStringLiteral("Printing has been cancelled.");

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
template <typename Error> void failWith(Error error)
{
    printing::setFactory([error]() -> std::unique_ptr<Printer> { throw error; });
}
QString line(const QString &text) { return QStringLiteral("line \"%1\"").arg(text); }

Welldone *celebrated()
{
    Welldone *done = Screens::find<Welldone>();
    auto finished = [done] { return !done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive(); };
    if (done && !QTest::qWaitFor(finished))
        QTest::qFail("the celebration chain did not finish", __FILE__, __LINE__);
    return done;
}

}  // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        rnd::setGenerator([] { return 0.0; });
        log.clear();
    }
    void cleanup()
    {
        rnd::setGenerator({});
        printing::setFactory({});
        env.reset();
        qunsetenv("QUILLMOOR_SCALE");
    }

    void brokenBankOpensNoQuiz()
    {
        TestEnv::writeFile(env->ownDataFolder(QStringLiteral("multiple")) + "/Other Planets.txt", "Broken\r\n \r\nQuestion 1\r\n");
        click(Screens::show<intro0>()->Label2[10]);
        env->played.clear();
        click(Screens::find<weather>()->label3[0]);
        QVERIFY(!Screens::isLoaded<multiple>());
        QCOMPARE(env->played, QStringList{kClick});
    }

    // One quiz from its hub to the review: the first question, marking on leaving with Next,
    // the navigation, the results below full marks and the list of wrong questions.
    void quizToReview()
    {
        const QString title = QStringLiteral("Other Planets");
        shared::score = 9;
        multiple *quiz = open(10);
        QCOMPARE(quiz->Label6->text(), title);
        QCOMPARE(quiz->Label5->text(), QStringLiteral("Quillmoor"));
        QCOMPARE(quiz->Picture1->source(), QStringLiteral("images\\jupitersm.jpg"));
        QCOMPARE(quiz->Label2->text(), shared::question[1]);
        QCOMPARE(quiz->Option1[3]->text(), shared::answerc[1]);
        QVERIFY(quiz->Option1[5]->isChecked() && !quiz->label3[0]->isVisible() && quiz->label3[3]->isVisible());
        QCOMPARE(shared::score.toInt(), 0);
        QCOMPARE(shared::total.toInt(), 10);

        env->played.clear();
        click(quiz->Option1[shared::correct[1].toInt()]);
        QCOMPARE(env->played, QStringList{QStringLiteral("wav\\typekey.wav")});
        click(quiz->label3[1]);
        QCOMPARE(shared::mark[1].toInt(), 1);
        click(quiz->label3[0]);  // back: the earlier answer is not shown again
        QVERIFY(quiz->Option1[5]->isChecked());
        click(quiz->label3[1]);  // left again without choosing: wrong
        QCOMPARE(shared::mark[1].toInt(), 0);

        for (int q = 2; q < 10; ++q)
            click(quiz->label3[1]);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(quiz->label3[1]->text(), QStringLiteral("Check Score >>"));
        // The last question's own words, not the ninth's left in place.
        QCOMPARE((QStringList{quiz->Label2->text(), quiz->Option1[1]->text(), quiz->Option1[2]->text(), quiz->Option1[3]->text(), quiz->Option1[4]->text()}),
                 (QStringList{shared::question[10], shared::answera[10], shared::answerb[10], shared::answerc[10], shared::answerd[10]}));
        click(quiz->label3[0]);
        QCOMPARE(quiz->label3[1]->text(), QStringLiteral("Next Question >>"));
        for (int q = 9; q > 1; --q)
            click(quiz->label3[0]);
        QVERIFY(!quiz->label3[0]->isVisible());  // at question 1 again, or the score below is off

        Welldone *done = answer(quiz, {2, 5, 9});
        QCOMPARE(done->Label1->text(), QStringLiteral("You have scored 7 out of 10."));
        QCOMPARE(env->played, (QStringList{kClick, QStringLiteral("wav\\drumroll.wav")}));
        QCOMPARE(done->label3[0]->text(), QStringLiteral("Check Wrong Answers"));
        QVERIFY(done->label3[0]->isVisible() && done->Label5->isVisible());
        QVERIFY(!done->Label6->isVisible() && !done->Text1->isVisible());
        QCOMPARE(done->Picture1->source(), QStringLiteral("images\\icicle.jpg"));
        QCOMPARE(shared::certheading, QStringLiteral("Quillmoor"));
        QVERIFY(!Screens::isLoaded<multiple>());

        env->played.clear();
        click(done->label3[0]);
        Wrong *w = Screens::find<Wrong>();
        QVERIFY(w->isVisible());
        QCOMPARE(env->played, QStringList{kClick});
        QCOMPARE(w->Label6->text(), title);
        const int wrong[] = {2, 5, 9};
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(w->Label2[k]->isVisibleTo(w), k < 3);
            if (k < 3)
                QCOMPARE(w->Label2[k]->text(), QStringLiteral(" %1. ").arg(wrong[k]) + shared::question[wrong[k]]);
        }
        env->played.clear();
        click(w->label3[1]);  // the review's Exit closes both, silently
        settle();
        QVERIFY(!Screens::isLoaded<Welldone>() && !Screens::isLoaded<Wrong>());
        QVERIFY(env->played.isEmpty());
    }

    // What the results screen offers after an activity: the certificate at full marks of any
    // total, else the advice; no celebration with the sound off (the certificate rows hear it).
    void resultsScreen_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("soundflag");
        QTest::newRow("below full marks") << 5 << 1;
        QTest::newRow("full marks, sound off") << 8 << 0;
    }
    void resultsScreen()
    {
        QFETCH(int, score);
        QFETCH(int, soundflag);
        shared::soundflag = soundflag;
        Welldone *done = resultsFor(score, 8, QString());
        const bool full = score == 8;
        QCOMPARE(done->Label1->text(), results::message(score, 8));
        QCOMPARE(done->label3[0]->isVisible(), full);
        QCOMPARE(done->Text1->isVisible(), full);
        QCOMPARE(done->Label2->isVisible(), full);
        QCOMPARE(done->Label6->isVisible(), !full);
        QVERIFY(!done->Label5->isVisible());
        if (full) {
            QCOMPARE(done->label3[0]->text(), QStringLiteral("Print Certificate"));
            QVERIFY(done->Text1->hasFocus());
        } else {
            QCOMPARE(done->Label6->text(), QStringLiteral("Read the Key Facts and try again."));
        }
        QVERIFY(env->played.isEmpty());
        click(done->label3[1]);  // Exit
        settle();
        QVERIFY(!Screens::isLoaded<Welldone>());
    }

    // Full marks and a name, the results left by each way out, then the quiz again with three
    // wrong: the results are this attempt's, never the last pupil's score, name or wrong answers.
    void resultsAfterEachWayOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exit") << "exit";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("window closed, then Cancel") << "close";
    }
    void resultsAfterEachWayOut()
    {
        QFETCH(QString, way);
        Welldone *done = answer(open(10), {});
        QVERIFY(done->Text1->isVisible());
        QTest::keyClicks(done->Text1, QStringLiteral("Amira"));
        if (way == "exit") {
            click(done->label3[1]);
        } else if (way == "escape") {
            QTest::keyClick(done, Qt::Key_Escape);
        } else {
            QVERIFY(!Screens::stage()->close());
            click(Screens::find<Titlefrm>()->Command1);  // "Cancel": the menu, the results still loaded
        }
        settle();

        done = answer(open(10), {1, 4, 7});
        QCOMPARE(done->Label1->text(), QStringLiteral("You have scored 7 out of 10."));
        QVERIFY(!done->Text1->isVisible() && done->Text1->text().isEmpty() && !done->Label2->isVisible());
        QCOMPARE(done->label3[0]->text(), QStringLiteral("Check Wrong Answers"));
        click(done->label3[0]);
        Wrong *w = Screens::find<Wrong>();
        for (int k = 0; k < 10; ++k)
            QCOMPARE(w->Label2[k]->isVisibleTo(w), k < 3);
        QCOMPARE(w->Label2[2]->text(), QStringLiteral(" 7. ") + shared::question[7]);
    }

    // One walk through a quiz that is left half done: a missing printer and a failing one are
    // reported and leave the quiz as it was; the worksheet prints the same whatever was chosen
    // and whichever question is on show; Exit counts nothing and the next quiz starts afresh.
    void worksheetAndExit()
    {
        const double W = 12240, H = 15840;  // Letter
        shared::score = 9;
        shared::certheading = QStringLiteral("Kept");
        multiple *quiz = open(10);
        click(quiz->Option1[2]);
        click(quiz->label3[1]);
        env->played.clear();
        failWith(PrintError("no default printer"));
        click(quiz->label3[3]);
        failWith(std::runtime_error("unexpected"));
        click(quiz->label3[3]);
        paper(W, H);
        click(quiz->label3[3]);
        QCOMPARE_GOLDEN(QStringLiteral("worksheet/other-planets-on-letter"), log);
        QCOMPARE(env->messages->shown, (QStringList{kProblem, kCancelled, "Your worksheet is now printing."}));
        QCOMPARE(env->played, (QStringList{kClick, kClick, kClick}));
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 2"));

        click(quiz->label3[1]);
        click(quiz->label3[2]);  // Exit
        settle();
        QVERIFY(!Screens::isLoaded<multiple>());
        QCOMPARE(shared::score.toInt(), 0);  // set by the load, never counted
        QCOMPARE(shared::certheading, QStringLiteral("Kept"));
        quiz = open(0);  // the other hub's quiz, from its first question
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz->Label6->text(), QStringLiteral("Measuring Temperature"));
        QCOMPARE(quiz->Picture1->source(), QStringLiteral("images\\thermosm.jpg"));
    }

    // The recording printer's lines: 16 pt 368 twips, 32 pt 736, 12 pt 276, so the headings take
    // 1104 + 736 per heading line and every question block 1104.
    void worksheetPages_data()
    {
        QTest::addColumn<double>("H");
        QTest::addColumn<int>("titleWords");
        QTest::addColumn<QStringList>("startingPages");  // what each new page starts with
        QTest::newRow("everything fits: one page, the order unchanged") << 16838.0 << 2 << QStringList{};
        QTest::newRow("an empty title: one empty line") << 16838.0 << 0 << QStringList{};
        QTest::newRow("question 5 would cross the foot: its block moves whole to page 2")
            << 8100.0 << 2 << QStringList{"Question 5 "};
        QStringList everyQuestion;
        for (int q = 1; q <= 10; ++q)
            everyQuestion << QStringLiteral("Question %1 ").arg(q);
        QTest::newRow("a heading line that would cross the foot starts page 2")
            << 2000.0 << 2 << QStringList{"Other Planets"} + everyQuestion;
        QTest::newRow("a title on four lines on A4: still one page") << 16838.0 << 60 << QStringList{};
        QTest::newRow("a title on four lines on Letter: question 10 moves to page 2")
            << 15840.0 << 60 << QStringList{"Question 10 "};
    }
    void worksheetPages()
    {
        QFETCH(double, H);
        QFETCH(int, titleWords);
        QFETCH(QStringList, startingPages);
        const double W = 11906;
        paper(W, H);
        multiple *quiz = open(10);
        QStringList words{"Other", "Planets"};
        while (words.size() < titleWords)
            words << QStringLiteral("Saturn");
        words = words.mid(0, titleWords);
        quiz->Label6->setText(words.join(' '));
        click(quiz->label3[3]);

        QStringList starts;  // the first text printed on each new page
        for (qsizetype i = log.indexOf("page"); i >= 0; i = log.indexOf("page", i + 1)) {
            const auto next = std::find_if(log.begin() + i, log.end(), [](const QString &e) { return e.startsWith("line "); });
            QVERIFY(next != log.end());
            const QString text = next->mid(6, next->size() - 7);  // "Question 5    ..." -> "Question 5 "
            starts << (text.startsWith("Question ") ? text.section(' ', 0, 1) + ' ' : text);
        }
        QCOMPARE(starts, startingPages);

        // The title is broken between words into centred lines that fit; not a word is lost.
        const qsizetype first = log.indexOf("size 32") + 3, last = log.indexOf(line(" "), first);
        QStringList titleLines;
        for (qsizetype i = first; i < last; ++i)
            if (log[i].startsWith("line "))
                titleLines << log[i].mid(6, log[i].size() - 7);
        QCOMPARE(titleLines.join(' '), words.join(' '));
        for (const QString &l : titleLines)
            QVERIFY2(l.size() * 100.0 <= W, qPrintable(l));
        QCOMPARE(titleLines.size(), titleWords > 17 ? 4 : 1);
    }

    void certificate_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("scale");  // the screens' scale changes nothing on paper
        QTest::newRow("A4 after a quiz") << 11906.0 << 16838.0 << "Quillmoor" << "Sam Jones" << 10 << QByteArray("1");
        QTest::newRow("Letter, empty name") << 12240.0 << 15840.0 << "Quillmoor" << "" << 10 << QByteArray("1");
        QTest::newRow("after an activity, no quiz") << 11906.0 << 16838.0 << "" << "Ada" << 8 << QByteArray("1");
        QTest::newRow("a heading wider than a quarter of the page")
            << 11906.0 << 16838.0 << "A very long heading for this certificate" << "Ada" << 10 << QByteArray("1");
        QTest::newRow("a heading near a quarter of the page, screens at 1.8")
            << 11906.0 << 16838.0 << "A heading near a quarter of a page" << "Ada" << 10 << QByteArray("1.8");
    }
    void certificate()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(QString, heading);
        QFETCH(QString, name);
        QFETCH(int, score);
        QFETCH(QByteArray, scale);
        env.reset();
        qputenv("QUILLMOOR_SCALE", scale);
        env = std::make_unique<TestEnv>();
        shared::soundflag = 1;
        Welldone *done = resultsFor(score, score, heading);
        QCOMPARE(env->played, QStringList{results::celebration(score, 0.0)});
        QTest::keyClicks(done->Text1, name);
        env->played.clear();
        // At 1.8 the button lies beyond the offscreen test screen, so the handler is called.
        auto print = [&] { scale == "1" ? click(done->label3[0]) : done->label3_Click(0); };
        failWith(PrintError("no default printer"));  // reported, and the screen stays as it was
        print();
        failWith(std::runtime_error("unexpected"));
        print();
        QVERIFY(done->isVisible());
        paper(W, H);
        print();

        // The whole printout, operation by operation: the heading sized by its width on the
        // results screen, never the printer's; the frames inset 45 twips at a time.
        QCOMPARE_GOLDEN(QStringLiteral("certificate/") + golden::slug(QString::fromUtf8(QTest::currentDataTag())), log);
        QCOMPARE(env->messages->shown, (QStringList{kProblem, kCancelled, "Your certificate is now printing."}));
        QVERIFY(env->played.isEmpty());  // never a click after the certificate
    }

private:
    // Opens the quiz from a hub (entry 10 planets, 0 temperature), the hub left open behind the
    // menu as its pupil would come back to it; a hub already open is brought forward.
    multiple *open(int entry)
    {
        auto hub = [entry] {
            return entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        };
        Screens::show<intro0>();
        if (!hub())
            click(Screens::find<intro0>()->Label2[entry]);
        Screens::bringToFront(hub());
        click(hub()->label3[0]);
        return Screens::find<multiple>();
    }

    // From question 1, answers every question right but those listed (odd ones a wrong answer,
    // even ones left empty), scores, and waits for the celebration. Records only the sounds of
    // "Check Score >>" and after.
    Welldone *answer(multiple *quiz, const QList<int> &wrong)
    {
        for (int q = 1; q <= 10; ++q) {
            const int right = shared::correct[q].toInt();
            if (!wrong.contains(q))
                click(quiz->Option1[right]);
            else if (q % 2)
                click(quiz->Option1[right % 4 + 1]);
            if (q == 10)
                env->played.clear();
            click(quiz->label3[1]);
        }
        return celebrated();
    }

    void paper(double W, double H)
    {
        printing::setFactory([this, W, H] { return std::make_unique<RecordingPrinter>(&log, W, H); });
    }

    // The results screen as an activity leaves it, with the certificate's heading.
    Welldone *resultsFor(int score, int total, const QString &heading)
    {
        shared::score = score;
        shared::total = total;
        shared::certheading = heading;
        Screens::show<Welldone>();
        return celebrated();
    }

    std::unique_ptr<TestEnv> env;
    QStringList log;
};

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
