#pragma once
// The printing seam: the operations the program prints with, in twips from the top-left corner
// of the printable area. Text flows in lines: "print text, ending the line" prints at the current
// x and moves down one line of the current font to x = 0; "keeping the line" stays on the line
// and moves x to the end of the text. The vertical position is never set directly.
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

class Printer {
public:
    virtual ~Printer() = default;
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
