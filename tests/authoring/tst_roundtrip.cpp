// A teacher's text comes back as typed: through the wizard, the catalogue and Edit, through the
// file layer for thousands of generated texts, and on the quiz and review screens, never read as
// markup. Also which file a catalogue title opens, and what Edit and Delete do around it.
#include "authoring/browser.h"
#include "authoring/wizard.h"
#include "authoring/worksheets.h"
#include "platform/fieldfile.h"
#include "platform/textcodec.h"
#include "platform/screens.h"
#include "quiz/multiple.h"
#include "quiz/questions.h"
#include "quiz/wrong.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString asLoaded(QString typed) { return typed.replace(QLatin1Char('&'), QLatin1Char(',')); }

QByteArray sheet(const QByteArray &title, const QByteArray &question = "Q")
{
    QByteArrayList l{title, " "};
    for (int q = 1; q <= 10; ++q)
        l << question + QByteArray::number(q) << "a" << "b" << "c" << "d" << "1" << " ";
    return l.join("\r\n") + "\r\n";
}

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

// Characters a teacher may type: the format's own ("&", ",", quotes, blanks), Windows-1252
// letters whose bytes could pass for UTF-8 ("Ã©"), and characters beyond it, emoji included.
const QStringList kAlphabet = [] {
    QStringList out;
    for (char16_t c = 0x20; c < 0x7f; ++c)
        out << QString(QChar(c));
    for (const char *s : {"&", ",", "\"", " ", "°", "é", "Ã", "©", "Â", "€", "‰", "ÿ", "Ω", "℃", "漢", "😀", "👍🏽", "🇬🇧", "é"})
        out << QString::fromUtf8(s);
    return out;
}();

QString randomText(QRandomGenerator &rng, int maxCharacters)
{
    QString s;
    const int n = 1 + int(rng.bounded(maxCharacters));
    for (int i = 0; i < n; ++i)
        s += kAlphabet[int(rng.bounded(int(kAlphabet.size())))];
    return s;
}

}  // namespace

class TestRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void typedSavedEditedSavedAgain_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");  // typed into every question and answer box
        QTest::newRow("ampersand") << "Salt & Water" << "Salt & Water";
        QTest::newRow("comma") << "Heat, light" << "a, b, c";
        QTest::newRow("leading blanks") << "  Indented" << "  leading";
        QTest::newRow("trailing blanks") << "Trailing" << "trailing  ";
        QTest::newRow("only blanks") << "Blanks" << "   ";
        QTest::newRow("leading double quote") << "Quotes" << "\"Big\" cats are what?";
        QTest::newRow("closing double quote") << "Closing" << "a \"b\"";
        QTest::newRow("quote after a blank") << "Quote late" << " \"x\" , y ";
        QTest::newRow("degree sign") << "25°C" << "25°C is warm";
        QTest::newRow("beyond 1252") << "Ωmega ℃ 😀" << "漢字 😀 👍🏽";
        QTest::newRow("1252 bytes that pass for utf-8") << "Ã© title" << "Ã© or é";
    }
    void typedSavedEditedSavedAgain()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        click(Screens::show<intro0>()->Label2[17]);
        wizard *w = Screens::find<wizard>();
        w->Text1->setText(title);
        for (int i = 0; i < 40; ++i) {
            if (i % 4 == 0)
                w->Text2[i / 4]->setText(text);
            w->Text3[i]->setText(text);
            w->Check1[i]->setChecked(i % 4 == 1);
        }
        click(w->label3[1]);
        QCOMPARE(env->messages->shown.last(), QStringLiteral("Your worksheet has been saved."));
        const QString file = env->teacherDir() + "/" + title + ".txt";
        const QByteArray saved = read(file), catalogue = read(env->teacherDir() + "/track.txt");
        QCOMPARE(catalogue, textcodec::encode(" 1 \r\n" + title + "\r\n"));

        // Edit: the boxes hold what was typed ("&" read as ","), from their start.
        click(Screens::show<intro0>()->Label2[18]);
        settle();
        worksheets *b = Screens::find<worksheets>();
        click(b->Check1);
        click(b->Label2[1]);
        QCOMPARE(w->Text1->text(), title);
        QCOMPARE(w->Text2[9]->text(), asLoaded(text));
        QCOMPARE(w->Text3[39]->text(), asLoaded(text));
        QCOMPARE(w->Text3[39]->cursorPosition(), 0);
        QVERIFY(w->Check1[1]->isChecked() && !w->Check1[0]->isChecked());
        env->messages->shown.clear();
        click(w->label3[1]);
        QCOMPARE(env->messages->shown, QStringList{"Your worksheet has been saved."});
        QCOMPARE(read(file), saved);
        QCOMPARE(read(env->teacherDir() + "/track.txt"), catalogue);
    }

    // Every generated text, within the wizard's limits, comes back from the file as typed.
    void generatedTextsThroughTheFileLayer()
    {
        QRandomGenerator rng(20240513);
        int texts = 0;
        for (int n = 0; n < 80; ++n) {
            WorksheetEntries e;
            e.title = randomText(rng, 25);
            for (int q = 0; q < 10; ++q) {
                e.questions[std::size_t(q)] = randomText(rng, 60);
                for (int a = 0; a < 4; ++a)
                    e.answers[std::size_t(4 * q + a)] = randomText(rng, 30);
                e.ticks[std::size_t(4 * q + int(rng.bounded(4)))] = true;
            }
            QBuffer buf;
            buf.setData(worksheetbytes(e));
            buf.open(QIODevice::ReadOnly);
            FieldReader in(&buf, kMaxQuestionField);
            loadquestions(in);
            QCOMPARE(shared::tasktitle, asLoaded(e.title));
            for (int q = 0; q < 10; ++q) {
                QCOMPARE(shared::question[q + 1], asLoaded(e.questions[std::size_t(q)]));
                const QString *answers[] = {&shared::answera[q + 1], &shared::answerb[q + 1], &shared::answerc[q + 1], &shared::answerd[q + 1]};
                for (int a = 0; a < 4; ++a)
                    QCOMPARE(*answers[a], asLoaded(e.answers[std::size_t(4 * q + a)]));
            }
            texts += 51;
        }
        QVERIFY(texts >= 4000);
    }

    void filesWrittenBeforeLoadAsBefore_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("plain") << QByteArray("Magnets") << "Magnets3";
        QTest::newRow("ampersand is a comma") << QByteArray("Salt & Water") << "Salt , Water3";
        QTest::newRow("leading blanks skipped") << QByteArray("  Indented") << "Indented3";
        QTest::newRow("quote mid-text kept") << QByteArray("say \"hi\"") << "say \"hi\"3";
        QTest::newRow("leading quote: the quoted part") << QByteArray("\"Big\" cats") << "Big";
    }
    void filesWrittenBeforeLoadAsBefore()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, loaded);
        TestEnv::writeFile(env->teacherDir() + "/Old.txt", sheet("Old", line));
        QVERIFY(loadquestionfile(QStringLiteral("multiple/Old.txt")));
        QCOMPARE(shared::question[3], loaded);  // question 3 of the file
    }

    void catalogueTitleOpensItsOwnFile_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("opened");  // the title in the file opened; empty: none
        QTest::newRow("exact name first") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"magnets", "Magnets"} << "magnets";
        QTest::newRow("only candidate, unclaimed") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"Magnets"} << "Magnets";
        QTest::newRow("claimed by another title") << QByteArray(" 2 \r\nmagnets\r\nMagnets\r\n") << QStringList{"Magnets"} << "";
        QTest::newRow("two candidates") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"Magnets", "MAGNETS"} << "";
    }
    void catalogueTitleOpensItsOwnFile()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QStringList, files);
        QFETCH(QString, opened);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue);
        for (const QString &f : files)
            TestEnv::writeFile(env->teacherDir() + "/" + f + ".txt", sheet(f.toUtf8()));
        worksheets *b = open();
        click(b->Label2[1]);
        if (opened.isEmpty()) {
            QCOMPARE(env->messages->shown, QStringList{"This worksheet seems to be corrupted."});
            QVERIFY(!Screens::isLoaded<multiple>());
        } else {
            QCOMPARE(Screens::find<multiple>()->Label6->text(), opened);
        }
        // Deleting the title never removes a file.
        Screens::show<worksheets>();
        click(b->Check2);
        click(b->Label2[1]);
        for (const QString &f : files)
            QVERIFY(QFile::exists(env->teacherDir() + "/" + f + ".txt"));
    }

    void deadEntryCanBeRemoved_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK removes it") << true;
        QTest::newRow("Cancel keeps it") << false;
    }
    void deadEntryCanBeRemoved()
    {
        QFETCH(bool, ok);
        const QByteArray catalogue(" 3 \r\nGone\r\nBroken\r\nFine\r\n");
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue);
        TestEnv::writeFile(env->teacherDir() + "/Broken.txt", "Broken\r\n \r\nhalf a file\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Fine.txt", sheet("Fine"));
        worksheets *b = open();
        click(b->Check2);
        env->messages->answers = {ok, ok};
        click(b->Label2[1]);
        click(b->Label2[1]);  // "Broken" when "Gone" went, else "Gone" again
        QCOMPARE(env->messages->shown, (QStringList{"Are you sure that you want to delete the worksheet Gone?",
                                                    ok ? "Are you sure that you want to delete the worksheet Broken?"
                                                       : "Are you sure that you want to delete the worksheet Gone?"}));
        QCOMPARE(read(env->teacherDir() + "/track.txt"), ok ? QByteArray(" 1 \r\nFine\r\n") : catalogue);
        QCOMPARE(read(env->teacherDir() + "/Broken.txt"), QByteArray("Broken\r\n \r\nhalf a file\r\n"));
    }

    void editOverUnsavedTyping_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK replaces the typing") << true;
        QTest::newRow("Cancel keeps it") << false;
    }
    void editOverUnsavedTyping()
    {
        QFETCH(bool, ok);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", sheet("Magnets"));
        click(Screens::show<intro0>()->Label2[17]);
        wizard *w = Screens::find<wizard>();
        QTest::keyClicks(w->Text2[0], "Typed but not saved");
        worksheets *b = open();
        click(b->Check1);
        env->messages->answers = {ok};
        click(b->Label2[1]);
        QCOMPARE(env->messages->shown, QStringList{"The wizard holds a worksheet that has not been saved. "
                                                   "Do you want to replace it with the worksheet Magnets?"});
        QCOMPARE(w->Text2[0]->text(), ok ? QStringLiteral("Q1") : QStringLiteral("Typed but not saved"));
        QCOMPARE(w->Text1->text(), ok ? QStringLiteral("Magnets") : QString());
    }

    void titleSavedFromEditShowsAtOnce()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", sheet("Magnets"));
        worksheets *b = open();
        click(b->Check1);
        click(b->Label2[1]);
        wizard *w = Screens::find<wizard>();
        w->Text1->setText(QStringLiteral("Magnets 2"));
        click(w->label3[1]);
        QCOMPARE(b->Label2[2]->text(), QStringLiteral("Magnets 2"));
        QVERIFY(b->Label2[2]->isVisibleTo(b));
    }

    // What the pupil sees: the text drawn as plain text would draw it.
    void markupShownLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("comparison") << "Which is true: a<b or a>b?";
        QTest::newRow("paragraph tags") << "<p>x</p>";
        QTest::newRow("bold tag") << "<b>bold</b> or not";
    }
    void markupShownLiterally()
    {
        QFETCH(QString, text);
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
            click(quiz->label3[1]);
        settle();
        Wrong *review = Screens::find<Wrong>();
        QVERIFY(drawnAsPlainText(review->Label2[0]));
        QVERIFY(drawnAsPlainText(review->Label6));
    }

    // The wizard's fit check agrees with the quiz screen's own labels.
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

private:
    static bool drawnAsPlainText(QLabel *shown)
    {
        QLabel plain(shown->parentWidget());
        plain.setTextFormat(Qt::PlainText);
        plain.setFont(shown->font());
        plain.setPalette(shown->palette());
        plain.setAlignment(shown->alignment());
        plain.setWordWrap(shown->wordWrap());
        plain.setGeometry(shown->geometry());
        plain.setText(shown->text());
        return shown->grab().toImage() == plain.grab().toImage();
    }

    worksheets *open()
    {
        click(Screens::show<intro0>()->Label2[18]);
        settle();
        return Screens::find<worksheets>();
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestRoundTrip)
#include "tst_roundtrip.moc"
