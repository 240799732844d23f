// SPDX-License-Identifier: GPL-3.0-or-later
// The painter printer into a PDF file: the line flow in the printer font, new pages, and page
// pictures, read back with pdftotext as a reader of the paper would see them.
#include "services/fonts.h"
#include "services/printing.h"
#include "formats/wmf/wmfwriter.h"
#include "formats/wmf/wmf.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Word {
    QString text;
    QRectF box;  // points, from the page's top-left corner
};

// The words pdftotext finds on one page of a PDF.
QList<Word> wordsOn(const QString &pdf, int page)
{
    QProcess t;
    const QString n = QString::number(page);
    t.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), n, QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    t.waitForFinished(30000);
    const QRegularExpression re(
        QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<"));
    QList<Word> words;
    for (auto it = re.globalMatch(QString::fromUtf8(t.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return words;
}

QStringList texts(const QList<Word> &words)
{
    QStringList t;
    for (const Word &w : words)
        t << w.text;
    return t;
}

Result<wmf::Metafile> picture(double width, double height, const QList<std::pair<double, QString>> &textsAtY)
{
    wmf::Writer w(width, height);
    for (const auto &[y, text] : textsAtY)
        w.text(0, y, text, wmf::TextStyle{});
    return wmf::parse(w.finish());
}
}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        fonts::registerFonts();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void lineFlowAndPicture()
    {
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        auto p = printing::pdf(path);
        p->setFontName(QStringLiteral("Times New Roman"));
        p->setFontSize(12);
        QVERIFY(p->pageWidth() > 10000 && p->pageHeight() > 14000);  // A4 or Letter, in twips
        p->setCurrentX(720);
        p->printKeepingLine(QStringLiteral("Mercury"));
        QVERIFY(std::abs(p->currentX() - (720 + p->textWidth(QStringLiteral("Mercury")))) < 0.01);
        p->printEndingLine(QStringLiteral(" Venus"));
        QCOMPARE(p->currentX(), 0.0);
        p->printEndingLine(QStringLiteral("Earth"));
        const auto page = picture(2880, 1440, {{300, QStringLiteral("Jupiter")}});
        QVERIFY(page);
        p->picture(QPointF(1000, 3000), *page);
        p->line(QPointF(0, 5000), QPointF(2000, 5000), Qt::black);
        p->endDocument();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.read(4) == "%PDF");

        const QList<Word> words = wordsOn(path, 1);
        QCOMPARE(texts(words), (QStringList{"Mercury", "Venus", "Earth", "Jupiter"}));
        const QPointF mercury = words[0].box.topLeft(), venus = words[1].box.topLeft(), earth = words[2].box.topLeft();
        // Same line, then the next line one line of 12 pt Times lower, back at x = 0.
        QVERIFY(venus.x() > mercury.x() && std::abs(venus.y() - mercury.y()) < 0.5);
        QVERIFY(std::abs((earth.y() - mercury.y()) - 13.8) < 1.0);
        QVERIFY(std::abs((mercury.x() - earth.x()) - 36) < 0.5);  // 720 twips
        // The picture's top-left corner 1000 twips (50 pt) in.
        QVERIFY(std::abs((words[3].box.left() - earth.x()) - 50) < 0.5);
    }

    // Lines that would pass the foot of the printable area go on to the next page, the first of
    // them at the top; not a line is lost.
    void linesPastTheFootGoOnToANewPage()
    {
        const QString path = dir.filePath(QStringLiteral("lines.pdf"));
        auto p = printing::pdf(path);
        p->setFontSize(12);
        const double foot = p->pageHeight() / 20;  // points below the printable area's top
        QStringList want;
        for (int i = 1; i <= 100; ++i) {
            want << QStringLiteral("Line%1").arg(i);
            p->printEndingLine(want.last());
        }
        p->endDocument();
        const QList<Word> one = wordsOn(path, 1), two = wordsOn(path, 2);
        QVERIFY(one.size() > 40 && one.size() < 100);
        QCOMPARE(texts(one) + texts(two), want);
        QVERIFY(one.last().box.bottom() - one.first().box.top() <= foot);  // nothing past the foot
        QVERIFY(std::abs(two.first().box.top() - one.first().box.top()) < 0.5);
        QVERIFY(wordsOn(path, 3).isEmpty());
    }

    // A page picture taller than the room below its corner is shrunk, proportions kept, so its
    // foot is on the paper; one that fits keeps its own size (lineFlowAndPicture).
    void tallPictureIsShrunkToFit()
    {
        const QString path = dir.filePath(QStringLiteral("tall.pdf"));
        // About 2 by 21 inches.
        const auto tall = picture(2880, 30000, {{300, QStringLiteral("Top")}, {29500, QStringLiteral("Foot")}});
        QVERIFY(tall);
        auto p = printing::pdf(path);
        const double room = (p->pageHeight() - 1000) / 20;  // points
        p->printEndingLine(QString());
        p->picture(QPointF(1000, 1000), *tall);
        p->endDocument();
        const QList<Word> words = wordsOn(path, 1);
        QCOMPARE(texts(words), (QStringList{"Top", "Foot"}));
        const double height = words[1].box.bottom() - words[0].box.top();
        QVERIFY2(height <= room && height > room * 0.9, qPrintable(QStringLiteral("%1 of %2 pt").arg(height).arg(room)));
        QVERIFY(std::abs(words[0].box.left() - words[1].box.left()) < 0.5);
    }

private:
    QTemporaryDir dir;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
