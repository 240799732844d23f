// Hover highlighting, driven by mouse moves through the window system onto the real menu; the
// reset-only and no-highlighting rows on small screens declared the way later screens declare.
#include "platform/clicklabel.h"
#include "platform/screens.h"
#include "shell/intro0.h"
#include "core/setupform.h"
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
class GuideLike : public ButtonsScreen {
public:
    GuideLike() : ButtonsScreen(true) {}
};
class ViewerLike : public ButtonsScreen {
public:
    ViewerLike() : ButtonsScreen(false) {}
};

}  // namespace

class TestHighlight : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        env = std::make_unique<TestEnv>();
        menu = Screens::show<intro0>();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        // Start every test with the pointer resting on the picture, which resets nothing (a move
        // to where the pointer already is would be no move at all).
        QTest::mouseMove(menu, centreOf(menu->Image1));
    }
    void cleanup() { env.reset(); }

    void freshScreenIsOpaque()
    {
        QCOMPARE(opaque(menu->Label2), (QList<int>{0, 10, 16, 17, 18, 19, 20}));
        QCOMPARE(menu->Label2[17]->backColor(), QColor(0, 0, 128));
        QCOMPARE(menu->Label2[16]->backColor(), QColor(0, 0, 0));
    }

    void backgroundResetsAndLabelHighlights()
    {
        QTest::mouseMove(menu, kBackground);
        QCOMPARE(opaque(menu->Label2), QList<int>{});
        QTest::mouseMove(menu, centreOf(menu->Label2[16]));
        QCOMPARE(opaque(menu->Label2), QList<int>{16});
        QTest::mouseMove(menu, kBackground);
        QCOMPARE(opaque(menu->Label2), QList<int>{});
    }

    void labelToLabelKeepsBoth()
    {
        QTest::mouseMove(menu, kBackground);
        QTest::mouseMove(menu, centreOf(menu->Label2[17]));
        QTest::mouseMove(menu, centreOf(menu->Label2[18]));
        QCOMPARE(opaque(menu->Label2), (QList<int>{17, 18}));
        // Controls without a reset of their own leave the highlight alone.
        QTest::mouseMove(menu, centreOf(menu->Image1));
        QTest::mouseMove(menu, centreOf(menu->Option2));
        QCOMPARE(opaque(menu->Label2), (QList<int>{17, 18}));
        QTest::mouseMove(menu, kBackground);
        QCOMPARE(opaque(menu->Label2), QList<int>{});
    }

    void hiddenLabelNeverHighlights()
    {
        QTest::mouseMove(menu, kBackground);
        menu->Label2[0]->hide();
        QTest::mouseMove(menu, centreOf(menu->Label2[16]));
        QTest::mouseMove(menu, centreOf(menu->Label2[0]));
        QCOMPARE(opaque(menu->Label2), QList<int>{});  // the move reached the window: a reset
        menu->Label2[0]->show();
        QTest::mouseMove(menu, centreOf(menu->Label2[0]) + QPoint(1, 0));
        QCOMPARE(opaque(menu->Label2), QList<int>{0});
    }

    void disabledLabelPassesItsMoveToTheWindow()
    {
        QTest::mouseMove(menu, kBackground);
        menu->Label2[10]->setEnabled(false);
        QTest::mouseMove(menu, centreOf(menu->Label2[16]));
        QCOMPARE(opaque(menu->Label2), QList<int>{16});
        QTest::mouseMove(menu, centreOf(menu->Label2[10]));
        QCOMPARE(opaque(menu->Label2), QList<int>{});
    }

    void reloadedScreenStartsOpaque()
    {
        QTest::mouseMove(menu, kBackground);
        Screens::unload<intro0>();
        settle();
        menu = Screens::show<intro0>();
        QCOMPARE(opaque(menu->Label2).size(), 7);
    }

    void resetOnlyLosesBackgroundForGood()
    {
        auto *guide = Screens::show<GuideLike>();
        QVERIFY(QTest::qWaitForWindowExposed(guide));
        QCOMPARE(opaque(guide->label3), (QList<int>{0, 1, 2, 3}));
        QTest::mouseMove(guide, centreOf(guide->label3[1]));
        QCOMPARE(opaque(guide->label3), (QList<int>{0, 1, 2, 3}));
        QTest::mouseMove(guide, QPoint(400, 200));
        QCOMPARE(opaque(guide->label3), QList<int>{});
        QTest::mouseMove(guide, centreOf(guide->label3[2]));
        QCOMPARE(opaque(guide->label3), QList<int>{});
    }

    void noHighlightingStaysOpaque()
    {
        auto *viewer = Screens::show<ViewerLike>();
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QTest::mouseMove(viewer, QPoint(400, 200));
        QTest::mouseMove(viewer, centreOf(viewer->label3[0]));
        QTest::mouseMove(viewer, QPoint(400, 100));
        QCOMPARE(opaque(viewer->label3), (QList<int>{0, 1, 2, 3}));
    }

    void highlightIsDrawn()
    {
        // What the pupil sees: the navy back colour behind "Worksheet Catalogue" only while the
        // pointer rests on it.
        QTest::mouseMove(menu, kBackground);
        ClickLabel *l = menu->Label2[18];
        const QPoint corner(3, l->height() - 4);
        QCOMPARE(l->grab().toImage().pixelColor(corner), QColor(39, 63, 137));
        QTest::mouseMove(menu, centreOf(l));
        QCOMPARE(l->grab().toImage().pixelColor(corner), QColor(0, 0, 128));
    }

private:
    std::unique_ptr<TestEnv> env;
    intro0 *menu = nullptr;
};

QTEST_MAIN(TestHighlight)
#include "tst_highlight.moc"
