// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The quiz's and the results screen's rules as plain functions.
#include "core/variant.h"

#include <QList>
#include <QString>
#include <array>

namespace results {

// Below full marks, on the results screen and the review.
inline const QString tryAgain = QStringLiteral("Read the Key Facts and try again.");

// The results screen's message for a score out of a total.
QString message(int score, int total);

// Full marks earn the certificate; anything less the review of wrong answers.
inline bool fullMarks(int score, int total) { return score == total; }

// The celebration sound for a score, chosen by r in [0, 1) among the score's sounds; none below 6.
QString celebration(int score, double r);

// A question's mark: 1 when the chosen option (1 to 4, or 0 for none) is the right answer's number.
int mark(const QString &correct, int chosen);

// The questions marked wrong (0), in order.
QList<int> wrongQuestions(const std::array<Var, 11> &marks);

}  // namespace results
