// The question loader and the quiz, results and review screens, driven from the hubs with clicks.
#include "platform/fieldfile.h"
#include "platform/random.h"
#include "platform/screens.h"
#include "quiz/multiple.h"
#include "quiz/questions.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QBuffer>
#include <QTest>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");

// A question file: title, then ten questions "Question q" with answers "q-A".."q-D", the right
// answer rights[q-1]; separators as given.
QByteArray bank(const QString &title, const QList<QByteArray> &rights, const QByteArray &separator = " ", int fieldsToDrop = 0, int extra = 0)
{
    QByteArrayList lines{title.toLatin1(), separator};
    for (int q = 1; q <= 10; ++q) {
        lines << "Question " + QByteArray::number(q) << QByteArray::number(q) + "-A" << QByteArray::number(q) + "-B"
              << QByteArray::number(q) + "-C" << QByteArray::number(q) + "-D" << rights[q - 1] << separator;
    }
    lines = lines.mid(0, lines.size() - fieldsToDrop);
    for (int i = 0; i < extra; ++i)
        lines << "extra";
    return lines.join("\r\n") + "\r\n";
}

const QList<QByteArray> kRights = {"1", "2", "3", "4", "1", "2", "3", "4", "1", "2"};

bool load(const QByteArray &bytes)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    try {
        FieldReader in(&b, kMaxQuestionField);
        loadquestions(in);
        return true;
    } catch (const FileError &) {
        return false;
    }
}

void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }

}  // namespace

class TestQuiz : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        rnd::setGenerator([] { return 0.0; });
    }
    void cleanup()
    {
        rnd::setGenerator({});
        env.reset();
    }

    // ---- the loader ---------------------------------------------------------------------------

    void loader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        QTest::newRow("as written") << bank("Set", kRights) << true;
        QTest::newRow("separators holding text") << bank("Set", kRights, "anything at all") << true;
        QTest::newRow("71 fields") << bank("Set", kRights, " ", 1) << false;
        QTest::newRow("73 fields") << bank("Set", kRights, " ", 0, 1) << true;
        QList<QByteArray> five = kRights, zero = kRights, empty = kRights, letter = kRights, blanks = kRights;
        five[3] = "5";
        zero[0] = "0";
        empty[9] = "";
        letter[4] = "A";
        blanks[2] = " 3";  // leading blanks are skipped by the reader: still "3"
        QTest::newRow("right answer 5") << bank("Set", five) << false;
        QTest::newRow("right answer 0") << bank("Set", zero) << false;
        QTest::newRow("right answer empty") << bank("Set", empty) << false;
        QTest::newRow("right answer a letter") << bank("Set", letter) << false;
        QList<QByteArray> ten = kRights, decimal = kRights, plus = kRights;
        ten[5] = "10";       // starts with "1": a prefix comparison would let it load
        decimal[6] = "2.5";  // a number comparison after toInt would read 2
        plus[7] = "+3";
        QTest::newRow("right answer 10") << bank("Set", ten) << false;
        QTest::newRow("right answer 2.5") << bank("Set", decimal) << false;
        QTest::newRow("right answer +3") << bank("Set", plus) << false;
        QTest::newRow("right answer with a blank before") << bank("Set", blanks) << true;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x01\x02,,\r\n\x80", 9) << false;
        QTest::newRow("one enormous line") << QByteArray(8 * 1024 * 1024, 'x') << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void loader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        shared::tasktitle = QStringLiteral("Before");
        shared::question[1] = QStringLiteral("Old question");
        QCOMPARE(load(bytes), loads);
        if (loads) {
            QCOMPARE(shared::tasktitle, QStringLiteral("Set"));
            QCOMPARE(shared::question[10], QStringLiteral("Question 10"));
            QCOMPARE(shared::answerd[10], QStringLiteral("10-D"));
            QCOMPARE(shared::correct[4], QStringLiteral("4"));
        } else {
            // A file that is not a question set leaves the set that was there.
            QCOMPARE(shared::tasktitle, QStringLiteral("Before"));
            QCOMPARE(shared::question[1], QStringLiteral("Old question"));
        }
        QVERIFY(shared::question[0].isEmpty() && shared::correct[0].isEmpty());
    }

    void ampersandIsAComma()
    {
        QByteArray b = bank("Heat& light", kRights).replace("Question 3", "Hot& cold& warm?");
        QVERIFY(load(b));
        QCOMPARE(shared::tasktitle, QStringLiteral("Heat, light"));
        QCOMPARE(shared::question[3], QStringLiteral("Hot, cold, warm?"));
    }

    void brokenBankOpensNoQuiz()
    {
        TestEnv::writeFile(env->dataDir() + "/multiple/Other Planets.txt", bank("Broken", {"1", "2", "9", "4", "1", "2", "3", "4", "1", "2"}));
        shared::tasktitle = QStringLiteral("Before");
        click(Screens::show<intro0>()->Label2[10]);
        env->played.clear();
        click(Screens::find<weather>()->label3[0]);
        QVERIFY(!Screens::isLoaded<multiple>());
        QCOMPARE(shared::tasktitle, QStringLiteral("Before"));
        QCOMPARE(env->played, QStringList{kClick});
    }

    // ---- the quiz -----------------------------------------------------------------------------

    void hubOpensTheQuiz_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("picture");
        QTest::newRow("planets") << 10 << "Other Planets" << "images\\jupitersm.jpg";
        QTest::newRow("temperature") << 0 << "Measuring Temperature" << "images\\thermosm.jpg";
    }
    void hubOpensTheQuiz()
    {
        QFETCH(int, entry);
        QFETCH(QString, title);
        QFETCH(QString, picture);
        multiple *quiz = open(entry);
        QCOMPARE(quiz->Label6->text(), title);
        QCOMPARE(quiz->Label5->text(), QStringLiteral("Quillmoor"));
        QCOMPARE(quiz->Picture1->source(), picture);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 1"));
        QCOMPARE(quiz->Label2->text(), shared::question[1]);
        QCOMPARE(quiz->Option1[3]->text(), shared::answerc[1]);
        QVERIFY(quiz->Option1[5]->isChecked());
        QVERIFY(!quiz->label3[0]->isVisible());
        QVERIFY(quiz->label3[3]->isVisible());
        QCOMPARE(shared::score.toInt(), 0);
        QCOMPARE(shared::total.toInt(), 10);
        env->played.clear();
        QTest::mouseClick(quiz->Option1[2], Qt::LeftButton);
        QVERIFY(quiz->Option1[2]->isChecked());
        QCOMPARE(env->played, QStringList{QStringLiteral("wav\\typekey.wav")});
    }

    void navigation()
    {
        multiple *quiz = open(10);
        for (int q = 1; q < 10; ++q)
            click(quiz->label3[1]);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 10"));
        QCOMPARE(quiz->label3[1]->text(), QStringLiteral("Check Score >>"));
        QVERIFY(quiz->label3[0]->isVisible());
        click(quiz->label3[0]);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 9"));
        QCOMPARE(quiz->label3[1]->text(), QStringLiteral("Next Question >>"));
        for (int q = 9; q > 1; --q)
            click(quiz->label3[0]);
        QVERIFY(!quiz->label3[0]->isVisible());
    }

    void judgedOnlyWhenLeftWithNext()
    {
        multiple *quiz = open(10);
        const int right = shared::correct[1].toInt();
        QTest::mouseClick(quiz->Option1[right], Qt::LeftButton);
        click(quiz->label3[1]);
        QCOMPARE(shared::mark[1].toInt(), 1);
        click(quiz->label3[0]);  // back: the earlier answer is not shown again
        QVERIFY(quiz->Option1[5]->isChecked());
        click(quiz->label3[1]);  // left again without choosing: wrong
        QCOMPARE(shared::mark[1].toInt(), 0);
    }

    void wrongListsTheWrongQuestionsInOrder_data()
    {
        QTest::addColumn<QList<int>>("wrong");
        QTest::newRow("2, 5 and 9") << QList<int>{2, 5, 9};
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("all ten") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("only 10") << QList<int>{10};
    }
    void wrongListsTheWrongQuestionsInOrder()
    {
        QFETCH(QList<int>, wrong);
        play(10, wrong);
        Wrong *w = Screens::find<Wrong>();
        QVERIFY(w && !w->isVisible());
        QCOMPARE(w->Label6->text(), QStringLiteral("Other Planets"));
        for (int k = 0; k < 10; ++k) {
            QCOMPARE(w->Label2[k]->isVisibleTo(w), k < wrong.size());
            if (k < wrong.size())
                QCOMPARE(w->Label2[k]->text(), QStringLiteral(" %1. ").arg(wrong[k]) + shared::question[wrong[k]]);
        }
        QCOMPARE(shared::score.toInt(), 10 - int(wrong.size()));
        QVERIFY(!Screens::isLoaded<multiple>());
        QCOMPARE(shared::certheading, QStringLiteral("Quillmoor"));
    }

    // The message and sound rules are checked in tst_quizrules; here, that the screen shows them.
    void results_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("sound");  // for r = 0.5
        QTest::newRow("10") << 10 << "Excellent work. You have scored 10 out of 10." << "wav\\fanf3.wav";
        QTest::newRow("9") << 9 << "Good work. You have scored 9 out of 10." << "wav\\cheer2.wav";
        QTest::newRow("5") << 5 << "You have scored 5 out of 10." << QString();
    }
    void results()
    {
        QFETCH(int, score);
        QFETCH(QString, message);
        QFETCH(QString, sound);
        rnd::setGenerator([] { return 0.5; });
        QList<int> wrong;
        for (int q = 1; q <= 10 - score; ++q)
            wrong << q;
        env->played.clear();
        Welldone *done = play(10, wrong);
        QCOMPARE(done->Label1->text(), message);
        const bool full = score == 10;
        QCOMPARE(done->label3[0]->isVisible(), true);
        QCOMPARE(done->label3[0]->text(), full ? QStringLiteral("Print Certificate") : QStringLiteral("Check Wrong Answers"));
        QCOMPARE(done->Text1->isVisible(), full);
        QCOMPARE(done->Label2->isVisible(), full);
        QVERIFY(done->Label5->isVisible());
        QVERIFY(!done->Label6->isVisible());
        QCOMPARE(done->Label5->text().isEmpty(), full);
        QCOMPARE(done->Picture1->source(), QStringLiteral("images\\icicle.jpg"));
        QStringList expected{kClick};
        if (!sound.isEmpty())
            expected << sound;
        QCOMPARE(env->played, expected);
        if (full)
            QVERIFY(done->Text1->hasFocus());
        click(done->label3[1]);  // Exit closes both
        settle();
        QVERIFY(!Screens::isLoaded<Welldone>() && !Screens::isLoaded<Wrong>());
    }

    void fullMarksAfterAnActivity()
    {
        shared::soundflag = 1;
        shared::score = 8;
        shared::total = 8;
        rnd::setGenerator([] { return 0.5; });
        Welldone *done = Screens::show<Welldone>();
        QTRY_VERIFY(!done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive());
        QCOMPARE(done->Label1->text(), QStringLiteral("Excellent work. You have scored 8 out of 8."));
        QVERIFY(done->label3[0]->isVisible() && done->Text1->isVisible());
        QVERIFY(!done->Label5->isVisible());
        QCOMPARE(env->played, QStringList{QStringLiteral("wav\\gong.wav")});
        env->played.clear();
        click(done->label3[0]);  // "Print Certificate": never a click
        QVERIFY(env->played.isEmpty());
    }

    void belowFullMarksAfterAnActivity()
    {
        shared::score = 5;
        shared::total = 8;
        Welldone *done = Screens::show<Welldone>();
        QTRY_VERIFY(!done->Timer3->isActive() && !done->Timer1->isActive());
        QVERIFY(!done->label3[0]->isVisible() && !done->Label5->isVisible());
        QVERIFY(done->Label6->isVisible());
        QCOMPARE(done->Label6->text(), QStringLiteral("Read the Key Facts and try again."));
    }

    void soundOff()
    {
        Screens::show<intro0>();
        Welldone *done = play(10, {3}, false);
        QVERIFY(env->played.isEmpty());
        QCOMPARE(done->Picture1->source(), QStringLiteral("images\\icicle.jpg"));
        click(done->label3[0]);  // Check Wrong Answers
        QVERIFY(Screens::find<Wrong>()->isVisible());
        QVERIFY(env->played.isEmpty());
    }

    void reviewAndItsExitCloseBoth()
    {
        Welldone *done = play(10, {7});
        env->played.clear();
        click(done->label3[0]);
        Wrong *w = Screens::find<Wrong>();
        QVERIFY(w->isVisible());
        QCOMPARE(env->played, QStringList{kClick});
        QCOMPARE(w->Label2[0]->text(), QStringLiteral(" 7. ") + shared::question[7]);
        QVERIFY(!w->Label2[1]->isVisibleTo(w));
        env->played.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        settle();
        QVERIFY(!Screens::isLoaded<Welldone>() && !Screens::isLoaded<Wrong>());
        QVERIFY(env->played.isEmpty());
    }

    void exitDuringTheQuiz()
    {
        play(10, {1});
        click(Screens::find<Welldone>()->label3[1]);
        settle();
        shared::certheading = QStringLiteral("Kept");
        multiple *quiz = open(10, false);
        click(quiz->label3[1]);
        click(quiz->label3[1]);
        click(quiz->label3[2]);  // Exit
        settle();
        QVERIFY(!Screens::isLoaded<multiple>());
        QCOMPARE(shared::score.toInt(), 0);  // set by the load, never counted
        QCOMPARE(shared::certheading, QStringLiteral("Kept"));
        quiz = open(10, false);
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 1"));
    }

private:
    // Opens the quiz from a hub (entry 10 planets, 0 temperature).
    multiple *open(int entry, bool fresh = true)
    {
        if (fresh || !Screens::isLoaded<intro0>())
            Screens::show<intro0>();
        if (!Screens::isLoaded<weather>() && !Screens::isLoaded<temperature>())
            click(Screens::find<intro0>()->Label2[entry]);
        TopicHub *hub = entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        Screens::bringToFront(hub);  // a hub left open behind the menu, as its pupil would come back to it
        click(hub->label3[0]);
        multiple *quiz = Screens::find<multiple>();
        Q_ASSERT(quiz);
        return quiz;
    }

    // Answers every question right but those listed, scores, and waits for the celebration.
    Welldone *play(int entry, const QList<int> &wrong, bool sound = true)
    {
        multiple *quiz = open(entry);
        if (!sound) {
            Screens::bringToFront(Screens::find<intro0>());
            QTest::mouseClick(Screens::find<intro0>()->Option2, Qt::LeftButton);
            Screens::bringToFront(quiz);
        }
        for (int q = 1; q <= 10; ++q) {
            const int right = shared::correct[q].toInt();
            if (!wrong.contains(q))
                QTest::mouseClick(quiz->Option1[right], Qt::LeftButton);
            else if (q % 2)
                QTest::mouseClick(quiz->Option1[right % 4 + 1], Qt::LeftButton);  // a wrong answer; even ones left empty
            if (q == 10)
                env->played.clear();  // from here: the click of "Check Score >>" and the celebration
            click(quiz->label3[1]);
        }
        Welldone *done = Screens::find<Welldone>();
        if (done)
            if (!QTest::qWaitFor([done] { return !done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive(); }))
                QTest::qFail("the celebration chain did not finish", __FILE__, __LINE__);
        return done;
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestQuiz)
#include "tst_quiz.moc"
