// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the teacher's view shows of a class's attempts: each pupil's latest and best score on
// each activity, and for a quiz how many pupils got each question right.
#include "register/store.h"

#include <QMap>
#include <QPair>
#include <QStringList>

namespace summary {

struct Scores {
    int latest = 0;
    int best = 0;
    int total = 0;
    int attempts = 0;
};
// Keyed by (pupil id, activity); attempts in any order, the latest being the last to end.
QMap<QPair<qint64, QString>, Scores> scores(const QList<reg::Attempt> &attempts);

// The activities the attempts are of, in alphabetical order: the results' columns.
QStringList activities(const QList<reg::Attempt> &attempts);
// "7/10", and the best in brackets when it was higher: "7/10 (9)"; empty with no attempt.
QString cell(const Scores &s);
// The same in words for a screen reader: "7 out of 10, best 9", or "Not done yet".
QString cellWords(const Scores &s);

struct Question {
    int right = 0;
    int asked = 0;  // pupils whose latest attempt marked this question
};
// For one activity, question by question, counted on each pupil's latest attempt.
QList<Question> questions(const QList<reg::Attempt> &attempts, const QString &activity);

}  // namespace summary
