// The two animations under other screens: the counting never stops, but a covered or hidden
// picture decodes nothing until it can be seen again, and then shows the frame its counter names.
#include "platform/picturebox.h"
#include "platform/screens.h"
#include "core/shared.h"
#include "quiz/multiple.h"
#include "shell/intro0.h"
#include "support/testenv.h"
#include "topics/hub.h"
#include "viewers/teacher.h"

#include <QTest>
#include <cmath>

namespace {

void click(ClickLabel *l) { QTest::mouseClick(l, Qt::LeftButton); }

QString jupiter(int frame) { return QStringLiteral("jupiter\\jupite%1.jpg").arg(frame, 2, 10, QLatin1Char('0')); }

QImage rgb(const QImage &i) { return i.convertToFormat(QImage::Format_RGB32); }

// What the pupil sees of a picture control, as painted.
QImage seen(QWidget *w) { return rgb(w->grab().toImage()); }

// Mean difference per colour channel: frames are decoded the quick way, which may differ from a
// full decode by a level or two, while neighbouring frames differ far more.
double difference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) + std::abs(qBlue(p[x]) - qBlue(q[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

// Whether what is seen is that frame rather than its neighbours.
bool shows(QWidget *w, int frame)
{
    const QImage s = seen(w);
    const double own = difference(s, rgb(loadPicture(jupiter(frame))));
    return own < 2 && own < difference(s, rgb(loadPicture(jupiter((frame + 99) % 100))));
}

enum class Cover { Quiz, KeyFacts, Menu, Hidden };

// Puts something in front of the hub the way a pupil (or the program) does.
void cover(weather *hub, Cover how)
{
    switch (how) {
    case Cover::Quiz: click(hub->label3[0]); break;
    case Cover::KeyFacts: click(hub->label3[4]); break;
    case Cover::Menu: Screens::show<intro0>(); break;
    case Cover::Hidden: hub->hide(); break;
    }
}

// And takes it away again.
void uncover(weather *hub, Cover how)
{
    switch (how) {
    case Cover::Quiz: Screens::unload<multiple>(); break;
    case Cover::KeyFacts: click(Screens::find<teacher>()->label3[1]); break;
    case Cover::Menu: click(Screens::find<intro0>()->Label2[10]); break;
    case Cover::Hidden: Screens::bringToFront(hub); break;
    }
}

weather *openHub()
{
    click(Screens::show<intro0>()->Label2[10]);
    weather *hub = Screens::find<weather>();
    hub->Timer1->stop();  // ticks are driven one by one
    settle();
    return hub;
}

}  // namespace

Q_DECLARE_METATYPE(Cover)

class TestAnimation : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void coveredHubCountsAndShowsTheNamedFrameOnceInFront_data()
    {
        QTest::addColumn<Cover>("how");
        QTest::newRow("quiz in front") << Cover::Quiz;
        QTest::newRow("key facts in front") << Cover::KeyFacts;
        QTest::newRow("menu brought in front") << Cover::Menu;
        QTest::newRow("hub hidden") << Cover::Hidden;
    }
    void coveredHubCountsAndShowsTheNamedFrameOnceInFront()
    {
        QFETCH(Cover, how);
        weather *hub = openHub();
        hub->Timer1_Timer();
        QVERIFY(hub->Image1->isSeen());
        QCOMPARE(hub->Image1->source(), jupiter(1));  // in view: decoded at once
        cover(hub, how);
        settle();
        QVERIFY(!hub->Image1->isSeen());
        for (int tick = 2; tick <= 8; ++tick) {
            hub->Timer1_Timer();
            QCOMPARE(shared::jupiterframe.toInt(), tick);
        }
        QCOMPARE(hub->Image1->source(), jupiter(1));  // nothing decoded out of sight
        QCOMPARE(hub->Image1->frame(), jupiter(8));
        uncover(hub, how);
        QTRY_COMPARE(hub->Image1->source(), jupiter(8));
        QVERIFY(hub->Image1->isSeen());
        QVERIFY(shows(hub->Image1, 8));
    }

    void missingFrameUnderCoverKeepsThePreviousPicture()
    {
        QFile::remove(env->dataDir() + QStringLiteral("/jupiter/jupite03.jpg"));
        weather *hub = openHub();
        hub->Timer1_Timer();
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), jupiter(2));
        cover(hub, Cover::Quiz);
        hub->Timer1_Timer();
        uncover(hub, Cover::Quiz);
        settle(50);
        QCOMPARE(shared::jupiterframe.toInt(), 3);
        QCOMPARE(hub->Image1->source(), jupiter(2));
        QVERIFY(shows(hub->Image1, 2));
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->source(), jupiter(4));
    }

    void coveredLogoCountsAndShowsTheNamedFrameOnceInFront()
    {
        shared::logoframe.clear();
        click(Screens::show<intro0>()->Label2[19]);
        teacher *t = Screens::find<teacher>();
        t->Timer1->stop();
        t->Timer1_Timer();
        QCOMPARE(t->Picture1->source(), QStringLiteral("logo\\corv0001.gif"));
        Screens::show<intro0>();
        settle();
        QVERIFY(!t->Picture1->isSeen());
        for (int tick = 2; tick <= 5; ++tick) {
            t->Timer1_Timer();
            QCOMPARE(shared::logoframe.toInt(), tick);
        }
        QCOMPARE(t->Picture1->source(), QStringLiteral("logo\\corv0001.gif"));
        Screens::bringToFront(t);
        QTRY_COMPARE(t->Picture1->source(), QStringLiteral("logo\\corv0005.gif"));
        QCOMPARE(rgb(t->Picture1->picture()), rgb(loadPicture(QStringLiteral("logo\\corv0005.gif"))));  // GIF: exact
    }

    void framesDecodeAtTheSizeShown()
    {
        weather *hub = openHub();
        auto *box = new PictureBox(hub);
        box->setGeometry(10, 10, 80, 40);
        box->setStretch(true);
        box->show();
        box->showFrame(jupiter(5));
        QCOMPARE(box->picture().size(), QSize(80, 40));
        // Shown at its own size, a frame keeps it.
        hub->Timer1_Timer();
        QCOMPARE(hub->Image1->picture().size(), loadPicture(jupiter(1)).size());
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
