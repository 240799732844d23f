// Hover highlighting, driven by mouse moves through the window system onto the real menu; the
// reset-only and no-highlighting rows on small screens declared the way later screens declare.
#include "core/setupform.h"
#include "platform/clicklabel.h"
#include "platform/screens.h"
#include "shell/intro0.h"
#include "support/testenv.h"

#include <QTest>

namespace {

const QPoint kBackground(400, 380);  // an empty stretch of the menu's window

QPoint centreOf(QWidget *w) { return w->geometry().center(); }

QList<int> opaque(const ControlArray<ClickLabel> &labels)
{
    QList<int> out;
    for (const auto &[i, l] : labels)
        if (l->isOpaque())
            out << i;
    return out;
}

// A screen whose four buttons follow the guide's rule (reset only) or the viewer's (none).
class ButtonsScreen : public Screen {
public:
    explicit ButtonsScreen(bool resetOnly) : Screen(QStringLiteral("buttons"))
    {
        for (int i = 0; i < 4; ++i) {
            auto *l = new ClickLabel(i, QStringLiteral("Button %1").arg(i), this);
            l->setGeometry(20 + i * 150, 500, 140, 30);
            label3.add(i, l);
        }
        if (resetOnly)
            declareHighlighting(label3, {0, 1, 2, 3}, false);
    }
    void onLoad() override { setupform(this); }
    ControlArray<ClickLabel> label3;
};
struct GuideLike : ButtonsScreen {
    GuideLike() : ButtonsScreen(true) {}
};
struct ViewerLike : ButtonsScreen {
    ViewerLike() : ButtonsScreen(false) {}
};

}  // namespace

class TestHighlight : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // One walk of the pointer over the menu, checking which labels are lit after each move.
    void menuHighlighting()
    {
        intro0 *menu = Screens::show<intro0>();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        auto lit = [menu] { return opaque(menu->Label2); };
        auto move = [menu](QPoint p) { QTest::mouseMove(menu, p); };
        move(centreOf(menu->Image1));  // the picture resets nothing
        QCOMPARE(lit(), (QList<int>{0, 10, 16, 17, 18, 19, 20}));
        move(kBackground);
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
    void smallScreens_data()
    {
        QTest::addColumn<bool>("resetOnly");
        QTest::newRow("reset only, as the guide") << true;
        QTest::newRow("none, as the viewers") << false;
    }
    void smallScreens()
    {
        QFETCH(bool, resetOnly);
        ButtonsScreen *s = resetOnly ? static_cast<ButtonsScreen *>(Screens::show<GuideLike>()) : Screens::show<ViewerLike>();
        const ControlArray<ClickLabel> &buttons = s->label3;
        QVERIFY(QTest::qWaitForWindowExposed(s));
        const QList<int> all{0, 1, 2, 3};
        QTest::mouseMove(s, centreOf(buttons[1]));
        QCOMPARE(opaque(buttons), all);
        QTest::mouseMove(s, QPoint(400, 200));
        QTest::mouseMove(s, centreOf(buttons[2]));
        QCOMPARE(opaque(buttons), resetOnly ? QList<int>{} : all);
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestHighlight)
#include "tst_highlight.moc"
