// Start-up, the title screen in both its uses, the menu's sound switch and its dispatch, and the
// hover highlighting, driven by mouse moves onto the real menu and onto small screens declared the
// way later screens declare their buttons.
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"
#include "platform/clicklabel.h"
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

QPoint centreOf(QWidget *w) { return w->geometry().center(); }

QList<int> opaque(const ControlArray<ClickLabel> &labels)
{
    QList<int> out;
    for (const auto &[i, l] : labels)
        if (l->isOpaque())
            out << i;
    return out;
}

// Four buttons following the guide's rule (reset only) or the viewers' (no highlighting).
template <bool ResetOnly>
class ButtonsScreen : public Screen {
public:
    ButtonsScreen() : Screen(QStringLiteral("buttons"))
    {
        for (int i = 0; i < 4; ++i) {
            auto *l = new ClickLabel(i, QStringLiteral("Button %1").arg(i), this);
            l->setGeometry(20 + i * 150, 500, 140, 30);
            label3.add(i, l);
        }
        if (ResetOnly)
            declareHighlighting(label3, {0, 1, 2, 3}, false);
    }
    void onLoad() override { setupform(this); }
    ControlArray<ClickLabel> label3;
};

// The buttons lit over a button, and again after the pointer crossed the background to another.
template <bool ResetOnly>
QList<QList<int>> hoverOffAndOn()
{
    auto *s = Screens::show<ButtonsScreen<ResetOnly>>();
    if (!QTest::qWaitForWindowExposed(s))
        return {};
    QTest::mouseMove(s, centreOf(s->label3[1]));
    const QList<int> over = opaque(s->label3);
    QTest::mouseMove(s, QPoint(400, 200));
    QTest::mouseMove(s, centreOf(s->label3[2]));
    return {over, opaque(s->label3)};
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
        QVERIFY(Screens::ended() && Screens::loaded().empty());
        QVERIFY(env->played.isEmpty());
    }

    // OK to the menu with a click; the menu's Exit to the exit screen; Cancel back to the same
    // menu; Exit again loads a fresh exit screen, whose Exit ends with a click.
    void titleToMenuAndOut()
    {
        click(start()->Command1);
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(!Screens::isLoaded<Titlefrm>() && menu->isVisible());
        QCOMPARE(env->played, QStringList{kClick});
        click(menu->Label2[16]);
        QPointer<Titlefrm> t = Screens::find<Titlefrm>();
        QCOMPARE(t->Command1->text(), QStringLiteral("Cancel"));
        click(t->Command1);
        QCOMPARE(Screens::stage()->frontScreen(), menu);  // brought back, not reloaded
        settle();
        QVERIFY(t.isNull());
        click(menu->Label2[16]);
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
        env->played.clear();
        click(menu->Option2);
        click(menu->Label2[10]);
        QVERIFY(env->played.isEmpty());
        Screens::bringToFront(menu);  // as the hub's Exit would
        click(menu->Option1);
        QVERIFY(env->played.isEmpty());
        click(menu->Label2[10]);
        QCOMPARE(env->played, QStringList{kClick});
        Screens::bringToFront(menu);
        click(menu->Option2);
        Screens::unload<intro0>();
        settle();
        QVERIFY(Screens::show<intro0>()->Option1->isChecked());
        QCOMPARE(shared::soundflag, 1);
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
        click(t->Command1);
        QVERIFY(Screens::find<intro0>()->isVisible());
        QVERIFY(Screens::find<intro0>()->Image1->picture().isNull());
    }

    // One walk of the pointer over the menu, checking which labels are lit after each move.
    void menuHighlighting()
    {
        intro0 *menu = Screens::show<intro0>();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        const QPoint background(400, 380);
        auto lit = [menu] { return opaque(menu->Label2); };
        auto move = [menu](QPoint p) { QTest::mouseMove(menu, p); };
        move(centreOf(menu->Image1));  // the picture resets nothing
        QCOMPARE(lit(), (QList<int>{0, 10, 16, 17, 18, 19, 20}));
        move(background);
        QCOMPARE(lit(), QList<int>{});
        ClickLabel *sheets = menu->Label2[18];
        const QPoint corner(3, sheets->height() - 4);
        QCOMPARE(sheets->grab().toImage().pixelColor(corner), QColor(39, 63, 137));
        move(centreOf(menu->Label2[17]));
        move(centreOf(sheets));
        QCOMPARE(lit(), (QList<int>{17, 18}));
        QCOMPARE(sheets->grab().toImage().pixelColor(corner), QColor(0, 0, 128));
        // Controls without a reset of their own leave the highlight alone.
        move(centreOf(menu->Image1));
        move(centreOf(menu->Option2));
        QCOMPARE(lit(), (QList<int>{17, 18}));
        // A hidden label passes its move to the window: a reset, no highlight.
        menu->Label2[0]->hide();
        move(centreOf(menu->Label2[0]));
        QCOMPARE(lit(), QList<int>{});
        menu->Label2[0]->show();
        move(centreOf(menu->Label2[0]) + QPoint(1, 0));
        QCOMPARE(lit(), QList<int>{0});
        // So does a disabled one.
        menu->Label2[10]->setEnabled(false);
        move(centreOf(menu->Label2[10]));
        QCOMPARE(lit(), QList<int>{});
        // A menu loaded again starts with every label lit.
        Screens::unload<intro0>();
        settle();
        QCOMPARE(opaque(Screens::show<intro0>()->Label2).size(), 7);
    }

    // Buttons declared reset-only lose their back colour at the first move over the background
    // and never get it back; buttons declared with no highlighting keep it.
    void smallScreens()
    {
        const QList<int> all{0, 1, 2, 3};
        QCOMPARE(hoverOffAndOn<true>(), (QList<QList<int>>{all, {}}));
        QCOMPARE(hoverOffAndOn<false>(), (QList<QList<int>>{all, all}));
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
