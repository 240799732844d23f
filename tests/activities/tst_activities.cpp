// SPDX-License-Identifier: GPL-3.0-or-later
// The drag-and-drop engine on the four activity screens; which drops catch and how they score are
// tables in tst_activityrules. Drags are real mouse events on the labels; where a test needs a
// position finer than a pixel (15 twips) it calls the labels' move handler with the offset in
// twips that such an event carries.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "ui/picturebox.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QTest>

namespace {

const QString kThud = QStringLiteral("wav\\thud3.wav");
const QString kClick = QStringLiteral("wav\\click.wav");
const QString kEagle = QStringLiteral("wav\\eagle6.wav");

// Moves label i (left button held) so that its left and top become exactly (left, top), as a
// move event with that offset would, then lets go.
void put(Activity *a, int i, float left, float top)
{
    const TwipsRect &r = a->labelRect(i);
    a->Label2_MouseMove(i, Qt::LeftButton, left - r.left + r.width / 2, top - r.top + r.height / 2);
    a->Label2_MouseUp(i);
}
void putInBox(Activity *a, int label, int box) { put(a, label, a->boxRect(box).left, a->boxRect(box).top); }
bool allHome(Activity *a)
{
    for (int i = 0; i < a->count(); ++i)
        if (a->labelRect(i).left != a->slotRect(i).left || a->labelRect(i).top != a->slotRect(i).top)
            return false;
    return true;
}

}  // namespace

class TestActivities : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // Each hub opens its own activity with every label at home; each screen counts with its own
    // rule, labels keep their own height in any box, and the results stay over the activity.
    void openPlaceAndScore_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QList<int>>("boxOfLabel");
        QTest::addColumn<int>("score");
        const QList<int> reversedInFours{3, 2, 1, 0, 7, 6, 5, 4};
        QTest::newRow("weatherord: any order in the columns") << 10 << 3 << "weatherord" << reversedInFours << 8;
        QTest::newRow("weatherlab: each its own box") << 10 << 1 << "weatherlab" << QList<int>{4, 1, 2, 3, 0, 5, 6, 7} << 6;
        QTest::newRow("temperatureord: each its own box") << 0 << 3 << "temperatureord" << reversedInFours << 0;
        QTest::newRow("temperaturelab: one line in a box of two")
            << 0 << 1 << "temperaturelab" << QList<int>{1, 0, 2, 3, 4, 5} << 4;
    }
    void openPlaceAndScore()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(QString, screen);
        QFETCH(QList<int>, boxOfLabel);
        QFETCH(int, score);
        Activity *a = open(entry, button);
        QCOMPARE(a->objectName(), screen);
        QVERIFY(a->isVisible() && !a->label3[2]->isVisible());
        QCOMPARE(a->Label6->text(), entry == 10 ? QStringLiteral("Other Planets") : QStringLiteral("Measuring Temperature"));
        QCOMPARE(shared::total.toInt(), int(boxOfLabel.size()));
        QVERIFY(allHome(a));
        QCOMPARE(a->backColor(), screen == QLatin1String("weatherlab") ? QColor(0, 0, 0) : QColor(39, 63, 137));
        for (int i = 0; i < a->count(); ++i) {
            QVERIFY(!a->Label2[i]->text().isEmpty() && a->Label1[i]->text().isEmpty() && !a->Label1[i]->isOpaque());
            QCOMPARE(a->slotRect(i).width, a->labelRect(i).width);
            const int height = a->Label2[i]->height();
            putInBox(a, i, boxOfLabel[i]);
            QVERIFY(a->inBox(i, boxOfLabel[i]));
            QCOMPARE(a->Label2[i]->height(), height);
        }
        QTest::mouseClick(a->label3[2], Qt::LeftButton);
        QCOMPARE(shared::score.toInt(), score);
        Welldone *done = Screens::find<Welldone>();
        QVERIFY(done && done->isVisible() && a->isVisible());
        QTRY_VERIFY(!done->Timer1->isActive() && !done->Timer2->isActive() && !done->Timer3->isActive());
        QCOMPARE(done->label3[0]->isVisible(), score == a->count());
    }

    // One walk through temperatureord. Real mouse events: a release where the label lies snaps it to
    // its slot again; a right-button drag moves nothing; a left-button drag keeps the label's
    // centre under the pointer and drops it. Then any home slot catches, a miss stays where it
    // fell, "Check Score" appears once every label is in a box and stays until Start Again, Exit
    // forgets everything, and the eagle calls once per load and never with the sound off.
    void dragPlaceStartAgainAndExit()
    {
        auto *a = static_cast<temperatureord *>(open(0, 3));
        QVERIFY(QTest::qWaitForWindowExposed(a));
        QTRY_VERIFY(!a->Timer1->isActive());
        QCOMPARE(env->played.count(kEagle), 1);
        env->played.clear();
        QTest::mouseClick(a, Qt::LeftButton, {}, a->Label2[2]->geometry().center());
        QCOMPARE(env->played, QStringList{kThud});
        QCOMPARE(a->labelRect(2).left, a->slotRect(2).left);

        const QPoint start = a->Label2[1]->geometry().center(), to = a->Label1[1]->geometry().center() + QPoint(20, 5);
        QTest::mousePress(a, Qt::RightButton, {}, start);
        QTest::mouseMove(a, to);
        QCOMPARE(a->labelRect(1).left, a->slotRect(1).left);
        QTest::mouseRelease(a, Qt::RightButton, {}, to);
        QTest::mousePress(a, Qt::LeftButton, {}, start);
        QTest::mouseMove(a, (start + to) / 2);
        QTest::mouseMove(a, to);
        const TwipsRect &r = a->labelRect(1);
        QVERIFY(std::abs(r.left + r.width / 2 - to.x() * 15.0) <= 15);
        QVERIFY(std::abs(r.top + r.height / 2 - to.y() * 15.0) <= 15);
        QTest::mouseRelease(a, Qt::LeftButton, {}, to);
        QVERIFY(a->inBox(1, 1));

        put(a, 0, a->slotRect(1).left + 30, a->slotRect(1).top + 30);
        QCOMPARE(a->labelRect(0).top, a->slotRect(1).top);
        env->played.clear();
        put(a, 0, 300, 300);  // nobody's zone
        QCOMPARE(a->labelRect(0).left, 300.0f);
        QVERIFY(env->played.isEmpty());
        for (int i = 0; i < 7; ++i)
            putInBox(a, i, i);
        putInBox(a, 7, 0);  // two labels on one box, box 7 empty
        QVERIFY(a->label3[2]->isVisible());
        put(a, 3, 300, 300);  // dragged out: still shown
        QVERIFY(a->label3[2]->isVisible());
        shared::score = 5;
        env->played.clear();
        QTest::mouseClick(a->label3[1], Qt::LeftButton);  // Start Again
        QVERIFY(!a->label3[2]->isVisible() && allHome(a));
        QCOMPARE(shared::score.toInt(), 0);
        QCOMPARE(env->played, QStringList{kClick});

        open(0, 3, false);  // brought forward again: no second call
        QTest::qWait(100);
        QCOMPARE(env->played.count(kEagle), 0);
        for (int i = 0; i < 8; ++i)
            putInBox(a, i, i);
        shared::score = 5;
        QTest::mouseClick(a->label3[0], Qt::LeftButton);  // Exit
        settle();
        QCOMPARE(shared::score.toInt(), 0);
        QVERIFY(!Screens::isLoaded<temperatureord>());
        shared::soundflag = 0;
        env->played.clear();
        a = static_cast<temperatureord *>(open(0, 3, false));
        QVERIFY(!a->label3[2]->isVisible() && allHome(a));
        QTRY_VERIFY(!a->Timer1->isActive());  // the timer stops itself with the sound off too
        putInBox(a, 0, 0);
        a->label3_Click(1);
        QVERIFY(env->played.isEmpty());
    }

    // The pointer lines join the boxes to the thermometer picture; they must be seen over it
    // along their whole length, not hidden under it, on both sides.
    void thermometerPointersShow_data()
    {
        QTest::addColumn<int>("y");  // twips
        QTest::newRow("boiling") << 2040;
        QTest::newRow("freezing") << 5790;
        QTest::newRow("reading") << 4890;
    }
    void thermometerPointersShow()
    {
        QFETCH(int, y);
        Activity *a = open(0, 1);
        const QRect picture = a->findChild<PictureBox *>(QStringLiteral("Image1_0"))->geometry();
        const QImage shot = a->grab().toImage();
        auto yellow = [](QRgb c) { return qRed(c) > 220 && qGreen(c) > 220 && qBlue(c) < 80; };
        for (auto [x1, x2] : {std::pair{8280, 8880}, std::pair{6480, 7320}}) {
            QVERIFY(picture.intersects(twips::rect(x1, y - 15, x2 - x1, 30)));
            int missing = 0;
            for (int x = twips::toPx(x1) + 1; x < twips::toPx(x2) - 1; ++x) {
                bool seen = false;
                for (int dy = -1; dy <= 1; ++dy)
                    seen = seen || yellow(shot.pixel(x, twips::toPx(y) + dy));
                missing += seen ? 0 : 1;
            }
            QCOMPARE(missing, 0);
        }
    }

private:
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
