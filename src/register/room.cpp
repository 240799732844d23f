// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/room.h"

#include "core/media.h"
#include "core/setupform.h"
#include "core/soundrequest.h"
#include "register/chart.h"
#include "register/classroom.h"
#include "register/link.h"
#include "register/csv.h"
#include "register/pinpad.h"
#include "register/report.h"
#include "register/summary.h"
#include "services/logging.h"
#include "services/printing.h"
#include "ui/labels.h"
#include "ui/messages.h"
#include "ui/screens.h"
#include "ui/twips.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QSaveFile>

namespace {

// A class list is a few kilobytes; anything this large is some other file.
constexpr qint64 kLargestClassList = 1 << 20;

QPushButton *button(QWidget *parent, const QString &caption, double left, double top, double width)
{
    auto *b = new QPushButton(caption, parent);
    b->setFont(twips::font(QStringLiteral("Tahoma"), 9.75, true));
    b->setAutoDefault(false);
    twips::place(b, left, top, width, 420);
    return b;
}

// Dark, on a tab's page, which is white whatever the screen's colour.
QLabel *heading(QWidget *parent, const QString &text, double left, double top, double width)
{
    QLabel *l = makeLabel(parent, text, twips::font(QStringLiteral("Tahoma"), 9.75, true), Qt::black, Qt::AlignLeft);
    twips::place(l, left, top, width, 330);
    return l;
}

QListWidget *list(QWidget *parent, const QString &name, double left, double top)
{
    auto *l = new QListWidget(parent);
    l->setFont(twips::font(QStringLiteral("Tahoma"), 11.25));
    l->setAccessibleName(name);
    l->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    twips::place(l, left, top, 3300, 4200);
    return l;
}

// "3 names added; 1 already in the class."
QString addedWords(int added, int already)
{
    return QStringLiteral("%1 %2 added; %3 already in the class.").arg(added).arg(added == 1 ? "name" : "names").arg(already);
}

// The header of an activity's column: its topic above its name.
QString columnTitle(const QString &activity)
{
    QString t = activity;
    return t.replace(QStringLiteral(": "), QStringLiteral(":\n"));
}

}  // namespace

QString waitingNote()
{
    const reg::ServerLink *link = classroom::link();
    const int n = link ? const_cast<reg::ServerLink *>(link)->outbox().count() : 0;
    if (n == 0)
        return {};
    return n == 1 ? QStringLiteral("1 result from this computer is waiting to be sent to the school's register.")
                  : QStringLiteral("%1 results from this computer are waiting to be sent to the school's register.").arg(n);
}

void enterRoom()
{
    reg::Register *store = classroom::setUp();
    if (!store->ok()) {
        const QString waiting = waitingNote();
        messages::ok(waiting.isEmpty() ? store->error() : store->error() + QStringLiteral("\n\n") + waiting);
        return;
    }
    if (!store->mayChange()) {
        const QString only = QStringLiteral("This computer may only add results to the school's register. "
                                            "Open the Class Register on a teacher's computer.");
        const QString waiting = waitingNote();
        messages::ok(waiting.isEmpty() ? only : only + QStringLiteral("\n\n") + waiting);
        return;
    }
    const QString aside = store->setting(QStringLiteral("set-aside"));
    if (!aside.isEmpty()) {
        messages::ok(QStringLiteral("The class register was damaged, so it was put aside as \"%1\" and a new one started. "
                                    "Set up the classes again; a technician may be able to read the old file.")
                         .arg(aside));
        store->setSetting(QStringLiteral("set-aside"), QString());
    }
    PinPad *pad = Screens::get<PinPad>();
    pad->ask(store, false, [store] {
        Room *room = Screens::get<Room>();
        room->open(store);
        Screens::show<Room>();
    });
    Screens::show<PinPad>();
}

Room::Room() : Screen(QStringLiteral("Room"))
{
    Label1 = makeLabel(this, QStringLiteral("Class Register"), twips::font(QStringLiteral("Tahoma"), 20.25, true), QColor(255, 255, 0));
    twips::place(Label1, 0, 120, 12000, 540);
    tabs = new QTabWidget(this);
    tabs->setFont(twips::font(QStringLiteral("Tahoma"), 9.75, true));
    twips::place(tabs, 240, 780, 11520, 7260);

    auto *people = new QWidget;
    heading(people, QStringLiteral("Classes"), 120, 120, 3300);
    classList = list(people, QStringLiteral("Classes"), 120, 480);
    addClass = button(people, QStringLiteral("New Class"), 120, 4800, 1050);
    renameClass = button(people, QStringLiteral("Rename"), 1245, 4800, 1050);
    removeClass = button(people, QStringLiteral("Remove"), 2370, 4800, 1050);
    heading(people, QStringLiteral("Pupils"), 3720, 120, 3300);
    pupilList = list(people, QStringLiteral("Pupils"), 3720, 480);
    renamePupil = button(people, QStringLiteral("Rename"), 3720, 4800, 1620);
    removePupil = button(people, QStringLiteral("Remove"), 5400, 4800, 1620);
    deletePupilResults = button(people, QStringLiteral("Delete This Pupil's Results"), 3720, 5340, 3300);
    heading(people, QStringLiteral("New pupils: type or paste names, one a line"), 7320, 120, 4080);
    namesBox = new QPlainTextEdit(people);
    namesBox->setFont(twips::font(QStringLiteral("Tahoma"), 11.25));
    namesBox->setAccessibleName(QStringLiteral("New pupils' names, one a line"));
    namesBox->setTabChangesFocus(true);
    twips::place(namesBox, 7320, 480, 4080, 3720);
    addNames = button(people, QStringLiteral("Add Names"), 7320, 4260, 4080);
    importNames = button(people, QStringLiteral("Add Names from a Class List..."), 7320, 4800, 4080);
    QLabel *hint = makeLabel(people, QStringLiteral("A class list is a CSV file from the school's system with a column of names."),
                             twips::font(QStringLiteral("Tahoma"), 8.25), Qt::black, Qt::AlignLeft);
    hint->setWordWrap(true);
    twips::place(hint, 7320, 5340, 4080, 600);
    tabs->addTab(people, QStringLiteral("Classes and Pupils"));

    auto *scores = new QWidget;
    resultsOf = heading(scores, QString(), 120, 120, 11200);
    results = new QTableWidget(scores);
    results->setFont(twips::font(QStringLiteral("Tahoma"), 9.75));
    results->setAccessibleName(QStringLiteral("Results"));
    results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results->setTabKeyNavigation(false);
    results->setSelectionMode(QAbstractItemView::SingleSelection);
    results->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    // White past the last row and column too, not the screen's blue.
    QPalette white = results->palette();
    white.setColor(QPalette::Window, Qt::white);
    results->setPalette(white);
    twips::place(results, 120, 480, 11200, 4500);
    key = makeLabel(scores, QStringLiteral("Choose a pupil's row for their history, or a quiz's column for how the class did on each question."),
                    twips::font(QStringLiteral("Tahoma"), 8.25), Qt::black, Qt::AlignLeft);
    twips::place(key, 120, 5040, 11200, 300);
    history = button(scores, QStringLiteral("Pupil's History"), 120, 5460, 2040);
    analysis = button(scores, QStringLiteral("Question Analysis"), 2280, 5460, 2040);
    exportResults = button(scores, QStringLiteral("Export for a Spreadsheet..."), 4440, 5460, 2700);
    printSummary = button(scores, QStringLiteral("Print Summary"), 7260, 5460, 1860);
    deleteAll = button(scores, QStringLiteral("Delete All Results"), 9240, 5460, 2080);
    tabs->addTab(scores, QStringLiteral("Results"));

    changePin = button(this, QStringLiteral("Change PIN"), 240, 8160, 1800);
    exitRoom = button(this, QStringLiteral("Exit"), 10515, 8160, 1245);
    waiting = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 9.75, true), QColor(255, 255, 0), Qt::AlignCenter);
    waiting->setWordWrap(true);
    twips::place(waiting, 2160, 8100, 8235, 540);

    connect(classList, &QListWidget::currentRowChanged, this, [this] {
        if (!filling_)
            showPupils();
    });
    connect(classList, &QListWidget::itemChanged, this, &Room::classEdited);
    connect(pupilList, &QListWidget::itemChanged, this, &Room::pupilEdited);
    connect(addClass, &QPushButton::clicked, this, &Room::newClass);
    connect(renameClass, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *i = classList->currentItem())
            classList->editItem(i);
    });
    connect(removeClass, &QPushButton::clicked, this, &Room::deleteClass);
    connect(renamePupil, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *i = pupilList->currentItem())
            pupilList->editItem(i);
    });
    connect(removePupil, &QPushButton::clicked, this, &Room::deletePupil);
    connect(deletePupilResults, &QPushButton::clicked, this, &Room::deleteResultsOfPupil);
    connect(addNames, &QPushButton::clicked, this, &Room::addTypedNames);
    connect(importNames, &QPushButton::clicked, this, &Room::importFile);
    connect(history, &QPushButton::clicked, this, &Room::showHistory);
    connect(analysis, &QPushButton::clicked, this, &Room::showAnalysis);
    connect(exportResults, &QPushButton::clicked, this, &Room::exportFile);
    connect(printSummary, &QPushButton::clicked, this, &Room::print);
    connect(deleteAll, &QPushButton::clicked, this, &Room::deleteAllResults);
    connect(changePin, &QPushButton::clicked, this, [this] {
        playsound(media::click);
        PinPad *pad = Screens::get<PinPad>();
        pad->ask(store_, true, [] {});
        Screens::show<PinPad>();
    });
    connect(exitRoom, &QPushButton::clicked, this, [this] {
        playsound(media::click);
        Screens::unload(this);
    });
    setEscapeAction([this] { exitRoom->click(); });
}

void Room::onLoad() { setupform(this); }

void Room::open(reg::Register *store)
{
    store_ = store;
    waiting->setText(waitingNote());
    disconnect(waitingWatch_);
    if (reg::ServerLink *link = classroom::link())
        waitingWatch_ = connect(link, &reg::ServerLink::roundDone, this, [this] { waiting->setText(waitingNote()); });
    const QList<reg::ClassInfo> classes = store_->classes();
    showClasses(classes.isEmpty() ? 0 : classes.first().id);
    tabs->setCurrentIndex(classes.isEmpty() ? 0 : tabs->currentIndex());
}

qint64 Room::classId() const
{
    const QListWidgetItem *i = classList->currentItem();
    return i ? i->data(Qt::UserRole).toLongLong() : 0;
}

qint64 Room::pupilId() const
{
    // On the results, the row chosen there; else the pupil chosen in the list.
    if (tabs->currentIndex() == 1) {
        const int row = results->currentRow();
        return row >= 0 && row < pupils_.size() ? pupils_[row].id : 0;
    }
    const QListWidgetItem *i = pupilList->currentItem();
    return i ? i->data(Qt::UserRole).toLongLong() : 0;
}

void Room::showClasses(qint64 choose)
{
    filling_ = true;
    classList->clear();
    for (const reg::ClassInfo &c : store_->classes()) {
        auto *item = new QListWidgetItem(c.name, classList);
        item->setData(Qt::UserRole, c.id);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (c.id == choose)
            classList->setCurrentItem(item);
    }
    if (!classList->currentItem() && classList->count())
        classList->setCurrentRow(0);
    filling_ = false;
    showPupils();
}

void Room::showPupils()
{
    const qint64 chosen = pupilId();
    filling_ = true;
    pupilList->clear();
    pupils_ = classId() ? store_->pupils(classId()) : QList<reg::Pupil>{};
    for (const reg::Pupil &p : std::as_const(pupils_)) {
        auto *item = new QListWidgetItem(p.name, pupilList);
        item->setData(Qt::UserRole, p.id);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        if (p.id == chosen)
            pupilList->setCurrentItem(item);
    }
    filling_ = false;
    const bool haveClass = classId() != 0;
    for (QWidget *w : std::initializer_list<QWidget *>{renameClass, removeClass, addNames, importNames, namesBox})
        w->setEnabled(haveClass);
    for (QWidget *w : std::initializer_list<QWidget *>{renamePupil, removePupil, deletePupilResults})
        w->setEnabled(!pupils_.isEmpty());
    showResults();
}

void Room::showResults()
{
    attempts_ = classId() ? store_->attempts(classId()) : QList<reg::Attempt>{};
    activities_ = summary::activities(attempts_);
    const auto scores = summary::scores(attempts_);
    const QListWidgetItem *c = classList->currentItem();
    resultsOf->setText(c ? c->text() + QStringLiteral(": each pupil's latest score, with their best in brackets when it was higher.")
                         : QStringLiteral("Make a class on the other page first."));
    results->clear();
    results->setRowCount(int(pupils_.size()));
    results->setColumnCount(int(activities_.size()));
    QStringList headers;
    for (const QString &a : std::as_const(activities_))
        headers << columnTitle(a);
    results->setHorizontalHeaderLabels(headers);
    QStringList rows;
    for (const reg::Pupil &p : std::as_const(pupils_))
        rows << p.name;
    results->setVerticalHeaderLabels(rows);
    for (int r = 0; r < pupils_.size(); ++r)
        for (int col = 0; col < activities_.size(); ++col) {
            const summary::Scores got = scores.value(qMakePair(pupils_[r].id, activities_[col]));
            auto *item = new QTableWidgetItem(summary::cell(got));
            item->setData(Qt::AccessibleTextRole, summary::cellWords(got));
            item->setTextAlignment(Qt::AlignCenter);
            results->setItem(r, col, item);
        }
    if (!pupils_.isEmpty() && !activities_.isEmpty())
        results->setCurrentCell(0, 0);
    results->resizeColumnsToContents();
    results->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const bool any = !attempts_.isEmpty();
    history->setEnabled(any);
    analysis->setEnabled(any);
    printSummary->setEnabled(!pupils_.isEmpty());
}

void Room::classEdited(QListWidgetItem *item)
{
    if (filling_)
        return;
    const qint64 id = item->data(Qt::UserRole).toLongLong();
    if (!store_->renameClass(id, item->text()))
        messages::ok(QStringLiteral("A class needs a name that no other class has."));
    // After the editor has closed: the list is filled afresh.
    QMetaObject::invokeMethod(this, [this, id] { showClasses(id); }, Qt::QueuedConnection);
}

void Room::pupilEdited(QListWidgetItem *item)
{
    if (filling_)
        return;
    if (!store_->renamePupil(item->data(Qt::UserRole).toLongLong(), item->text()))
        messages::ok(QStringLiteral("A pupil needs a name that no one else in the class has."));
    QMetaObject::invokeMethod(this, &Room::showPupils, Qt::QueuedConnection);
}

void Room::newClass()
{
    playsound(media::click);
    QString name = QStringLiteral("New class");
    QStringList taken;
    for (const reg::ClassInfo &c : store_->classes())
        taken << c.name.toCaseFolded();
    for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
        name = QStringLiteral("New class %1").arg(n);
    const qint64 id = store_->addClass(name);
    if (!id) {
        messages::ok(QStringLiteral("The class could not be made: ") + store_->error());
        return;
    }
    tabs->setCurrentIndex(0);
    showClasses(id);
    // The teacher names it at once.
    classList->setFocus(Qt::OtherFocusReason);
    classList->editItem(classList->currentItem());
}

void Room::deleteClass()
{
    playsound(media::click);
    const QListWidgetItem *c = classList->currentItem();
    if (!c)
        return;
    if (!messages::okCancel(QStringLiteral("Remove the class \"%1\", its %2 pupils and all their results? This cannot be undone.")
                                .arg(c->text())
                                .arg(pupils_.size())))
        return;
    if (!store_->removeClass(classId()))
        messages::ok(QStringLiteral("The class could not be removed."));
    showClasses(0);
}

void Room::addTypedNames()
{
    playsound(media::click);
    QStringList names;
    for (const QString &line : namesBox->toPlainText().split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            names << line.simplified();
    if (names.isEmpty())
        return;
    const int added = store_->addPupils(classId(), names);
    if (added < 0) {
        messages::ok(QStringLiteral("The names could not be kept."));
        return;
    }
    namesBox->clear();
    showPupils();
    if (added < names.size())
        messages::ok(addedWords(added, int(names.size()) - added));
}

void Room::importFile()
{
    playsound(media::click);
    const QString file = messages::openFile(QStringLiteral("Add Names from a Class List"), QStringLiteral("Class lists (*.csv *.txt);;All files (*)"));
    if (file.isEmpty())
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        messages::ok(QStringLiteral("The file \"%1\" could not be read.").arg(QFileInfo(file).fileName()));
        return;
    }
    const csv::Names list = in.size() > kLargestClassList ? csv::Names{} : csv::names(in.readAll());
    if (list.names.isEmpty()) {
        messages::ok(QStringLiteral("No names were found in \"%1\". A class list is a CSV file with a column of names.").arg(QFileInfo(file).fileName()));
        return;
    }
    const int added = store_->addPupils(classId(), list.names);
    if (added < 0) {
        messages::ok(QStringLiteral("The names could not be kept."));
        return;
    }
    showPupils();
    messages::ok(addedWords(added, int(list.names.size()) - added + list.duplicates));
}

void Room::deletePupil()
{
    playsound(media::click);
    const QListWidgetItem *p = pupilList->currentItem();
    if (!p || !messages::okCancel(QStringLiteral("Remove %1 from the class, with all their results? This cannot be undone.").arg(p->text())))
        return;
    if (!store_->removePupil(p->data(Qt::UserRole).toLongLong()))
        messages::ok(QStringLiteral("The pupil could not be removed."));
    showPupils();
}

void Room::deleteResultsOfPupil()
{
    playsound(media::click);
    const QListWidgetItem *p = pupilList->currentItem();
    if (!p || !messages::okCancel(QStringLiteral("Delete all of %1's results? %1 stays in the class. This cannot be undone.").arg(p->text())))
        return;
    if (!store_->deletePupilResults(p->data(Qt::UserRole).toLongLong()))
        messages::ok(QStringLiteral("The results could not be deleted."));
    showResults();
}

void Room::deleteAllResults()
{
    playsound(media::click);
    if (!messages::okCancel(QStringLiteral("Delete the results of every class? The classes and pupils stay. This cannot be undone.")))
        return;
    if (!store_->deleteAllResults())
        messages::ok(QStringLiteral("The results could not be deleted."));
    else
        qCInfo(lcRegister) << "all results deleted";
    showResults();
}

void Room::showHistory()
{
    playsound(media::click);
    const qint64 id = pupilId();
    if (!id) {
        messages::ok(QStringLiteral("Choose a pupil's row first."));
        return;
    }
    QList<reg::Attempt> theirs;
    QString name;
    for (const reg::Pupil &p : std::as_const(pupils_))
        if (p.id == id)
            name = p.name;
    for (const reg::Attempt &a : std::as_const(attempts_))
        if (a.pupilId == id)
            theirs << a;
    Screens::get<Chart>()->showHistory(name, theirs);
    Screens::show<Chart>();
}

void Room::showAnalysis()
{
    playsound(media::click);
    const int col = results->currentColumn();
    if (col < 0 || col >= activities_.size()) {
        messages::ok(QStringLiteral("Choose a quiz's column first."));
        return;
    }
    const QList<summary::Question> questions = summary::questions(attempts_, activities_[col]);
    if (questions.isEmpty()) {
        messages::ok(QStringLiteral("\"%1\" keeps only its score, not each question's mark.").arg(activities_[col]));
        return;
    }
    Screens::get<Chart>()->showQuestions(classList->currentItem()->text(), activities_[col], questions);
    Screens::show<Chart>();
}

void Room::exportFile()
{
    playsound(media::click);
    const QString file = messages::saveFile(QStringLiteral("Export for a Spreadsheet"), QStringLiteral("results.csv"), QStringLiteral("CSV files (*.csv)"));
    if (file.isEmpty())
        return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv::results(store_->attempts())) < 0 || !out.commit()) {
        messages::ok(QStringLiteral("The results could not be saved as \"%1\".").arg(QFileInfo(file).fileName()));
        return;
    }
    messages::ok(QStringLiteral("The results were saved as \"%1\".").arg(QFileInfo(file).fileName()));
}

void Room::print()
{
    playsound(media::click);
    QList<report::ClassPage> pages;
    for (const reg::ClassInfo &c : store_->classes())
        pages.append({c.name, store_->pupils(c.id), store_->attempts(c.id)});
    try {
        std::unique_ptr<Printer> printer = printing::open();
        report::print(*printer, pages, QDate::currentDate());
        messages::ok(QStringLiteral("Your summary is now printing."));
    } catch (const PrintError &e) {
        qCWarning(lcPrint, "printing failed: %s", e.what());
        messages::ok(QStringLiteral("There was a problem printing to your printer."));
    }
}
