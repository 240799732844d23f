// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/printing.h"

#include "ui/messages.h"
#include "services/printing.h"
#include "core/shared.h"
#include "services/logging.h"

#include <algorithm>

namespace {

const QString kProblem = QStringLiteral("There was a problem printing to your printer.");
const QString kCancelled = QStringLiteral("Printing has been cancelled.");

// Splits a text wider than the page at blanks into lines that fit (a word longer than the page
// keeps a line of its own), so that no part of a heading or a name is cut off at the edge.
QStringList fittingLines(Printer &p, const QString &text, double width)
{
    if (p.textWidth(text) <= width)
        return {text};
    QStringList lines;
    QString current;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && p.textWidth(longer) > width) {
            lines << current;
            current = word;
        } else {
            current = longer;
        }
    }
    lines << current;
    return lines;
}

void centred(Printer &p, const QString &text)
{
    const double W = p.pageWidth();
    for (const QString &line : fittingLines(p, text, W)) {
        p.setCurrentX(std::max(0.0, (W - p.textWidth(line)) / 2));
        p.printEndingLine(line);
    }
}

const QColor kLightBlue(0, 0, 255), kLightRed(255, 0, 0), kBlue(0, 0, 128), kBlack(0, 0, 0);

}  // namespace

void printWorksheet(const QString &productLine, const QString &title)
{
    try {
        auto p = printing::open();
        p->askForColour();
        p->setFontName(QStringLiteral("Times New Roman"));
        p->setFontSize(16);
        p->printEndingLine(QStringLiteral(" "));
        const double W = p->pageWidth();
        p->setCurrentX(W / 16);
        p->printKeepingLine(QStringLiteral("Quillmoor") + QString(57, QLatin1Char(' ')) + QStringLiteral("Corvane"));
        p->printEndingLine(QStringLiteral(" "));
        p->printEndingLine(QStringLiteral(" "));
        p->setFontSize(32);
        centred(*p, productLine);
        centred(*p, title);
        p->printEndingLine(QStringLiteral(" "));
        p->setFontSize(12);
        for (int q = 1; q <= 10; ++q) {
            p->keepTogether(4);  // a question is never parted from its answers
            p->setCurrentX(W / 16);
            p->printEndingLine(QStringLiteral("Question %1    ").arg(q) + shared::question[q]);
            p->setCurrentX(W / 3);
            p->printKeepingLine(QStringLiteral("A. ") + shared::answera[q]);
            p->setCurrentX(2 * W / 3);
            p->printEndingLine(QStringLiteral("B. ") + shared::answerb[q]);
            p->setCurrentX(W / 3);
            p->printKeepingLine(QStringLiteral("C. ") + shared::answerc[q]);
            p->setCurrentX(2 * W / 3);
            p->printEndingLine(QStringLiteral("D. ") + shared::answerd[q]);
            p->printEndingLine(QStringLiteral(" "));
        }
        p->endDocument();
    } catch (const PrintError &e) {
        qCWarning(lcPrint, "printing failed: %s", e.what());
        messages::ok(kProblem);
        return;
    } catch (...) {
        qCWarning(lcPrint, "printing stopped by an unexpected failure");
        messages::ok(kCancelled);
        return;
    }
    messages::ok(QStringLiteral("Your worksheet is now printing."));
}

namespace {

const QString kBanner = QStringLiteral("   Well Done      Well Done     Well Done     Well Done    ");

void blankLines(Printer &p, int times)
{
    for (int i = 0; i < times; ++i)
        p.printEndingLine(QStringLiteral(" "));
}

// Two rows of "Well Done" at the top (light blue) or the foot (black) of the certificate.
void certificateBanner(Printer &p, bool top)
{
    p.setForeColor(kLightBlue);
    p.setFontSize(25);
    blankLines(p, 1);
    if (!top)
        p.setForeColor(kBlack);
    p.printKeepingLine(kBanner);
    p.printKeepingLine(kBanner);
}

// The product title, the quiz's heading, the praise, the pupil's name and the score.
void certificatePanel(Printer &p, const QString &name, double headingWidthTwips)
{
    blankLines(p, 1);
    blankLines(p, 2);
    p.setForeColor(kLightRed);
    p.setFontSize(36);
    centred(p, QStringLiteral("Quillmoor"));
    blankLines(p, 1);
    p.setForeColor(kLightBlue);
    p.setFontSize(headingWidthTwips > p.pageWidth() / 4 ? 28 : 36);
    centred(p, shared::certheading);
    centred(p, QString());
    p.setFontSize(36);
    blankLines(p, 3);
    p.setForeColor(kBlue);
    p.setFontSize(28);
    centred(p, QStringLiteral("Excellent Work"));
    blankLines(p, 1);
    centred(p, name);
    centred(p, QString());
    centred(p, QStringLiteral("You have scored %1 out of %2.").arg(shared::score.toInt()).arg(shared::total.toInt()));
    blankLines(p, 1);
    p.setFontSize(36);
    blankLines(p, 2);
}

// Five nested frames round the page and three round the panel, drawn last.
void certificateFrames(Printer &p)
{
    const double W = p.pageWidth(), H = p.pageHeight();
    p.setPenWidth(2);
    const std::pair<double, double> insets[] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
    auto frame = [&](double l, double t, double r, double b) {
        p.line({l, t}, {r, t}, kBlack);
        p.line({l, t}, {l, b}, kBlack);
        p.line({r, t}, {r, b}, kBlack);
        p.line({l, b}, {r, b}, kBlack);
    };
    for (int i = 0; i < 5; ++i) {
        const auto [dx, dy] = insets[i];
        frame(dx, dy, W - dx, H - dy);
        if (i < 3)
            frame(dx + 600, dy + 7050, W - dx - 600, H - dy - 3750);
    }
}

}  // namespace

void printCertificate(const QString &name, double headingWidthTwips)
{
    try {
        auto p = printing::open();
        p->askForColour();
        p->setFontName(QStringLiteral("Times New Roman"));
        certificateBanner(*p, true);
        certificatePanel(*p, name, headingWidthTwips);
        certificateBanner(*p, false);
        certificateFrames(*p);
        p->endDocument();
    } catch (const PrintError &e) {
        qCWarning(lcPrint, "printing failed: %s", e.what());
        messages::ok(kProblem);
        return;
    } catch (...) {
        qCWarning(lcPrint, "printing stopped by an unexpected failure");
        // Nothing may escape into the event loop; whatever else went wrong, say printing stopped.
        messages::ok(kCancelled);
        return;
    }
    messages::ok(QStringLiteral("Your certificate is now printing."));
}
