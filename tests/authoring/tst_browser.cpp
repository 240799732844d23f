// The worksheet catalogue browser: paging to the last title, the two modes, running, editing and
// deleting worksheets, and the one message for every failure.
#include "authoring/browser.h"
#include "authoring/wizard.h"
#include "platform/screens.h"
#include "quiz/multiple.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QTest>

namespace {

QByteArray catalogue(int n)
{
    QByteArray b = " " + QByteArray::number(n) + " \r\n";
    for (int i = 1; i <= n; ++i)
        b += "Sheet " + QByteArray::number(i) + "\r\n";
    return b;
}

QByteArray sheet(const QByteArray &title, int right = 2)
{
    QByteArrayList l{title, " "};
    for (int q = 1; q <= 10; ++q)
        l << "Q" + QByteArray::number(q) << "a" << "b" << "c" << "d" << QByteArray::number(right) << " ";
    return l.join("\r\n") + "\r\n";
}

QStringList shown(worksheets *b)
{
    QStringList out;
    for (int k = 1; k <= 24; ++k)
        if (b->Label2[k]->isVisibleTo(b))
            out << b->Label2[k]->text();
    return out;
}

void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }

}  // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void paging_data()
    {
        QTest::addColumn<int>("titles");
        QTest::addColumn<int>("pages");
        QTest::newRow("none") << 0 << 1;
        QTest::newRow("24") << 24 << 1;
        QTest::newRow("25") << 25 << 2;
        QTest::newRow("48: page 2 is the last") << 48 << 2;
        QTest::newRow("1000") << 1000 << 42;
    }
    void paging()
    {
        QFETCH(int, titles);
        QFETCH(int, pages);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue(titles));
        worksheets *b = open();
        QCOMPARE(shown(b).size(), std::min(titles, 24));
        QCOMPARE(b->label3[1]->isVisible(), pages > 1);
        QVERIFY(!b->label3[0]->isVisible());
        QCOMPARE(b->Label4->text(), QStringLiteral("Page 1"));
        for (int p = 2; p <= pages; ++p)
            click(b->label3[1]);
        if (pages > 1) {
            const int first = 24 * (pages - 1) + 1;
            QCOMPARE(b->Label4->text(), QStringLiteral("Page %1").arg(pages));
            QCOMPARE(shown(b).first(), QStringLiteral("Sheet %1").arg(first));
            QCOMPARE(shown(b).last(), QStringLiteral("Sheet %1").arg(titles));  // the last title is reachable
            QVERIFY(b->label3[0]->isVisible() && !b->label3[1]->isVisible());
            click(b->label3[0]);
            QCOMPARE(shown(b).size(), 24);
        }
    }

    void modesAreExclusive()
    {
        worksheets *b = open();
        QTest::mouseClick(b->Check1, Qt::LeftButton);
        QTest::mouseClick(b->Check2, Qt::LeftButton);
        QVERIFY(!b->Check1->isChecked() && b->Check2->isChecked());
        QTest::mouseClick(b->Check1, Qt::LeftButton);
        QVERIFY(b->Check1->isChecked() && !b->Check2->isChecked());
        QTest::mouseClick(b->Check1, Qt::LeftButton);
        QVERIFY(!b->Check1->isChecked() && !b->Check2->isChecked());
    }

    // Delete mode can remove such a title (see tst_roundtrip).
    void missingOrBrokenFileIsCorruptedInEveryMode_data()
    {
        QTest::addColumn<int>("mode");  // 0 run, 1 edit
        QTest::newRow("run") << 0;
        QTest::newRow("edit") << 1;
    }
    void missingOrBrokenFileIsCorruptedInEveryMode()
    {
        QFETCH(int, mode);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 2 \r\nGone\r\nBroken\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Broken.txt", sheet("Broken", 7));
        worksheets *b = open();
        if (mode == 1)
            QTest::mouseClick(b->Check1, Qt::LeftButton);
        for (int k : {1, 2}) {
            env->messages->shown.clear();
            click(b->Label2[k]);
            QCOMPARE(env->messages->shown, QStringList{"This worksheet seems to be corrupted."});
        }
        QVERIFY(!Screens::isLoaded<multiple>() && !Screens::isLoaded<wizard>());
        QCOMPARE(shown(b).size(), 2);
    }

    void runAsAQuizTurnsSoundOn()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", sheet("Magnets"));
        QTest::mouseClick(Screens::show<intro0>()->Option2, Qt::LeftButton);
        click(Screens::find<intro0>()->Label2[18]);
        settle();
        QVERIFY(!Screens::isLoaded<intro0>());
        worksheets *b = Screens::find<worksheets>();
        QCOMPARE(shared::soundflag, 0);
        click(b->Label2[1]);
        multiple *quiz = Screens::find<multiple>();
        QVERIFY(quiz && quiz->isVisible());
        QCOMPARE(quiz->Label6->text(), QStringLiteral("Magnets"));
        QCOMPARE(quiz->Label5->text(), QStringLiteral("Quillmoor"));
        QCOMPARE(quiz->Picture1->picture().size(), QSize(320, 240));
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(Screens::isLoaded<intro0>() && !Screens::find<intro0>()->isVisible());
        QVERIFY(b->isVisible());
    }

    void editFillsTheWizard()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", sheet("Magnets", 3));
        worksheets *b = open();
        QTest::mouseClick(b->Check1, Qt::LeftButton);
        click(b->Label2[1]);
        wizard *w = Screens::find<wizard>();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->Text1->text(), QStringLiteral("Magnets"));
        QCOMPARE(w->Text2[9]->text(), QStringLiteral("Q10"));
        QCOMPARE(w->Text3[39]->text(), QStringLiteral("d"));
        for (int i = 0; i < 40; ++i)
            QCOMPARE(w->Check1[i]->isChecked(), i % 4 == 2);
        // Saved unchanged: the file is rewritten and the catalogue stays as it was.
        env->messages->shown.clear();
        QTest::mouseClick(w->label3[1], Qt::LeftButton);
        QCOMPARE(env->messages->shown, QStringList{"Your worksheet has been saved."});
        QFile f(env->teacherDir() + "/track.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray(" 1 \r\nMagnets\r\n"));
    }

    void deleting_data()
    {
        QTest::addColumn<int>("titles");
        QTest::addColumn<int>("page");   // 0-based page to delete on
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("after");  // the page's titles afterwards
        QTest::newRow("first of three") << 3 << 0 << 1 << true << QStringList{"Sheet 2", "Sheet 3"};
        QTest::newRow("cancel changes nothing") << 3 << 0 << 2 << false << QStringList{"Sheet 1", "Sheet 2", "Sheet 3"};
        QTest::newRow("only title on the last page") << 25 << 1 << 1 << true << QStringList{};
        QStringList full;
        for (int i = 2; i <= 25; ++i)
            full << QStringLiteral("Sheet %1").arg(i);
        QTest::newRow("from a full page of a longer catalogue") << 30 << 0 << 1 << true << full;
    }
    void deleting()
    {
        QFETCH(int, titles);
        QFETCH(int, page);
        QFETCH(int, slot);
        QFETCH(bool, ok);
        QFETCH(QStringList, after);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", catalogue(titles));
        for (int i = 1; i <= titles; ++i)
            TestEnv::writeFile(env->teacherDir() + QStringLiteral("/Sheet %1.txt").arg(i), sheet("Sheet " + QByteArray::number(i)));
        worksheets *b = open();
        for (int p = 0; p < page; ++p)
            click(b->label3[1]);
        QTest::mouseClick(b->Check2, Qt::LeftButton);
        const QString title = b->Label2[slot]->text();
        env->messages->answers.push_back(ok);
        click(b->Label2[slot]);
        QCOMPARE(env->messages->shown, QStringList{QStringLiteral("Are you sure that you want to delete the worksheet %1?").arg(title)});
        QCOMPARE(shown(b), after);
        QCOMPARE(shared::worksheetcount.toInt(), ok ? titles - 1 : titles);
        QVERIFY(QFile::exists(env->teacherDir() + "/" + title + ".txt"));
        if (titles == 30 && ok) {  // the next page shows the rest once each
            click(b->label3[1]);
            QCOMPARE(shown(b).first(), QStringLiteral("Sheet 26"));
            QCOMPARE(shown(b).size(), 5);  // titles 25 to 29: Sheet 26 to Sheet 30
        }
    }

    void exitShowsTheMenu()
    {
        worksheets *b = open();
        env->played.clear();
        click(b->Label2[0]);
        settle();
        QVERIFY(Screens::find<intro0>()->isVisible());
        QVERIFY(!Screens::isLoaded<worksheets>());
        QCOMPARE(env->played, QStringList{"wav\\click.wav"});
    }

private:
    worksheets *open()
    {
        click(Screens::show<intro0>()->Label2[18]);
        settle();
        return Screens::find<worksheets>();
    }
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
