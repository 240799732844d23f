// The quiz's rules as plain functions: the results message, the celebration sound, marking and
// the list of wrong questions.
#include "quiz/results.h"

#include <QTest>

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    void message_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("message");
        QTest::newRow("full marks of 10") << 10 << 10 << "Excellent work. You have scored 10 out of 10.";
        QTest::newRow("full marks of 8 (an activity)") << 8 << 8 << "Excellent work. You have scored 8 out of 8.";
        QTest::newRow("two short: still good") << 8 << 10 << "Good work. You have scored 8 out of 10.";
        QTest::newRow("three short: plain") << 7 << 10 << "You have scored 7 out of 10.";
        QTest::newRow("two short of 6") << 4 << 6 << "Good work. You have scored 4 out of 6.";
    }
    void message()
    {
        QFETCH(int, score);
        QFETCH(int, total);
        QFETCH(QString, message);
        QCOMPARE(results::message(score, total), message);
        QCOMPARE(results::fullMarks(score, total), score == total);
    }

    void celebration_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("sound");
        QTest::newRow("10, r just under a half: the first of two") << 10 << 0.4999 << "wav\\fanf2.wav";
        QTest::newRow("10, r a half: the second of two") << 10 << 0.5 << "wav\\fanf3.wav";
        QTest::newRow("9, r 0: the first of three") << 9 << 0.0 << "wav\\crowd.wav";
        QTest::newRow("8, r a half: the middle of three") << 8 << 0.5 << "wav\\gong.wav";
        QTest::newRow("7, r 0.99: the last of three") << 7 << 0.99 << "wav\\whizz.wav";
        QTest::newRow("6, r 1 (never drawn, still a sound)") << 6 << 1.0 << "wav\\clown.wav";
        QTest::newRow("5: none") << 5 << 0.5 << QString();
        QTest::newRow("11: none") << 11 << 0.0 << QString();
    }
    void celebration()
    {
        QFETCH(int, score);
        QFETCH(double, r);
        QFETCH(QString, sound);
        QCOMPARE(results::celebration(score, r), sound);
    }

    void mark_data()
    {
        QTest::addColumn<QString>("correct");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("mark");
        QTest::newRow("right, first") << "1" << 1 << 1;
        QTest::newRow("right, last") << "4" << 4 << 1;
        QTest::newRow("wrong") << "2" << 3 << 0;
        QTest::newRow("nothing chosen") << "1" << 0 << 0;
        QTest::newRow("nothing chosen against a broken 0") << "0" << 0 << 0;
    }
    void mark()
    {
        QFETCH(QString, correct);
        QFETCH(int, chosen);
        QFETCH(int, mark);
        QCOMPARE(results::mark(correct, chosen), mark);
    }

    void wrongQuestions_data()
    {
        QTest::addColumn<QList<int>>("wrong");
        QTest::newRow("2, 5 and 9") << QList<int>{2, 5, 9};
        QTest::newRow("none") << QList<int>{};
        QTest::newRow("all ten") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("only the first") << QList<int>{1};
        QTest::newRow("only the last") << QList<int>{10};
    }
    void wrongQuestions()
    {
        QFETCH(QList<int>, wrong);
        std::array<Var, 11> marks;
        for (int q = 1; q <= 10; ++q)
            marks[std::size_t(q)] = wrong.contains(q) ? 0 : 1;
        marks[0] = 0;  // index 0 is never a question
        QCOMPARE(results::wrongQuestions(marks), wrong);
    }
};

QTEST_MAIN(TestQuizRules)
#include "tst_quizrules.moc"
