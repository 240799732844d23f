// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue and worksheet rules as plain functions: paging, reading any catalogue file, which
// titles may name a file, deleting a title, which file a title opens, and texts that come back
// from their file as typed (awkward ones and thousands generated).
#include "authoring/catalogue.h"
#include "authoring/testsheets.h"
#include "formats/fieldfile.h"
#include "ui/screens.h"
#include "quiz/questions.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

namespace {
// The entries as their file's bytes load back.
WorksheetEntries loaded(const WorksheetEntries &e)
{
    QBuffer buf;
    buf.setData(worksheetbytes(e));
    buf.open(QIODevice::ReadOnly);
    FieldReader in(&buf, kMaxQuestionField);
    loadquestions(in);
    WorksheetEntries out{shared::tasktitle, {}, {}, {}};
    for (std::size_t q = 0; q < 10; ++q) {
        out.questions[q] = shared::question[q + 1];
        const QString answers[] = {shared::answera[q + 1], shared::answerb[q + 1], shared::answerc[q + 1],
                                   shared::answerd[q + 1]};
        for (std::size_t a = 0; a < 4; ++a) {
            out.answers[4 * q + a] = answers[a];
            out.ticks[4 * q + a] = shared::correct[q + 1].toInt() == int(a) + 1;
        }
    }
    return out;
}

// A text of up to max characters a teacher may type: the format's own ("&", ",", quotes,
// blanks), Windows-1252 letters whose bytes could pass for UTF-8 ("Ã©"), and characters beyond
// it, emoji included.
QString randomText(QRandomGenerator &rng, int max)
{
    static const QStringList alphabet = [] {
        QStringList out = QString::fromUtf8("&,\" °éÃ©Â€‰ÿΩ℃漢").split(QString(), Qt::SkipEmptyParts);
        for (char16_t c = 0x20; c < 0x7f; ++c)
            out << QString(QChar(c));
        return out << QStringLiteral("😀") << QStringLiteral("👍🏽") << QStringLiteral("🇬🇧") << QStringLiteral("e\u0301");
    }();
    QString s;
    for (int i = 1 + int(rng.bounded(max)); i > 0; --i)
        s += alphabet[int(rng.bounded(int(alphabet.size())))];
    return s;
}

QStringList titles()
{
    QStringList out;
    for (int i = 1; i <= shared::worksheetcount.toInt(); ++i)
        out << shared::worksheetname[i];
    return out;
}
}  // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void paging_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("previous");
        QTest::addColumn<bool>("next");
        QTest::newRow("empty") << 0 << 0 << 1 << 0 << false << false;
        QTest::newRow("24: one page") << 24 << 0 << 1 << 24 << false << false;
        QTest::newRow("25: a next page") << 25 << 0 << 1 << 24 << false << true;
        QTest::newRow("25, page 2: title 25 alone") << 25 << 1 << 25 << 25 << true << false;
        QTest::newRow("48, page 2: full, no next") << 48 << 1 << 25 << 48 << true << false;
        QTest::newRow("49, page 2: a next page") << 49 << 1 << 25 << 48 << true << true;
        QTest::newRow("1000, page 42: the last title") << 1000 << 41 << 985 << 1000 << true << false;
        QTest::newRow("a page past the end shows nothing") << 24 << 1 << 25 << 24 << true << false;
    }
    void paging()
    {
        QFETCH(int, count);
        QFETCH(int, page);
        const CataloguePage p = cataloguePage(count, page, 24);
        QTEST(p.first, "first");
        QTEST(p.last, "last");
        QTEST(p.hasPrevious, "previous");
        QTEST(p.hasNext, "next");
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<int>("count");          // -1: what was read before stays
        QTest::addColumn<QStringList>("first");  // the first titles read
        QTest::newRow("titles whole: comma, blanks, quote")
            << QByteArray(" 3 \r\nHeat, light\r\n  Indented\r\n\"Quoted\" title\r\n") << true << 3
            << QStringList{"Heat, light", "  Indented", "\"Quoted\" title"};
        QTest::newRow("lf line ends, no final line end") << QByteArray("2\nA\nB") << true << 2 << QStringList{"A", "B"};
        QTest::newRow("lines after the count ignored") << QByteArray(" 1 \r\nA\r\nB\r\n") << true << 1 << QStringList{"A"};
        QTest::newRow("1252 title") << QByteArray(" 1 \r\n25\xb0" "C\r\n") << true << 1 << QStringList{"25°C"};
        QTest::newRow("utf8 title") << QByteArray(" 1 \r\n\xe2\x84\x83 scale\r\n") << true << 1 << QStringList{"℃ scale"};
        QTest::newRow("exactly 1000") << numbered(1000, 1000) << true << 1000 << QStringList{"Sheet 1"};
        QTest::newRow("1200: stops after title 1000") << numbered(1200, 1200) << false << 1000 << QStringList{};
        QTest::newRow("count larger than titles") << numbered(5, 2) << false << 2 << QStringList{"Sheet 1", "Sheet 2"};
        QTest::newRow("huge count, few titles") << numbered(2000000000, 3) << false << 3 << QStringList{"Sheet 1"};
        QTest::newRow("negative count") << QByteArray("-4\r\nA\r\n") << false << 0 << QStringList{};
        QTest::newRow("count not a number") << QByteArray("lots\r\nA\r\n") << false << -1 << QStringList{};
        QTest::newRow("enormous count") << QByteArray("99999999999999999999\r\nA\r\n") << false << -1 << QStringList{};
        QTest::newRow("empty file") << QByteArray() << false << -1 << QStringList{};
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01,\x80\x81\r", 8) << false << -1 << QStringList{};
        QTest::newRow("a 10 MB line stops within bound")
            << " 3 \r\nFirst\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nThird\r\n" << false << 1 << QStringList{"First"};
    }
    void reading()
    {
        TestEnv env;
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QStringList, first);
        shared::worksheetcount = 1;
        shared::worksheetname[1] = QStringLiteral("Read before");
        TestEnv::writeFile(env.teacherDir() + "/track.txt", file);
        QTEST(readcatalogue(), "whole");
        if (count < 0) {
            QCOMPARE(titles(), QStringList{"Read before"});
            return;
        }
        QCOMPARE(shared::worksheetcount.toInt(), count);
        QCOMPARE(titles().mid(0, first.size()), first);
    }

    // Read by the menu on its timer, not before: the shipped, empty one while the teacher has
    // none, else the teacher's; with neither, what was read stays.
    void theTeachersCatalogueElseTheShippedOne()
    {
        TestEnv env;
        intro0 *menu = Screens::show<intro0>();
        QVERIFY(shared::worksheetcount.isEmpty());
        QTRY_VERIFY(!menu->Timer1->isActive());
        QVERIFY(!shared::worksheetcount.isEmpty() && shared::worksheetcount.toInt() == 0);
        TestEnv::writeFile(env.teacherDir() + "/track.txt", " 1 \r\nMine\r\n");
        QVERIFY(readcatalogue());
        QCOMPARE(titles(), QStringList{"Mine"});
        QFile::remove(env.teacherDir() + "/track.txt");
        QFile::remove(env.ownDataFolder(QStringLiteral("multiple")) + "/track.txt");
        QVERIFY(!readcatalogue());
        QCOMPARE(titles(), QStringList{"Mine"});
    }

    void titleRules_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");  // empty: allowed
        const QString another = QStringLiteral(". Please choose another title");
        for (const char *t : {"a/b", "..\\..\\x", "x:y", "what?", "say \"hi\"", "a|b", "a*", "<b>", " \t "})
            QTest::newRow(t) << QString::fromLatin1(t) << "A worksheet title cannot contain any of these: / \\ : * ? \" < > |";
        for (const char *t : {"a\x01" "b", "a\x1f" "b", "a\x7f" "b"})  // the control characters' edges
            QTest::newRow(qPrintable(QString::fromLatin1(t).toUtf8().toHex())) << QString::fromLatin1(t)
                                                                               << "A worksheet title cannot contain any of these: / \\ : * ? \" < > |";
        QTest::newRow("only blanks") << "   " << "A worksheet title cannot be only blanks" + another;
        QTest::newRow("trailing dot") << "Magnets." << "A worksheet title cannot end with a dot or a blank" + another;
        QTest::newRow("trailing blank") << "Magnets " << "A worksheet title cannot end with a dot or a blank" + another;
        QTest::newRow("leading blanks allowed") << "  Magnets" << "";
        for (const char *t : {"track", "TRACK"})
            QTest::newRow(t) << QString::fromLatin1(t) << "The title track is kept for the worksheet catalogue" + another;
        QTest::newRow("a topic's quiz") << "other planets" << "The title Other Planets is kept for a topic's quiz" + another;
        QTest::newRow("the other topic") << "Measuring Temperature"
                                         << "The title Measuring Temperature is kept for a topic's quiz" + another;
        const QString device = QStringLiteral("The title %1 is kept by Windows for a device") + another;
        for (const char *t : {"CON", "prn", "Aux", "nul.txt", "con.txt", "COM1", "com9.backup", "LPT1", "lpt9", "CON .txt", "LPT\u00b9", "COM\u00b2", "com\u00b3", "LPT\u00b2", "lpt\u00b3.txt"})
            QTest::newRow(t) << QString::fromUtf8(t) << device.arg(QString::fromUtf8(t));
        for (const char *t : {"Console", "COM10", "LPT", "com0", "Auxiliary", "Null", "CON-tent", "My CON"})
            QTest::newRow(t) << QString::fromLatin1(t) << "";
        // 25 characters, but each a family emoji of 25 bytes.
        const QString longTitle = QString(25, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("👨‍👩‍👧‍👦"));
        QTest::newRow("too long to name a file")
            << longTitle << QStringLiteral("The title %1 is too long to name a file").arg(longTitle) + another;
        // With ".txt", 255 bytes is the most a name may have; "é" is two bytes.
        const QString fits = QString(125, QChar(0xe9)) + QLatin1Char('x'), over = QString(126, QChar(0xe9));
        QTest::newRow("a file name of 255 bytes") << fits << "";
        QTest::newRow("a file name of 256 bytes") << over << QStringLiteral("The title %1 is too long to name a file").arg(over) + another;
    }
    void titleRules()
    {
        QFETCH(QString, title);
        QTEST(titleProblem(title), "message");
    }

    void deleting_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("after");
        const QByteArray abc(" 3 \r\nA\r\nB\r\nC\r\n");
        QTest::newRow("first") << abc << "A" << QByteArray(" 2 \r\nB\r\nC\r\n");
        QTest::newRow("middle") << abc << "B" << QByteArray(" 2 \r\nA\r\nC\r\n");
        QTest::newRow("last") << abc << "C" << QByteArray(" 2 \r\nA\r\nB\r\n");
        QTest::newRow("not there: unchanged") << abc << "D" << abc;
        QTest::newRow("listed twice: the last copy goes")
            << QByteArray(" 3 \r\nA\r\nB\r\nA\r\n") << "A" << QByteArray(" 2 \r\nA\r\nB\r\n");
    }
    void deleting()
    {
        TestEnv env;
        QFETCH(QString, title);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, before);
        TestEnv::writeFile(env.teacherDir() + "/track.txt", before);
        TestEnv::writeFile(env.teacherDir() + "/" + title + ".txt", "kept");
        shared::currentworksheet = title;
        QCOMPARE(delworksheet(), Change::Done);
        QCOMPARE(readFile(env.teacherDir() + "/track.txt"), after);
        QCOMPARE(shared::worksheetcount.toInt(), after.count("\r\n") - 1);
        QCOMPARE(readFile(env.teacherDir() + "/" + title + ".txt"), QByteArray("kept"));  // the file stays
    }

    void titleOpensItsOwnFile_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("opened");  // the name of the file opened; empty: none
        QTest::newRow("exact name first") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"magnets", "Magnets"} << "magnets";
        QTest::newRow("only candidate, unclaimed") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"Magnets"} << "Magnets";
        QTest::newRow("claimed by another title") << QByteArray(" 2 \r\nmagnets\r\nMagnets\r\n") << QStringList{"Magnets"} << "";
        QTest::newRow("two candidates") << QByteArray(" 1 \r\nmagnets\r\n") << QStringList{"Magnets", "MAGNETS"} << "";
        QTest::newRow("a title reaching outside") << QByteArray(" 1 \r\n../Magnets\r\n") << QStringList{"../Magnets"} << "";
    }
    void titleOpensItsOwnFile()
    {
        TestEnv env;
        QFETCH(QByteArray, catalogue);
        QFETCH(QStringList, files);
        TestEnv::writeFile(env.teacherDir() + "/track.txt", catalogue);
        for (const QString &f : files)
            TestEnv::writeFile(env.teacherDir() + "/" + f + ".txt", sheet(f.toUtf8()));
        QVERIFY(readcatalogue());
        QTEST(QFileInfo(worksheetfile(shared::worksheetname[1])).completeBaseName(), "opened");
    }

    void awkwardTextsComeBackAsTyped_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");  // every question and answer
        QTest::newRow("ampersand") << "Salt & Water" << "Salt & Water";
        QTest::newRow("comma") << "Heat, light" << "a, b, c";
        QTest::newRow("leading blanks") << "  Indented" << "  leading";
        QTest::newRow("trailing blanks") << "Trailing" << "trailing  ";
        QTest::newRow("only blanks") << "Blanks" << "   ";
        QTest::newRow("leading double quote") << "Quotes" << "\"Big\" cats are what?";
        QTest::newRow("closing double quote") << "Closing" << "a \"b\"";
        QTest::newRow("quote after a blank") << "Quote late" << " \"x\" , y ";
        QTest::newRow("degree sign") << "25°C" << "25°C is warm";
        QTest::newRow("beyond 1252") << "Ωmega ℃ 😀" << "漢字 😀 👍🏽";
        QTest::newRow("1252 bytes that pass for utf-8") << "Ã© title" << "Ã© or é";
    }
    void awkwardTextsComeBackAsTyped()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        const WorksheetEntries e = entries(title, text);
        WorksheetEntries back = loaded(e);
        QVERIFY(back == asLoaded(e));
        back.title = title;  // edited, under its catalogue title, and saved again: the same file
        QCOMPARE(worksheetbytes(back), worksheetbytes(e));
    }

    void generatedTextsComeBackAsTyped()
    {
        QRandomGenerator rng(20240513);
        for (int n = 0; n < 2000; ++n) {
            const WorksheetEntries e = entries(randomText(rng, 25), randomText(rng, 30));
            QVERIFY2(loaded(e) == asLoaded(e), qPrintable(e.questions[0]));
        }
    }

};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
