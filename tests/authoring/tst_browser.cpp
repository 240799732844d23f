// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet catalogue browser: paging to the last title, the two modes, running, editing and
// deleting worksheets, the one message for a worksheet it cannot open, and one worksheet of
// awkward texts typed, saved, edited and saved again through the real screens.
#include "authoring/browser.h"
#include "authoring/wizard.h"
#include "authoring/testsheets.h"
#include "ui/screens.h"
#include "formats/textcodec.h"
#include "quiz/multiple.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QTest>

namespace {
QStringList shown(worksheets *b)
{
    QStringList out;
    for (int k = 1; k <= 24; ++k)
        if (b->Label2[k]->isVisibleTo(b))
            out << b->Label2[k]->text();
    return out;
}

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
}  // namespace

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Which titles a page holds is tested on cataloguePage; here, the buttons reach them.
    void pagingToTheLastTitle_data()
    {
        QTest::addColumn<int>("titles");
        QTest::newRow("48: page 2 is the last") << 48;
        QTest::newRow("1000") << 1000;
    }
    void pagingToTheLastTitle()
    {
        QFETCH(int, titles);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", numbered(titles, titles));
        worksheets *b = open();
        QCOMPARE(shown(b).size(), std::min(titles, 24));
        QVERIFY(!b->label3[0]->isVisible());
        for (int p = 2; p <= (titles + 23) / 24; ++p) {
            QVERIFY(b->label3[1]->isVisible());
            click(b->label3[1]);
            QCOMPARE(b->Label4->text(), QStringLiteral("Page %1").arg(p));
        }
        QVERIFY(!b->label3[1]->isVisible());
        QCOMPARE(shown(b).last(), QStringLiteral("Sheet %1").arg(titles));
        QVERIFY(b->label3[0]->isVisible());
        click(b->label3[0]);  // back a page
        QCOMPARE(shown(b).first(), QStringLiteral("Sheet %1").arg(24 * ((titles - 1) / 24 - 1) + 1));
    }

    // One walk: the modes exclude each other, a worksheet it cannot open gives the one message in
    // either mode, Exit shows the menu, and with sound off one run as a quiz turns sound on.
    void modesOpeningExitAndRunning()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 3 \r\nGone\r\nBroken\r\nMagnets\r\n");
        TestEnv::writeFile(env->teacherDir() + "/Broken.txt", sheet("Broken", "Q", 7));
        TestEnv::writeFile(env->teacherDir() + "/Magnets.txt", sheet("Magnets"));
        worksheets *b = open();
        click(b->Check1);
        click(b->Check2);
        QVERIFY(!b->Check1->isChecked() && b->Check2->isChecked());
        click(b->Check1);
        QVERIFY(b->Check1->isChecked() && !b->Check2->isChecked());
        for (int edit : {1, 0}) {
            click(b->Label2[1]);
            click(b->Label2[2]);
            if (edit)
                click(b->Check1);
        }
        QVERIFY(!b->Check1->isChecked() && !b->Check2->isChecked());
        QCOMPARE(env->messages->shown, QStringList(4, "This worksheet seems to be corrupted."));
        QVERIFY(!Screens::isLoaded<multiple>() && !Screens::isLoaded<wizard>());
        env->played.clear();
        click(b->Label2[0]);
        settle();
        QVERIFY(Screens::find<intro0>()->isVisible() && !Screens::isLoaded<worksheets>());
        QCOMPARE(env->played, QStringList{"wav\\click.wav"});
        click(Screens::find<intro0>()->Option2);
        b = open();
        QVERIFY(!Screens::isLoaded<intro0>());
        QCOMPARE(shared::soundflag, 0);
        click(b->Label2[3]);
        multiple *quiz = Screens::find<multiple>();
        QVERIFY(quiz && quiz->isVisible() && b->isVisible());
        QCOMPARE(quiz->Label6->text(), QStringLiteral("Magnets"));
        QCOMPARE(quiz->Label5->text(), QStringLiteral("Quillmoor"));
        QCOMPARE(quiz->Picture1->picture().size(), QSize(320, 240));
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(Screens::isLoaded<intro0>() && !Screens::find<intro0>()->isVisible());
    }

    // With no worksheet files at all: a title whose file is gone can still be deleted.
    void deleting_data()
    {
        QTest::addColumn<int>("titles");
        QTest::addColumn<int>("page");  // 0-based page to delete on
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("after");  // the page's titles afterwards
        QStringList full;
        for (int i = 2; i <= 25; ++i)
            full << QStringLiteral("Sheet %1").arg(i);
        QTest::newRow("from a full page: the next title moves up") << 30 << 0 << true << full;
        QTest::newRow("cancel changes nothing") << 3 << 0 << false << QStringList{"Sheet 1", "Sheet 2", "Sheet 3"};
        QTest::newRow("only title on the last page") << 25 << 1 << true << QStringList{};
    }
    void deleting()
    {
        QFETCH(int, titles);
        QFETCH(int, page);
        QFETCH(bool, ok);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", numbered(titles, titles));
        worksheets *b = open();
        for (int p = 0; p < page; ++p)
            click(b->label3[1]);
        click(b->Check2);
        const QString title = b->Label2[1]->text();
        env->messages->answers = {ok};
        click(b->Label2[1]);
        QCOMPARE(env->messages->shown, QStringList{QStringLiteral("Are you sure that you want to delete the worksheet %1?").arg(title)});
        QTEST(shown(b), "after");
        QCOMPARE(shared::worksheetcount.toInt(), ok ? titles - 1 : titles);
    }

    // A pupils' computer's view of the school's shared folder: Delete and the wizard's Save say
    // so, and the typing stays in the wizard for the teacher's computer.
    void sharedFolderReadOnlyHere()
    {
        const QString readOnly = QStringLiteral("The worksheets can only be changed on the teacher's computer.");
        TestEnv::writeFile(env->teacherDir() + "/track.txt", numbered(3, 3));
        const QStringList before = TestEnv::snapshot(env->teacherDir());
        worksheets *b = open();
        click(b->Check2);
        {
            const ReadOnlyFolder pupils(env->teacherDir());
            click(b->Label2[2]);
        }
        QCOMPARE(env->messages->shown, QStringList{readOnly});
        QCOMPARE(shown(b), (QStringList{"Sheet 1", "Sheet 2", "Sheet 3"}));
        click(Screens::show<intro0>()->Label2[17]);
        wizard *w = Screens::find<wizard>();
        QVERIFY(w && w->isVisible());
        fill(w, entries(QStringLiteral("Magnets")));
        {
            const ReadOnlyFolder pupils(env->teacherDir());
            click(w->label3[1]);
        }
        QCOMPARE(env->messages->shown, (QStringList{readOnly, readOnly}));
        QCOMPARE(TestEnv::snapshot(env->teacherDir()), before);
        QVERIFY(w->isVisible());
        QCOMPARE(w->entries(), entries(QStringLiteral("Magnets")));
        click(w->label3[1]);
        QCOMPARE(env->messages->shown.last(), QStringLiteral("Your worksheet has been saved."));
        QVERIFY(QFile::exists(env->teacherDir() + "/Magnets.txt"));
    }

    void awkwardTextsThroughTheWizardAndEdit()
    {
        const WorksheetEntries e =
            entries(QStringLiteral("  Salt & water, 25°C 😀"), QStringLiteral(" \"Big\" cats & dogs, Ã© 漢 "));
        click(Screens::show<intro0>()->Label2[17]);
        wizard *w = Screens::find<wizard>();
        fill(w, e);
        click(w->label3[1]);
        const QString file = env->teacherDir() + "/" + e.title + ".txt";
        const QByteArray catalogue = textcodec::encode(" 1 \r\n" + e.title + "\r\n");
        QCOMPARE(readFile(file), worksheetbytes(e));
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), catalogue);
        // Edit over typing not saved: Cancel keeps the typing, OK replaces it with what was typed
        // ("&" read as ","), each box from its start.
        w->Text1->clear();
        worksheets *b = open();
        click(b->Check1);
        env->messages->answers = {false, true};
        click(b->Label2[1]);
        QVERIFY(w->Text1->text().isEmpty());
        click(b->Label2[1]);
        QCOMPARE(env->messages->shown.filter(QStringLiteral("has not been saved")).size(), 2);
        QCOMPARE(w->Text3[39]->text(), asLoaded(e).answers[39]);
        WorksheetEntries typed = asLoaded(e);
        typed.title = e.title;
        QVERIFY(w->entries() == typed);
        QCOMPARE(w->Text3[39]->cursorPosition(), 0);
        click(w->label3[1]);
        QCOMPARE(readFile(file), worksheetbytes(e));
        QCOMPARE(readFile(env->teacherDir() + "/track.txt"), catalogue);
        // Saved under a new title, it shows in the catalogue at once.
        w->Text1->setText(QStringLiteral("Magnets 2"));
        click(w->label3[1]);
        QCOMPARE(shown(b), (QStringList{e.title, "Magnets 2"}));
        QCOMPARE(env->messages->shown.filter(QStringLiteral("Your worksheet has been saved.")).size(), 3);
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
