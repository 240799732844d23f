// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated files to and from spreadsheets: the results as a teacher opens them in
// LibreOffice Calc or Excel, and the class lists a school's information system writes.
#include "register/store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace csv {

// One field, quoted, with a leading =, +, - or @ (or a tab or carriage return) made plain text
// by an apostrophe, so a spreadsheet shows it and never runs it as a formula.
QString field(const QString &text);

// Every attempt, one a row under a heading row: UTF-8 with a byte-order mark, CR LF line ends.
QByteArray results(const QList<reg::Attempt> &attempts);

// The rows of a comma- (or semicolon- or tab-) separated text, quoted fields and line breaks
// inside them understood.
QList<QStringList> rows(const QString &text);

struct Names {
    QStringList names;   // in the file's order, each once
    int duplicates = 0;  // names the file held more than once (letter case ignored)
};
// The pupils' names in a class list: UTF-8 (with or without a byte-order mark) or
// Windows-1252; one column, or the column a heading row names ("Name", "Pupil", or "First
// name" with "Surname"); blank lines skipped.
Names names(const QByteArray &file);

}  // namespace csv
