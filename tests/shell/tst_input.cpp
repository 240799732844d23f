// SPDX-License-Identifier: GPL-3.0-or-later
// One click per click, the keyboard on every screen, and the activities moved by clicks, keys and
// touch beside the drag. Everything goes through real mouse, key and touch events on the screens.
#include "activities/engine.h"
#include "core/shared.h"
#include "ui/focus.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "support/golden.h"
#include "support/testenv.h"
#include "topics/hub.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

namespace {

const QString kClick = QStringLiteral("wav\\click.wav");
const QString kTypekey = QStringLiteral("wav\\typekey.wav");
const QString kThud = QStringLiteral("wav\\thud3.wav");

void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }

QWidget *focused() { return QApplication::focusWidget(); }

void key(QWidget *screen, int k) { QTest::keyClick(focused() ? focused() : screen, Qt::Key(k)); }

// Presses Tab until `target` has the focus; false after a full round.
bool tabTo(QWidget *screen, QWidget *target)
{
    for (int i = 0; i < 40 && focused() != target; ++i)
        key(screen, Qt::Key_Tab);
    return focused() == target;
}

bool activate(QWidget *w)
{
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// The screen in front after clicking menu entry `entry` (-1: none) and then hub button `button`
// (-1: none).
Screen *open(int entry, int button)
{
    Screen *s = Screens::show<intro0>();
    if (entry >= 0)
        click(static_cast<intro0 *>(s)->Label2[entry]);
    if (button >= 0)
        click((entry == 10 ? static_cast<TopicHub *>(Screens::find<weather>()) : Screens::find<temperature>())->label3[button]);
    return Screens::stage()->frontScreen();
}

// An activity of the weather topic, by its hub button.
Activity *openActivity(int button) { return qobject_cast<Activity *>(open(10, button)); }

QString focusedText()
{
    if (auto *l = qobject_cast<ClickLabel *>(focused()))
        return l->text();
    auto *b = qobject_cast<QAbstractButton *>(focused());
    return b ? b->text() : QString();
}

// One round of Tab stops, from the first one back to it, against golden file `name`;
// Shift+Tab goes back one. `lights`: the screen's buttons light up under the focus (the
// viewers' are always dark).
void checkFocusOrder(Screen *s, const QString &name, bool lights)
{
    QWidget *first = focused();  // the screen's first stop, focused as it shows
    QStringList round;
    do {
        round << focusedText();
        key(s, Qt::Key_Tab);
    } while (focused() != first && round.size() < 40);
    QCOMPARE_GOLDEN(QStringLiteral("input/") + name, round);
    key(s, Qt::Key_Backtab);
    QCOMPARE(focusedText(), round.last());
    if (!lights)
        return;
    int lit = 0;
    for (ClickLabel *l : s->findChildren<ClickLabel *>())
        lit += l->isVisible() && l->isOpaque();
    QCOMPARE(lit, 1);
    QVERIFY(static_cast<ClickLabel *>(focused())->isOpaque());
}

// A screen of its own window, to look at one label's focus ring alone.
struct RingScreen : Screen {
    RingScreen() : Screen(QStringLiteral("ring"), TopLevel{}) {}
};

}  // namespace

class TestInput : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void doubleClickIsOneClick()
    {
        auto *quiz = qobject_cast<multiple *>(open(10, 0));
        env->played.clear();
        QTest::mouseDClick(quiz->label3[1], Qt::LeftButton);  // Next Question >>
        QCOMPARE(shared::questnum.toInt(), 2);
        QCOMPARE(env->played, QStringList{kClick});
    }

    // Arrows choose as they move, number and letter keys choose, Tab and Return go on, and the
    // results screen's name box takes the focus: a whole quiz without the mouse.
    void quizByKeysOnly()
    {
        auto *quiz = qobject_cast<multiple *>(open(10, 0));
        QVERIFY(activate(quiz));
        QVERIFY(tabTo(quiz, quiz->Option1[1]));  // the answers: one stop while none is chosen
        QVERIFY(!quiz->Option1[1]->isChecked());
        env->played.clear();
        // The first arrow moves from the focused first answer and chooses where it lands.
        for (int arrow : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
            key(quiz, arrow);
        QVERIFY(quiz->Option1[2]->isChecked());
        QCOMPARE(focused(), quiz->Option1[2]);
        QCOMPARE(env->played.count(kTypekey), 3);
        // The chosen row is filled; the others keep the window colour.
        const QImage row = quiz->Option1[2]->grab().toImage();
        const QImage other = quiz->Option1[3]->grab().toImage();
        QCOMPARE(QColor(row.pixel(row.width() - 10, row.height() / 2)), theme::chosenRow);
        QCOMPARE(QColor(other.pixel(other.width() - 10, other.height() / 2)), theme::windowBlue);
        for (int q = 1; q <= 10; ++q) {
            env->played.clear();
            const int right = shared::correct[q].toInt();
            key(quiz, q % 2 ? Qt::Key_1 + right - 1 : Qt::Key_A + right - 1);
            QCOMPARE(env->played, QStringList{kTypekey});
            key(quiz, Qt::Key_Tab);  // after an answer, Tab goes straight on to "Next Question >>"
            QCOMPARE(focused(), quiz->label3[1]);
            key(quiz, Qt::Key_Return);
        }
        QCOMPARE(shared::score.toInt(), 10);
        Welldone *done = Screens::find<Welldone>();
        QVERIFY(done && activate(done));
        QTRY_COMPARE(focused(), done->Text1);
        QVERIFY(tabTo(done, done->label3[0]));  // Print Certificate
    }

    // Every label to its own box by two clicks or two keys each, then Check Score.
    void activityWithoutDragging_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("byKeys");
        QTest::newRow("ordering by clicks") << 3 << false;
        QTest::newRow("labelling by keys") << 1 << true;
    }
    void activityWithoutDragging()
    {
        QFETCH(int, button);
        QFETCH(bool, byKeys);
        Activity *a = openActivity(button);
        QVERIFY(a && activate(a));
        auto choose = [&](QWidget *w, int k) {
            if (!byKeys)
                return click(w);
            QVERIFY(tabTo(a, w));
            key(a, k);
        };
        for (int i = 0; i < a->count(); ++i) {
            choose(a->Label2[i], Qt::Key_Return);
            QVERIFY(a->Label2[i]->isLifted());
            env->played.clear();
            choose(a->Label1[i], Qt::Key_Return);
            QCOMPARE(a->lifted(), -1);
            QCOMPARE(env->played, QStringList{kThud});
        }
        choose(a->label3[2], Qt::Key_Space);  // Check Score
        QCOMPARE(shared::score.toInt(), a->count());
    }

    // A lifted label is lowered where it was by a second click, a click on the background or
    // Escape, after which a box clicked does nothing; a touch drag drops it as the mouse does.
    void liftLowerAndTouch()
    {
        Activity *a = openActivity(3);
        QVERIFY(activate(a));
        const TwipsRect at = a->labelRect(0);
        for (int how = 0; how < 3; ++how) {
            env->played.clear();
            click(a->Label2[0]);
            QCOMPARE(env->played, QStringList{kThud});  // the drop pass as ever
            if (how == 0)
                click(a->Label2[0]);
            else if (how == 1)
                QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(5, 5));
            else
                QTest::keyClick(a, Qt::Key_Escape);
            QVERIFY(a->isVisible());
            click(a->Label1[0]);
            QCOMPARE(a->labelRect(0).left, at.left);
        }
        static QPointingDevice *touch = QTest::createTouchDevice();
        const QPoint from = a->Label2[5]->geometry().center();
        const QPoint to = a->Label1[5]->geometry().center();
        QTest::touchEvent(a, touch).press(0, from, a);
        QTest::touchEvent(a, touch).move(0, (from + to) / 2, a);
        QTest::touchEvent(a, touch).move(0, to, a);
        QTest::touchEvent(a, touch).release(0, to, a);
        QVERIFY(a->inBox(5, 5));
    }

    // Where a row has a Tab round, Tab comes round the stops in its golden file's order, Shift+Tab
    // goes back and the focused label alone is lit. Then Escape acts as the screen's
    // Exit, with its click where Exit makes one.
    void focusOrderAndEscape_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("tabRound");  // golden file of the Tab stops, if any
        QTest::newRow("menu, Escape brings the exit screen, where Escape is Cancel") << -1 << -1 << "menu-tab-round";
        QTest::newRow("hub") << 10 << -1 << "hub-tab-round";
        QTest::newRow("quiz") << 10 << 0 << "";
        QTest::newRow("activity") << 10 << 3 << "";
        // Page 1: Previous Page is disabled and no stop; the speaker button has no words.
        QTest::newRow("guide, which makes no sound") << 20 << -1 << "guide-tab-round";
    }
    void focusOrderAndEscape()
    {
        QFETCH(int, entry);
        QFETCH(int, button);
        QFETCH(QString, tabRound);
        QPointer<Screen> s = open(entry, button);
        QVERIFY(s && activate(s));
        if (!tabRound.isEmpty())
            checkFocusOrder(s, tabRound, entry != 20);
        env->played.clear();
        key(s, Qt::Key_Escape);
        settle();
        if (entry < 0) {
            Titlefrm *exit = Screens::find<Titlefrm>();
            QVERIFY(exit && exit->isVisible());
            key(exit, Qt::Key_Escape);
            settle();
            QVERIFY(!Screens::ended() && !Screens::isLoaded<Titlefrm>() && s && s->isVisible());
        } else
            QVERIFY(!s || !s->isVisible());
        QCOMPARE(env->played.contains(kClick), entry != 20);
    }

    // The keyboard leads on: with a label lifted, Tab goes to the first box. Escape asks before
    // it throws away answers or placed labels, and leaves only when the pupil says OK.
    void keyboardLeadsOnAndEscapeAsks_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("question");
        QTest::newRow("quiz") << 0 << "Leave this quiz? Your answers will be lost.";
        QTest::newRow("activity") << 3 << "Leave this activity? Your answers will be lost.";
    }
    void keyboardLeadsOnAndEscapeAsks()
    {
        QFETCH(int, button);
        QFETCH(QString, question);
        QPointer<Screen> s = open(10, button);
        QVERIFY(s && activate(s));
        if (auto *a = qobject_cast<Activity *>(s.data())) {
            a->Label2[0]->setFocus(Qt::TabFocusReason);
            key(s, Qt::Key_Return);
            key(s, Qt::Key_Tab);
            QList<QWidget *> boxes;
            for (int i = 0; i < a->count(); ++i)
                boxes << a->Label1[i];
            focus::sortReadingOrder(boxes, a);
            QCOMPARE(focused(), boxes.front());
            key(s, Qt::Key_Return);
            QCOMPARE(a->lifted(), -1);
        } else {
            key(s, Qt::Key_2);  // an answer to lose; quizByKeysOnly follows the Tab on from it
        }
        env->messages->answers = {false};
        key(s, Qt::Key_Escape);
        settle();
        QCOMPARE(env->messages->shown, QStringList{question});
        QVERIFY(s && s->isVisible());
        key(s, Qt::Key_Escape);  // OK this time
        settle();
        QVERIFY(!s || !s->isVisible());
    }

    // With the mouse alone a freshly shown hub shows every button in its back colour, and coming
    // back to it from Key Facts changes none. A Tab lights the focused button alone, with its
    // ring; a move over the background goes back to the pointer's rule, which unlights them all.
    void focusShowsOnlyForTheKeyboard()
    {
        auto *hub = qobject_cast<TopicHub *>(open(10, -1));
        QVERIFY(hub && activate(hub));
        auto lit = [hub] {
            QStringList out;
            for (const auto &entry : hub->label3)
                if (entry.second->isVisible() && entry.second->isOpaque())
                    out << entry.second->text();
            return out;
        };
        const QStringList all = lit();
        QCOMPARE(all.size(), 6);
        click(hub->label3[4]);  // Key Facts
        Screen *facts = Screens::stage()->frontScreen();
        QVERIFY(facts != hub);
        key(facts, Qt::Key_Escape);
        settle();
        QCOMPARE(Screens::stage()->frontScreen(), hub);
        QCOMPARE(lit(), all);
        key(hub, Qt::Key_Tab);
        auto *focusedLabel = qobject_cast<ClickLabel *>(focused());
        QVERIFY(focusedLabel && focus::keyboardInUse());
        QCOMPARE(lit(), QStringList{focusedLabel->text()});
        QTest::mouseMove(hub, QPoint(3, 3));
        QVERIFY(!focus::keyboardInUse());
        QCOMPARE(lit(), QStringList{});
    }

    void focusRingShows_data()
    {
        QTest::addColumn<QColor>("back");
        QTest::addColumn<bool>("opaque");
        QTest::newRow("yellow on black") << theme::black << true;
        QTest::newRow("on the window blue") << theme::windowBlue << false;
    }
    void focusRingShows()
    {
        QFETCH(QColor, back);
        QFETCH(bool, opaque);
        RingScreen s;
        s.setBackColor(theme::windowBlue);
        s.resize(300, 200);
        auto *l = ClickLabel::button(&s, 0, QStringLiteral("Exit"), 600, 1200, 1245);
        l->setBackColor(back);
        l->setOpaque(opaque);
        s.show();
        QVERIFY(activate(&s));
        l->setFocus(Qt::TabFocusReason);
        focus::setKeyboardInUse(true);  // as Tab makes it; the label had the focus from the show
        const QImage ringed = l->grab().toImage();
        // All round the label, just inside its edge, the ring differs plainly from the back colour.
        const QColor behind = opaque ? back : theme::windowBlue;
        const int w = l->width(), h = l->height();
        for (const QPoint &p : {QPoint(1, h / 2), QPoint(w - 2, h / 2), QPoint(w / 2, 1), QPoint(w / 2, h - 2)}) {
            const QColor c = ringed.pixelColor(p);
            const int diff = std::abs(c.red() - behind.red()) + std::abs(c.green() - behind.green()) + std::abs(c.blue() - behind.blue());
            QVERIFY2(diff >= 300, qPrintable(QStringLiteral("%1,%2: %3").arg(p.x()).arg(p.y()).arg(c.name())));
        }
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestInput)
#include "tst_input.moc"
