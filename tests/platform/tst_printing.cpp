// The painter printer into a PDF file: the line flow in the printer font and a page picture
// placed at its own size, read back with pdftotext as a reader of the paper would see it.
#include "platform/fonts.h"
#include "platform/printing.h"
#include "platform/wmf/wmfwriter.h"
#include "platform/wmf/wmf.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { fonts::registerFonts(); }

    void lineFlowAndPicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        auto p = printing::pdf(path);
        p->setFontName(QStringLiteral("Times New Roman"));
        p->setFontSize(12);
        QVERIFY(p->pageWidth() > 10000 && p->pageHeight() > 14000);  // A4 or Letter, in twips
        p->setCurrentX(720);
        QCOMPARE(p->currentX(), 720.0);
        p->printKeepingLine(QStringLiteral("Mercury"));
        QVERIFY(std::abs(p->currentX() - (720 + p->textWidth(QStringLiteral("Mercury")))) < 0.01);
        p->printEndingLine(QStringLiteral(" Venus"));
        QCOMPARE(p->currentX(), 0.0);
        p->printEndingLine(QStringLiteral("Earth"));
        wmf::Writer w(2880, 1440);
        w.text(0, 300, QStringLiteral("Jupiter"), wmf::TextStyle{});
        const auto page = wmf::parse(w.finish());
        QVERIFY(page);
        p->picture(QPointF(1000, 3000), *page);
        p->line(QPointF(0, 5000), QPointF(2000, 5000), Qt::black);
        p->endDocument();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(4) == "%PDF");

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess t;
        t.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
        QVERIFY(t.waitForFinished(30000));
        const QString html = QString::fromUtf8(t.readAllStandardOutput());
        auto box = [&](const QString &word) {
            const QRegularExpression re(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>%1<").arg(word));
            const auto m = re.match(html);
            return m.hasMatch() ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QPointF(-1, -1);
        };
        const QPointF mercury = box(QStringLiteral("Mercury")), venus = box(QStringLiteral("Venus")), earth = box(QStringLiteral("Earth"));
        const QPointF jupiter = box(QStringLiteral("Jupiter"));
        QVERIFY(mercury.x() > 0 && venus.x() > mercury.x() && earth.x() > 0 && jupiter.x() > 0);
        // Same line, then the next line one line of 12 pt Times lower, back at x = 0.
        QVERIFY(std::abs(venus.y() - mercury.y()) < 0.5);
        QVERIFY(std::abs((earth.y() - mercury.y()) - 13.8) < 1.0);
        QVERIFY(std::abs((mercury.x() - earth.x()) - 36) < 0.5);  // 720 twips
        // The picture's top-left corner 1000 twips (50 pt) in.
        QVERIFY(std::abs((jupiter.x() - earth.x()) - 50) < 0.5);
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
