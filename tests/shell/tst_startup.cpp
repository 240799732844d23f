// Start-up, the title screen in both its uses, the menu's sound switch and its dispatch.
#include "core/shared.h"
#include "core/soundrequest.h"
#include "platform/screens.h"
#include "platform/twips.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "support/testenv.h"

#include <QFontInfo>
#include <QPointer>
#include <QTest>

namespace {
const QString kClick = QStringLiteral("wav\\click.wav");

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

// The program's own start: the title screen loaded, then shown.
Titlefrm *start()
{
    Titlefrm *t = Screens::get<Titlefrm>();
    Screens::bringToFront(t);
    return t;
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void startShowsTitleOnBackdropAndExitEnds()
    {
        Titlefrm *t = start();
        QVERIFY(t->isVisible());
        QCOMPARE(t->Command1->text(), QStringLiteral("OK"));
        QCOMPARE(t->backColor(), QColor(192, 192, 192));
        QCOMPARE(t->Picture1->picture().size(), QSize(320, 240));
        Grey *g = Screens::find<Grey>();
        QVERIFY(g && g->isVisible());
        QCOMPARE(g->backColor(), QColor(48, 133, 214));
        QCOMPARE(g->geometry(), t->screen()->geometry());
        // Centred by its own designed size (364 x 438 px).
        const QRect d = t->screen()->geometry();
        QCOMPARE(t->geometry(), QRect((d.width() - 364) / 2, (d.height() - 438) / 2, 364, 438));
        QVERIFY(shared::soundflag.isEmpty());
        click(t->Command2);  // Exit: the end, silently
        QVERIFY(Screens::ended());
        QVERIFY(Screens::loaded().empty());
        QVERIFY(env->played.isEmpty());
    }

    // OK to the menu with a click; the menu's Exit to the exit screen; Cancel back to the same
    // menu; Exit again loads a fresh exit screen, whose Exit ends with a click.
    void titleToMenuAndOut()
    {
        click(start()->Command1);
        QVERIFY(!Screens::isLoaded<Titlefrm>());
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(shared::soundflag, 1);
        QCOMPARE(env->played, QStringList{kClick});
        click(menu->Label2[16]);
        QPointer<Titlefrm> t = Screens::find<Titlefrm>();
        QVERIFY(t && t->isVisible());
        QCOMPARE(t->Command1->text(), QStringLiteral("Cancel"));
        QCOMPARE(env->played, (QStringList{kClick, kClick}));
        click(t->Command1);
        QVERIFY(!Screens::isLoaded<Titlefrm>());
        QCOMPARE(Screens::find<intro0>(), menu);  // brought back, not reloaded
        QVERIFY(menu->isVisible());
        QCOMPARE(env->played.size(), 3);
        settle();
        QVERIFY(t.isNull());
        click(menu->Label2[16]);
        QCOMPARE(Screens::find<Titlefrm>()->Command1->text(), QStringLiteral("Cancel"));
        click(Screens::find<Titlefrm>()->Command2);
        QVERIFY(Screens::ended());
        QCOMPARE(env->played.size(), 5);
    }

    // Either option is chosen silently; off, a menu entry makes no sound; every load of the
    // menu turns sound on again.
    void soundSwitch()
    {
        click(start()->Command1);
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(menu->Option1->isChecked());
        env->played.clear();
        click(menu->Option2);
        QCOMPARE(shared::soundflag, 0);
        QVERIFY(!menu->Option1->isChecked());
        click(menu->Label2[10]);
        QVERIFY(env->played.isEmpty());
        Screens::bringToFront(menu);  // as the hub's Exit would
        click(menu->Option1);
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(env->played.isEmpty());
        click(menu->Label2[10]);
        QCOMPARE(env->played, QStringList{kClick});
        Screens::bringToFront(menu);
        click(menu->Option2);
        Screens::unload<intro0>();
        settle();
        QCOMPARE(shared::soundflag, 0);
        menu = Screens::show<intro0>();
        QCOMPARE(shared::soundflag, 1);
        QVERIFY(menu->Option1->isChecked() && !menu->Option2->isChecked());
    }

    void silentUnlessSoundflagIsOne_data()
    {
        QTest::addColumn<int>("flag");  // -1: never assigned
        QTest::addColumn<bool>("heard");
        QTest::newRow("empty") << -1 << false;
        QTest::newRow("two") << 2 << false;
        QTest::newRow("one") << 1 << true;
    }
    void silentUnlessSoundflagIsOne()
    {
        QFETCH(int, flag);
        QFETCH(bool, heard);
        if (flag >= 0)
            shared::soundflag = flag;
        playsound(kClick);
        QCOMPARE(env->played.size(), heard ? 1 : 0);
    }

    void fontsResolveToLookAlikes_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("family");
        QTest::newRow("Tahoma bold") << "Tahoma" << true << "Tahoma";
        QTest::newRow("Times New Roman") << "Times New Roman" << false << "Liberation Serif";
    }
    void fontsResolveToLookAlikes()
    {
        QFETCH(QString, asked);
        QFETCH(bool, bold);
        QFETCH(QString, family);
        const QFontInfo f(twips::font(asked, 12, bold));
        QCOMPARE(f.family(), family);
        QCOMPARE(f.pixelSize(), 16);
        QCOMPARE(f.bold(), bold);
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
        click(t->Command1);
        QVERIFY(Screens::find<intro0>()->isVisible());
        QVERIFY(Screens::find<intro0>()->Image1->picture().isNull());
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
