// SPDX-License-Identifier: GPL-3.0-or-later
// The hubs, the notes viewer and the guide, driven through the menu and their buttons, and the
// two animations: Jupiter turning on its hub and the logo on the Acknowledgments page. Their
// counters wrap and go on under other screens, but a covered or hidden picture decodes nothing
// until it can be seen again, and then shows the frame its counter names.
#include "ui/picturebox.h"
#include "services/printing.h"
#include "ui/screens.h"
#include "core/shared.h"
#include "quiz/multiple.h"
#include "shell/intro0.h"
#include "support/golden.h"
#include "support/testenv.h"
#include "topics/hub.h"
#include "viewers/guide.h"
#include "viewers/teacher.h"

#include <QTest>
#include <cmath>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");

void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }

void openFromMenu(int entry) { click(Screens::show<intro0>()->Label2[entry]); }

TopicHub *openHub(int entry)
{
    openFromMenu(entry);
    return entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
}

// The screens with an animation, their ticks driven one by one.
weather *planetsHub()
{
    auto *hub = static_cast<weather *>(openHub(10));
    hub->Timer1->stop();
    settle();
    return hub;
}

teacher *acknowledgments()
{
    openFromMenu(19);
    teacher *t = Screens::find<teacher>();
    t->Timer1->stop();
    settle();
    return t;
}

QString jupiter(int frame) { return QStringLiteral("jupiter\\jupite%1.jpg").arg(frame, 2, 10, QLatin1Char('0')); }

QString logo(int frame) { return QStringLiteral("logo\\corv%1.gif").arg(frame, 4, 10, QLatin1Char('0')); }

QImage rgb(const QImage &i) { return i.convertToFormat(QImage::Format_RGB32); }

// Mean difference per colour channel: frames are decoded the quick way, which may differ from a
// full decode by a level or two, while neighbouring frames differ far more.
double difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) + std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

// Whether what the pupil sees of the picture, as painted, is that frame rather than the one before.
bool shows(QWidget *w, int frame)
{
    const QImage seen = rgb(w->grab().toImage());
    const double own = difference(seen, rgb(loadPicture(jupiter(frame))));
    return own < 2 && own < difference(seen, rgb(loadPicture(jupiter((frame + 99) % 100))));
}

// Walks a viewer to its last page with "Next Page" and back with "Previous Page", checking at
// every page the pictures, the caption and which of the two buttons can be pressed.
template <class Viewer>
void walkPages(Viewer *v, int pages, const std::function<QString(int)> &file)
{
    const auto check = [&](int page) {
        QCOMPARE(shared::pagenum.toInt(), page);
        QCOMPARE(v->Image1->source(), QStringLiteral("wmf\\") + file(page));
        QCOMPARE(v->Image2->source(), QStringLiteral("wmf2\\") + file(page));
        QVERIFY(v->Image1->metafile() && v->Image1->isVisible() && !v->Image2->isVisible());
        QCOMPARE(v->Label1->text(), QStringLiteral("Page %1 of %2").arg(page).arg(pages));
        QCOMPARE(v->label3[3]->isEnabled(), page > 1);
        QCOMPARE(v->label3[2]->isEnabled(), page < pages);
    };
    for (int page = 1; page < pages && !QTest::currentTestFailed(); ++page) {
        check(page);
        click(v->label3[2]);
    }
    for (int page = pages; page > 1 && !QTest::currentTestFailed(); --page) {
        check(page);
        click(v->label3[3]);
    }
    check(1);
}

}  // namespace

class TestViewers : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        printing::setFactory([]() -> std::unique_ptr<Printer> { throw PrintError("no printer"); });
    }
    void cleanup()
    {
        printing::setFactory({});
        env.reset();
    }

    void hubsOpenTheirPageSets_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("set");
        QTest::newRow("planets key facts") << 10 << 4 << 3 << "key weather";
        QTest::newRow("planets notes") << 10 << 5 << 2 << "weather";
        QTest::newRow("temperature key facts") << 0 << 4 << 2 << "key temperature";
        QTest::newRow("temperature notes") << 0 << 5 << 2 << "temperature";
    }
    void hubsOpenTheirPageSets()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(int, pages);
        QFETCH(QString, set);
        shared::pagenum = 3;  // left from an earlier viewing: the viewer starts at page 1 all the same
        TopicHub *hub = openHub(entry);
        env->played.clear();
        click(hub->label3[button]);
        teacher *t = Screens::find<teacher>();
        QVERIFY(t && t->isVisible());
        QCOMPARE(shared::pagecount.toInt(), pages);
        walkPages(t, pages, [&](int page) { return set + QLatin1Char("abcd"[page - 1]) + QStringLiteral(".wmf"); });
        QCOMPARE(env->played, QStringList{kClick});  // the hub's button; the viewer plays no sound
    }

    void missingPageKeepsThePreviousPicture()
    {
        QFile::remove(env->ownDataFolder(QStringLiteral("wmf")) + QStringLiteral("/key weatherb.wmf"));
        click(openHub(10)->label3[4]);
        teacher *t = Screens::find<teacher>();
        click(t->label3[2]);
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\key weathera.wmf"));
        QCOMPARE(t->Image2->source(), QStringLiteral("wmf2\\key weatherb.wmf"));
        QCOMPARE(t->Label1->text(), QStringLiteral("Page 2 of 3"));
        click(t->label3[2]);
        QCOMPARE(t->Image1->source(), QStringLiteral("wmf\\key weatherc.wmf"));
    }

    void onePageShowsOnlyPrintAndExit_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("a set of one page") << false;
        QTest::newRow("acknowledgments, from the menu") << true;
    }
    void onePageShowsOnlyPrintAndExit()
    {
        QFETCH(bool, fromMenu);
        if (!fromMenu)
            shared::pagecount = 1;
        teacher *t = fromMenu ? acknowledgments() : Screens::show<teacher>();
        QVERIFY(t->isVisible());
        QVERIFY(!t->Label1->isVisible() && !t->label3[2]->isVisible() && !t->label3[3]->isVisible());
        QVERIFY(t->label3[0]->isVisible() && t->label3[1]->isVisible());
    }

    void guidePagingHighlightingAndNoPrinter()
    {
        shared::pagenum = 3;
        openFromMenu(20);
        guide *g = Screens::find<guide>();
        QVERIFY(QTest::qWaitForWindowExposed(g));
        walkPages(g, 3, [](int page) { return QStringLiteral("guide%1.wmf").arg(page); });
        // Reset only: opaque until the first move over the window, and never again.
        QVERIFY(g->label3[1]->isOpaque());
        QTest::mouseMove(g, QPoint(400, 585));  // the band below the page and the buttons
        QTest::mouseMove(g, g->label3[1]->geometry().center());
        for (int i = 0; i < 4; ++i)
            QVERIFY(!g->label3[i]->isOpaque());
        // No printer: nothing said, nothing changed.
        click(g->label3[0]);
        QVERIFY(g->isVisible());
        QVERIFY(env->messages->shown.isEmpty());
        QCOMPARE(g->Label1->text(), QStringLiteral("Page 1 of 3"));
    }

    void viewerHasNoHighlighting()
    {
        click(openHub(10)->label3[4]);
        teacher *t = Screens::find<teacher>();
        QVERIFY(QTest::qWaitForWindowExposed(t));
        QTest::mouseMove(t, QPoint(400, 585));
        QTest::mouseMove(t, t->label3[0]->geometry().center());
        QTest::mouseMove(t, QPoint(400, 300));
        for (int i = 0; i < 4; ++i)
            QVERIFY(t->label3[i]->isOpaque());
    }

    // Both hubs open side by side; Jupiter turns and wraps; Exit closes only its own hub and shows
    // the menu, reloading it when it was unloaded; opened again, Jupiter starts at frame 0.
    void hubsAnimateSideBySideAndExitToTheMenu()
    {
        weather *planets = planetsHub();
        QStringList frames;
        for (int i = 0; i < 101; ++i) {
            planets->Timer1_Timer();
            frames << planets->Image1->source();
        }
        QCOMPARE_GOLDEN(QStringLiteral("viewers/jupiter-turning-past-99"), frames);  // 1 to 99, 0, 1
        QCOMPARE(shared::jupiterframe.toInt(), 1);
        // Each picture takes its own size, centred across the window.
        temperature *temp = static_cast<temperature *>(openHub(0));
        QCOMPARE(temp->Image1->geometry(), QRect((800 - 564) / 2, 48, 564, 422));
        QCOMPARE(temp->Image2->geometry(), QRect((800 - 400) / 2, 476, 400, 40));
        env->played.clear();
        click(temp->label3[2]);
        settle();
        QVERIFY(!Screens::isLoaded<temperature>() && Screens::isLoaded<weather>());
        QVERIFY(Screens::find<intro0>()->isVisible());
        QCOMPARE(env->played, QStringList{kClick});
        Screens::unload<intro0>();
        settle();
        click(planets->label3[2]);
        settle();
        QVERIFY(Screens::isLoaded<intro0>() && !Screens::isLoaded<weather>());
        QCOMPARE(planetsHub()->Image1->source(), jupiter(0));
        QCOMPARE(shared::jupiterframe.toInt(), 0);
    }

    void coveredHubCountsAndShowsTheNamedFrameOnceInFront_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::newRow("quiz in front") << false;
        QTest::newRow("hub hidden") << true;
    }
    void coveredHubCountsAndShowsTheNamedFrameOnceInFront()
    {
        QFETCH(bool, hidden);
        weather *hub = planetsHub();
        hub->Timer1_Timer();
        QVERIFY(hub->Image1->isSeen());
        QCOMPARE(hub->Image1->source(), jupiter(1));  // in view: decoded at once
        hidden ? hub->hide() : click(hub->label3[0]);
        settle();
        QVERIFY(!hub->Image1->isSeen());
        for (int tick = 2; tick <= 8; ++tick) {
            hub->Timer1_Timer();
            QCOMPARE(shared::jupiterframe.toInt(), tick);
        }
        QCOMPARE(hub->Image1->source(), jupiter(1));  // nothing decoded out of sight
        QCOMPARE(hub->Image1->frame(), jupiter(8));
        hidden ? Screens::bringToFront(hub) : Screens::unload<multiple>();
        QTRY_COMPARE(hub->Image1->source(), jupiter(8));
        QVERIFY(hub->Image1->isSeen());
        QVERIFY(shows(hub->Image1, 8));
    }

    void missingFrameUnderCoverKeepsThePreviousPicture()
    {
        QFile::remove(env->ownDataFolder(QStringLiteral("jupiter")) + QStringLiteral("/jupite03.jpg"));
        weather *hub = planetsHub();
        hub->Timer1_Timer();
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), jupiter(2));
        click(hub->label3[0]);  // the quiz in front
        hub->Timer1_Timer();
        Screens::unload<multiple>();
        settle(50);
        QCOMPARE(shared::jupiterframe.toInt(), 3);
        QCOMPARE(hub->Image1->source(), jupiter(2));
        QVERIFY(shows(hub->Image1, 2));
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), jupiter(4));
    }

    void logoWrapsAndGoesOnWhenOpenedAgain()
    {
        shared::logoframe.clear();
        teacher *t = acknowledgments();
        QStringList frames;
        for (int i = 0; i < 21; ++i) {
            t->Timer1_Timer();
            frames << t->Picture1->source();
        }
        QCOMPARE_GOLDEN(QStringLiteral("viewers/logo-frames-from-the-start"), frames);  // 1 to 19, then 0
        QVERIFY(t->Picture1->isVisible() && t->Picture2->isVisible());
        QCOMPARE(rgb(t->Picture1->picture()), rgb(loadPicture(logo(1))));  // GIF: exact
        // Closed and opened again, the logo goes on after the frame last shown.
        click(t->label3[1]);
        settle();
        acknowledgments()->Timer1_Timer();
        QCOMPARE(Screens::find<teacher>()->Picture1->source(), logo(2));
    }

    void framesDecodeAtTheSizeShown()
    {
        weather *hub = planetsHub();
        auto *box = new PictureBox(hub);
        box->setGeometry(10, 10, 80, 40);
        box->setStretch(true);
        box->show();
        box->showFrame(jupiter(5));
        QCOMPARE(box->picture().size(), QSize(80, 40));
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"
