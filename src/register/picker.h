// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Who is doing this?": before a quiz or an activity, a pupil picks their name from large
// buttons of their class (the last pupil's first), or "Not in the list" to play without a
// record. With several classes the class is picked first. Exit goes back without starting.
#include "register/store.h"
#include "ui/screen.h"

#include <QLabel>
#include <functional>

class Picker : public Screen {
    Q_OBJECT
public:
    static constexpr int kPerPage = 33;  // three columns of eleven

    Picker();
    void onLoad() override;

    // Offers `classes` (or, with one, its pupils) for `activity`; `chosen` gets the pupil (an
    // id of 0 for "Not in the list") and is called before the picker unloads.
    void offer(const QString &activity, const QList<reg::ClassInfo> &classes,
               std::function<QList<reg::Pupil>(qint64 classId)> pupilsOf, qint64 lastPupil,
               std::function<void(const reg::Pupil &)> chosen);

    QLabel *Label1;  // "Who is doing this?"
    QLabel *Label6;  // the activity
    ControlArray<ClickLabel> names;   // the buttons of this page
    ControlArray<ClickLabel> label3;  // 0 "Not in the list", 1 "Exit", 2 "More names >>"

private:
    void showClasses();
    void showPupils(qint64 classId);
    void showPage();
    void nameClicked(int index);
    void label3_Click(int index);

    QList<reg::ClassInfo> classes_;
    std::function<QList<reg::Pupil>(qint64)> pupilsOf_;
    std::function<void(const reg::Pupil &)> chosen_;
    qint64 lastPupil_ = 0;
    QList<reg::Pupil> pupils_;
    bool choosingClass_ = false;
    int page_ = 0;
};
