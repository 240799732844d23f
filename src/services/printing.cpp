// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/printing.h"

#include "formats/wmf/wmfplayer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Printing through a QPainter on a QPrinter: the default printer's queue or a PDF file.
class PainterPrinter : public Printer {
public:
    explicit PainterPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer))
    {
        font_.setFamily(QStringLiteral("Times New Roman"));
        font_.setPointSizeF(12);
    }
    ~PainterPrinter() override
    {
        if (painter_.isActive())
            painter_.end();
    }

    void askForColour() override
    {
        if (!started_)
            printer_->setColorMode(QPrinter::Color);
    }
    void setFontName(const QString &family) override { font_.setFamily(family); }
    void setFontSize(double points) override { font_.setPointSizeF(points); }
    void setForeColor(const QColor &c) override { colour_ = c; }
    void setPenWidth(int pixels) override { penWidth_ = pixels; }
    double pageWidth() override { return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).width()); }
    double pageHeight() override { return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).height()); }
    void setCurrentX(double twips) override { x_ = twips; }
    double currentX() const override { return x_; }

    void printEndingLine(const QString &text) override
    {
        draw(text);
        x_ = 0;
        flow_.advance(lineHeight());
    }
    void printKeepingLine(const QString &text) override
    {
        draw(text);
        x_ += textWidth(text);
    }
    double textWidth(const QString &text) override { return toTwips(metrics().horizontalAdvance(text)); }
    void keepTogether(int lines) override
    {
        begin();
        if (flow_.needsNewPage(lines * lineHeight()))
            newPage();
    }

    void line(QPointF from, QPointF to, const QColor &colour) override
    {
        begin();
        painter_.setPen(QPen(colour, penWidth_));
        painter_.drawLine(toDevice(from), toDevice(to));
    }
    void picture(QPointF topLeft, const wmf::Metafile &m) override
    {
        begin();
        const QSizeF inches = m.sizeInches();
        QSizeF size(inches.width() * 1440, inches.height() * 1440);
        // Shrunk, proportions kept, rather than cut at the paper's edge when a printer's margins
        // leave less room than the page was laid out for.
        const QSizeF room(pageWidth() - topLeft.x(), pageHeight() - topLeft.y());
        if (room.width() > 0 && room.height() > 0 && (size.width() > room.width() || size.height() > room.height()))
            size.scale(room, Qt::KeepAspectRatio);
        wmf::paint(m, painter_, QRectF(toDevice(topLeft), QSizeF(size.width(), size.height()) * (printer_->resolution() / 1440.0)));
    }
    void endDocument() override
    {
        begin();
        if (!painter_.end())
            throw PrintError("the printer did not take the document");
    }

private:
    void begin()
    {
        if (painter_.isActive())
            return;
        if (started_ || !painter_.begin(printer_.get()))
            throw PrintError("the printer could not be started");
        started_ = true;
        flow_.setPageHeight(pageHeight());
    }
    void newPage() override
    {
        begin();
        if (flow_.top() == 0)
            return;
        if (!printer_->newPage())
            throw PrintError("the printer could not start a new page");
        flow_.newPage();
    }
    double lineHeight() const { return toTwips(metrics().lineSpacing()); }
    QFontMetricsF metrics() const { return QFontMetricsF(font_, printer_.get()); }
    double toTwips(double px) const { return px * 1440.0 / printer_->resolution(); }
    QPointF toDevice(QPointF twips) const { return twips * (printer_->resolution() / 1440.0); }
    void draw(const QString &text)
    {
        begin();
        if (flow_.needsNewPage(lineHeight()))
            newPage();
        painter_.setFont(font_);
        painter_.setPen(colour_);
        painter_.drawText(toDevice(QPointF(x_, flow_.top())) + QPointF(0, metrics().ascent()), text);
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool started_ = false;
    QFont font_;
    QColor colour_ = Qt::black;
    int penWidth_ = 1;
    double x_ = 0;
    PageFlow flow_;
};

printing::Factory &factory()
{
    static printing::Factory f;
    return f;
}

}  // namespace

namespace printing {

void setFactory(Factory f) { factory() = std::move(f); }

std::unique_ptr<Printer> open()
{
    if (factory())
        return factory()();
    // Only ever the default printer: with queues but no default, QPrinter would quietly pick
    // the first queue.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || info.printerName().isEmpty())
        throw PrintError("there is no default printer");
    auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    p->setPrinterName(info.printerName());
    p->setDocName(QStringLiteral("Quillmoor"));
    return std::make_unique<PainterPrinter>(std::move(p));
}

std::unique_ptr<Printer> pdf(const QString &path)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setDocName(QStringLiteral("Quillmoor"));
    return std::make_unique<PainterPrinter>(std::move(p));
}

}  // namespace printing
