// The drag-and-drop engine and the four activity screens. Drags are real mouse events on the
// labels; where a test needs a position finer than a pixel (15 twips) it calls the labels' move
// handler with the offset in twips that such an event carries.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "platform/picturebox.h"
#include "platform/screens.h"
#include "platform/twips.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QTest>

namespace {

const QString kThud = QStringLiteral("wav\\thud3.wav");
const QString kClick = QStringLiteral("wav\\click.wav");

// Moves label i (left button held) so that its left and top become exactly (left, top), as a
// move event with that offset would, then lets go.
void put(Activity *a, int i, float left, float top)
{
    const TwipsRect &r = a->labelRect(i);
    a->Label2_MouseMove(i, Qt::LeftButton, left - r.left + r.width / 2, top - r.top + r.height / 2);
    a->Label2_MouseUp(i);
}
void putInBox(Activity *a, int label, int box) { put(a, label, a->boxRect(box).left, a->boxRect(box).top); }

QPoint centreOf(Activity *a, int i) { return a->Label2[i]->geometry().center(); }

}  // namespace

class TestActivities : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void hubsOpenTheirActivities_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<int>("n");
        QTest::newRow("planets ordering") << 10 << 3 << "weatherord" << 8;
        QTest::newRow("planets labelling") << 10 << 1 << "weatherlab" << 8;
        QTest::newRow("temperature ordering") << 0 << 3 << "temperatureord" << 8;
        QTest::newRow("temperature labelling") << 0 << 1 << "temperaturelab" << 6;
    }
    void hubsOpenTheirActivities()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(QString, screen);
        QFETCH(int, n);
        Activity *a = open(entry, button);
        QCOMPARE(a->objectName(), screen);
        QVERIFY(a->isVisible());
        QCOMPARE(a->Label6->text(), entry == 10 ? QStringLiteral("Other Planets") : QStringLiteral("Measuring Temperature"));
        QCOMPARE(shared::total.toInt(), n);
        QCOMPARE(a->count(), n);
        for (int i = 0; i < n; ++i) {
            QVERIFY(!a->Label2[i]->text().isEmpty());
            QVERIFY(a->Label1[i]->text().isEmpty());
            QVERIFY(!a->Label1[i]->isOpaque());
            QCOMPARE(a->slotRect(i).left, a->labelRect(i).left);
            QCOMPARE(a->slotRect(i).top, a->labelRect(i).top);
            QCOMPARE(a->slotRect(i).width, a->labelRect(i).width);
        }
        QVERIFY(!a->label3[2]->isVisible());
        QCOMPARE(a->backColor(), screen == QLatin1String("weatherlab") ? QColor(0, 0, 0) : QColor(39, 63, 137));
    }

    void dragFollowsThePointerWithTheLeftButtonOnly()
    {
        Activity *a = open(10, 3);
        QVERIFY(QTest::qWaitForWindowExposed(a));
        const QPoint start = centreOf(a, 0);
        const TwipsRect before = a->labelRect(0);
        // Right button: nothing moves.
        QTest::mousePress(a, Qt::RightButton, {}, start);
        QTest::mouseMove(a, start + QPoint(-100, -100));
        QCOMPARE(a->labelRect(0).left, before.left);
        QTest::mouseRelease(a, Qt::RightButton, {}, start + QPoint(-100, -100));
        // Left button: the label's centre comes under the pointer.
        QTest::mousePress(a, Qt::LeftButton, {}, start);
        const QPoint to = start + QPoint(-150, -90);
        QTest::mouseMove(a, to);
        const TwipsRect &r = a->labelRect(0);
        QVERIFY(std::abs(r.left + r.width / 2 - to.x() * 15.0) <= 15);
        QVERIFY(std::abs(r.top + r.height / 2 - to.y() * 15.0) <= 15);
        QTest::mouseRelease(a, Qt::LeftButton, {}, to);
    }

    void releaseWithoutMovingSnapsAgain()
    {
        Activity *a = open(10, 3);
        QVERIFY(QTest::qWaitForWindowExposed(a));
        env->played.clear();
        QTest::mouseClick(a, Qt::LeftButton, {}, centreOf(a, 2));
        QCOMPARE(env->played, QStringList{kThud});
        QCOMPARE(a->labelRect(2).left, a->slotRect(2).left);
        QTest::mouseClick(a, Qt::LeftButton, {}, centreOf(a, 2));
        QCOMPARE(env->played, (QStringList{kThud, kThud}));
    }

    void dropIntoABoxByMouse()
    {
        Activity *a = open(0, 3);  // temperatureord
        QVERIFY(QTest::qWaitForWindowExposed(a));
        env->played.clear();
        const QPoint start = centreOf(a, 1);  // "Absolute Zero"
        const QPoint box = a->Label1[1]->geometry().center();
        QTest::mousePress(a, Qt::LeftButton, {}, start);
        QTest::mouseMove(a, (start + box) / 2);
        QTest::mouseMove(a, box + QPoint(20, 5));
        QTest::mouseRelease(a, Qt::LeftButton, {}, box + QPoint(20, 5));
        QVERIFY(a->inBox(1, 1));
        QCOMPARE(env->played, QStringList{kThud});
    }

    void otherLabelsHomeSlotCatchesAndMissesStay()
    {
        Activity *a = open(10, 3);
        put(a, 0, a->slotRect(1).left + 30, a->slotRect(1).top + 30);
        QCOMPARE(a->labelRect(0).left, a->slotRect(1).left);
        QCOMPARE(a->labelRect(0).top, a->slotRect(1).top);
        env->played.clear();
        put(a, 0, 300, 300);  // nobody's zone
        QCOMPARE(a->labelRect(0).left, 300.0f);
        QVERIFY(env->played.isEmpty());
    }

    void checkScoreAppearsAndStaysUntilStartAgain()
    {
        Activity *a = open(10, 3);
        for (int i = 0; i < 7; ++i)
            putInBox(a, i, i);
        putInBox(a, 7, 0);  // two labels on one box, box 7 empty
        QVERIFY(a->label3[2]->isVisible());
        put(a, 3, 300, 300);  // dragged out: still shown
        QVERIFY(a->label3[2]->isVisible());
        env->played.clear();
        QTest::mouseClick(a->label3[1], Qt::LeftButton);  // Start Again
        QVERIFY(!a->label3[2]->isVisible());
        for (int i = 0; i < 8; ++i)
            QCOMPARE(a->labelRect(i).left, a->slotRect(i).left);
        QCOMPARE(shared::score.toInt(), 0);
        QCOMPARE(env->played, QStringList{kClick});
    }

    void exitAndReopenStartsFresh()
    {
        Activity *a = open(10, 3);
        for (int i = 0; i < 8; ++i)
            putInBox(a, i, i);
        shared::score = 5;
        env->played.clear();
        QTest::mouseClick(a->label3[0], Qt::LeftButton);
        settle();
        QCOMPARE(shared::score.toInt(), 0);
        QCOMPARE(env->played, QStringList{kClick});
        QVERIFY(!Screens::isLoaded<weatherord>());
        a = open(10, 3, false);
        QVERIFY(!a->label3[2]->isVisible());
        QCOMPARE(a->labelRect(0).left, a->slotRect(0).left);
    }

    void scoring_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<QList<int>>("boxOfLabel");  // -1: left at home
        QTest::addColumn<int>("score");
        QTest::newRow("weatherord any order in the columns") << 10 << 3 << QList<int>{3, 2, 1, 0, 7, 6, 5, 4} << 8;
        QTest::newRow("weatherord columns swapped") << 10 << 3 << QList<int>{4, 5, 6, 7, 0, 1, 2, 3} << 0;
        QTest::newRow("weatherord Mars and Earth swapped alone") << 10 << 3 << QList<int>{3, -1, -1, 0, -1, -1, -1, -1} << 2;
        QTest::newRow("temperatureord two swapped") << 0 << 3 << QList<int>{0, 1, 2, 3, 5, 4, 6, 7} << 6;
        QTest::newRow("weatherlab Earth and Venus swapped") << 10 << 1 << QList<int>{4, 1, 2, 3, 0, 5, 6, 7} << 6;
        QTest::newRow("temperaturelab right") << 0 << 1 << QList<int>{0, 1, 2, 3, 4, 5} << 6;
        QTest::newRow("temperaturelab 212 and 32 swapped") << 0 << 1 << QList<int>{3, 1, 2, 0, 4, 5} << 4;
    }
    void scoring()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(QList<int>, boxOfLabel);
        QFETCH(int, score);
        Activity *a = open(entry, button);
        for (int i = 0; i < boxOfLabel.size(); ++i)
            if (boxOfLabel[i] >= 0)
                putInBox(a, i, boxOfLabel[i]);
        a->label3_Click(2);
        QCOMPARE(shared::score.toInt(), score);
        Welldone *done = Screens::find<Welldone>();
        QVERIFY(done && done->isVisible());
        QVERIFY(a->isVisible());  // the activity stays loaded beneath
        QTRY_VERIFY(!done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive());
        QCOMPARE(done->label3[0]->isVisible(), score == a->count());
    }

    void aLabelKeepsItsOwnHeight()
    {
        Activity *a = open(0, 1);  // temperaturelab: label 0 one line, box 1 two lines
        putInBox(a, 0, 1);
        QVERIFY(a->inBox(0, 1));
        QCOMPARE(a->labelRect(0).height, 375.0f);
        QCOMPARE(a->Label2[0]->height(), 25);
    }

    // The pointer lines join the boxes to the thermometer picture; they must be seen over it
    // along their whole length, not hidden under it.
    void thermometerPointersShow_data()
    {
        QTest::addColumn<int>("x1");  // twips
        QTest::addColumn<int>("x2");
        QTest::addColumn<int>("y");
        QTest::newRow("boiling, right") << 8280 << 8880 << 2040;
        QTest::newRow("freezing, right") << 8280 << 8880 << 5790;
        QTest::newRow("reading, right") << 8280 << 8880 << 4890;
        QTest::newRow("212, left") << 6480 << 7320 << 2040;
        QTest::newRow("32, left") << 6480 << 7320 << 5790;
        QTest::newRow("77, left") << 6480 << 7320 << 4890;
    }
    void thermometerPointersShow()
    {
        QFETCH(int, x1);
        QFETCH(int, x2);
        QFETCH(int, y);
        Activity *a = open(0, 1);
        QVERIFY(a->findChild<PictureBox *>(QStringLiteral("Image1_0"))->geometry().intersects(twips::rect(x1, y - 15, x2 - x1, 30)) || x1 > 8595);
        const QImage shot = a->grab().toImage();
        auto yellow = [](QRgb c) { return qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) < 80; };
        int missing = 0;
        for (int x = twips::toPx(x1) + 1; x < twips::toPx(x2) - 1; ++x) {
            bool seen = false;
            for (int dy = -1; dy <= 1; ++dy)
                seen = seen || yellow(shot.pixel(x, twips::toPx(y) + dy));
            missing += seen ? 0 : 1;
        }
        QCOMPARE(missing, 0);
    }

    void eagleOncePerLoadAndSoundOff()
    {
        Screens::show<intro0>();
        click10(0);
        Activity *a = open(0, 3, false);
        QTRY_VERIFY(!static_cast<temperatureord *>(a)->Timer1->isActive());
        QCOMPARE(env->played.count(QStringLiteral("wav\\eagle6.wav")), 1);
        open(0, 3, false);  // brought forward again: no second call
        QTest::qWait(100);
        QCOMPARE(env->played.count(QStringLiteral("wav\\eagle6.wav")), 1);
        QTest::mouseClick(a->label3[0], Qt::LeftButton);
        settle();
        // Sound off: nothing at all, and the timer still stops itself.
        shared::soundflag = 0;
        env->played.clear();
        a = open(0, 3, false);
        QTRY_VERIFY(!static_cast<temperatureord *>(a)->Timer1->isActive());
        putInBox(a, 0, 0);
        a->label3_Click(1);
        QVERIFY(env->played.isEmpty());
    }

private:
    void click10(int entry) { QTest::mouseClick(Screens::find<intro0>()->Label2[entry], Qt::LeftButton); }

    Activity *open(int entry, int button, bool fresh = true)
    {
        if (fresh)
            QTest::mouseClick(Screens::show<intro0>()->Label2[entry], Qt::LeftButton);
        TopicHub *hub = entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        QTest::mouseClick(hub->label3[button], Qt::LeftButton);
        for (Screen *s : Screens::loaded())
            if (auto *a = qobject_cast<Activity *>(s); a && a->isVisible())
                return a;
        return nullptr;
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestActivities)
#include "tst_activities.moc"
