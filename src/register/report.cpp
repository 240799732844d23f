// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/report.h"

#include "register/summary.h"
#include "services/printing.h"

#include <QLocale>
#include <algorithm>

namespace report {
namespace {

constexpr double kLargestPt = 11, kSmallestPt = 6;
// A line's height for a point size, with room to spare over any printer font's spacing.
constexpr double kTwipsPerPointLine = 25;

void printPage(Printer &p, const ClassPage &page, const QDate &printed)
{
    const QStringList activities = summary::activities(page.attempts);
    const auto scores = summary::scores(page.attempts);
    p.setFontName(QStringLiteral("Arial"));

    p.setFontSize(16);
    p.printEndingLine(page.name);
    p.setFontSize(10);
    p.printEndingLine(QStringLiteral("Results printed on ") + QLocale(QLocale::English, QLocale::UnitedKingdom).toString(printed, QStringLiteral("d MMMM yyyy")));
    p.printEndingLine(QString());

    // One page a class: the table's type shrinks until the rows, the key to the columns and the
    // widest cell fit.
    const int lines = int(page.pupils.size() + activities.size()) + 4;
    double pt = std::clamp(p.pageHeight() / (lines * kTwipsPerPointLine), kSmallestPt, kLargestPt);
    p.setFontSize(pt);
    double nameWidth = p.textWidth(QStringLiteral("Pupil"));
    for (const reg::Pupil &pupil : page.pupils)
        nameWidth = std::max(nameWidth, p.textWidth(pupil.name));
    nameWidth = std::min(nameWidth + 240, p.pageWidth() / 3);
    const int columns = std::max<int>(1, int(activities.size()));
    double column = (p.pageWidth() - nameWidth) / columns;
    const double widest = p.textWidth(QStringLiteral("10/10 (10)")) + 120;
    if (column < widest && pt > kSmallestPt) {
        pt = std::max(kSmallestPt, pt * column / widest);
        p.setFontSize(pt);
    }

    p.setCurrentX(0);
    p.printKeepingLine(QStringLiteral("Pupil"));
    for (int c = 0; c < activities.size(); ++c) {
        p.setCurrentX(nameWidth + c * column);
        p.printKeepingLine(QString::number(c + 1));
    }
    p.printEndingLine(QString());
    for (const reg::Pupil &pupil : page.pupils) {
        p.setCurrentX(0);
        p.printKeepingLine(pupil.name);
        for (int c = 0; c < activities.size(); ++c) {
            p.setCurrentX(nameWidth + c * column);
            p.printKeepingLine(summary::cell(scores.value(qMakePair(pupil.id, activities[c]))));
        }
        p.printEndingLine(QString());
    }
    p.printEndingLine(QString());
    if (activities.isEmpty())
        p.printEndingLine(QStringLiteral("No results have been kept for this class yet."));
    for (int c = 0; c < activities.size(); ++c)
        p.printEndingLine(QStringLiteral("%1  %2").arg(c + 1).arg(activities[c]));
    if (!activities.isEmpty())
        p.printEndingLine(QStringLiteral("Each score is the pupil's latest; their best, when higher, is in brackets."));
}

}  // namespace

void print(Printer &printer, const QList<ClassPage> &classes, const QDate &printed)
{
    for (const ClassPage &page : classes) {
        printer.newPage();
        printPage(printer, page, printed);
    }
    printer.endDocument();
}

}  // namespace report
