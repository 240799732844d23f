// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's room, behind the teacher's PIN: classes and their pupils (typed, pasted or read
// from a school's class list), and the results: each pupil's latest and best score on every
// activity, a pupil's history, a quiz's questions, the export for a spreadsheet, the printed
// summary and the deleting of results.
#include "register/store.h"
#include "ui/screen.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>

// The menu's "Class Register": the teacher's PIN asked (or chosen, the first time), then the room.
// A register found damaged and set aside is told of first.
void enterRoom();
// How many attempts made here wait to be sent to the school's server, in words; empty when none.
QString waitingNote();

class Room : public Screen {
    Q_OBJECT
public:
    Room();
    void onLoad() override;

    // Opens the room on `store`, the first class chosen.
    void open(reg::Register *store);
    // The class chosen in the list; 0 with none.
    qint64 classId() const;

    QLabel *Label1;  // "Class Register"
    QTabWidget *tabs;

    // Classes and pupils
    QListWidget *classList;
    QPushButton *addClass;
    QPushButton *renameClass;
    QPushButton *removeClass;
    QListWidget *pupilList;
    QPushButton *renamePupil;
    QPushButton *removePupil;
    QPushButton *deletePupilResults;
    QPlainTextEdit *namesBox;
    QPushButton *addNames;
    QPushButton *importNames;

    // Results
    QLabel *resultsOf;
    QTableWidget *results;
    QLabel *key;
    QPushButton *history;
    QPushButton *analysis;
    QPushButton *exportResults;
    QPushButton *printSummary;
    QPushButton *deleteAll;

    QPushButton *changePin;
    QPushButton *exitRoom;
    QLabel *waiting;  // what this computer has yet to send to the school's server

private:
    void showClasses(qint64 choose);
    void showPupils();
    void showResults();
    void classEdited(QListWidgetItem *item);
    void pupilEdited(QListWidgetItem *item);
    void newClass();
    void deleteClass();
    void addTypedNames();
    void importFile();
    void deletePupil();
    void deleteResultsOfPupil();
    void showHistory();
    void showAnalysis();
    void exportFile();
    void print();
    void deleteAllResults();
    qint64 pupilId() const;

    reg::Register *store_ = nullptr;
    QList<reg::Attempt> attempts_;  // the chosen class's
    QList<reg::Pupil> pupils_;      // the chosen class's
    QStringList activities_;        // the results' columns
    bool filling_ = false;          // lists being filled: their changes are not edits
    QMetaObject::Connection waitingWatch_;  // the school's link telling of each round of sending
};
