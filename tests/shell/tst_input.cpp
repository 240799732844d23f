// One click per click, the keyboard on every screen, and the activities moved by clicks, keys and
// touch beside the drag. Everything goes through real mouse, key and touch events on the screens.
#include "activities/engine.h"
#include "platform/screens.h"
#include "platform/theme.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "core/shared.h"
#include "support/testenv.h"
#include "topics/hub.h"
#include "viewers/guide.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");
const QString kTypekey = QStringLiteral("wav\\typekey.wav");

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

template <class S>
S *front()
{
    for (Screen *s : Screens::loaded())
        if (auto *t = qobject_cast<S *>(s); t && t->isVisible())
            return t;
    return nullptr;
}

// Presses Tab on the focused control until `target` has the focus; false after a full round.
bool tabTo(QWidget *screen, QWidget *target)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : screen, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

void key(QWidget *screen, int k)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : screen, Qt::Key(k));
}

// A screen of its own window, to look at one label's focus ring alone.
struct RingScreen : Screen {
    RingScreen() : Screen(QStringLiteral("ring"), TopLevel{}) {}
};

bool activate(QWidget *w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

}  // namespace

class TestInput : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void doubleClickIsOneClick_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("Next Question >> goes to question 2 only") << "next";
        QTest::newRow("a menu entry opens its hub once") << "menu";
        QTest::newRow("Check Score counts once") << "check";
    }
    void doubleClickIsOneClick()
    {
        QFETCH(QString, where);
        intro0 *menu = Screens::show<intro0>();
        if (where == QLatin1String("menu")) {
            env->played.clear();
            QTest::mouseDClick(menu->Label2[10], Qt::LeftButton);
            QVERIFY(Screens::find<weather>()->isVisible());
            QCOMPARE(env->played.count(kClick), 1);
            return;
        }
        click(menu->Label2[10]);
        if (where == QLatin1String("next")) {
            click(Screens::find<weather>()->label3[0]);
            multiple *quiz = Screens::find<multiple>();
            env->played.clear();
            QTest::mouseDClick(quiz->label3[1], Qt::LeftButton);
            QCOMPARE(shared::questnum.toInt(), 2);
            QCOMPARE(quiz->Label4->text(), QStringLiteral("Question 2"));
            QCOMPARE(env->played, QStringList{kClick});
            return;
        }
        click(Screens::find<weather>()->label3[1]);
        auto *a = front<Activity>();
        QVERIFY(a);
        placeAllByClicks(a);
        env->played.clear();
        QTest::mouseDClick(a->label3[2], Qt::LeftButton);
        QCOMPARE(env->played.count(kClick), 1);
        QCOMPARE(shared::score.toInt(), a->count());
    }

    void quizToFullMarksWithKeysOnly()
    {
        click(Screens::show<intro0>()->Label2[10]);
        click(Screens::find<weather>()->label3[0]);
        multiple *quiz = Screens::find<multiple>();
        QVERIFY(activate(quiz));
        for (int q = 1; q <= 10; ++q) {
            env->played.clear();
            const int right = shared::correct[q].toInt();
            // Alternate the number keys and the letter keys.
            key(quiz, q % 2 ? Qt::Key_1 + right - 1 : Qt::Key_A + right - 1);
            QVERIFY(quiz->Option1[right]->isChecked());
            QCOMPARE(env->played, QStringList{kTypekey});
            QVERIFY(tabTo(quiz, quiz->label3[1]));
            key(quiz, Qt::Key_Return);
        }
        QCOMPARE(shared::score.toInt(), 10);
        Welldone *done = Screens::find<Welldone>();
        QVERIFY(done && done->isVisible());
        QVERIFY(activate(done));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(done->Text1));
        QTest::keyClicks(done->Text1, QStringLiteral("Amy"));
        QCOMPARE(done->Text1->text(), QStringLiteral("Amy"));
        QVERIFY(tabTo(done, done->label3[0]));
        QCOMPARE(done->label3[0]->text(), QStringLiteral("Print Certificate"));
    }

    void quizArrowsChooseAsTheyMove()
    {
        click(Screens::show<intro0>()->Label2[10]);
        click(Screens::find<weather>()->label3[0]);
        multiple *quiz = Screens::find<multiple>();
        QVERIFY(activate(quiz));
        QVERIFY(tabTo(quiz, quiz->Option1[1]));  // the answers: one stop while none is chosen
        QVERIFY(!quiz->Option1[1]->isChecked());
        env->played.clear();
        const int keys[] = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up};
        const int chosen[] = {1, 2, 3, 2};
        for (int i = 0; i < 4; ++i) {
            key(quiz, keys[i]);
            QVERIFY(quiz->Option1[chosen[i]]->isChecked());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(quiz->Option1[chosen[i]]));
        }
        QCOMPARE(env->played.count(kTypekey), 4);
        // The chosen row is filled; the others keep the window colour.
        const QImage row = quiz->Option1[2]->grab().toImage();
        const QImage other = quiz->Option1[3]->grab().toImage();
        QCOMPARE(QColor(row.pixel(row.width() - 10, row.height() / 2)), theme::chosenRow);
        QCOMPARE(QColor(other.pixel(other.width() - 10, other.height() / 2)), theme::windowBlue);
    }

    void activityByClicksOnly_data() { activities(); }
    void activityByClicksOnly()
    {
        Activity *a = openActivity();
        placeAllByClicks(a);
        QVERIFY(a->label3[2]->isVisible());
        click(a->label3[2]);
        QCOMPARE(shared::score.toInt(), a->count());
    }

    void activityByKeysOnly_data() { activities(); }
    void activityByKeysOnly()
    {
        Activity *a = openActivity();
        QVERIFY(activate(a));
        for (int i = 0; i < a->count(); ++i) {
            QVERIFY(tabTo(a, a->Label2[i]));
            key(a, Qt::Key_Return);
            QCOMPARE(a->lifted(), i);
            QVERIFY(tabTo(a, a->Label1[i]));
            key(a, Qt::Key_Return);
            QCOMPARE(a->lifted(), -1);
            QVERIFY(a->inBox(i, i));
        }
        QVERIFY(tabTo(a, a->label3[2]));
        key(a, Qt::Key_Space);
        QCOMPARE(shared::score.toInt(), a->count());
    }

    void liftedLabelIsLowered_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("clicked again") << "again";
        QTest::newRow("a click on the background") << "background";
        QTest::newRow("Escape") << "escape";
    }
    void liftedLabelIsLowered()
    {
        QFETCH(QString, how);
        Activity *a = open(10, 3);
        QVERIFY(activate(a));
        env->played.clear();
        click(a->Label2[0]);
        QCOMPARE(a->lifted(), 0);
        QCOMPARE(env->played, QStringList{QStringLiteral("wav\\thud3.wav")});  // the drop pass as ever
        const TwipsRect at = a->labelRect(0);
        if (how == QLatin1String("again"))
            click(a->Label2[0]);
        else if (how == QLatin1String("background"))
            QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
        else
            QTest::keyClick(a, Qt::Key_Escape);
        QCOMPARE(a->lifted(), -1);
        QVERIFY(a->isVisible());
        QCOMPARE(a->labelRect(0).left, at.left);
        // A box clicked now does nothing.
        click(a->Label1[0]);
        QCOMPARE(a->labelRect(0).left, at.left);
    }

    void touchDragIntoABox()
    {
        Activity *a = open(10, 3);
        QVERIFY(QTest::qWaitForWindowExposed(a));
        static QPointingDevice *touch = QTest::createTouchDevice();
        const QPoint from = a->Label2[5]->geometry().center();
        const QPoint to = a->Label1[5]->geometry().center();
        QTest::touchEvent(a, touch).press(0, from, a);
        QTest::touchEvent(a, touch).move(0, (from + to) / 2, a);
        QTest::touchEvent(a, touch).move(0, to, a);
        QTest::touchEvent(a, touch).release(0, to, a);
        QVERIFY(a->inBox(5, 5));
    }

    void escapeDoesExit_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("menu brings the title screen back") << "intro0";
        QTest::newRow("hub") << "weather";
        QTest::newRow("quiz") << "multiple";
        QTest::newRow("activity") << "weatherord";
        QTest::newRow("guide") << "guide";
    }
    void escapeDoesExit()
    {
        QFETCH(QString, screen);
        intro0 *menu = Screens::show<intro0>();
        Screen *s = menu;
        if (screen == QLatin1String("guide")) {
            click(menu->Label2[20]);
            s = Screens::find<guide>();
        } else if (screen != QLatin1String("intro0")) {
            click(menu->Label2[10]);
            s = Screens::find<weather>();
            if (screen == QLatin1String("multiple")) {
                click(Screens::find<weather>()->label3[0]);
                s = Screens::find<multiple>();
            } else if (screen == QLatin1String("weatherord")) {
                click(Screens::find<weather>()->label3[3]);
                s = front<Activity>();
            }
        }
        QVERIFY(s && s->objectName() == screen);
        QVERIFY(activate(s));
        env->played.clear();
        QPointer<Screen> watched = s;
        key(s, Qt::Key_Escape);
        settle();
        if (screen == QLatin1String("intro0"))
            QVERIFY(Screens::find<Titlefrm>() && Screens::find<Titlefrm>()->isVisible());
        else
            QVERIFY(!watched || !watched->isVisible());
        if (screen != QLatin1String("guide"))  // the guide's buttons make no sound
            QVERIFY(env->played.contains(kClick));
    }

    void focusOrder_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("menu") << "intro0"
                              << QStringList{"Sound On", "Teachers' Guide", "Measuring Temperature", "Multiple Choice Wizard", "Other Planets",
                                             "Worksheet Catalogue", "Acknowledgments", "Exit"};
        QTest::newRow("hub") << "weather"
                             << QStringList{"Key Facts", "Teacher's Notes", "Multiple Choice", "Labelling Activity", "Ordering Activity", "Exit"};
    }
    void focusOrder()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, order);
        intro0 *menu = Screens::show<intro0>();
        Screen *s = menu;
        if (screen == QLatin1String("weather")) {
            click(menu->Label2[10]);
            s = Screens::find<weather>();
        }
        QVERIFY(activate(s));
        QStringList seen;
        for (int i = 0; i < order.size() * 2; ++i) {
            key(s, Qt::Key_Tab);
            if (auto *l = qobject_cast<ClickLabel *>(QApplication::focusWidget()))
                seen << l->text();
            else if (auto *b = qobject_cast<QAbstractButton *>(QApplication::focusWidget()))
                seen << b->text();
            QVERIFY(s->isAncestorOf(QApplication::focusWidget()));
        }
        // Wherever the first Tab starts, the stops come round in this order, and again.
        const qsizetype start = seen.indexOf(order.first());
        QVERIFY(start >= 0);
        QCOMPARE(seen.mid(start, order.size()), order);
        QCOMPARE(seen.mid(start + order.size(), order.size()).size() + start, order.size());
        QCOMPARE(seen.mid(start + order.size()), order.mid(0, order.size() - start));
        // Shift+Tab goes back; the focused label alone is lit.
        key(s, Qt::Key_Backtab);
        auto *focused = qobject_cast<ClickLabel *>(QApplication::focusWidget());
        QCOMPARE(focused->text(), seen.at(seen.size() - 2));
        int lit = 0;
        for (ClickLabel *l : s->findChildren<ClickLabel *>())
            lit += l->isVisible() && l->isOpaque();
        QCOMPARE(lit, 1);
        QVERIFY(focused->isOpaque());
    }

    void focusRingShows_data()
    {
        QTest::addColumn<QColor>("back");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("yellow on black") << theme::black << true;
        QTest::newRow("on navy") << theme::navy << true;
        QTest::newRow("on the window blue") << theme::windowBlue << false;
    }
    void focusRingShows()
    {
        QFETCH(QColor, back);
        QFETCH(bool, opaque);
        RingScreen s;
        s.setBackColor(theme::windowBlue);
        s.resize(300, 200);
        auto *other = ClickLabel::button(&s, 1, QStringLiteral("Start Again"), 120, 120, 1245);
        auto *l = ClickLabel::button(&s, 0, QStringLiteral("Exit"), 600, 1200, 1245);
        l->setBackColor(back);
        l->setOpaque(opaque);
        s.show();
        QVERIFY(activate(&s));
        other->setFocus(Qt::TabFocusReason);
        const QImage plain = l->grab().toImage();
        l->setFocus(Qt::TabFocusReason);
        QVERIFY(l->hasFocus());
        const QImage ringed = l->grab().toImage();
        // All round the label, just inside its edge, the ring differs plainly from the back colour.
        const QColor behind = opaque ? back : theme::windowBlue;
        const QPoint probes[] = {{1, l->height() / 2}, {l->width() - 2, l->height() / 2}, {l->width() / 2, 1}, {l->width() / 2, l->height() - 2}};
        for (const QPoint &p : probes) {
            const QColor c = ringed.pixelColor(p);
            const int diff = std::abs(c.red() - behind.red()) + std::abs(c.green() - behind.green()) + std::abs(c.blue() - behind.blue());
            QVERIFY2(diff >= 300, qPrintable(QStringLiteral("%1,%2: %3").arg(p.x()).arg(p.y()).arg(c.name())));
        }
        QVERIFY(plain != ringed);
    }

private:
    void activities()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::newRow("weatherord") << 10 << 3;
        QTest::newRow("weatherlab") << 10 << 1;
        QTest::newRow("temperatureord") << 0 << 3;
        QTest::newRow("temperaturelab") << 0 << 1;
    }
    Activity *openActivity()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        return open(entry, button);
    }
    Activity *open(int entry, int button)
    {
        click(Screens::show<intro0>()->Label2[entry]);
        TopicHub *hub = entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>();
        click(hub->label3[button]);
        return front<Activity>();
    }
    // Every label to its own box by two single clicks: on the label, then on the box.
    void placeAllByClicks(Activity *a)
    {
        for (int i = 0; i < a->count(); ++i) {
            click(a->Label2[i]);
            QCOMPARE(a->lifted(), i);
            QVERIFY(a->Label2[i]->isLifted());
            env->played.clear();
            click(a->Label1[i]);
            QVERIFY(a->inBox(i, i));
            QCOMPARE(a->lifted(), -1);
            QCOMPARE(env->played, QStringList{QStringLiteral("wav\\thud3.wav")});
        }
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestInput)
#include "tst_input.moc"
