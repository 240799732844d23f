// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The values the screens share, read and written directly by every screen.
#include "core/variant.h"

#include <QString>
#include <array>

namespace shared {

// Sound: 1 = on. Empty until the main menu first loads.
inline Var soundflag;

// The question set: a title and questions 1 to 10 (index 0 is never used).
inline QString tasktitle;
inline std::array<QString, 11> question, answera, answerb, answerc, answerd, correct;

// The quiz: question on show, right (1) or wrong (0) per question.
inline Var questnum;
inline std::array<Var, 11> mark;

// Result of the last quiz or activity and what it is out of; the certificate's heading.
inline Var score, total;
inline QString certheading;

// The page viewers.
inline QString pageset;
inline Var pagecount, pagenum;

// Frame counters of the hub animation and the logo animation.
inline Var jupiterframe, logoframe;

// The worksheet catalogue as last read (titles 1 to 1000), the title picked for deletion and the
// catalogue page on show.
inline constexpr int kMaxWorksheets = 1000;
inline Var worksheetcount;
inline std::array<QString, kMaxWorksheets + 1> worksheetname;
inline QString currentworksheet;
inline Var catalogpage;

// Back to the state of a program just started (tests run many in one process).
void reset();

}  // namespace shared
