// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz's rules as plain functions: loading a question file, the results message, the
// celebration sound, marking and the list of wrong questions.
#include "formats/fieldfile.h"
#include "quiz/questions.h"
#include "quiz/results.h"
#include "core/shared.h"

#include <QBuffer>
#include <QTest>

namespace {

// A question file: title, then ten questions "Question q" with answers "q-A".."q-D", the right
// answer rights[q-1]; separators as given.
QByteArray bank(const QString &title, const QList<QByteArray> &rights, const QByteArray &separator = " ", int fieldsToDrop = 0,
                int extra = 0)
{
    QByteArrayList lines{title.toLatin1(), separator};
    for (int q = 1; q <= 10; ++q) {
        const QByteArray n = QByteArray::number(q);
        lines << "Question " + n << n + "-A" << n + "-B" << n + "-C" << n + "-D" << rights[q - 1] << separator;
    }
    lines = lines.mid(0, lines.size() - fieldsToDrop);
    for (int i = 0; i < extra; ++i)
        lines << "extra";
    return lines.join("\r\n") + "\r\n";
}

const QList<QByteArray> kRights = {"1", "2", "3", "4", "1", "2", "3", "4", "1", "2"};

// The standard bank with the right answer of question q replaced.
QByteArray withRight(int q, const QByteArray &right)
{
    QList<QByteArray> rights = kRights;
    rights[q - 1] = right;
    return bank(QStringLiteral("Set"), rights);
}

bool load(const QByteArray &bytes)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    FieldReader in(&b, kMaxQuestionField);
    return loadquestions(in);
}

}  // namespace

class TestQuizRules : public QObject {
    Q_OBJECT
private slots:
    void loader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("title");  // empty: not a question set
        QTest::newRow("as written") << bank("Set", kRights) << "Set";
        QTest::newRow("separators holding text") << bank("Set", kRights, "anything at all") << "Set";
        QTest::newRow("& is a comma") << bank("Heat& light", kRights) << "Heat, light";
        QTest::newRow("71 fields") << bank("Set", kRights, " ", 1) << "";
        QTest::newRow("73 fields") << bank("Set", kRights, " ", 0, 1) << "Set";
        QTest::newRow("right answer 5") << withRight(4, "5") << "";
        QTest::newRow("right answer 0") << withRight(1, "0") << "";
        QTest::newRow("right answer empty") << withRight(10, "") << "";
        QTest::newRow("right answer 10 (a prefix comparison would load it)") << withRight(6, "10") << "";
        QTest::newRow("right answer 2.5 (toInt would read 2)") << withRight(7, "2.5") << "";
        QTest::newRow("right answer +3") << withRight(8, "+3") << "";
        QTest::newRow("right answer with a blank before: the reader skips it") << withRight(3, " 3") << "Set";
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x01\x02,,\r\n\x80", 9) << "";
        QTest::newRow("one enormous line") << QByteArray(8 * 1024 * 1024, 'x') << "";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void loader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        shared::tasktitle = QStringLiteral("Before");
        shared::question[1] = QStringLiteral("Old question");
        QCOMPARE(load(bytes), !title.isEmpty());
        if (!title.isEmpty()) {
            QCOMPARE(shared::tasktitle, title);
            QCOMPARE(shared::question[10], QStringLiteral("Question 10"));
            QCOMPARE(shared::answerd[10], QStringLiteral("10-D"));
            QCOMPARE(shared::correct[4], QStringLiteral("4"));
        } else {  // a file that is not a question set leaves the set that was there
            QCOMPARE(shared::tasktitle, QStringLiteral("Before"));
            QCOMPARE(shared::question[1], QStringLiteral("Old question"));
        }
    }

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
