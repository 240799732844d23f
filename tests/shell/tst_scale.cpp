// SPDX-License-Identifier: GPL-3.0-or-later
// The stage's scale: twips become pixels at any factor, the factor chosen from the display or
// QUILLMOOR_SCALE, F11 between fit and actual size, and the activities' drags and scores in twips
// whatever the factor. Drags are real mouse events at the scaled pixels, on a 1920 x 1200 display.
#include "activities/engine.h"
#include "authoring/wizard.h"
#include "ui/messages.h"
#include "core/shared.h"
#include "ui/screens.h"
#include "ui/stage.h"
#include "ui/twips.h"
#include "shell/intro0.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QApplication>
#include <cmath>
#include <QCheckBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

// The pixel under a point given in twips of a screen.
QPoint px(double x, double y) { return QPoint(twips::toPx(x), twips::toPx(y)); }

// Drags label i by mouse from its centre to a pixel, as a pupil would.
void drag(Activity *a, int i, QPoint to)
{
    const QPoint from = a->Label2[i]->geometry().center();
    QTest::mousePress(a, Qt::LeftButton, {}, from);
    QTest::mouseMove(a, (from + to) / 2);
    QTest::mouseMove(a, to);
    QTest::mouseRelease(a, Qt::LeftButton, {}, to);
}

}  // namespace

class TestScale : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        env.reset();
        qunsetenv("QUILLMOOR_SCALE");
    }

    void conversion_data()
    {
        QTest::addColumn<QSize>("display");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QSize>("screen");  // 12000 x 9000 twips
        QTest::addColumn<int>("titlePx");  // 20.25 pt
        QTest::addColumn<QRect>("label");  // 4905, 120, 2625, 465
        QTest::newRow("800x600: actual size") << QSize(800, 600) << 1.0 << QSize(800, 600) << 27 << QRect(327, 8, 175, 31);
        QTest::newRow("1024x768: fractional") << QSize(1024, 768) << 1.28 << QSize(1024, 768) << 35 << QRect(419, 10, 224, 40);
        QTest::newRow("1920x1080: height bounds") << QSize(1920, 1080) << 1.8 << QSize(1440, 1080) << 49 << QRect(589, 14, 315, 56);
        QTest::newRow("3840x2160: height bounds") << QSize(3840, 2160) << 3.6 << QSize(2880, 2160) << 97 << QRect(1177, 29, 630, 112);
        QTest::newRow("640x480: never below actual size") << QSize(640, 480) << 1.0 << QSize(800, 600) << 27 << QRect(327, 8, 175, 31);
    }
    void conversion()
    {
        QFETCH(QSize, display);
        QFETCH(double, factor);
        QFETCH(QSize, screen);
        QFETCH(int, titlePx);
        QFETCH(QRect, label);
        const double f = stagescale::fitFactor(display);
        QVERIFY2(qFuzzyCompare(f, factor), qPrintable(QString::number(f)));
        twips::setFactor(f);
        QCOMPARE(QSize(twips::toPx(12000), twips::toPx(9000)), screen);
        QCOMPARE(twips::font(QStringLiteral("Tahoma"), 20.25).pixelSize(), titlePx);
        QCOMPARE(twips::rect(4905, 120, 2625, 465), label);
        // A pointer at a pixel comes back to the twips it shows, within half a pixel.
        QVERIFY(std::abs(twips::fromPx(label.x()) - 4905) <= 7.5 / factor + 1e-9);
        twips::setFactor(1);
    }

    // A rescale keeps what the twips say unless the code moved a control by pixels since: then
    // where it is now is what scales (the wizard sizes its heading to its words that way).
    void rescaleKeepsPixelChanges_data()
    {
        QTest::addColumn<QSize>("resizedTo");  // after placing at 1500 x 300 twips; empty: left alone
        QTest::addColumn<QRect>("twice");      // its pixels at factor 2
        QTest::newRow("placed by twips") << QSize() << QRect(20, 40, 200, 40);
        QTest::newRow("made taller by pixels") << QSize(100, 36) << QRect(20, 40, 200, 72);
        QTest::newRow("made narrower by pixels") << QSize(60, 20) << QRect(20, 40, 120, 40);
    }
    void rescaleKeepsPixelChanges()
    {
        QFETCH(QSize, resizedTo);
        QFETCH(QRect, twice);
        twips::setFactor(1);
        QWidget root;
        auto *child = new QWidget(&root);
        twips::place(child, 150, 300, 1500, 300);
        QCOMPARE(child->geometry(), QRect(10, 20, 100, 20));
        if (resizedTo.isValid())
            child->resize(resizedTo);
        twips::setFactor(2);
        twips::rescale(&root, 1);
        QCOMPARE(child->geometry(), twice);
        twips::setFactor(1);
        twips::rescale(&root, 2);  // and back: where it was
        QCOMPARE(child->size(), resizedTo.isValid() ? resizedTo : QSize(100, 20));
    }

    void environment_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<double>("factor");  // 0: fit; -1: ignored
        QTest::newRow("fit in capitals with blanks") << " FIT " << 0.0;
        QTest::newRow("smallest") << "0.25" << 0.25;
        QTest::newRow("largest") << "8" << 8.0;
        QTest::newRow("zero") << "0" << -1.0;
        QTest::newRow("not a number") << "nan" << -1.0;
        QTest::newRow("absurdly large") << "1e9" << -1.0;
    }
    void environment()
    {
        QFETCH(QString, value);
        QFETCH(double, factor);
        QCOMPARE(stagescale::parse(value).value_or(-1.0), factor);
    }

    // QUILLMOOR_SCALE chooses the factor at start. The same drags by mouse at each factor put
    // every label in the same box, at the same twips, for the same score; a label takes the
    // clicks from its first pixel to its last, and the pixel beyond goes to what is under it.
    // One drop lands a twip inside a box's top edge: the box edge in twips decides, not the pixel.
    void dragsScoreTheSameAtAnyFactor()
    {
        QList<QList<float>> lefts;
        QList<int> scores;
        for (const char *scale : {"1", "1.28", "1.8"}) {
            qputenv("QUILLMOOR_SCALE", scale);
            env = std::make_unique<TestEnv>();
            Activity *a = open(0, 3);  // temperatureord
            QVERIFY(a);
            QCOMPARE(twips::factor(), QByteArray(scale).toDouble());
            const QList<int> boxOf{0, 1, 2, 3, 5, 4, 6, 7};
            QList<float> at;
            for (int i = 0; i < boxOf.size(); ++i) {
                const QRect g = a->Label2[i]->geometry();
                QCOMPARE(g, twips::rect(a->labelRect(i).left, a->labelRect(i).top, a->labelRect(i).width, a->labelRect(i).height));
                QCOMPARE(a->childAt(g.topLeft()), a->Label2[i]);
                QCOMPARE(a->childAt(g.bottomRight()), a->Label2[i]);
                QVERIFY(a->childAt(g.topLeft() - QPoint(1, 0)) != a->Label2[i]);
                QVERIFY(a->childAt(g.bottomRight() + QPoint(0, 1)) != a->Label2[i]);
                const TwipsRect &b = a->boxRect(boxOf[i]);
                drag(a, i, px(b.left + b.width / 2, i == 1 ? b.top + 15 : b.top + b.height / 2));
                QVERIFY2(a->inBox(i, boxOf[i]), scale);
                at << a->labelRect(i).left << a->labelRect(i).top;
            }
            lefts << at;
            a->label3_Click(2);
            scores << shared::score.toInt();
            env.reset();
        }
        QCOMPARE(lefts, (QList<QList<float>>{lefts[0], lefts[0], lefts[0]}));
        QCOMPARE(scores, (QList<int>{6, 6, 6}));
    }

    // What the system would draw at its own size (a message box, a tick box's mark, a tool tip)
    // grows with the screens: at 1.8 and 3.6 about 1.8 and 3.6 times its size at 1.
    void systemPartsAtTheScreensScale()
    {
        // The box's side (the root of its area: its text wraps where Qt caps its width), its
        // text, a tick box's mark, a tool tip's text.
        QList<QList<double>> sizes;
        for (const char *scale : {"1", "1.8", "3.6"}) {
            qputenv("QUILLMOOR_SCALE", scale);
            env = std::make_unique<TestEnv>();
            messages::set(nullptr);  // the real boxes
            Screens::show<intro0>();
            QList<double> at;
            QTimer::singleShot(0, [&at] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                at << std::sqrt(double(box->width()) * box->height()) << QFontInfo(box->font()).pixelSize();
                box->done(QMessageBox::Ok);
            });
            messages::get().ok(QStringLiteral("There was a problem printing to your printer."));
            QCheckBox *tick = Screens::get<wizard>()->Check1[0];
            QStyleOptionButton opt;
            opt.initFrom(tick);
            at << tick->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, tick).width()
               << QFontInfo(QToolTip::font()).pixelSize();
            QCOMPARE(at.size(), 4);
            sizes << at;
            env.reset();
        }
        for (int i = 0; i < 4; ++i)
            for (int row : {1, 2}) {
                const double ratio = sizes[row][i] / sizes[0][i], want = row == 1 ? 1.8 : 3.6;
                QVERIFY2(ratio > want * 0.8 && ratio < want * 1.2,
                         qPrintable(QStringLiteral("measure %1 at %2: %3 times its size at 1").arg(i).arg(want).arg(ratio)));
            }
    }

    // The menu's sound choice reads at a glance at every scale: the chosen mark is mostly dark,
    // the other mostly light, and both grow with the screens.
    void chosenSoundOptionStandsOut_data()
    {
        QTest::addColumn<QByteArray>("scale");
        QTest::newRow("1") << QByteArray("1");
        QTest::newRow("1.8") << QByteArray("1.8");
        QTest::newRow("3.6") << QByteArray("3.6");
    }
    void chosenSoundOptionStandsOut()
    {
        QFETCH(QByteArray, scale);
        qputenv("QUILLMOOR_SCALE", scale);
        env = std::make_unique<TestEnv>();
        intro0 *menu = Screens::show<intro0>();
        QVERIFY(menu->Option1->isChecked());
        auto darkShare = [](QRadioButton *o) {
            QStyleOptionButton opt;
            opt.initFrom(o);
            const QRect mark = o->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, o);
            const QImage shot = o->grab().toImage();
            // the middle of the mark, where a chosen one is filled
            const QPointF c = QRectF(mark).center();
            const double r = mark.width() * 0.25;
            int dark = 0, all = 0;
            for (int y = mark.top(); y <= mark.bottom(); ++y)
                for (int x = mark.left(); x <= mark.right(); ++x)
                    if (std::hypot(x + 0.5 - c.x(), y + 0.5 - c.y()) <= r) {
                        ++all;
                        dark += qGray(shot.pixel(x, y)) < 64;
                    }
            return std::pair{mark.width(), double(dark) / all};
        };
        const auto [side, chosen] = darkShare(menu->Option1);
        const auto [sideOff, unchosen] = darkShare(menu->Option2);
        QVERIFY2(chosen > 0.9 && unchosen < 0.1, qPrintable(QStringLiteral("%1 against %2").arg(chosen).arg(unchosen)));
        QCOMPARE(side, sideOff);
        QVERIFY2(side >= 12 * scale.toDouble() * 0.8, qPrintable(QString::number(side)));
        env.reset();
    }

    // F11 goes to actual size and back to fit; the menu's choices follow, so a click where a
    // choice now shows opens that choice.
    void f11TogglesAndClicksLandOnTheSameControl()
    {
        qputenv("QUILLMOOR_SCALE", "huge");  // a value it cannot use leaves "fit"
        env = std::make_unique<TestEnv>();
        Stage *stage = Screens::stage();  // on 1920 x 1200: 1600 x 1200 screens
        QCOMPARE(twips::factor(), 2.0);
        intro0 *menu = Screens::show<intro0>();
        QCOMPARE(menu->size(), QSize(1600, 1200));
        const QRect big = menu->Label2[10]->geometry();
        const int bigFont = menu->Label2[10]->font().pixelSize();
        QVERIFY(QTest::qWaitForWindowActive(stage));
        QTest::keyClick(stage->focusWidget() ? stage->focusWidget() : stage, Qt::Key_F11);
        QCOMPARE(menu->size(), QSize(800, 600));
        QCOMPARE(menu->geometry().center(), stage->rect().center());
        QCOMPARE(menu->Label2[10]->geometry(), QRect(big.x() / 2, big.y() / 2, big.width() / 2, big.height() / 2));
        QVERIFY(std::abs(menu->Label2[10]->font().pixelSize() * 2 - bigFont) <= 1);
        // A click where the choice's centre is now opens it.
        const QPoint at = menu->mapTo(stage, menu->Label2[10]->geometry().center());
        QTest::mouseClick(stage->childAt(at), Qt::LeftButton, {}, menu->Label2[10]->mapFrom(stage, at));
        QTRY_VERIFY(Screens::find<weather>() && Screens::find<weather>()->isVisible());
        QCOMPARE(Screens::find<weather>()->size(), QSize(800, 600));
        QTest::keyClick(Screens::find<weather>(), Qt::Key_F11);
        QCOMPARE(Screens::find<weather>()->size(), QSize(1600, 1200));
        QCOMPARE(menu->Label2[10]->geometry(), big);
    }

private:
    Activity *open(int entry, int button)
    {
        QTest::mouseClick(Screens::show<intro0>()->Label2[entry], Qt::LeftButton);
        TopicHub *hub = entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        QTest::mouseClick(hub->label3[button], Qt::LeftButton);
        return qobject_cast<Activity *>(Screens::stage()->frontScreen());
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestScale)
#include "tst_scale.moc"
