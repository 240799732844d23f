// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader and a listening pupil get: every actionable control of every screen has a
// role and a name (screens reached by pressing buttons through their accessible press action, as
// a screen reader does), the activities' boxes say what they hold, and read-aloud speaks the
// question and its answers, nothing with sound off, and is not offered with no speech engine.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "core/readaloud.h"
#include "core/shared.h"
#include "ui/accessibility.h"
#include "services/speechbackend.h"
#include "ui/screens.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "topics/hub.h"
#include "support/golden.h"
#include "support/recordingprinter.h"
#include "support/testenv.h"
#include "register/pin.h"
#include "register/store.h"
#include "viewers/guide.h"
#include "viewers/teacher.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMetaEnum>
#include <QTest>

namespace {

bool actionable(QAccessibleInterface *a)
{
    static const QList<QAccessible::Role> roles = {QAccessible::Button, QAccessible::RadioButton, QAccessible::CheckBox,
                                                   QAccessible::EditableText, QAccessible::ComboBox, QAccessible::SpinBox};
    const QStringList actions = a->actionInterface() ? a->actionInterface()->actionNames() : QStringList();
    return roles.contains(a->role()) || actions.contains(QAccessibleActionInterface::pressAction())
        || actions.contains(QAccessibleActionInterface::toggleAction());
}

// A screen's tree as a reader walks it, one shown object a line, indented by depth: its role,
// name, description and state. An actionable object without a name is also listed in unnamed.
void tree(QAccessibleInterface *a, QStringList &lines, QStringList &unnamed, int depth = 0)
{
    const QAccessible::State st = a->state();
    if (st.invisible)
        return;
    const QString name = a->text(QAccessible::Name), description = a->text(QAccessible::Description);
    if (actionable(a) && name.trimmed().isEmpty())
        unnamed << QStringLiteral("%1 (%2)").arg(a->object() ? a->object()->objectName() : QStringLiteral("cell")).arg(int(a->role()));
    QString line = QString(depth * 2, QLatin1Char(' ')) + QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(a->role()));
    if (!name.isEmpty())
        line += QStringLiteral(" \"%1\"").arg(name.simplified());
    if (!description.isEmpty())
        line += QStringLiteral(" (%1)").arg(description.simplified());
    for (auto [on, word] : {std::pair{bool(st.disabled), "disabled"}, {bool(st.checked), "checked"}, {bool(st.focused), "focused"}})
        if (on)
            line += QStringLiteral(" [%1]").arg(QLatin1String(word));
    lines << line;
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface *c = a->child(i))
            tree(c, lines, unnamed, depth + 1);
}

QAccessibleInterface *findNamed(QAccessibleInterface *a, QAccessible::Role role, const QString &name)
{
    if (!a->state().invisible && a->role() == role && a->text(QAccessible::Name) == name)
        return a;
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface *c = a->child(i))
            if (QAccessibleInterface *hit = findNamed(c, role, name))
                return hit;
    return nullptr;
}

QAccessibleInterface *of(QObject *o) { return QAccessible::queryAccessibleInterface(o); }

// Presses the button of that name on the given screen, or on any screen shown, as a screen
// reader does.
bool press(const QString &name, QWidget *on = nullptr)
{
    // The front screen first: a screen left shown beneath may have a button of the same name.
    std::vector<Screen *> screens = Screens::loaded();
    screens.insert(screens.begin(), Screens::stage()->frontScreen());
    for (Screen *s : screens) {
        if (!s->isVisible() || (on && s != on))
            continue;
        QAccessibleInterface *b = findNamed(of(s), QAccessible::Button, name);
        if (b && !b->state().disabled) {
            b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            // Qt's push buttons answer a screen reader's press with an animated click, 100 ms long.
            settle(qobject_cast<QAbstractButton *>(b->object()) ? 150 : 20);
            return true;
        }
    }
    return false;
}

QString announced(QWidget *screen)
{
    auto *a = screen->window()->findChild<QWidget *>(QStringLiteral("announcer"));
    return a ? of(a)->text(QAccessible::Name) : QString();
}

}  // namespace

class TestAccess : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void everyControlNamed_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("screen");
        QTest::newRow("menu") << QStringList{} << "intro0";
        QTest::newRow("planets hub, its picture named") << QStringList{"Other Planets"} << "weather";
        QTest::newRow("teacher's notes") << QStringList{"Measuring Temperature", "Teacher's Notes"} << "teacher";
        QTest::newRow("guide") << QStringList{"Teachers' Guide"} << "guide";
        QTest::newRow("quiz") << QStringList{"Other Planets", "Multiple Choice"} << "multiple";
        QTest::newRow("planets ordering") << QStringList{"Other Planets", "Ordering Activity"} << "weatherord";
        QTest::newRow("temperature labelling") << QStringList{"Measuring Temperature", "Labelling Activity"} << "temperaturelab";
        QTest::newRow("wizard") << QStringList{"Multiple Choice Wizard"} << "wizard";
        QTest::newRow("catalogue") << QStringList{"Worksheet Catalogue"} << "worksheets";
        QTest::newRow("results, full marks") << QStringList{"10"} << "Welldone";
        QTest::newRow("results and review") << QStringList{"7", "Check Wrong Answers"} << "Wrong";
        QTest::newRow("exit screen") << QStringList{"Exit"} << "Titlefrm";
        QTest::newRow("pupil's picker") << QStringList{"a class", "Other Planets", "Multiple Choice"} << "Picker";
        QTest::newRow("teacher's PIN") << QStringList{"Class Register"} << "PinPad";
        const QStringList room{"a class", "a result", "a PIN", "Class Register", "PIN 2468", "OK"};
        QTest::newRow("teacher's room") << room << "Room";
        QTest::newRow("teacher's room, results") << room + QStringList{"tab Results"} << "Room";
        QTest::newRow("pupil's history") << room + QStringList{"tab Results", "Pupil's History"} << "Chart";
    }
    void everyControlNamed()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, screen);
        Screens::show<intro0>();
        for (const QString &p : presses) {
            if (p == QLatin1String("a class")) {  // set up, so a quiz asks who is taking it
                reg::Store setUp;
                setUp.addPupils(setUp.addClass(QStringLiteral("Class 4B")), {QStringLiteral("Amira"), QStringLiteral("Ben")});
                continue;
            }
            if (p == QLatin1String("a result")) {  // Ben's quiz, kept
                reg::Store s;
                reg::Attempt a;
                a.uuid = QStringLiteral("one");
                a.pupilId = s.pupils(s.classes().value(0).id).value(1).id;
                a.activity = QStringLiteral("Other Planets: Multiple Choice");
                a.score = 7;
                a.total = 10;
                a.marks = QStringLiteral("1111111000");
                a.started = a.ended = QDateTime(QDate(2026, 3, 2), QTime(10, 15));  // a fixed day, so the tree is the same every day
                QVERIFY(s.record(a));
                continue;
            }
            if (p == QLatin1String("a PIN")) {
                QVERIFY(reg::Store().setSetting(QStringLiteral("pin"), pin::hash(QStringLiteral("2468"))));
                continue;
            }
            if (p.startsWith(QLatin1String("PIN "))) {  // typed into the focused box
                QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
                QTest::keyClicks(QApplication::focusWidget(), p.mid(4));
                continue;
            }
            if (p.startsWith(QLatin1String("tab "))) {
                QAccessibleInterface *tab = findNamed(of(Screens::stage()->frontScreen()), QAccessible::PageTab, p.mid(4));
                QVERIFY2(tab, qPrintable(p));
                tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                settle();
                continue;
            }
            if (p.toInt() > 0) {  // the results of a quiz scored so, as the quiz leaves them
                shared::score = p.toInt();
                shared::total = 10;
                Welldone *w = Screens::show<Welldone>();
                w->label3[0]->show();
                settle(60);
                if (p == QLatin1String("7"))
                    QCOMPARE(announced(w), QStringLiteral("Well Done! You have scored 7 out of 10."));
                continue;
            }
            QVERIFY2(press(p), qPrintable(p));
        }
        Screen *target = Screens::stage()->frontScreen();
        QCOMPARE(target->objectName(), screen);
        QStringList lines, missing;
        tree(of(target), lines, missing);
        QCOMPARE(missing, QStringList{});
        const QString name = QStringLiteral("access/") + golden::slug(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE_GOLDEN(name, lines);
        // And what a sighted pupil sees there, at a quarter of the size; an empty chart's time
        // axis is drawn round the present moment.
        const QImage shown = target->grab().toImage();
        QCOMPARE_GOLDEN_IMAGE(name, shown.scaled(shown.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                              screen == QLatin1String("Chart") ? 400 : 0);
    }

    // A viewer's page is a text holding its words, the page on show read aloud on request and
    // stopped by a page turn; a disabled button says so and does nothing when pressed.
    void viewerPagesAndButtonStates_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::newRow("key facts") << QStringList{"Other Planets", "Key Facts"};
        QTest::newRow("guide") << QStringList{"Teachers' Guide"};
    }
    void viewerPagesAndButtonStates()
    {
        QFETCH(QStringList, presses);
        Screens::show<intro0>();
        for (const QString &p : presses)
            QVERIFY2(press(p), qPrintable(p));
        Screen *viewer = Screens::stage()->frontScreen();
        auto *page = viewer->findChild<PictureBox *>(QStringLiteral("Image1"));
        auto *previous = findNamed(of(viewer), QAccessible::Button, QStringLiteral("Previous Page"));
        QVERIFY(page && previous && previous->state().disabled);
        const QString first = of(page)->text(QAccessible::Name);
        QVERIFY(press(QStringLiteral("Next Page")));
        const QString second = of(page)->text(QAccessible::Name);
        QVERIFY(second != first);
        QCOMPARE_GOLDEN(QStringLiteral("access/") + golden::slug(QString::fromLatin1(QTest::currentDataTag())) + QStringLiteral("-page-2"),
                        QStringList{second});
        QCOMPARE(of(page)->role(), QAccessible::StaticText);  // text to read, not a picture to skip
        QVERIFY(press(QStringLiteral("Read aloud")));
        QCOMPARE(env->spoken, QStringList{QStringLiteral("say ") + second});
        QVERIFY(press(QStringLiteral("Previous Page")));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
        auto *next = findNamed(of(viewer), QAccessible::Button, QStringLiteral("Next Page"));
        static_cast<QWidget *>(next->object())->setEnabled(false);
        next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(shared::pagenum.toInt(), 1);
    }

    void picturesDescribed_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("words");
        QTest::newRow("menu picture") << "Images\\icicle.jpg" << "Icicles hanging in the cold";
        QTest::newRow("animation frame") << "jupiter\\jupite37.jpg" << "Jupiter turning, with its Great Red Spot";
        QTest::newRow("other case and separator") << "IMAGES/Saturn.JPG" << "Saturn with its rings";
        QTest::newRow("no words") << "images\\nothing.jpg" << "";
        QTest::newRow("page outside wmf") << "wmf2\\guide1.wmf" << "";
    }
    void picturesDescribed()
    {
        QFETCH(QString, path);
        QFETCH(QString, words);
        QCOMPARE(accessibility::describe(path), words);
    }

    void boxesSayWhatTheyHold()
    {
        weatherord *a = Screens::show<weatherord>();
        const int n = a->count();
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, empty").arg(n));
        const QString word = a->Label2[0]->text();
        QCOMPARE(of(a->Label4[0])->text(QAccessible::Name), QStringLiteral("start place 1 of %1, holding %2").arg(n).arg(word));
        QVERIFY(QTest::qWaitForWindowExposed(a));
        const QPoint from = a->Label2[0]->geometry().center(), to = a->Label1[2]->geometry().center();
        QTest::mousePress(a, Qt::LeftButton, {}, from);
        QTest::mouseMove(a, (from + to) / 2);
        QTest::mouseMove(a, to);
        QTest::mouseRelease(a, Qt::LeftButton, {}, to);
        settle();
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, holding %2").arg(n).arg(word));
        QCOMPARE(of(a->Label4[0])->text(QAccessible::Name), QStringLiteral("start place 1 of %1, empty").arg(n));
        QCOMPARE(announced(a), QStringLiteral("%1 in box 3 of %2").arg(word).arg(n));
        QVERIFY(press(QStringLiteral("Start Again")));
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, empty").arg(n));
    }

    // The question is exposed and announced, read aloud with its answers by the button or R,
    // stopped by a second press, by the next question and by leaving the screen.
    void quizReadAndAnnounced()
    {
        multiple *quiz = openQuiz();
        QCOMPARE(of(quiz->Label2)->text(QAccessible::Name), shared::question[1]);
        QCOMPARE(announced(quiz), QStringLiteral("Question 1. ") + shared::question[1]);
        QCOMPARE(of(quiz->Option1[1])->role(), QAccessible::RadioButton);
        QCOMPARE(of(quiz->Option1[1])->text(QAccessible::Name), QStringLiteral("A, ") + shared::answera[1]);
        auto *speaker = quiz->findChild<ReadAloud *>(QStringLiteral("readaloud"));
        QVERIFY(speaker && speaker->isVisible());
        const QStringList answers{shared::answera[1], shared::answerb[1], shared::answerc[1], shared::answerd[1]};
        const QString expected = QStringLiteral("say ") + readableQuestion(shared::question[1], answers);
        QTest::mouseClick(speaker, Qt::LeftButton);
        QTest::mouseClick(speaker, Qt::LeftButton);
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken, (QStringList{expected, "stop", expected}));
        QCOMPARE_GOLDEN(QStringLiteral("access/quiz-question-1-read-aloud"), env->spoken.mid(0, 1));
        // The button shows it reads until the voice finishes by itself; one press then reads again.
        QVERIFY(speaker->reading());
        const QImage lit = speaker->grab().toImage();
        static_cast<RecordingSpeaker *>(speech::speaker())->finish();
        QTRY_VERIFY(!speaker->reading());
        QVERIFY(speaker->grab().toImage() != lit);
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken.last(), expected);
        // Finished before the button has noticed: the press still reads again, not stops.
        static_cast<RecordingSpeaker *>(speech::speaker())->finish();
        const qsizetype spokenBefore = env->spoken.size();
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken.mid(spokenBefore), QStringList{expected});
        // Named once: the key is its description, not the tool tip that repeats the name.
        QCOMPARE(of(speaker)->text(QAccessible::Name), QStringLiteral("Read aloud"));
        QCOMPARE(of(speaker)->text(QAccessible::Description), QStringLiteral("Reading. Press again to stop."));
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(of(speaker)->text(QAccessible::Description), QStringLiteral("Key R"));
        // Beside a screen reader our voice waits for it to echo the key; a press meanwhile
        // cancels without a word.
        auto *recording = static_cast<RecordingSpeaker *>(speech::speaker());
        recording->screenReader = true;
        const int said = env->spoken.size();
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken.size(), said);
        QVERIFY(speaker->reading());
        QTest::keyClick(quiz, Qt::Key_R);
        QVERIFY(!speaker->reading());
        QTest::qWait(900);
        QCOMPARE(env->spoken.size(), said);
        QTest::keyClick(quiz, Qt::Key_R);
        QTRY_COMPARE(env->spoken.size(), said + 1);
        QCOMPARE(env->spoken.last(), expected);
        recording->screenReader = false;
        QVERIFY(press(QStringLiteral("Next question")));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
        QCOMPARE(announced(quiz), QStringLiteral("Question 2. ") + shared::question[2]);
        QTest::keyClick(quiz, Qt::Key_R);
        QVERIFY(env->spoken.last().startsWith(QStringLiteral("say ") + shared::question[2]));
        QVERIFY(press(QStringLiteral("Exit"), quiz));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
        // With sound off the button is there and silent.
        const QStringList before = env->spoken;
        QTest::mouseClick(Screens::show<intro0>()->Option2, Qt::LeftButton);
        quiz = openQuiz(false);
        speaker = quiz->findChild<ReadAloud *>(QStringLiteral("readaloud"));
        QVERIFY(speaker->isVisible());
        QTest::mouseClick(speaker, Qt::LeftButton);
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken, before);
    }

    // On every question the keyboard is on the first answer, unchosen, never on the hidden
    // no-answer button or on "Print Worksheet": Space and Enter choose, and nothing prints. The
    // buttons are named as a pupil would say them.
    void quizFocusAndNames()
    {
        QStringList printed;
        printing::setFactory([&printed] { return std::make_unique<RecordingPrinter>(&printed); });
        multiple *quiz = openQuiz();
        QVERIFY(quiz && quiz->isVisible());
        for (int q = 1; q <= 10; ++q) {
            QCOMPARE(QApplication::focusWidget(), quiz->Option1[1]);
            QVERIFY(!quiz->Option1[1]->isChecked() && quiz->Option1[5]->isChecked());
            QTest::keyClick(QApplication::focusWidget(), q % 2 ? Qt::Key_Space : Qt::Key_Return);
            QVERIFY2(quiz->Option1[1]->isChecked(), qPrintable(QString::number(q)));
            QCOMPARE(of(quiz->label3[1])->text(QAccessible::Name), QLatin1String(q < 10 ? "Next question" : "Check score"));
            if (q == 2) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                QVERIFY(quiz->Option1[2]->isChecked() && quiz->Option1[2]->hasFocus());
                QCOMPARE(of(quiz->label3[0])->text(QAccessible::Name), QStringLiteral("Previous question"));
            }
            if (q < 10)
                QVERIFY(press(QStringLiteral("Next question")));
        }
        QCOMPARE(printed, QStringList{});
        printing::setFactory({});
    }

    // Only the screen in front is on a reader's map: the menu behind a hub, and both behind the
    // quiz, are not showing and have no children; back in front, a screen is there again.
    void onlyTheFrontScreenIsOnTheMap()
    {
        intro0 *menu = Screens::show<intro0>();
        auto onMap = [](QWidget *w) { return !of(w)->state().invisible && of(w)->childCount() > 0; };
        QVERIFY(onMap(menu));
        QVERIFY(press(QStringLiteral("Other Planets")));
        TopicHub *hub = Screens::find<weather>();
        QVERIFY(onMap(hub) && !onMap(menu));
        QVERIFY(press(QStringLiteral("Multiple Choice")));
        multiple *quiz = Screens::find<multiple>();
        QVERIFY(onMap(quiz) && !onMap(hub) && !onMap(menu));
        QVERIFY(press(QStringLiteral("Exit"), quiz));
        QVERIFY(onMap(hub) && !onMap(menu));
    }

    // With no speech engine read-aloud is not offered, and R says nothing.
    void nothingSpokenWithoutAnEngine()
    {
        env->setSpeechEngine(false);
        for (const QString &viewer : {QString(), QStringLiteral("Acknowledgments")}) {
            Screens::show<intro0>();
            QVERIFY(viewer.isEmpty() ? bool(openQuiz(false)) : press(viewer));
            Screen *s = Screens::stage()->frontScreen();
            auto *speaker = s->findChild<ReadAloud *>(QStringLiteral("readaloud"));
            QVERIFY(speaker && !speaker->isVisible());
            QTest::keyClick(s, Qt::Key_R);
        }
        QCOMPARE(env->spoken, QStringList{});
    }

    // What the engine is given, a sentence at a time: a question with its answers, or a viewer's
    // page (no answers) as it is; a decimal point does not end a sentence.
    void spokenSentences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("question and answers") << "Which is hottest?" << QStringList{"Mercury", "Venus", "Earth", "Mars"}
                                              << QStringList{"Which is hottest?", "A: Mercury.", "B: Venus.", "C: Earth.", "D: Mars."};
        QTest::newRow("answers ending in stops keep one") << "Pick one" << QStringList{"Yes.", "No!", "Maybe?", " Blank "}
                                                          << QStringList{"Pick one.", "A: Yes.", "B: No!", "C: Maybe?", "D: Blank."};
        QTest::newRow("empty answer says its letter") << "Q?" << QStringList{"a", "", "c", "d"}
                                                      << QStringList{"Q?", "A: a.", "B.", "C: c.", "D: d."};
        QTest::newRow("a page: 2.5 whole, the last piece as it is") << "Heat it! B: 2.5 degrees. C" << QStringList{}
                                                                    << QStringList{"Heat it!", "B: 2.5 degrees.", "C"};
        QTest::newRow("stops at the end and doubled") << "One... Two." << QStringList{} << QStringList{"One...", "Two."};
        QTest::newRow("blank") << "  " << QStringList{} << QStringList{};
    }
    void spokenSentences()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, answers);
        QTEST(::spokenSentences(answers.isEmpty() ? text : readableQuestion(text, answers)), "pieces");
    }

    // Temperatures go to the voice as words, whichever minus and spacing the text uses.
    void temperaturesSpoken_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("hyphen") << "-5 °C is colder." << "minus 5 degrees Celsius is colder.";
        QTest::newRow("minus sign, in a sentence") << QString::fromUtf8("A freezer is about \u221218 °C.") << "A freezer is about minus 18 degrees Celsius.";
        QTest::newRow("Fahrenheit, no blank, in brackets") << "100 °C (212°F)" << "100 degrees Celsius (212 degrees Fahrenheit)";
        QTest::newRow("degrees alone") << "212° Fahrenheit" << "212 degrees Fahrenheit";
        QTest::newRow("the unit alone") << "in degrees Celsius (°C)." << "in degrees Celsius ( degrees Celsius).";
        QTest::newRow("a range keeps its hyphen") << "Years 3-5, Class 4-B" << "Years 3-5, Class 4-B";
    }
    void temperaturesSpoken()
    {
        QFETCH(QString, text);
        QTEST(spokenWords(text), "spoken");
    }

private:
    multiple *openQuiz(bool fresh = true)
    {
        if (fresh)
            Screens::show<intro0>();
        if (!press(QStringLiteral("Other Planets")) || !press(QStringLiteral("Multiple Choice")))
            return nullptr;
        return Screens::find<multiple>();
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
