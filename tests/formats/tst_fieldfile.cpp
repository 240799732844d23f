// SPDX-License-Identifier: GPL-3.0-or-later
// The sequential field reader and writer: field rules, line ends, bounds and the encoding rule.
#include "formats/fieldfile.h"
#include "formats/textcodec.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Small, so the rows on the bound stay short.
constexpr qsizetype kBound = 8;

// Reads fields until the end; "!" marks where a read failed.
QStringList readAll(const QByteArray &bytes)
{
    QBuffer buf;
    buf.setData(bytes);
    buf.open(QIODevice::ReadOnly);
    FieldReader in(&buf, kBound);
    QStringList out;
    for (int i = 0; i < 100 && !in.failed(); ++i) {
        const QString f = in.field();
        out << (in.failed() ? QStringLiteral("!") : f);
    }
    return out;
}
}  // namespace

class TestFieldFile : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        const QString end = QStringLiteral("!");
        QTest::newRow("crlf lines") << QByteArray("one\r\ntwo\r\n") << QStringList{"one", "two", end};
        QTest::newRow("lf and cr alone") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c", end};
        QTest::newRow("comma ends a field") << QByteArray("a,b\r\nc") << QStringList{"a", "b", "c", end};
        QTest::newRow("leading blanks skipped") << QByteArray("   x\r\n\tY") << QStringList{"x", "Y", end};
        QTest::newRow("trailing blanks dropped") << QByteArray("x   \r\n") << QStringList{"x", end};
        QTest::newRow("single blank line is empty") << QByteArray(" \r\nq\r\n") << QStringList{"", "q", end};
        QTest::newRow("empty line is empty") << QByteArray("\r\nq") << QStringList{"", "q", end};
        QTest::newRow("quoted keeps comma and blanks") << QByteArray("\" a, b \"\r\nz") << QStringList{" a, b ", "z", end};
        QTest::newRow("text after closing quote dropped") << QByteArray("\"ab\"cd,e") << QStringList{"ab", "e", end};
        QTest::newRow("unterminated quote runs to end") << QByteArray("\"abc\r\ndef") << QStringList{"abc\r\ndef", end};
        QTest::newRow("ampersand untouched") << QByteArray("a&b") << QStringList{"a&b", end};
        QTest::newRow("empty file") << QByteArray() << QStringList{end};
        QTest::newRow("nul bytes are text") << QByteArray("a\0b", 3) << QStringList{QStringLiteral("a") + QChar(0) + "b", end};
        QTest::newRow("exactly the bound") << QByteArray(kBound, 'x') << QStringList{QString(kBound, u'x'), end};
        QTest::newRow("one over the bound") << QByteArray(kBound + 1, 'x') << QStringList{end};
        QTest::newRow("quoted, one over the bound") << "\"" + QByteArray(kBound + 1, 'x') + "\"" << QStringList{end};
        QTest::newRow("after a quote, the bound skipped") << "\"a\"" + QByteArray(kBound, 'x') + "\r\nb" << QStringList{"a", "b", end};
        QTest::newRow("after a quote, one over the bound skipped") << "\"a\"" + QByteArray(kBound + 1, 'x') + "\r\nb" << QStringList{end};
    }
    void fields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QCOMPARE(readAll(bytes), fields);
    }

    void lineKeepsEverything()
    {
        QBuffer buf;
        buf.setData(" 3 \r\n  lead, comma\r\n\"quoted\r\n");
        buf.open(QIODevice::ReadOnly);
        FieldReader in(&buf);
        QCOMPARE(in.line(), QStringLiteral(" 3 "));
        QCOMPARE(in.line(), QStringLiteral("  lead, comma"));
        QCOMPARE(in.line(), QStringLiteral("\"quoted"));
        QVERIFY(in.line().isEmpty() && in.failed());
        QCOMPARE(in.error(), QStringLiteral("input past end of file"));
    }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("1252 degree and euro") << QByteArray("25\xb0" "C \x80") << QStringLiteral("25°C €");
        QTest::newRow("utf8 multibyte") << QByteArray("25\xc2\xb0" "C") << QStringLiteral("25°C");
        QTest::newRow("utf8 beyond 1252") << QByteArray("\xe2\x84\x83") << QStringLiteral("℃");
        QTest::newRow("broken utf8 is 1252") << QByteArray("\xc3") << QStringLiteral("Ã");
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(textcodec::decode(bytes), text);
    }

    // Windows-1252 when the text fits it and its bytes could not pass for UTF-8 (they would read
    // back changed); UTF-8 otherwise. Lines end in CR LF and read back unchanged.
    void writerReadsBackUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("1252 alone") << QStringLiteral("Water at 100°C") << QByteArray("Water at 100\xb0" "C");
        QTest::newRow("Ã© looks like é in utf-8") << QStringLiteral("Ã© 25°C") << QStringLiteral("Ã© 25°C").toUtf8();
        QTest::newRow("Â° looks like °") << QStringLiteral("Â°") << QStringLiteral("Â°").toUtf8();
        QTest::newRow("beyond 1252") << QStringLiteral("Ωmega ℃ 北") << QStringLiteral("Ωmega ℃ 北").toUtf8();
    }
    void writerReadsBackUnchanged()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/q.txt"));
        FieldWriter w;
        w.printLine(text);
        w.printLine(QStringLiteral(" "));
        QVERIFY(w.commit(path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes + "\r\n \r\n");
        f.seek(0);
        FieldReader in(&f);
        QCOMPARE(in.field(), text);
        QCOMPARE(in.line(), QStringLiteral(" "));
    }

    void commitReplacesWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.txt"));
        FieldWriter first;
        first.printLine(QStringLiteral("old"));
        QVERIFY(first.commit(path));
        // A path whose folder cannot be made: the commit fails and the old file stays whole.
        FieldWriter bad;
        bad.printLine(QStringLiteral("new"));
        QVERIFY(!bad.commit(path + QStringLiteral("/not-a-folder/x.txt")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old\r\n"));
    }

    void numbersPrintWithBlanks()
    {
        QCOMPARE(printNumber(0), QStringLiteral(" 0 "));
        QCOMPARE(printNumber(-2), QStringLiteral("-2 "));
    }
};

QTEST_GUILESS_MAIN(TestFieldFile)
#include "tst_fieldfile.moc"
