// The worksheet and the certificate, printed from the real screens onto the recording printer:
// the exact operations, in order, on an A4 and a Letter page.
#include "platform/screens.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/recordingprinter.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QFontMetrics>
#include <QTest>

namespace {
void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }
}

class TestQuizPrinting : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        log.clear();
    }
    void cleanup()
    {
        printing::setFactory({});
        env.reset();
    }

    void worksheet_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::newRow("A4") << 11906.0 << 16838.0;
        QTest::newRow("Letter") << 12240.0 << 15840.0;
    }
    void worksheet()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        printing::setFactory([&] { return std::make_unique<RecordingPrinter>(&log, W, H); });
        multiple *quiz = openQuiz();
        shared::question[4] = QStringLiteral("Hot, cold?");
        QTest::mouseClick(quiz->Option1[2], Qt::LeftButton);  // what the pupil chose does not matter
        click(quiz->label3[1]);                                 // nor the question on show
        env->played.clear();
        click(quiz->label3[3]);
        QStringList want{"in colour", "font Times New Roman", "size 16", "line \" \"", QStringLiteral("x %1").arg(W / 16),
                         QStringLiteral("keep \"Quillmoor%1Corvane\"").arg(QString(57, QLatin1Char(' '))), "line \" \"", "line \" \"", "size 32",
                         QStringLiteral("x %1").arg((W - 900) / 2), "line \"Quillmoor\"", QStringLiteral("x %1").arg((W - 1300) / 2),
                         "line \"Other Planets\"", "line \" \"", "size 12"};
        for (int q = 1; q <= 10; ++q) {
            want << QStringLiteral("x %1").arg(W / 16) << QStringLiteral("line \"Question %1    %2\"").arg(q).arg(shared::question[q])
                 << QStringLiteral("x %1").arg(W / 3) << QStringLiteral("keep \"A. %1\"").arg(shared::answera[q])
                 << QStringLiteral("x %1").arg(2 * W / 3) << QStringLiteral("line \"B. %1\"").arg(shared::answerb[q])
                 << QStringLiteral("x %1").arg(W / 3) << QStringLiteral("keep \"C. %1\"").arg(shared::answerc[q])
                 << QStringLiteral("x %1").arg(2 * W / 3) << QStringLiteral("line \"D. %1\"").arg(shared::answerd[q]) << "line \" \"";
        }
        want << "end";
        QCOMPARE(log, want);
        QVERIFY(log.contains(QStringLiteral("line \"Question 4    Hot, cold?\"")));
        QCOMPARE(env->messages->shown, QStringList{"Your worksheet is now printing."});
        QCOMPARE(env->played, QStringList{"wav\\click.wav"});
        QVERIFY(quiz->isVisible());
        QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 2"));
    }

    void worksheetWithEmptyTitles()
    {
        printing::setFactory([&] { return std::make_unique<RecordingPrinter>(&log); });
        multiple *quiz = openQuiz();
        quiz->Label5->clear();
        quiz->Label6->clear();
        click(quiz->label3[3]);
        QCOMPARE(log.mid(8, 5), (QStringList{"size 32", "x 5953", "line \"\"", "x 5953", "line \"\""}));
    }

    // The recording printer's lines: 16 pt 368 twips, 32 pt 736, 12 pt 276, so the headings take
    // 1104 + 736 per heading line and every question block 1104.
    void worksheetPages_data()
    {
        QTest::addColumn<double>("H");
        QTest::addColumn<int>("titleWords");
        QTest::addColumn<QStringList>("startingPages");  // what each new page starts with
        QTest::newRow("everything fits: one page, the order unchanged") << 16838.0 << 2 << QStringList{};
        QTest::newRow("question 5 would cross the foot: its block moves whole to page 2") << 8100.0 << 2
                                                                                           << QStringList{"Question 5 "};
        QTest::newRow("a heading line that would cross the foot starts page 2")
            << 2000.0 << 2 << QStringList{"Other Planets", "Question 1 ", "Question 2 ", "Question 3 ", "Question 4 ", "Question 5 ",
                                          "Question 6 ", "Question 7 ", "Question 8 ", "Question 9 ", "Question 10 "};
        QTest::newRow("a title on four lines on A4: still one page") << 16838.0 << 60 << QStringList{};
        QTest::newRow("a title on four lines on Letter: question 10 moves to page 2") << 15840.0 << 60 << QStringList{"Question 10 "};
    }
    void worksheetPages()
    {
        QFETCH(double, H);
        QFETCH(int, titleWords);
        QFETCH(QStringList, startingPages);
        const double W = 11906;
        printing::setFactory([&] { return std::make_unique<RecordingPrinter>(&log, W, H); });
        multiple *quiz = openQuiz();
        QStringList words;
        for (int i = 0; i < titleWords; ++i)
            words << (i == 0 ? QStringLiteral("Other") : i == 1 ? QStringLiteral("Planets") : QStringLiteral("Saturn"));
        quiz->Label6->setText(words.join(QLatin1Char(' ')));
        click(quiz->label3[3]);

        QStringList starts;  // the first text printed on each new page
        for (int i = 0; i < log.size(); ++i) {
            if (log[i] != QStringLiteral("page"))
                continue;
            const auto next = std::find_if(log.begin() + i, log.end(), [](const QString &e) { return e.startsWith(QStringLiteral("line ")); });
            QVERIFY(next != log.end());
            const QString text = next->mid(6, next->size() - 7);  // "Question 5    ..." -> "Question 5 "
            starts << (text.startsWith(QStringLiteral("Question ")) ? text.section(QLatin1Char(' '), 0, 1) + QLatin1Char(' ') : text);
        }
        QCOMPARE(starts, startingPages);

        // The title is broken between words into centred lines that fit; not a word is lost.
        const qsizetype first = log.indexOf(QStringLiteral("size 32")) + 3, last = log.indexOf(QStringLiteral("line \" \""), first);
        QStringList titleLines;
        for (qsizetype i = first; i < last; ++i)
            if (log[i].startsWith(QStringLiteral("line ")))
                titleLines << log[i].mid(6, log[i].size() - 7);
        QCOMPARE(titleLines.join(QLatin1Char(' ')), words.join(QLatin1Char(' ')));
        for (const QString &l : titleLines)
            QVERIFY2(l.size() * 100.0 <= W, qPrintable(l));
        QCOMPARE(titleLines.size(), titleWords > 17 ? 4 : 1);
        QCOMPARE(env->messages->shown, QStringList{"Your worksheet is now printing."});
    }

    void noPrinter()
    {
        printing::setFactory([]() -> std::unique_ptr<Printer> { throw PrintError("no default printer"); });
        multiple *quiz = openQuiz();
        click(quiz->label3[3]);
        QCOMPARE(env->messages->shown, QStringList{"There was a problem printing to your printer."});
        QVERIFY(quiz->isVisible());
        env->messages->shown.clear();
        Welldone *done = certificateScreen(10, 10, QStringLiteral("Quillmoor"));
        env->played.clear();
        click(done->label3[0]);
        QCOMPARE(env->messages->shown, QStringList{"There was a problem printing to your printer."});
        QVERIFY(done->isVisible());
        QVERIFY(env->played.isEmpty());
    }

    void certificate_data()
    {
        QTest::addColumn<double>("W");
        QTest::addColumn<double>("H");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::newRow("A4 after a quiz") << 11906.0 << 16838.0 << "Quillmoor" << "Sam Jones" << 10;
        QTest::newRow("Letter, empty name") << 12240.0 << 15840.0 << "Quillmoor" << "" << 10;
        QTest::newRow("after an activity, no quiz") << 11906.0 << 16838.0 << "" << "Ada" << 8;
        QTest::newRow("a heading wider than a quarter of the page") << 11906.0 << 16838.0
                                                                    << "A very long heading for this certificate" << "Ada" << 10;
    }
    void certificate()
    {
        QFETCH(double, W);
        QFETCH(double, H);
        QFETCH(QString, heading);
        QFETCH(QString, name);
        QFETCH(int, score);
        printing::setFactory([&] { return std::make_unique<RecordingPrinter>(&log, W, H); });
        Welldone *done = certificateScreen(score, score, heading);
        QTest::keyClicks(done->Text1, name);
        env->played.clear();
        click(done->label3[0]);

        // The heading's size comes from its width on the results screen, not on the printer.
        const double h = QFontMetrics(done->font()).horizontalAdvance(heading) * 15.0;
        const QString headingSize = h > W / 4 ? QStringLiteral("size 28") : QStringLiteral("size 36");
        const QString banner = QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");
        auto centre = [&](const QString &t) { return QStringList{QStringLiteral("x %1").arg((W - 100.0 * t.size()) / 2), QStringLiteral("line \"%1\"").arg(t)}; };
        const QString sentence = QStringLiteral("You have scored %1 out of %1.").arg(score);
        QStringList want{"in colour", "font Times New Roman", "colour #0000ff", "size 25", "line \" \"", "keep \"" + banner + "\"", "keep \"" + banner + "\"",
                         "line \" \"", "line \" \"", "line \" \"", "colour #ff0000", "size 36"};
        want << centre(QStringLiteral("Quillmoor")) << "line \" \"" << "colour #0000ff" << headingSize << centre(heading) << centre(QString())
             << "size 36" << "line \" \"" << "line \" \"" << "line \" \"" << "colour #000080" << "size 28" << centre(QStringLiteral("Excellent Work"))
             << "line \" \"" << centre(name) << centre(QString()) << centre(sentence) << "line \" \"" << "size 36" << "line \" \"" << "line \" \""
             << "colour #0000ff" << "size 25" << "line \" \"" << "colour #000000" << "keep \"" + banner + "\"" << "keep \"" + banner + "\"" << "pen 2";
        const std::pair<double, double> insets[] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
        auto frame = [&](double l, double t, double r, double b) {
            for (auto [x1, y1, x2, y2] : {std::tuple{l, t, r, t}, std::tuple{l, t, l, b}, std::tuple{r, t, r, b}, std::tuple{l, b, r, b}})
                want << QStringLiteral("rule %1,%2 %3,%4 #000000").arg(x1).arg(y1).arg(x2).arg(y2);
        };
        for (int i = 0; i < 5; ++i) {
            frame(insets[i].first, insets[i].second, W - insets[i].first, H - insets[i].second);
            if (i < 3)
                frame(insets[i].first + 600, insets[i].second + 7050, W - insets[i].first - 600, H - insets[i].second - 3750);
        }
        want << "end";
        QCOMPARE(log, want);
        QCOMPARE(log.filter(QStringLiteral("rule ")).size(), 32);
        QCOMPARE(env->messages->shown, QStringList{"Your certificate is now printing."});
        QVERIFY(env->played.isEmpty());  // never a click after the certificate
    }

    // The screens' scale changes nothing on paper: the same certificate at 1 and at 1.8.
    void certificateIsTheSameAtAnyScale()
    {
        QStringList logs[2];
        const char *scales[2] = {"1", "1.8"};
        for (int i = 0; i < 2; ++i) {
            env.reset();
            qputenv("QUILLMOOR_SCALE", scales[i]);
            env = std::make_unique<TestEnv>();
            log.clear();
            printing::setFactory([&] { return std::make_unique<RecordingPrinter>(&log, 11906.0, 16838.0); });
            Welldone *done = certificateScreen(10, 10, QStringLiteral("A heading near a quarter of a page"));
            done->Text1->setText(QStringLiteral("Ada"));
            done->label3_Click(0);
            logs[i] = log;
        }
        qunsetenv("QUILLMOOR_SCALE");
        QVERIFY(logs[0].contains(QStringLiteral("line \"Ada\"")));
        QCOMPARE(logs[1], logs[0]);
    }

    void escapingFailureIsCancelled()
    {
        printing::setFactory([]() -> std::unique_ptr<Printer> { throw std::runtime_error("unexpected"); });
        Welldone *done = certificateScreen(10, 10, QStringLiteral("Quillmoor"));
        click(done->label3[0]);
        QCOMPARE(env->messages->shown, QStringList{"Printing has been cancelled."});
    }

private:
    multiple *openQuiz()
    {
        click(Screens::show<intro0>()->Label2[10]);
        click(Screens::find<weather>()->label3[0]);
        return Screens::find<multiple>();
    }

    Welldone *certificateScreen(int score, int total, const QString &heading)
    {
        shared::score = score;
        shared::total = total;
        shared::certheading = heading;
        Welldone *done = Screens::show<Welldone>();
        if (!QTest::qWaitFor([done] { return !done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive(); }))
            QTest::qFail("the celebration chain did not finish", __FILE__, __LINE__);
        return done;
    }

    std::unique_ptr<TestEnv> env;
    QStringList log;
};

QTEST_MAIN(TestQuizPrinting)
#include "tst_printing.moc"
