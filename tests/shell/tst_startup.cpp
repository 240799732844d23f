// Start-up, the title screen in both its uses, the menu's sound switch and its dispatch.
#include "platform/screens.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "shell/titlefrm.h"
#include "support/testenv.h"
#include "platform/twips.h"

#include <QFontInfo>

#include <QPointer>
#include <QTest>

namespace {
const QString kClick = QStringLiteral("wav\\click.wav");

// The program's own start: the title screen loaded, then shown.
Titlefrm *start()
{
    Titlefrm *t = Screens::get<Titlefrm>();
    Screens::bringToFront(t);
    return t;
}

void clickEntry(int index)
{
    intro0 *menu = Screens::find<intro0>();
    QVERIFY(menu && menu->isVisible());
    QTest::mouseClick(menu->Label2[index], Qt::LeftButton);
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void startShowsTitleOnBackdrop()
    {
        Titlefrm *t = start();
        QVERIFY(t->isVisible());
        QCOMPARE(t->Command1->text(), QStringLiteral("OK"));
        QCOMPARE(t->caption(), QStringLiteral(" "));
        QCOMPARE(t->backColor(), QColor(192, 192, 192));
        QVERIFY(!t->Picture1->picture().isNull());
        QCOMPARE(t->Picture1->picture().size(), QSize(320, 240));
        Grey *g = Screens::find<Grey>();
        QVERIFY(g && g->isVisible());
        QCOMPARE(g->backColor(), QColor(48, 133, 214));
        QCOMPARE(g->geometry(), t->screen()->geometry());
        QVERIFY(g->windowFlags() & Qt::FramelessWindowHint);
        // Centred by its own designed size (364 x 438 px).
        const QRect d = t->screen()->geometry();
        QCOMPARE(t->size(), QSize(364, 438));
        QCOMPARE(t->pos(), QPoint((d.width() - 364) / 2, (d.height() - 438) / 2));
        QVERIFY(shared::soundflag.isEmpty());
    }

    void exitOnFirstTitleEndsSilently()
    {
        Titlefrm *t = start();
        QTest::mouseClick(t->Command2, Qt::LeftButton);
        QVERIFY(Screens::ended());
        QVERIFY(Screens::loaded().empty());
        QVERIFY(env->played.isEmpty());
    }

    void okOpensMenuUnloadsTitleAndClicks()
    {
        Titlefrm *t = start();
        QTest::mouseClick(t->Command1, Qt::LeftButton);
        QVERIFY(!Screens::isLoaded<Titlefrm>());
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(shared::soundflag, 1);
        QCOMPARE(env->played, QStringList{kClick});
        settle();
        QVERIFY(Screens::isLoaded<Grey>());
    }

    void menuExitThenCancelBringsMenuBack()
    {
        QTest::mouseClick(start()->Command1, Qt::LeftButton);
        intro0 *menu = Screens::find<intro0>();
        env->played.clear();

        clickEntry(16);
        Titlefrm *t = Screens::find<Titlefrm>();
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(env->played, QStringList{kClick});
        QCOMPARE(Screens::find<intro0>(), menu);  // the menu stays loaded behind

        QPointer<Titlefrm> first = t;
        QTest::mouseClick(t->Command1, Qt::LeftButton);
        QVERIFY(!Screens::isLoaded<Titlefrm>());
        QCOMPARE(Screens::find<intro0>(), menu);  // brought back, not reloaded
        QVERIFY(menu->isVisible());
        QCOMPARE(env->played, (QStringList{kClick, kClick}));
        settle();

        // Its next opening loads it afresh and shows "Cancel" again.
        clickEntry(16);
        QCOMPARE(Screens::find<Titlefrm>()->Command1->text(), QStringLiteral("Cancel"));
        // A new screen: the first one is gone (its address may be reused, so not compared).
        settle();
        QVERIFY(first.isNull());
    }

    void menuExitThenExitEndsWithClick()
    {
        QTest::mouseClick(start()->Command1, Qt::LeftButton);
        clickEntry(16);
        env->played.clear();
        QTest::mouseClick(Screens::find<Titlefrm>()->Command2, Qt::LeftButton);
        QVERIFY(Screens::ended());
        QCOMPARE(env->played, QStringList{kClick});
    }

    void soundSwitch()
    {
        QTest::mouseClick(start()->Command1, Qt::LeftButton);
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(menu->Option1->isChecked());
        env->played.clear();

        // Choosing either option is silent.
        QTest::mouseClick(menu->Option2, Qt::LeftButton);
        QCOMPARE(shared::soundflag, 0);
        QVERIFY(menu->Option2->isChecked() && !menu->Option1->isChecked());
        clickEntry(10);
        QVERIFY(env->played.isEmpty());

        // The hub now covers the menu; back on the menu as its "Exit" would bring it.
        Screens::bringToFront(menu);
        QTest::mouseClick(menu->Option1, Qt::LeftButton);
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(env->played.isEmpty());
        clickEntry(10);
        QCOMPARE(env->played, QStringList{kClick});
    }

    void everyMenuLoadTurnsSoundOn()
    {
        QTest::mouseClick(start()->Command1, Qt::LeftButton);
        QTest::mouseClick(Screens::find<intro0>()->Option2, Qt::LeftButton);
        Screens::unload<intro0>();
        settle();
        QCOMPARE(shared::soundflag, 0);
        intro0 *menu = Screens::show<intro0>();
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(menu->Option1->isChecked());
        QVERIFY(!menu->Option2->isChecked());
    }

    void silentUnlessSoundflagIsOne_data()
    {
        QTest::addColumn<int>("flag");  // -1: never assigned
        QTest::addColumn<bool>("heard");
        QTest::newRow("empty") << -1 << false;
        QTest::newRow("zero") << 0 << false;
        QTest::newRow("two") << 2 << false;
        QTest::newRow("one") << 1 << true;
    }
    void silentUnlessSoundflagIsOne()
    {
        QFETCH(int, flag);
        QFETCH(bool, heard);
        QTest::mouseClick(start()->Command1, Qt::LeftButton);
        env->played.clear();
        if (flag < 0)
            shared::soundflag.clear();
        else
            shared::soundflag = flag;
        clickEntry(0);
        QCOMPARE(env->played.size(), heard ? 1 : 0);
    }

    void fontsResolveToLookAlikes_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        QTest::newRow("Tahoma") << "Tahoma" << false << "Tahoma";
        QTest::newRow("Tahoma bold") << "Tahoma" << true << "Tahoma";
        QTest::newRow("Times New Roman") << "Times New Roman" << false << "Liberation Serif";
        QTest::newRow("Times New Roman bold") << "Times New Roman" << true << "Liberation Serif";
        QTest::newRow("Arial") << "Arial" << false << "Liberation Sans";
    }
    void fontsResolveToLookAlikes()
    {
        QFETCH(QString, asked);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        const QFont f = twips::font(asked, 12, bold);
        QCOMPARE(QFontInfo(f).family(), family);
        QCOMPARE(QFontInfo(f).pixelSize(), 16);
        QCOMPARE(QFontInfo(f).bold(), bold);
    }

    void titleFallsBackWithoutItsPicture()
    {
        QFile::remove(env->dataDir() + QStringLiteral("/images/icicle.jpg"));
        Titlefrm *t = start();
        // The standard fitting instead of the designed look, and still usable.
        QCOMPARE(t->caption(), QStringLiteral("Quillmoor"));
        QCOMPARE(t->backColor(), QColor(39, 63, 137));
        QCOMPARE(t->size(), QSize(800, 600));
        QCOMPARE(t->Picture1->backColor(), QColor(49, 135, 214));
        QVERIFY(t->Picture1->picture().isNull());
        QTest::mouseClick(t->Command1, Qt::LeftButton);
        QVERIFY(Screens::find<intro0>()->isVisible());
        QVERIFY(Screens::find<intro0>()->Image1->picture().isNull());
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
