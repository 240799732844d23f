// SPDX-License-Identifier: GPL-3.0-or-later
// The register through the real screens: nothing asked or written until a class is set up;
// then the picker before a quiz or an activity, and each score kept for the pupil who picked.
#include "activities/engine.h"
#include "register/classroom.h"
#include "register/store.h"
#include "register/walks.h"
#include "support/testenv.h"

#include <QFile>
#include <QLineEdit>

class TestClassroom : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    // With no class nothing is asked and no register file is made.
    void offUntilSetUp()
    {
        openQuiz();
        QVERIFY(!Screens::isLoaded<Picker>());
        takeQuiz({1, 2, 3});
        QVERIFY(!QFile::exists(reg::Store::defaultPath()));
    }

    // A pupil picks their name, takes the quiz, and the score is on the file before the
    // results show; the certificate starts with their name; next time their name comes first.
    // "Not in the list" and a quiz left before its score keep nothing.
    void quizKeptForThePupil()
    {
        {
            reg::Store setUp;
            const qint64 c = setUp.addClass(QStringLiteral("Class 4B"));
            QCOMPARE(setUp.addPupils(c, {QStringLiteral("Amira"), QStringLiteral("Ben"), QStringLiteral("Cai")}), 3);
        }
        openQuiz();
        Picker *picker = Screens::find<Picker>();
        QVERIFY(picker && picker->isVisible() && !Screens::isLoaded<multiple>());
        QCOMPARE(picker->Label6->text(), QStringLiteral("Other Planets: Multiple Choice"));
        QCOMPARE(namesShown(picker), (QStringList{"Amira", "Ben", "Cai"}));
        QTest::mouseClick(picker->names[1], Qt::LeftButton);  // Ben
        takeQuiz({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QList<reg::Attempt> kept = classroom::store()->attempts();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].pupil, QStringLiteral("Ben"));
        QCOMPARE(kept[0].activity, QStringLiteral("Other Planets: Multiple Choice"));
        QCOMPARE((QList<int>{kept[0].score, kept[0].total}), (QList<int>{10, 10}));
        QCOMPARE(kept[0].marks, QStringLiteral("1111111111"));
        QVERIFY(kept[0].started <= kept[0].ended);
        QCOMPARE(Screens::find<Welldone>()->Text1->text(), QStringLiteral("Ben"));

        openQuiz();
        picker = Screens::find<Picker>();
        QCOMPARE(namesShown(picker), (QStringList{"Ben", "Amira", "Cai"}));
        QTest::mouseClick(picker->label3[0], Qt::LeftButton);  // Not in the list
        takeQuiz({1, 2});
        openQuiz();
        // By keyboard: the first name has the focus, Enter picks it.
        picker = Screens::find<Picker>();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(picker->names[0]));
        QTest::keyClick(picker->names[0], Qt::Key_Return);
        QTRY_VERIFY(Screens::find<multiple>() && Screens::find<multiple>()->isVisible());
        QTest::mouseClick(Screens::find<multiple>()->Option1[1], Qt::LeftButton);
        QTest::mouseClick(Screens::find<multiple>()->label3[2], Qt::LeftButton);  // Exit, before the score
        openQuiz();
        QTest::mouseClick(Screens::find<Picker>()->label3[1], Qt::LeftButton);  // Exit: back, nothing starts
        QVERIFY(!Screens::isLoaded<multiple>());
        QVERIFY(Screens::find<weather>()->isVisible());
        kept = classroom::store()->attempts();
        QCOMPARE(kept.size(), 1);

        // An activity: its score and total, for the pupil picked.
        QTest::mouseClick(Screens::find<weather>()->label3[3], Qt::LeftButton);  // Ordering Activity
        QTest::mouseClick(Screens::find<Picker>()->names[1], Qt::LeftButton);    // Amira, after Ben
        Activity *a = nullptr;
        for (Screen *s : Screens::loaded())
            if (auto *found = qobject_cast<Activity *>(s); found && found->isVisible())
                a = found;
        QVERIFY(a);
        for (int i = 0; i < a->count(); ++i) {
            const TwipsRect &r = a->labelRect(i);
            a->Label2_MouseMove(i, Qt::LeftButton, a->boxRect(i).left - r.left + r.width / 2, a->boxRect(i).top - r.top + r.height / 2);
            a->Label2_MouseUp(i);
        }
        QTest::mouseClick(a->label3[2], Qt::LeftButton);  // Check Score
        kept = classroom::store()->attempts();
        QCOMPARE(kept.size(), 2);
        QCOMPARE(kept[1].pupil, QStringLiteral("Amira"));
        QCOMPARE(kept[1].activity, QStringLiteral("Other Planets: Ordering Activity"));
        QCOMPARE((QList<int>{kept[1].score, kept[1].total}), (QList<int>{shared::score.toInt(), a->count()}));
        QCOMPARE(kept[1].marks, QString());
    }

    // Several classes: the class first, then its pupils; a class longer than a page turns over.
    void classesAndPages()
    {
        {
            reg::Store setUp;
            setUp.addPupils(setUp.addClass(QStringLiteral("Class 3A")), {QStringLiteral("Zed")});
            QStringList many;
            for (int i = 1; i <= 40; ++i)
                many << QStringLiteral("Pupil %1").arg(i, 2, 10, QLatin1Char('0'));
            setUp.addPupils(setUp.addClass(QStringLiteral("Class 4B")), many);
        }
        openQuiz();
        Picker *picker = Screens::find<Picker>();
        QCOMPARE(picker->Label1->text(), QStringLiteral("Which class are you in?"));
        QCOMPARE(namesShown(picker), (QStringList{"Class 3A", "Class 4B"}));
        QTest::mouseClick(picker->names[1], Qt::LeftButton);
        QCOMPARE(picker->Label1->text(), QStringLiteral("Who is doing this?"));
        QCOMPARE(namesShown(picker).size(), Picker::kPerPage);
        QCOMPARE(namesShown(picker).first(), QStringLiteral("Pupil 01"));
        QTest::mouseClick(picker->label3[2], Qt::LeftButton);  // More names >>
        QCOMPARE(namesShown(picker), (QStringList{"Pupil 34", "Pupil 35", "Pupil 36", "Pupil 37", "Pupil 38", "Pupil 39", "Pupil 40"}));
        QTest::mouseClick(picker->names[6], Qt::LeftButton);
        takeQuiz({1});
        QCOMPARE(classroom::store()->attempts().value(0).pupil, QStringLiteral("Pupil 40"));
        QCOMPARE(classroom::store()->attempts().value(0).className, QStringLiteral("Class 4B"));
    }
};

QTEST_MAIN(TestClassroom)
#include "tst_classroom.moc"
