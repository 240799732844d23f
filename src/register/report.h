// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class summary on paper: each class on a page of its own, a row a pupil and a column an
// activity, each cell the pupil's latest score with their best in brackets when it was higher.
#include "register/store.h"

#include <QDate>

class Printer;

namespace report {

struct ClassPage {
    QString name;
    QList<reg::Pupil> pupils;
    QList<reg::Attempt> attempts;
};

// Prints the pages and ends the document; a PrintError from the printer passes through.
void print(Printer &printer, const QList<ClassPage> &classes, const QDate &printed);

}  // namespace report
