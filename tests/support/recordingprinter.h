// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printer that records every operation as a line of text, for tests of what is printed and in
// which order. Its page size is set by the test; a text is 100 twips a character wide and a line
// 23 twips a point high (Times New Roman's line spacing, 1.15 em). It follows the real page rule
// and records "page" where a new page starts.
#include "services/printing.h"
#include "formats/wmf/wmf.h"

#include <QStringList>

class RecordingPrinter : public Printer {
public:
    RecordingPrinter(QStringList *log, double width = 11906, double height = 16838) : log_(log), w_(width), h_(height), flow_(height) {}
    void askForColour() override { *log_ << QStringLiteral("in colour"); }
    void setFontName(const QString &f) override { *log_ << QStringLiteral("font ") + f; }
    void setFontSize(double pt) override
    {
        *log_ << QStringLiteral("size %1").arg(pt);
        points_ = pt;
    }
    void setForeColor(const QColor &c) override { *log_ << QStringLiteral("colour ") + c.name(); }
    void setPenWidth(int w) override { *log_ << QStringLiteral("pen %1").arg(w); }
    double pageWidth() override { return w_; }
    double pageHeight() override { return h_; }
    void setCurrentX(double x) override
    {
        x_ = x;
        *log_ << QStringLiteral("x %1").arg(x);
    }
    double currentX() const override { return x_; }
    void printEndingLine(const QString &t) override
    {
        pageBreakFor(1);
        *log_ << QStringLiteral("line \"%1\"").arg(t);
        x_ = 0;
        flow_.advance(lineHeight());
    }
    void printKeepingLine(const QString &t) override
    {
        pageBreakFor(1);
        *log_ << QStringLiteral("keep \"%1\"").arg(t);
        x_ += textWidth(t);
    }
    double textWidth(const QString &t) override { return t.size() * 100.0; }
    void keepTogether(int lines) override { pageBreakFor(lines); }
    void newPage() override
    {
        if (flow_.top() > 0) {
            *log_ << QStringLiteral("page");
            flow_.newPage();
        }
    }
    double lineHeight() const { return points_ * 23; }
    void line(QPointF a, QPointF b, const QColor &c) override
    {
        *log_ << QStringLiteral("rule %1,%2 %3,%4 %5").arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y()).arg(c.name());
    }
    void picture(QPointF at, const wmf::Metafile &m) override
    {
        *log_ << QStringLiteral("picture %1,%2 %3x%4").arg(at.x()).arg(at.y()).arg(m.sizeInches().width()).arg(m.sizeInches().height());
    }
    void endDocument() override { *log_ << QStringLiteral("end"); }

private:
    void pageBreakFor(int lines)
    {
        if (flow_.needsNewPage(lines * lineHeight())) {
            *log_ << QStringLiteral("page");
            flow_.newPage();
        }
    }

    QStringList *log_;
    double x_ = 0, w_, h_;
    double points_ = 12;
    PageFlow flow_;
};
