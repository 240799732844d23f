// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard screen: the order of its checks, Enter between the boxes, replacing another
// worksheet, leaving with unsaved typing, what its boxes take, and the fit warning, which agrees
// with the quiz screen, where a teacher's text is never read as markup.
#include "authoring/testsheets.h"
#include "ui/screens.h"
#include "ui/textlimit.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "quiz/wrong.h"
#include "core/shared.h"
#include "shell/intro0.h"
#include "support/testenv.h"

#include <QLabel>
#include <QTest>

namespace {
const QString kSaved = QStringLiteral("Your worksheet has been saved.");

// Typed as one key press carrying the text, as an input method delivers an emoji.
void typeText(QLineEdit *e, const QString &text)
{
    e->end(false);
    QTest::sendKeyEvent(QTest::Click, e, Qt::Key_unknown, text, Qt::NoModifier);
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
        QTest::addColumn<QString>("box");  // a box given this text
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("tick");     // a tick box turned over; -1: none
        QTest::addColumn<QString>("message");
        QTest::newRow("empty title before two ticks") << "Text1" << "" << 0 << "You have not chosen a title for your worksheet";
        QTest::newRow("question 2: answer C empty before no tick") << "Text3_6" << "" << 5 << "You have not completed Question 2";
        QTest::newRow("question 10, two ticks") << "Text1" << "Magnets" << 38
                                                << "You have ticked more than one correct answer for Question 10";
        QTest::newRow("question 1, no tick") << "Text1" << "Magnets" << 1
                                             << "You have not ticked the correct answer for Question 1";
        QTest::newRow("blanks count as filled") << "Text3_3" << "   " << -1 << "Your worksheet has been saved.";
    }
    void validationOrder()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, tick);
        QFETCH(QString, message);
        fill(w, entries(QStringLiteral("Magnets")));
        w->findChild<QLineEdit *>(box)->setText(text);
        if (tick >= 0)
            w->Check1[tick]->toggle();
        env->played.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{message});
        QCOMPARE(env->played, QStringList{"wav\\click.wav"});
        QCOMPARE(QFile::exists(env->teacherDir() + "/Magnets.txt"), message == kSaved);
    }

    // Enter walks every box in order, each question before its answers; the last keeps the focus.
    void enterMoves()
    {
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QStringList order{"Text1"};
        for (int q = 0; q < 10; ++q) {
            order << QStringLiteral("Text2_%1").arg(q);
            for (int a = 4 * q; a < 4 * q + 4; ++a)
                order << QStringLiteral("Text3_%1").arg(a);
        }
        w->Text1->setFocus();
        QStringList walked{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < int(order.size()); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            walked << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walked, order << "Text3_39");
    }

    void replacingAnotherWorksheetAsksFirst_data()
    {
        QTest::addColumn<bool>("catalogued");  // else only its file is left, by a deleted title
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK replaces it") << true << true;
        QTest::newRow("Cancel changes nothing") << true << false;
        QTest::newRow("a file left by a deleted title") << false << false;
    }
    void replacingAnotherWorksheetAsksFirst()
    {
        QFETCH(bool, catalogued);
        QFETCH(bool, ok);
        if (catalogued)
            TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", "another teacher's");
        const QStringList before = TestEnv::snapshot(env->teacherDir());
        fill(w, entries(QStringLiteral("Magnets")));
        env->messages->answers = {ok};
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown.first(), QStringLiteral("A worksheet called Magnets already exists. Do you want to replace it?"));
        if (!ok) {
            QCOMPARE(env->messages->shown.size(), 1);
            QCOMPARE(TestEnv::snapshot(env->teacherDir()), before);
            return;
        }
        QCOMPARE(env->messages->shown.last(), kSaved);
        QVERIFY(readFile(env->teacherDir() + "/Magnets.txt").startsWith("Magnets\r\n"));
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), QByteArray(" 1 \r\nMagnets\r\n"));
        // Saved from here, it is this wizard's own: saving again asks nothing.
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{kSaved});
    }

    void leaving_data()
    {
        QTest::addColumn<QString>("before");  // what was done before Exit
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("closed");
        QTest::newRow("nothing typed: leaves at once") << "" << false << true;
        QTest::newRow("typing saved: leaves at once") << "saved" << false << true;
        QTest::newRow("typed, OK: leaves") << "typed" << true << true;
        QTest::newRow("typed, Cancel: stays with the typing") << "typed" << false << false;
    }
    void leaving()
    {
        QFETCH(QString, before);
        QFETCH(bool, ok);
        QFETCH(bool, closed);
        if (!before.isEmpty())
            fill(w, entries(QStringLiteral("Magnets")));
        if (before == QLatin1String("saved"))
            QTest::mouseClick(w->label3[1], Qt::LeftButton);
        env->messages->shown.clear();
        env->messages->answers = {ok};
        QTest::mouseClick(w->label3[0], Qt::LeftButton);
        settle();
        QCOMPARE(env->messages->shown.size(), before == QLatin1String("typed") ? 1 : 0);
        QCOMPARE(!Screens::isLoaded<wizard>(), closed);
        if (!closed)
            QCOMPARE(w->Text1->text(), QStringLiteral("Magnets"));
    }

    void warnsWhenTextWillNotFitTheQuiz_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("25 capitals in the title") << "Text1" << QString(25, QLatin1Char('W')) << "the title";
        QTest::newRow("60 capitals in question 3") << "Text2_2" << "WHICH MAGNET PULLS HARDEST ON IRON FILINGS IN THE GREEN TRAYS" << "Question 3";
        QTest::newRow("30 capitals in answer B of question 4") << "Text3_13" << QString(30, QLatin1Char('M')) << "Question 4 answer B";
    }
    void warnsWhenTextWillNotFitTheQuiz()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, named);
        fill(w, entries(QStringLiteral("Magnets")));
        w->findChild<QLineEdit *>(box)->setText(text);
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, (QStringList{QStringLiteral("These will not show in full on the quiz screen: %1. "
                                                                   "Your worksheet will still be saved.").arg(named), kSaved}));
    }

    // An emoji is one character: it fits as the last one and is never cut in half, in every box
    // of the wizard and in the pupil's name box. Line breaks pasted become blanks.
    void boxesTakeWholeCharacters()
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
        // Sixty letters under twenty accents each are sixty characters but 1,260 code units: the
        // box keeps whole letters up to its bound of 16 units a character, as the reader expects.
        const QString accented = QStringLiteral("a") + QString(20, QChar(0x301));
        w->Text2[0]->setText(QString());
        w->Text2[0]->insert(accented.repeated(60));
        QCOMPARE(w->Text2[0]->text(), accented.repeated(60 * 16 / 21));
        w->Text2[0]->setText(QString());
        w->Text2[0]->insert(QStringLiteral("one\r\ntwo\tthree"));
        QCOMPARE(w->Text2[0]->text(), QStringLiteral("one  two three"));
    }

    // What the boxes tell while typing: the characters left once the limit is near (a question
    // holds 60, an answer 30), and that an "&" will come back as a comma.
    void countsAndAmpersandNote_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("note");
        QTest::newRow("empty question") << "Text2_0" << "" << "" << false;
        QTest::newRow("one character") << "Text2_0" << "W" << "" << false;
        QTest::newRow("ten left") << "Text2_0" << QString(50, 'w') << "10 left" << false;
        QTest::newRow("one left") << "Text2_0" << QString(59, 'w') << "1 left" << false;
        QTest::newRow("full, one more typed") << "Text2_0" << QString(61, 'w') << "0 left" << false;
        QTest::newRow("an answer with an ampersand") << "Text3_5" << "Salt & water" << "" << true;
        QTest::newRow("a full answer") << "Text3_5" << QString(30, 'w') << "0 left" << false;
    }
    void countsAndAmpersandNote()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, count);
        QFETCH(bool, note);
        auto *e = w->findChild<QLineEdit *>(box);
        QTest::keyClicks(e, typed);
        auto *remaining = e->findChild<QLabel *>(QStringLiteral("remaining"));
        QVERIFY(remaining);
        QCOMPARE(remaining->isVisible() ? remaining->text() : QString(), count);
        if (!count.isEmpty())  // the typing is kept clear of the count
            QVERIFY(e->textMargins().right() >= remaining->width() && remaining->geometry().right() < e->width());
        QCOMPARE(w->ampersandNote->isVisible(), note);
        e->clear();
        QVERIFY(!remaining->isVisible() && !w->ampersandNote->isVisible());
    }

    void fitCheckMatchesTheQuizScreen_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("question");
        QTest::newRow("short") << "Magnets" << "Which pole attracts?";
        QTest::newRow("25 capitals, 60 capitals") << QString(25, QLatin1Char('W')) << QStringLiteral("WHICH MAGNET PULLS HARDEST ON IRON FILINGS IN THE GREEN TRAYS");
        QTest::newRow("25 small letters, two lines") << QString(25, QLatin1Char('i')) << QStringLiteral("Which of these metals does a magnet pull towards it, please?");
    }
    void fitCheckMatchesTheQuizScreen()
    {
        QFETCH(QString, title);
        QFETCH(QString, question);
        shared::tasktitle = title;
        shared::questnum = 1;
        shared::question[1] = question;
        multiple *quiz = Screens::show<multiple>();
        const QLabel *t = quiz->Label6, *q = quiz->Label2;
        QCOMPARE(quizfit::title(title), t->fontMetrics().horizontalAdvance(title) <= t->width());
        QCOMPARE(quizfit::question(question), q->heightForWidth(q->width()) <= q->height() && q->sizeHint().width() <= q->width());
    }

    // What the pupil sees of a text like markup: drawn as plain text would draw it.
    void markupShownLiterally()
    {
        const QString text = QStringLiteral("<b>Bold</b>, <p>x</p> or a<b?");
        shared::tasktitle = text;
        for (int q = 1; q <= 10; ++q) {
            shared::question[q] = text;
            shared::answera[q] = shared::answerb[q] = shared::answerc[q] = shared::answerd[q] = QStringLiteral("x");
            shared::correct[q] = QStringLiteral("1");
        }
        multiple *quiz = Screens::show<multiple>();
        QVERIFY(drawnAsPlainText(quiz->Label2));
        QVERIFY(drawnAsPlainText(quiz->Label6));
        for (int q = 1; q <= 10; ++q)  // no answer chosen: every question wrong
            QTest::mouseClick(quiz->label3[1], Qt::LeftButton);
        settle();
        Wrong *review = Screens::find<Wrong>();
        QVERIFY(drawnAsPlainText(review->Label2[0]));
        QVERIFY(drawnAsPlainText(review->Label6));
    }

private:
    static bool drawnAsPlainText(QLabel *shown)
    {
        const QImage drawn = shown->grab().toImage();
        shown->setTextFormat(Qt::PlainText);
        return shown->grab().toImage() == drawn;
    }

    std::unique_ptr<TestEnv> env;
    wizard *w = nullptr;
};

QTEST_MAIN(TestAuthoring)
#include "tst_authoring.moc"
