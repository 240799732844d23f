// What a screen reader and a listening pupil get: every actionable control of every screen has a
// role and a name (screens reached by pressing buttons through their accessible press action, as
// a screen reader does), the activities' boxes say what they hold, and read-aloud speaks the
// question and its answers, nothing with sound off, and is not offered with no speech engine.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "core/readaloud.h"
#include "core/shared.h"
#include "platform/accessibility.h"
#include "platform/screens.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "shell/intro0.h"
#include "shell/titlefrm.h"
#include "topics/hub.h"
#include "support/testenv.h"
#include "viewers/guide.h"
#include "viewers/teacher.h"

#include <QAccessible>
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

// Every shown, actionable object under a screen without a name, as "objectName (role)".
void unnamed(QAccessibleInterface *a, QStringList &out)
{
    if (a->state().invisible)
        return;
    if (actionable(a) && a->text(QAccessible::Name).trimmed().isEmpty())
        out << QStringLiteral("%1 (%2)").arg(a->object()->objectName()).arg(int(a->role()));
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface *c = a->child(i))
            unnamed(c, out);
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
    for (Screen *s : Screens::loaded()) {
        if (!s->isVisible() || (on && s != on))
            continue;
        QAccessibleInterface *b = findNamed(of(s), QAccessible::Button, name);
        if (b && !b->state().disabled) {
            b->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            settle();
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
        QTest::newRow("planets hub") << QStringList{"Other Planets"} << "weather";
        QTest::newRow("temperature hub") << QStringList{"Measuring Temperature"} << "temperature";
        QTest::newRow("key facts") << QStringList{"Other Planets", "Key Facts"} << "teacher";
        QTest::newRow("teacher's notes") << QStringList{"Measuring Temperature", "Teacher's Notes"} << "teacher";
        QTest::newRow("acknowledgments") << QStringList{"Acknowledgments"} << "teacher";
        QTest::newRow("guide") << QStringList{"Teachers' Guide"} << "guide";
        QTest::newRow("quiz") << QStringList{"Other Planets", "Multiple Choice"} << "multiple";
        QTest::newRow("planets ordering") << QStringList{"Other Planets", "Ordering Activity"} << "weatherord";
        QTest::newRow("planets labelling") << QStringList{"Other Planets", "Labelling Activity"} << "weatherlab";
        QTest::newRow("temperature ordering") << QStringList{"Measuring Temperature", "Ordering Activity"} << "temperatureord";
        QTest::newRow("temperature labelling") << QStringList{"Measuring Temperature", "Labelling Activity"} << "temperaturelab";
        QTest::newRow("wizard") << QStringList{"Multiple Choice Wizard"} << "wizard";
        QTest::newRow("catalogue") << QStringList{"Worksheet Catalogue"} << "worksheets";
        QTest::newRow("results, full marks") << QStringList{"full"} << "Welldone";
        QTest::newRow("results and review") << QStringList{"wrong", "Check Wrong Answers"} << "Wrong";
        QTest::newRow("exit screen") << QStringList{"Exit"} << "Titlefrm";
    }
    void everyControlNamed()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, screen);
        Screens::show<intro0>();
        for (const QString &p : presses) {
            if (p == QLatin1String("full") || p == QLatin1String("wrong")) {
                shared::score = p == QLatin1String("full") ? 10 : 7;
                shared::total = 10;
                // As the quiz leaves it: the review's button shown.
                Screens::show<Welldone>()->label3[0]->show();
                settle(60);
                continue;
            }
            QVERIFY2(press(p), qPrintable(p));
        }
        Screen *target = nullptr;
        for (Screen *s : Screens::loaded())
            if (s->objectName() == screen && s->isVisible())
                target = s;
        QVERIFY2(target, qPrintable(screen));
        QStringList missing;
        unnamed(of(target), missing);
        QCOMPARE(missing, QStringList{});
    }

    void buttonStatesAndPictures()
    {
        Screens::show<intro0>();
        QVERIFY(press(QStringLiteral("Teachers' Guide")));
        guide *g = Screens::find<guide>();
        QAccessibleInterface *previous = of(g->label3[3]);
        QCOMPARE(previous->role(), QAccessible::Button);
        QVERIFY(previous->state().disabled);
        QVERIFY(!of(g->label3[2])->state().disabled);
        // The page on show is a text holding its words, and the next page replaces them.
        const QString first = of(g->Image1)->text(QAccessible::Name);
        QVERIFY2(first.contains(QLatin1String("Teachers' Guide")) || first.size() > 100, qPrintable(first));
        QVERIFY(press(QStringLiteral("Next Page")));
        QVERIFY(of(g->Image1)->text(QAccessible::Name) != first);
        // A disabled button does nothing when a reader presses it.
        g->label3[2]->setEnabled(false);
        const int page = shared::pagenum.toInt();
        of(g->label3[2])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(shared::pagenum.toInt(), page);
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

    void hubPictureNamed()
    {
        Screens::show<intro0>();
        QVERIFY(press(QStringLiteral("Other Planets")));
        QVERIFY(findNamed(of(Screens::find<weather>()), QAccessible::Graphic, QStringLiteral("Jupiter turning, with its Great Red Spot")));
    }

    void boxesSayWhatTheyHold()
    {
        weatherord *a = Screens::show<weatherord>();
        const int n = a->count();
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, empty").arg(n));
        const QString word = a->Label2[0]->text();
        QCOMPARE(of(a->Label4[0])->text(QAccessible::Name), QStringLiteral("start place 1 of %1, holding %2").arg(n).arg(word));
        dragTo(a, 0, a->Label1[2]);
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, holding %2").arg(n).arg(word));
        QCOMPARE(of(a->Label4[0])->text(QAccessible::Name), QStringLiteral("start place 1 of %1, empty").arg(n));
        QCOMPARE(announced(a), QStringLiteral("%1 in box 3 of %2").arg(word).arg(n));
        QVERIFY(press(QStringLiteral("Start Again")));
        QCOMPARE(of(a->Label1[2])->text(QAccessible::Name), QStringLiteral("box 3 of %1, empty").arg(n));
    }

    void resultsAnnounced()
    {
        shared::score = 7;
        shared::total = 10;
        Welldone *w = Screens::show<Welldone>();
        settle(60);
        QCOMPARE(announced(w), QStringLiteral("Well Done! You have scored 7 out of 10."));
    }

    void quizReadsQuestionThenAnswers()
    {
        multiple *quiz = openQuiz();
        auto *speaker = quiz->findChild<ReadAloud *>(QStringLiteral("readaloud"));
        QVERIFY(speaker && speaker->isVisible());
        const QString expected = QStringLiteral("say %1 A: %2 B: %3 C: %4 D: %5")
                                     .arg(sentence(shared::question[1]), sentence(shared::answera[1]), sentence(shared::answerb[1]),
                                          sentence(shared::answerc[1]), sentence(shared::answerd[1]));
        QTest::mouseClick(speaker, Qt::LeftButton);
        QCOMPARE(env->spoken, QStringList{expected});
        // Pressed again while speaking: it stops.
        QTest::mouseClick(speaker, Qt::LeftButton);
        QCOMPARE(env->spoken, (QStringList{expected, "stop"}));
        // The key R reads too; the next question stops the reading of this one.
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken.size(), 3);
        QVERIFY(press(QStringLiteral("Next Question >>")));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
        QTest::keyClick(quiz, Qt::Key_R);
        QVERIFY(env->spoken.last().startsWith(QStringLiteral("say ") + shared::question[2]));
        // Leaving the screen stops it.
        QVERIFY(press(QStringLiteral("Exit"), quiz));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
    }

    void questionExposedAndAnnounced()
    {
        multiple *quiz = openQuiz();
        QCOMPARE(of(quiz->Label2)->text(QAccessible::Name), shared::question[1]);
        QCOMPARE(announced(quiz), QStringLiteral("Question 1. ") + shared::question[1]);
        QCOMPARE(of(quiz->Option1[1])->role(), QAccessible::RadioButton);
        QCOMPARE(of(quiz->Option1[1])->text(QAccessible::Name), shared::answera[1]);
        QVERIFY(press(QStringLiteral("Next Question >>")));
        QCOMPARE(announced(quiz), QStringLiteral("Question 2. ") + shared::question[2]);
    }

    void soundOffSpeaksNothing()
    {
        Screens::show<intro0>();
        QTest::mouseClick(Screens::find<intro0>()->Option2, Qt::LeftButton);
        QCOMPARE(shared::soundflag.toInt(), 0);
        multiple *quiz = openQuiz(false);
        QTest::mouseClick(quiz->findChild<ReadAloud *>(QStringLiteral("readaloud")), Qt::LeftButton);
        QTest::keyClick(quiz, Qt::Key_R);
        QCOMPARE(env->spoken, QStringList{});
    }

    void noEngineNoButton_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("quiz") << "quiz";
        QTest::newRow("notes viewer") << "viewer";
        QTest::newRow("guide") << "guide";
    }
    void noEngineNoButton()
    {
        QFETCH(QString, screen);
        env->setSpeechEngine(false);
        Screens::show<intro0>();
        QWidget *s = nullptr;
        if (screen == QLatin1String("quiz")) {
            s = openQuiz(false);
        } else {
            QVERIFY(press(screen == QLatin1String("guide") ? QStringLiteral("Teachers' Guide") : QStringLiteral("Acknowledgments")));
            s = screen == QLatin1String("guide") ? static_cast<QWidget *>(Screens::find<guide>()) : Screens::find<teacher>();
        }
        auto *speaker = s->findChild<ReadAloud *>(QStringLiteral("readaloud"));
        QVERIFY(speaker);
        QVERIFY(!speaker->isVisible());
        QTest::keyClick(s, Qt::Key_R);
        QCOMPARE(env->spoken, QStringList{});
    }

    void viewersReadThePageOnShow_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("firstWords");
        QTest::newRow("key facts, page 2") << QStringList{"Other Planets", "Key Facts", "Next Page"} << "";
        QTest::newRow("guide, page 1") << QStringList{"Teachers' Guide"} << "";
    }
    void viewersReadThePageOnShow()
    {
        QFETCH(QStringList, presses);
        Screens::show<intro0>();
        for (const QString &p : presses)
            QVERIFY2(press(p), qPrintable(p));
        QVERIFY(press(QStringLiteral("Read aloud")));
        QCOMPARE(env->spoken.size(), 1);
        // What is read is the words shipped beside the page on show.
        PictureBox *page = nullptr;
        if (teacher *t = Screens::find<teacher>())
            page = t->Image1;
        else
            page = Screens::find<guide>()->Image1;
        QCOMPARE(env->spoken[0], QStringLiteral("say ") + accessibility::describe(page->source()));
        QVERIFY(env->spoken[0].size() > 100);
        QWidget *viewer = page->parentWidget();
        QVERIFY(press(QStringLiteral("Previous Page"), viewer) || press(QStringLiteral("Exit"), viewer));
        QCOMPARE(env->spoken.last(), QStringLiteral("stop"));
    }

    void readableQuestionFormat_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain") << "Which is hottest?" << QStringList{"Mercury", "Venus", "Earth", "Mars"}
                               << "Which is hottest? A: Mercury. B: Venus. C: Earth. D: Mars.";
        QTest::newRow("answers ending in stops keep one") << "Pick one" << QStringList{"Yes.", "No!", "Maybe?", " Blank "}
                                                          << "Pick one. A: Yes. B: No! C: Maybe? D: Blank.";
        QTest::newRow("empty answer says its letter") << "Q?" << QStringList{"a", "", "c", "d"} << "Q? A: a. B. C: c. D: d.";
    }
    void readableQuestionFormat()
    {
        QFETCH(QString, question);
        QFETCH(QStringList, answers);
        QFETCH(QString, spoken);
        QCOMPARE(readableQuestion(question, answers), spoken);
    }

private:
    static QString sentence(const QString &s)
    {
        const QString t = s.trimmed();
        return t.endsWith(QLatin1Char('?')) || t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char('!')) ? t : t + QLatin1Char('.');
    }

    multiple *openQuiz(bool fresh = true)
    {
        if (fresh)
            Screens::show<intro0>();
        if (!press(QStringLiteral("Other Planets")) || !press(QStringLiteral("Multiple Choice")))
            return nullptr;
        return Screens::find<multiple>();
    }

    void dragTo(Activity *a, int label, QWidget *box)
    {
        QVERIFY(QTest::qWaitForWindowExposed(a));
        const QPoint start = a->Label2[label]->geometry().center();
        const QPoint to = box->geometry().center();
        QTest::mousePress(a, Qt::LeftButton, {}, start);
        QTest::mouseMove(a, (start + to) / 2);
        QTest::mouseMove(a, to);
        QTest::mouseRelease(a, Qt::LeftButton, {}, to);
        settle();
    }

    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
