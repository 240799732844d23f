// The stage: screens stacked in the order shown, brought to front and unloaded; the keyboard
// focus in the front screen; the window manager's close opening the exit screen; the margin.
#include "platform/screens.h"
#include "platform/theme.h"
#include "shell/grey.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "support/testenv.h"

#include <QLineEdit>
#include <QTest>

namespace {

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

}  // namespace

class TestStage : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        A::loads = B::loads = C::loads = 0;
    }
    void cleanup() { env.reset(); }

    void stacking_data()
    {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("loadsOfA");
        QTest::newRow("shown in order") << "G A B C" << "A B C" << 1;
        QTest::newRow("shown again: to the front, not reloaded") << "G A B C A" << "B C A" << 1;
        QTest::newRow("unloaded in front: the one below is in front") << "G A B C -C" << "A B" << 1;
        QTest::newRow("unloaded below: the rest keep their order") << "G A B C -B" << "A C" << 1;
        QTest::newRow("unloaded, then shown: loaded afresh on top") << "G A B -A A" << "B A" << 2;
        QTest::newRow("stage shown again: the backdrop covers what was up") << "G A B G C" << "A B | C" << 1;
        QTest::newRow("a covered screen brought back over the backdrop") << "G A B G C A" << "B | C A" << 1;
        QTest::newRow("a screen shown before the stage shows it too") << "A B" << "A B" << 1;
    }
    void stacking()
    {
        QFETCH(QString, ops);
        QFETCH(QString, expected);
        QFETCH(int, loadsOfA);
        for (const QString &op : ops.split(QLatin1Char(' ')))
            apply(op);
        QCOMPARE(stack(), expected);
        QCOMPARE(A::loads, loadsOfA);
        QVERIFY(Screens::stage()->isVisible());
        // No screen is a window of its own: nothing a window manager could raise between them.
        for (Screen *s : Screens::loaded())
            QCOMPARE(s->isWindow(), s == Screens::stage());
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
        QCOMPARE(Screens::stage()->frontScreen(), b);
        Screens::unload<B>();
        Screens::unload<C>();
        QCOMPARE(QApplication::focusWidget(), a->second);
    }

    // Closed on the first title screen: it stays. Closed on the menu: the exit screen, once.
    void closingTheStageOpensTheExitScreen()
    {
        Titlefrm *t = Screens::show<Titlefrm>();
        QVERIFY(!Screens::stage()->close());
        QCOMPARE(Screens::find<Titlefrm>(), t);
        QTest::mouseClick(t->Command1, Qt::LeftButton);
        settle();
        intro0 *menu = Screens::find<intro0>();
        QVERIFY(!Screens::stage()->close());  // refused: the program goes on
        Titlefrm *exit = Screens::find<Titlefrm>();
        QCOMPARE(stack(), QStringLiteral("intro0 | Titlefrm"));
        QVERIFY(!Screens::stage()->close());  // again while it is up: it stays as it is
        QCOMPARE(Screens::find<Titlefrm>(), exit);
        QTest::mouseClick(exit->Command1, Qt::LeftButton);  // Cancel
        settle();
        QCOMPARE(Screens::stage()->frontScreen(), menu);
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

QTEST_MAIN(TestStage)
#include "tst_stage.moc"
