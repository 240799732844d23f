// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printing seam: the operations the program prints with, in twips from the top-left corner
// of the printable area. Text flows in lines: "print text, ending the line" prints at the current
// x and moves down one line of the current font to x = 0; "keeping the line" stays on the line
// and moves x to the end of the text. The vertical position is never set directly. A line that
// would pass the foot of the printable area starts a new page instead of being cut, and a page
// picture too large for the room below its corner is shrunk to fit; lines and pictures are
// otherwise placed exactly as asked.
//
// Backends: the system's default printer (never any other queue), a PDF file, and a recording
// printer for tests. Any failure throws PrintError; the document is then abandoned.
#include <QColor>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

namespace wmf {
struct Metafile;
}

class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The page rule every printer follows: lines go down the page, and a line (or a block of lines
// kept together) that would pass the foot moves to the top of a new page. A page's first line
// stays put even if it is taller than the page, so nothing loops.
class PageFlow {
public:
    explicit PageFlow(double pageHeight = 0) : height_(pageHeight) {}
    void setPageHeight(double twips) { height_ = twips; }
    double top() const { return y_; }
    bool needsNewPage(double height) const { return y_ > 0 && y_ + height > height_; }
    void newPage() { y_ = 0; }
    void advance(double height) { y_ += height; }

private:
    double height_;
    double y_ = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Asks for colour rather than the queue's default, before anything is printed; a printer that
    // has only grey prints the colours as greys.
    virtual void askForColour() = 0;
    virtual void setFontName(const QString &family) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setForeColor(const QColor &colour) = 0;
    virtual void setPenWidth(int pixels) = 0;
    virtual double pageWidth() = 0;   // twips
    virtual double pageHeight() = 0;  // twips
    virtual void setCurrentX(double twips) = 0;
    virtual double currentX() const = 0;
    virtual void printEndingLine(const QString &text) = 0;
    virtual void printKeepingLine(const QString &text) = 0;
    virtual double textWidth(const QString &text) = 0;  // twips, in the current printer font
    // The next `lines` lines of the current font go on one page: a new page starts first when
    // they would pass the foot of this one.
    virtual void keepTogether(int lines) = 0;
    // The next line goes at the top of a new page; nothing happens on a page not yet written on.
    virtual void newPage() = 0;
    virtual void line(QPointF from, QPointF to, const QColor &colour) = 0;
    // A page picture with its top-left corner at a point, at its own size.
    virtual void picture(QPointF topLeft, const wmf::Metafile &picture) = 0;
    virtual void endDocument() = 0;
};

namespace printing {
using Factory = std::function<std::unique_ptr<Printer>()>;
// Tests install a recording printer; by default the system's default printer is used.
void setFactory(Factory f);
// The printer to print on; throws PrintError at once when there is no default printer.
std::unique_ptr<Printer> open();
// The same operations into a PDF file (for previews and tests of the page layout).
std::unique_ptr<Printer> pdf(const QString &path);
}  // namespace printing
