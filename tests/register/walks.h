// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A pupil's way through the real screens to a score: the planets quiz opened from the menu, a
// name picked, the ten questions answered.
#include "core/shared.h"
#include "quiz/multiple.h"
#include "quiz/welldone.h"
#include "register/picker.h"
#include "shell/intro0.h"
#include "topics/hub.h"
#include "ui/screens.h"

#include <QTest>

inline void openQuiz()
{
    QTest::mouseClick(Screens::show<intro0>()->Label2[10], Qt::LeftButton);  // "Other Planets"
    QTest::mouseClick(Screens::find<weather>()->label3[0], Qt::LeftButton);  // "Multiple Choice"
}

inline QStringList namesShown(Picker *p)
{
    QStringList out;
    for (int i = 0; i < Picker::kPerPage; ++i)
        if (p->names[i]->isVisibleTo(p))
            out << p->names[i]->text();
    return out;
}

// Answers the quiz on show, right on the questions of `right` (1-10), up to its score.
inline void takeQuiz(const QList<int> &right)
{
    multiple *quiz = Screens::find<multiple>();
    QVERIFY(quiz && quiz->isVisible());
    for (int q = 1; q <= 10; ++q) {
        const int good = shared::correct[q].toInt();
        QTest::mouseClick(quiz->Option1[right.contains(q) ? good : good % 4 + 1], Qt::LeftButton);
        QTest::mouseClick(quiz->label3[1], Qt::LeftButton);
    }
    QTRY_VERIFY(Screens::find<Welldone>() && Screens::find<Welldone>()->isVisible());
}

// The quiz for the pupil of that name on the picker.
inline void quizAs(const QString &pupil, const QList<int> &right)
{
    openQuiz();
    Picker *picker = Screens::find<Picker>();
    QVERIFY(picker && picker->isVisible());
    const qsizetype at = namesShown(picker).indexOf(pupil);
    QVERIFY2(at >= 0, qPrintable(pupil + QStringLiteral(" is not offered")));
    QTest::mouseClick(picker->names[int(at)], Qt::LeftButton);
    takeQuiz(right);
}
