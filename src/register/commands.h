// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The technician's commands, run without a display: add a class from a class list, and write
// every attempt as the teacher's export does, and forget a PIN no one remembers. Each returns the program's exit status and says
// what it did (or what was wrong) on standard output (or standard error).
#include <QString>

namespace commands {

int importClass(const QString &className, const QString &file);
int exportResults(const QString &file);
// Forgets the teacher's PIN, so the next teacher to open the register chooses one; the classes
// and results stay.
int forgetPin();

}  // namespace commands
