// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question file: a title, a separator, then for each of ten questions the question, answers
// A to D, the number of the right answer ("1" to "4") and a separator: 72 fields. "&" stands for
// a comma in every text; in a quoted text (one with blanks at an end or a leading double quote) a
// comma stands for a double quote.
#include <QString>

class FieldReader;

// Reads a question set from an open file into the shared question set. The caller opens and
// closes the file. False, with the reader failed and saying why, when the file is not a question
// set (fewer than 72 fields, a field too long, a right answer that is not "1" to "4"); the shared
// set is then left as it was, so a broken file never leaves half of one set mixed with another.
bool loadquestions(FieldReader &in);

// Opens a relative question file, loads it and closes it; false when it cannot be read.
bool loadquestionfile(const QString &relativePath);
// The same from a file already found (a teacher's worksheet, looked up by its own rules).
bool loadquestionsfrom(const QString &filePath);

// The longest text a question file may hold in one field.
inline constexpr int kMaxQuestionField = 4096;
