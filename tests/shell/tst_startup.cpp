// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the title screen in both its uses, the menu's sound switch and its dispatch; the
// stage: screens stacked in the order shown, brought to front and unloaded, the keyboard focus in
// the front screen, the close opening the exit screen, the edges; and the hover highlighting,
// driven by mouse moves onto the real menu and onto small screens declared the way later screens
// declare their buttons.
#include "core/setupform.h"
#include "core/shared.h"
#include "core/soundrequest.h"
#include "ui/clicklabel.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/twips.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "support/testenv.h"

#include <QFontInfo>
#include <QLineEdit>
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

// Plain screens with two text boxes each, counting their loads.
template <char Name>
class Plain : public Screen {
public:
    Plain() : Screen(QString(QChar(Name)))
    {
        setGeometry(100, 80, 300, 200);
        first = new QLineEdit(this);
        first->setGeometry(10, 10, 100, 20);
        second = new QLineEdit(this);
        second->setGeometry(10, 40, 100, 20);
    }
    void onLoad() override { ++loads; }
    QLineEdit *first;
    QLineEdit *second;
    static inline int loads = 0;
};
using A = Plain<'A'>;
using B = Plain<'B'>;
using C = Plain<'C'>;

// "A" shows A, "-A" unloads it, "G" shows the stage (Grey) again.
void apply(const QString &op)
{
    const bool unload = op.startsWith(QLatin1Char('-'));
    switch (op.back().toLatin1()) {
    case 'A': unload ? Screens::unload<A>() : void(Screens::show<A>()); break;
    case 'B': unload ? Screens::unload<B>() : void(Screens::show<B>()); break;
    case 'C': unload ? Screens::unload<C>() : void(Screens::show<C>()); break;
    case 'G': Screens::show<Grey>(); break;
    }
}

// The stack bottom to top by name, "|" where the backdrop covers what was shown before it.
QString stack()
{
    QStringList names;
    for (Screen *s : Screens::stage()->stackingOrder())
        names << (s ? s->objectName() : QStringLiteral("|"));
    return names.join(QLatin1Char(' '));
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
    void init()
    {
        env = std::make_unique<TestEnv>();
        A::loads = B::loads = C::loads = 0;
    }
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
        click(t->Command2);  // Exit: the end, silently
        QVERIFY(Screens::ended() && Screens::loaded().empty());
        QVERIFY(env->played.isEmpty());
    }

    // The stage's close and Escape are refused on the first title screen, which stays. OK goes to the menu
    // with a click; a close there opens the exit screen over the backdrop, and once up it stays
    // as it is; Cancel brings back the same menu. The menu's Exit loads a fresh exit screen, whose
    // Exit ends.
    void titleToMenuAndOut()
    {
        Titlefrm *first = start();
        QVERIFY(!Screens::stage()->close());
        QTest::keyClick(first, Qt::Key_Escape);
        settle();
        QVERIFY(!Screens::ended());
        QCOMPARE(Screens::find<Titlefrm>(), first);
        click(first->Command1);
        settle();
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(!Screens::stage()->close());  // refused: the program goes on
        QPointer<Titlefrm> t = Screens::find<Titlefrm>();
        QCOMPARE(stack(), QStringLiteral("intro0 | Titlefrm"));
        QVERIFY(!Screens::stage()->close());
        QCOMPARE(Screens::find<Titlefrm>(), t.data());
        QCOMPARE(t->Command1->text(), QStringLiteral("Cancel"));
        click(t->Command1);
        QCOMPARE(Screens::stage()->frontScreen(), menu);  // brought back, not reloaded
        settle();
        QVERIFY(t.isNull());
        click(menu->Label2[16]);
        click(Screens::find<Titlefrm>()->Command2);
        QVERIFY(Screens::ended());
        QCOMPARE(env->played.size(), 4);  // OK, Cancel, Exit, Exit
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

    // Heard only while soundflag is exactly 1 (soundSwitch hears it at 1): not before it is ever
    // set, nor at 2.
    void silentUnlessSoundflagIsOne()
    {
        playsound(kClick);
        shared::soundflag = 2;
        playsound(kClick);
        QVERIFY(env->played.isEmpty());
    }

    // The designed fonts come out as their look-alikes, at the pixel size of 12 points, bold kept.
    void fontsResolveToLookAlikes()
    {
        const QFontInfo tahoma(twips::font(QStringLiteral("Tahoma"), 12, true));
        QCOMPARE(tahoma.family(), QStringLiteral("Tahoma"));
        QVERIFY(tahoma.bold() && tahoma.pixelSize() == 16);
        const QFontInfo times(twips::font(QStringLiteral("Times New Roman"), 12, false));
        QCOMPARE(times.family(), QStringLiteral("Liberation Serif"));
        QVERIFY(!times.bold() && times.pixelSize() == 16);
    }

    void titleFallsBackWithoutItsPicture()
    {
        QFile::remove(env->ownDataFolder(QStringLiteral("images")) + QStringLiteral("/icicle.jpg"));
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
        QCOMPARE(lit(), (QList<int>{0, 10, 16, 17, 18, 19, 20, 21}));
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
        QCOMPARE(opaque(Screens::show<intro0>()->Label2).size(), 8);
    }

    // Buttons declared reset-only lose their back colour at the first move over the background
    // and never get it back; buttons declared with no highlighting keep it.
    void smallScreens()
    {
        const QList<int> all{0, 1, 2, 3};
        QCOMPARE(hoverOffAndOn<true>(), (QList<QList<int>>{all, {}}));
        QCOMPARE(hoverOffAndOn<false>(), (QList<QList<int>>{all, all}));
    }

    void stacking_data()
    {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("front");  // the screen that has the keyboard; empty: the backdrop's
        QTest::addColumn<int>("loadsOfA");
        QTest::newRow("shown in order") << "G A B C" << "A B C" << "C" << 1;
        QTest::newRow("shown again: to the front, not reloaded") << "G A B C A" << "B C A" << "A" << 1;
        QTest::newRow("unloaded in front: the one below is in front") << "G A B C -C" << "A B" << "B" << 1;
        QTest::newRow("unloaded below: the rest keep their order") << "G A B C -B" << "A C" << "C" << 1;
        QTest::newRow("unloaded, then shown: loaded afresh on top") << "G A B -A A" << "B A" << "A" << 2;
        QTest::newRow("stage shown again, nothing over the backdrop") << "G A B G" << "A B |" << "" << 1;
        QTest::newRow("stage shown again: the backdrop covers what was up") << "G A B G C" << "A B | C" << "C" << 1;
        QTest::newRow("a covered screen brought back over the backdrop") << "G A B G C A" << "B | C A" << "A" << 1;
        QTest::newRow("a screen shown before the stage shows it too") << "A B" << "A B" << "B" << 1;
    }
    void stacking()
    {
        QFETCH(QString, ops);
        QFETCH(QString, expected);
        QFETCH(QString, front);
        QFETCH(int, loadsOfA);
        for (const QString &op : ops.split(QLatin1Char(' ')))
            apply(op);
        QCOMPARE(stack(), expected);
        Screen *inFront = Screens::stage()->frontScreen();
        QCOMPARE(inFront ? inFront->objectName() : QString(), front);
        QCOMPARE(A::loads, loadsOfA);
        QVERIFY(Screens::stage()->isVisible());
        // No screen is a window of its own: nothing a window manager could raise between them.
        for (Screen *s : Screens::loaded())
            QCOMPARE(s->isWindow(), s == Screens::stage());
        // Each screen shown has its edge just beneath it, however often it came back to the front.
        QWidgetList order;
        for (QObject *o : Screens::stage()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && w->isVisibleTo(Screens::stage()))
                order << w;
        for (qsizetype i = 0; i < order.size(); ++i) {
            auto *s = qobject_cast<Screen *>(order[i]);
            if (!s || s->objectName() == QLatin1String("grey"))
                continue;
            QWidget *below = i > 0 ? order[i - 1] : nullptr;
            const bool edge = below && !qobject_cast<Screen *>(below) && below->geometry().center() == s->geometry().center()
                              && below->width() > s->width() && below->width() < s->width() + 20;
            QVERIFY2(edge, qPrintable(s->objectName() + QStringLiteral(" has no edge beneath it")));
        }
    }

    // Tab stays on the front screen; a click on the margin changes nothing; the screen below gets
    // back the control last used on it.
    void focusFollowsTheFrontScreen()
    {
        Screens::show<Grey>();
        QVERIFY(QTest::qWaitForWindowActive(Screens::stage()));
        A *a = Screens::show<A>();
        QCOMPARE(QApplication::focusWidget(), a->first);
        a->second->setFocus();
        Screens::show<B>();
        Screens::show<C>();
        B *b = Screens::show<B>();
        QCOMPARE(QApplication::focusWidget(), b->first);
        // Each way round, Tab visits both boxes in turn and never leaves the front screen.
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), b->second);
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(QApplication::focusWidget(), b->first);
        }
        QTest::mouseClick(Screens::stage(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(stack(), QStringLiteral("A C B"));
        Screens::unload<B>();
        Screens::unload<C>();
        QCOMPARE(QApplication::focusWidget(), a->second);
    }

    // Every screen has an edge on the stage, which goes with it; a resized stage keeps the
    // screens where they were relative to its centre, fitted again or at actual size.
    void edgesAndResizing()
    {
        Screens::show<Grey>();
        A *a = Screens::show<A>();
        Stage *stage = Screens::stage();
        settle();
        const QImage shot = stage->grab().toImage();
        const int x = a->x(), y = a->y() + 100;
        QCOMPARE(shot.pixelColor(x - 2, y), theme::edgeOuter);
        QCOMPARE(shot.pixelColor(x - 1, y), theme::edgeInner);
        QCOMPARE(shot.pixelColor(x + a->width() + 1, y), theme::edgeOuter);
        stage->resize(900, 660);  // 1.1 times 800 x 600
        // Its centre 150 x 220 pixels up-left of the stage's, its size, its controls: all times 1.1
        QCOMPARE(a->geometry(), QRect(120, -22, 330, 220));
        QCOMPARE(a->first->geometry(), QRect(11, 11, 110, 22));
        stage->toggleFit();  // actual size: the screen keeps its size and moves with the centre
        const QPoint before = a->pos();
        stage->resize(stage->size() + QSize(100, 60));
        QCOMPARE(a->pos(), before + QPoint(50, 30));
        Screens::unload<A>();  // its edge goes with it
        settle();
        QCOMPARE(stage->grab().toImage().pixelColor(x - 2, y), theme::backdropBlue);
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
