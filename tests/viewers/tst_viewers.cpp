// The hubs, the notes viewer and the guide, driven through the menu and their buttons; printing
// through the recording printer.
#include "platform/printing.h"
#include "platform/screens.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/recordingprinter.h"
#include "support/testenv.h"
#include "topics/hub.h"
#include "viewers/guide.h"
#include "viewers/teacher.h"

#include <QTest>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");

intro0 *menu()
{
    intro0 *m = Screens::show<intro0>();
    return m;
}

void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }

}  // namespace

class TestViewers : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        printed.clear();
        printing::setFactory([this] { return std::make_unique<RecordingPrinter>(&printed); });
    }
    void cleanup()
    {
        printing::setFactory({});
        env.reset();
    }

    void animationTurnsAndWraps()
    {
        click(menu()->Label2[10]);
        weather *hub = Screens::find<weather>();
        QVERIFY(hub && hub->isVisible());
        QCOMPARE(hub->backColor(), QColor(0, 0, 0));
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite00.jpg"));
        QCOMPARE(hub->Timer1->interval(), 50);
        QVERIFY(hub->Timer1->isActive());
        hub->Timer1->stop();  // the ticks are driven one by one below
        for (int i = 0; i < 99; ++i)
            hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite99.jpg"));
        QCOMPARE(shared::jupiterframe.toInt(), 99);
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite00.jpg"));
        QCOMPARE(shared::jupiterframe.toInt(), 0);
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite01.jpg"));
    }

    void missingFrameKeepsThePictureAndGoesOn()
    {
        QFile::remove(env->dataDir() + QStringLiteral("/jupiter/jupite01.jpg"));
        click(menu()->Label2[10]);
        weather *hub = Screens::find<weather>();
        hub->Timer1->stop();
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite00.jpg"));
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), QStringLiteral("jupiter\\jupite02.jpg"));
    }

    void freshLoadRestartsAtFrameZeroAndCoveredHubsTick()
    {
        click(menu()->Label2[10]);
        weather *hub = Screens::find<weather>();
        QTRY_VERIFY(shared::jupiterframe.toInt() >= 2);  // ticking on its own
        click(hub->label3[4]);                           // Key Facts covers it
        const int before = shared::jupiterframe.toInt();
        QTRY_VERIFY(shared::jupiterframe.toInt() != before);
        Screens::unload<teacher>();
        click(hub->label3[2]);  // Exit
        settle();
        QVERIFY(!Screens::isLoaded<weather>());
        click(menu()->Label2[10]);
        QCOMPARE(shared::jupiterframe.toInt(), 0);
    }

    void hubsOpenTheirPageSets_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("first");
        QTest::newRow("planets key facts") << 10 << 4 << 3 << "key weathera.wmf";
        QTest::newRow("planets notes") << 10 << 5 << 2 << "weathera.wmf";
        QTest::newRow("temperature key facts") << 0 << 4 << 2 << "key temperaturea.wmf";
        QTest::newRow("temperature notes") << 0 << 5 << 2 << "temperaturea.wmf";
    }
    void hubsOpenTheirPageSets()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(int, pages);
        QFETCH(QString, first);
        click(menu()->Label2[entry]);
        TopicHub *hub = entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        env->played.clear();
        click(hub->label3[button]);
        teacher *t = Screens::find<teacher>();
        QVERIFY(t && t->isVisible());
        QCOMPARE(shared::pagecount.toInt(), pages);
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\") + first);
        QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\") + first);
        QVERIFY(t->Image1->metafile() && t->Image2->metafile());
        QVERIFY(t->Image1->isVisible() && !t->Image2->isVisible());
        QCOMPARE(t->Label1->text(), QStringLiteral("Page 1 of %1").arg(pages));
        QCOMPARE(env->played, QStringList{kClick});
    }

    void temperatureHubCentresItsPictures()
    {
        click(menu()->Label2[0]);
        temperature *hub = Screens::find<temperature>();
        QCOMPARE(hub->backColor(), QColor(39, 63, 137));
        QCOMPARE(hub->Image1->geometry(), QRect((800 - 564) / 2, 48, 564, 422));
        QCOMPARE(hub->Image2->geometry(), QRect((800 - 400) / 2, 476, 400, 40));
        QCOMPARE(hub->Label1->text(), QStringLiteral("Measuring Temperature"));
    }

    void bothHubsAtOnceAndExitReturnsToTheMenu()
    {
        click(menu()->Label2[10]);
        click(menu()->Label2[0]);
        QVERIFY(Screens::isLoaded<weather>() && Screens::isLoaded<temperature>());
        env->played.clear();
        click(Screens::find<temperature>()->label3[2]);
        settle();
        QVERIFY(!Screens::isLoaded<temperature>());
        QVERIFY(Screens::isLoaded<weather>());
        QVERIFY(Screens::find<intro0>()->isVisible());
        QCOMPARE(env->played, QStringList{kClick});
        // Exit reloads the menu when it was unloaded.
        Screens::unload<intro0>();
        settle();
        click(Screens::find<weather>()->label3[2]);
        QVERIFY(Screens::isLoaded<intro0>());
    }

    void viewerPaging_data()
    {
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("set");
        QTest::newRow("three pages") << 3 << "key weather";
        QTest::newRow("two pages") << 2 << "temperature";
    }
    void viewerPaging()
    {
        QFETCH(int, pages);
        QFETCH(QString, set);
        click(menu()->Label2[pages == 3 ? 10 : 0]);
        click((pages == 3 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>())->label3[pages == 3 ? 4 : 5]);
        teacher *t = Screens::find<teacher>();
        env->played.clear();
        QVERIFY(!t->label3[3]->isEnabled());
        QVERIFY(t->label3[2]->isEnabled());
        const char letters[] = "abcd";
        for (int page = 2; page <= pages; ++page) {
            click(t->label3[2]);
            QCOMPARE(shared::pagenum.toInt(), page);
            QCOMPARE(t->Label1->text(), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
            QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\%1%2.wmf").arg(set).arg(QLatin1Char(letters[page - 1])));
            QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\%1%2.wmf").arg(set).arg(QLatin1Char(letters[page - 1])));
            QVERIFY(t->label3[3]->isEnabled());
        }
        QVERIFY(!t->label3[2]->isEnabled());
        click(t->label3[3]);
        QCOMPARE(shared::pagenum.toInt(), pages - 1);
        QVERIFY(t->label3[2]->isEnabled());
        QCOMPARE(t->label3[3]->isEnabled(), pages - 1 > 1);
        QVERIFY(env->played.isEmpty());  // the viewer plays no sound
        // Exit, and the next opening starts at page 1 again.
        click(t->label3[1]);
        settle();
        QVERIFY(!Screens::isLoaded<teacher>());
        click((pages == 3 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>())->label3[pages == 3 ? 4 : 5]);
        QCOMPARE(shared::pagenum.toInt(), 1);
        QVERIFY(!Screens::find<teacher>()->label3[3]->isEnabled());
    }

    void missingPagesAndLogoFramesKeepThePreviousPicture()
    {
        QFile::remove(env->dataDir() + QStringLiteral("/wmf/key weatherb.wmf"));
        QFile::remove(env->dataDir() + QStringLiteral("/logo/corv0001.gif"));
        click(menu()->Label2[10]);
        click(Screens::find<weather>()->label3[4]);
        teacher *t = Screens::find<teacher>();
        click(t->label3[2]);
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\key weathera.wmf"));  // still page 1's picture
        QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\key weatherb.wmf"));
        QCOMPARE(t->Label1->text(), QStringLiteral("Page 2 of 3"));
        click(t->label3[2]);
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\key weatherc.wmf"));
        click(t->label3[1]);
        settle();
        shared::logoframe.clear();
        click(menu()->Label2[19]);
        t = Screens::find<teacher>();
        t->Timer1->stop();
        t->Timer1_Timer();
        QVERIFY(t->Picture1->isEmpty());
        t->Timer1_Timer();
        QCOMPARE(t->Picture1->source(), QStringLiteral("logo\\corv0002.gif"));
    }

    void onePageSetShowsOnlyPrintAndExit()
    {
        shared::pagecount = 1;
        teacher *t = Screens::get<teacher>();
        Screens::show<teacher>();
        QVERIFY(!t->Label1->isVisible() && !t->label3[2]->isVisible() && !t->label3[3]->isVisible());
        QVERIFY(t->label3[0]->isVisible() && t->label3[1]->isVisible());
    }

    void printUsesThePaperRenderingOfThePageOnShow()
    {
        click(menu()->Label2[10]);
        click(Screens::find<weather>()->label3[4]);
        teacher *t = Screens::find<teacher>();
        click(t->label3[2]);
        env->played.clear();
        click(t->label3[0]);
        const wmf::Metafile *paper = t->Image2->metafile();
        QVERIFY(paper);
        QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\key weatherb.wmf"));
        QCOMPARE(printed, (QStringList{QStringLiteral("line \"\""),
                                       QStringLiteral("picture 1000,1000 %1x%2").arg(paper->sizeInches().width()).arg(paper->sizeInches().height()),
                                       QStringLiteral("end")}));
        QVERIFY(env->played.isEmpty());
    }

    void noPrinterChangesNothing()
    {
        printing::setFactory([]() -> std::unique_ptr<Printer> { throw PrintError("no printer"); });
        click(menu()->Label2[20]);
        guide *g = Screens::find<guide>();
        click(g->label3[0]);
        QVERIFY(g->isVisible());
        QVERIFY(env->messages->shown.isEmpty());
        QCOMPARE(g->Label1->text(), QStringLiteral("Page 1 of 3"));
    }

    void acknowledgments()
    {
        shared::logoframe.clear();
        click(menu()->Label2[19]);
        teacher *t = Screens::find<teacher>();
        QVERIFY(t && t->isVisible());
        QVERIFY(!t->Label1->isVisible() && !t->label3[2]->isVisible() && !t->label3[3]->isVisible());
        QVERIFY(t->label3[0]->isVisible() && t->label3[1]->isVisible());
        QCOMPARE(t->backColor(), QColor(49, 130, 212));
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\acknowledgments.wmf"));
        QVERIFY(t->Image1->metafile());
        QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\acknowledgments.wmf"));
        QCOMPARE(t->Picture2->source(), QStringLiteral("logo\\corvane2.bmp"));
        QCOMPARE(t->Timer1->interval(), 25);
        QVERIFY(t->Timer1->isActive());
        t->Timer1->stop();
        QStringList frames;
        for (int i = 0; i < 21; ++i) {
            t->Timer1_Timer();
            frames << t->Picture1->source();
        }
        QCOMPARE(frames.first(), QStringLiteral("logo\\corv0001.gif"));
        QCOMPARE(frames[8], QStringLiteral("logo\\corv0009.gif"));
        QCOMPARE(frames[9], QStringLiteral("logo\\corv0010.gif"));
        QCOMPARE(frames[18], QStringLiteral("logo\\corv0019.gif"));
        QCOMPARE(frames[19], QStringLiteral("logo\\corv0000.gif"));
        QVERIFY(t->Picture1->isVisible() && t->Picture2->isVisible());
        // Closed and opened again, the logo goes on after the frame last shown.
        click(t->label3[1]);
        settle();
        click(menu()->Label2[19]);
        t = Screens::find<teacher>();
        t->Timer1->stop();
        t->Timer1_Timer();
        QCOMPARE(t->Picture1->source(), QStringLiteral("logo\\corv0002.gif"));
    }

    void guidePagingAndHighlighting()
    {
        shared::pagenum = 3;
        click(menu()->Label2[20]);
        guide *g = Screens::find<guide>();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        QCOMPARE(shared::pagenum.toInt(), 1);
        QCOMPARE(g->Image1->source(), QStringLiteral("wmf\\guide1.wmf"));
        QVERIFY(g->Image1->metafile());
        QVERIFY(!g->label3[3]->isEnabled());
        click(g->label3[2]);
        click(g->label3[2]);
        QCOMPARE(g->Label1->text(), QStringLiteral("Page 3 of 3"));
        QCOMPARE(g->Image2->source(), QStringLiteral("wmf2\\guide3.wmf"));
        QVERIFY(!g->label3[2]->isEnabled() && g->label3[3]->isEnabled());
        click(g->label3[3]);
        click(g->label3[3]);
        QCOMPARE(g->Label1->text(), QStringLiteral("Page 1 of 3"));
        QVERIFY(g->label3[2]->isEnabled() && !g->label3[3]->isEnabled());
        // Reset only: opaque until the first move over the window, and never again.
        QVERIFY(g->label3[1]->isOpaque());
        QTest::mouseMove(g, QPoint(400, 585));  // the band below the page and the buttons
        for (int i = 0; i < 4; ++i)
            QVERIFY(!g->label3[i]->isOpaque());
        QTest::mouseMove(g, g->label3[1]->geometry().center());
        QVERIFY(!g->label3[1]->isOpaque());
        // Opened again from the menu: page 1, whatever it showed before.
        click(g->label3[2]);
        click(g->label3[1]);
        settle();
        click(menu()->Label2[20]);
        QCOMPARE(Screens::find<guide>()->Image1->source(), QStringLiteral("wmf\\guide1.wmf"));
    }

    void viewerHasNoHighlighting()
    {
        click(menu()->Label2[10]);
        click(Screens::find<weather>()->label3[4]);
        teacher *t = Screens::find<teacher>();
        QVERIFY(QTest::qWaitForWindowExposed(t));
        QTest::mouseMove(t, QPoint(400, 585));
        QTest::mouseMove(t, t->label3[0]->geometry().center());
        QTest::mouseMove(t, QPoint(400, 300));
        for (int i = 0; i < 4; ++i)
            QVERIFY(t->label3[i]->isOpaque());
    }

private:
    std::unique_ptr<TestEnv> env;
    QStringList printed;
};

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"
