// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's room through its screens: the PIN chosen, asked and guarded; classes and pupils
// typed, pasted, imported, renamed and removed; the results table, the charts, the export, the
// printed summary and the deleting of results; and a damaged register told of.
#include "register/chart.h"
#include "register/classroom.h"
#include "register/csv.h"
#include "register/pin.h"
#include "register/pinpad.h"
#include "register/room.h"
#include "shell/intro0.h"
#include "support/recordingprinter.h"
#include "support/testenv.h"
#include "ui/screens.h"

#include <QAbstractBarSeries>
#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QTest>

namespace {

const QString kPin = QStringLiteral("2468");

void openPad() { QTest::mouseClick(Screens::show<intro0>()->Label2[21], Qt::LeftButton); }

void typePin(PinPad *pad, const QString &first, const QString &again = {})
{
    pad->Text1->clear();
    QTest::keyClicks(pad->Text1, first);
    if (pad->Text2->isVisible()) {
        pad->Text2->clear();
        QTest::keyClicks(pad->Text2, again);
    }
    QTest::mouseClick(pad->Command1, Qt::LeftButton);
}

// Through the menu and the PIN into the room.
Room *enter()
{
    classroom::setUp()->setSetting(QStringLiteral("pin"), pin::hash(kPin));
    openPad();
    typePin(Screens::find<PinPad>(), kPin);
    Room *room = Screens::find<Room>();
    return room && room->isVisible() ? room : nullptr;
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList row(const QTableWidget *t, int r)
{
    QStringList out{t->verticalHeaderItem(r)->text()};
    for (int c = 0; c < t->columnCount(); ++c)
        out << t->item(r, c)->text();
    return out;
}

// Edits a list's current item as the teacher does: F2, the new text, Enter.
void renameCurrent(QListWidget *list, const QString &name)
{
    list->setFocus();
    QTest::keyClick(list, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, name);
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
}

reg::Attempt attempt(qint64 pupil, const QString &activity, int score, const QString &marks, int day)
{
    reg::Attempt a;
    a.uuid = QStringLiteral("%1-%2-%3").arg(pupil).arg(activity).arg(day);
    a.pupilId = pupil;
    a.activity = activity;
    a.score = score;
    a.total = marks.isEmpty() ? 8 : 10;
    a.marks = marks;
    a.started = QDateTime(QDate(2026, 11, day), QTime(10, 0));
    a.ended = a.started.addSecs(300);
    a.computer = QStringLiteral("room-2");
    return a;
}

}  // namespace

class TestRoom : public QObject {
    Q_OBJECT
    std::unique_ptr<TestEnv> env;

private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup()
    {
        printing::setFactory({});
        env.reset();
    }

    // First use: the PIN chosen twice and kept only as a hash. Then asked; five wrong tries
    // lock the pad; Exit and Escape leave without entering.
    void thePin()
    {
        openPad();
        PinPad *pad = Screens::find<PinPad>();
        QVERIFY(pad && pad->isVisible() && pad->Text2->isVisible());
        QVERIFY(QFile::exists(reg::Store::defaultPath()));
        // A screen reader hears what to type, and each complaint.
        auto said = [pad] {
            auto *a = pad->window()->findChild<QWidget *>(QStringLiteral("announcer"));
            return a ? QAccessible::queryAccessibleInterface(a)->text(QAccessible::Name) : QString();
        };
        QTRY_COMPARE(said(), pad->Label1->text());
        typePin(pad, QStringLiteral("123"), QStringLiteral("123"));
        QCOMPARE(pad->Label3->text(), QStringLiteral("A PIN is 4 to 8 digits."));
        QCOMPARE(said(), pad->Label3->text());
        typePin(pad, QStringLiteral("1234"), QStringLiteral("1243"));
        QCOMPARE(pad->Label3->text(), QStringLiteral("The two PINs are not the same. Type them again."));
        pad->Text1->clear();
        QTest::keyClicks(pad->Text1, QStringLiteral("12ab"));
        QCOMPARE(pad->Text1->text(), QStringLiteral("12"));  // digits only
        typePin(pad, QStringLiteral("90210"), QStringLiteral("90210"));
        QTRY_VERIFY(Screens::find<Room>() && Screens::find<Room>()->isVisible());
        const QString kept = classroom::store()->setting(QStringLiteral("pin"));
        QVERIFY(kept.startsWith(QStringLiteral("pbkdf2-sha256$")) && !kept.contains(QStringLiteral("90210")));
        QTest::keyClick(Screens::find<Room>(), Qt::Key_Escape);
        QVERIFY(!Screens::isLoaded<Room>());

        openPad();
        pad = Screens::find<PinPad>();
        QVERIFY(!pad->Text2->isVisible());
        for (int i = 0; i < pin::Guard::kTries; ++i)
            typePin(pad, QStringLiteral("1111"));
        QVERIFY(pad->Label3->text().startsWith(QStringLiteral("Too many wrong tries. Try again in 30 seconds.")));
        QVERIFY(!pad->Command1->isEnabled() && !pad->Text1->isEnabled());
        QTest::mouseClick(pad->Command2, Qt::LeftButton);  // Exit
        QVERIFY(!Screens::isLoaded<PinPad>() && !Screens::isLoaded<Room>());
        openPad();  // coming back does not undo the wait
        QVERIFY(!Screens::find<PinPad>()->Command1->isEnabled());
    }

    // A class made and named, names pasted (blank lines and a repeat ignored) and imported from
    // a school's list, renamed, and removed after asking.
    void classesAndPupils()
    {
        Room *room = enter();
        QVERIFY(room);
        QVERIFY(!room->addNames->isEnabled());  // no class yet
        QTest::mouseClick(room->addClass, Qt::LeftButton);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Class 4B"));
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        QCOMPARE(texts(room->classList), QStringList{"Class 4B"});
        room->namesBox->setPlainText(QStringLiteral("Amira\n\n  Ben  \nCai\nben\n"));
        QTest::mouseClick(room->addNames, Qt::LeftButton);
        QCOMPARE(texts(room->pupilList), (QStringList{"Amira", "Ben", "Cai"}));
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("3 names added; 1 already in the class."));
        QVERIFY(room->namesBox->toPlainText().isEmpty());

        const QString list = QDir(env->dataDir()).filePath(QStringLiteral("class.csv"));
        TestEnv::writeFile(list, "\xEF\xBB\xBFName,Year\r\nDev,4\r\nEve,4\r\nCai,4\r\n");
        env->messages->files = {list};
        QTest::mouseClick(room->importNames, Qt::LeftButton);
        QCOMPARE(texts(room->pupilList), (QStringList{"Amira", "Ben", "Cai", "Dev", "Eve"}));
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("2 names added; 1 already in the class."));
        TestEnv::writeFile(list, QByteArray("\0\x01\x02", 3));
        env->messages->files = {list};
        QTest::mouseClick(room->importNames, Qt::LeftButton);
        QVERIFY(env->messages->shown.takeLast().startsWith(QStringLiteral("No names were found in \"class.csv\".")));

        room->pupilList->setCurrentRow(1);
        renameCurrent(room->pupilList, QStringLiteral("Benjamin"));
        QCOMPARE(texts(room->pupilList).value(1), QStringLiteral("Benjamin"));
        room->pupilList->setCurrentRow(1);
        renameCurrent(room->pupilList, QStringLiteral("amira"));  // another pupil's name
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("A pupil needs a name that no one else in the class has."));
        QCOMPARE(texts(room->pupilList).value(1), QStringLiteral("Benjamin"));

        room->pupilList->setCurrentRow(0);
        env->messages->answers = {false};
        QTest::mouseClick(room->removePupil, Qt::LeftButton);
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("Remove Amira from the class, with all their results? This cannot be undone."));
        QCOMPARE(room->pupilList->count(), 5);
        QTest::mouseClick(room->removePupil, Qt::LeftButton);
        QCOMPARE(texts(room->pupilList).first(), QStringLiteral("Benjamin"));

        renameCurrent(room->classList, QStringLiteral("Class 5B"));
        QCOMPARE(classroom::store()->classes().value(0).name, QStringLiteral("Class 5B"));
        QTest::mouseClick(room->removeClass, Qt::LeftButton);
        QCOMPARE(env->messages->shown.takeLast(),
                 QStringLiteral("Remove the class \"Class 5B\", its 4 pupils and all their results? This cannot be undone."));
        QVERIFY(classroom::store()->classes().isEmpty() && room->pupilList->count() == 0);
    }

    // Latest and best in the table, the pupil's history and a quiz's questions charted, the
    // export as the command line writes it, one printed page a class, and results deleted.
    void results()
    {
        reg::Register *s = classroom::setUp();
        const qint64 c = s->addClass(QStringLiteral("Class 4B"));
        s->addPupils(c, {QStringLiteral("Amira"), QStringLiteral("Ben"), QStringLiteral("Cai")});
        s->addPupils(s->addClass(QStringLiteral("Class 3A")), {QStringLiteral("Zed")});
        const QList<reg::Pupil> p = s->pupils(c);
        const QString quiz = QStringLiteral("Other Planets: Multiple Choice"), order = QStringLiteral("Other Planets: Ordering Activity");
        for (const reg::Attempt &a : {attempt(p[0].id, quiz, 9, "1111111110", 2), attempt(p[0].id, quiz, 6, "1111110000", 3),
                                      attempt(p[1].id, quiz, 4, "1010101000", 2), attempt(p[1].id, order, 8, "", 4)})
            QVERIFY(s->record(a));
        Room *room = enter();
        QVERIFY(room);
        QCOMPARE(texts(room->classList), (QStringList{"Class 3A", "Class 4B"}));
        room->classList->setCurrentRow(1);
        room->tabs->setCurrentIndex(1);
        QTableWidget *t = room->results;
        QCOMPARE(t->columnCount(), 2);
        QCOMPARE(t->horizontalHeaderItem(0)->text(), QStringLiteral("Other Planets:\nMultiple Choice"));
        QCOMPARE(row(t, 0), (QStringList{"Amira", "6/10 (9)", ""}));
        QCOMPARE(row(t, 1), (QStringList{"Ben", "4/10", "8/8"}));
        QCOMPARE(row(t, 2), (QStringList{"Cai", "", ""}));
        QCOMPARE(t->item(0, 0)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("6 out of 10, best 9"));

        t->setCurrentCell(0, 0);
        QTest::mouseClick(room->history, Qt::LeftButton);
        Chart *chart = Screens::find<Chart>();
        QVERIFY(chart && chart->isVisible());
        QCOMPARE(chart->Label1->text(), QStringLiteral("Amira's history"));
        QCOMPARE(chart->values->toPlainText(), QStringLiteral("2 Nov 2026, 10:05: Other Planets: Multiple Choice, 9 out of 10\n"
                                                               "3 Nov 2026, 10:05: Other Planets: Multiple Choice, 6 out of 10"));
        auto *line = qobject_cast<QLineSeries *>(qobject_cast<QChartView *>(chart->view)->chart()->series().value(0));
        QVERIFY(line && line->count() == 2);
        QCOMPARE(line->at(1).y(), 60.0);
        QTest::keyClick(chart, Qt::Key_Escape);
        QVERIFY(!Screens::isLoaded<Chart>() && room->isVisible());

        QTest::mouseClick(room->analysis, Qt::LeftButton);  // the quiz's column: latest attempts only
        chart = Screens::find<Chart>();
        const QStringList counts = chart->values->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(counts.size(), 10);
        QCOMPARE(counts.mid(0, 2), (QStringList{"Question 1: 2 of 2 right", "Question 2: 1 of 2 right"}));
        QCOMPARE(counts.last(), QStringLiteral("Question 10: 0 of 2 right"));
        QVERIFY(qobject_cast<QAbstractBarSeries *>(qobject_cast<QChartView *>(chart->view)->chart()->series().value(0)));
        QTest::mouseClick(chart->back, Qt::LeftButton);
        t->setCurrentCell(1, 1);  // the ordering activity keeps no marks
        QTest::mouseClick(room->analysis, Qt::LeftButton);
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("\"Other Planets: Ordering Activity\" keeps only its score, not each question's mark."));

        const QString file = QDir(env->dataDir()).filePath(QStringLiteral("results.csv"));
        env->messages->files = {file};
        QTest::mouseClick(room->exportResults, Qt::LeftButton);
        QFile out(file);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), csv::results(s->attempts()));

        QStringList printed;
        printing::setFactory([&printed] { return std::make_unique<RecordingPrinter>(&printed); });
        QTest::mouseClick(room->printSummary, Qt::LeftButton);
        QCOMPARE(printed.count(QStringLiteral("page")), 1);
        const qsizetype page = printed.indexOf(QStringLiteral("page"));
        QVERIFY(printed.indexOf(QStringLiteral("line \"Class 3A\"")) < page && printed.indexOf(QStringLiteral("line \"Class 4B\"")) > page);
        QVERIFY(printed.contains(QStringLiteral("keep \"6/10 (9)\"")) && printed.contains(QStringLiteral("line \"2  Other Planets: Ordering Activity\"")));
        QCOMPARE(printed.last(), QStringLiteral("end"));
        QCOMPARE(env->messages->shown.last(), QStringLiteral("Your summary is now printing."));

        room->tabs->setCurrentIndex(0);
        room->pupilList->setCurrentRow(0);
        QTest::mouseClick(room->deletePupilResults, Qt::LeftButton);
        QCOMPARE(env->messages->shown.takeLast(), QStringLiteral("Delete all of Amira's results? Amira stays in the class. This cannot be undone."));
        QCOMPARE(s->attempts().size(), 2);
        QCOMPARE(row(t, 0), (QStringList{"Amira", "", ""}));
        room->tabs->setCurrentIndex(1);
        env->messages->answers = {false};
        QTest::mouseClick(room->deleteAll, Qt::LeftButton);
        QCOMPARE(s->attempts().size(), 2);
        QTest::mouseClick(room->deleteAll, Qt::LeftButton);
        QVERIFY(s->attempts().isEmpty());
        QCOMPARE(s->pupils(c).size(), 3);
    }

    // A register that cannot be read is set aside; the teacher hears of it once, sets a PIN again.
    void damagedRegisterTold()
    {
        TestEnv::writeFile(reg::Store::defaultPath(), QByteArray(4096, 'x'));
        openPad();
        QCOMPARE(env->messages->shown.size(), 1);
        QVERIFY2(env->messages->shown[0].startsWith(QStringLiteral("The class register was damaged, so it was put aside as \"register-damaged-")),
                 qPrintable(env->messages->shown[0]));
        QVERIFY(Screens::find<PinPad>()->Text2->isVisible());  // a fresh register: choose a PIN
        QTest::mouseClick(Screens::find<PinPad>()->Command2, Qt::LeftButton);
        openPad();
        QCOMPARE(env->messages->shown.size(), 1);
    }
};

QTEST_MAIN(TestRoom)
#include "tst_room.moc"
