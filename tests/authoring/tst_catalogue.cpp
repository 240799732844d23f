// Reading the worksheet catalogue, through the menu's timer as the program does it, on good files
// and on every kind of bad one.
#include "authoring/catalogue.h"
#include "platform/screens.h"
#include "shell/intro0.h"
#include "core/shared.h"
#include "support/testenv.h"

#include <QDir>
#include <QTest>

namespace {
int openFiles() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size()); }

QStringList titles()
{
    QStringList out;
    for (int i = 1; i <= shared::worksheetcount.toInt(); ++i)
        out << shared::worksheetname[i];
    return out;
}

QByteArray numbered(int count, int lines)
{
    QByteArray b = " " + QByteArray::number(count) + " \r\n";
    for (int i = 1; i <= lines; ++i)
        b += "Sheet " + QByteArray::number(i) + "\r\n";
    return b;
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

    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void menuReadsCatalogueWhenShown_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");      // -1: stays empty
        QTest::addColumn<QStringList>("first");  // the first titles expected
        QTest::newRow("as the writer makes it") << QByteArray(" 2 \r\nMagnets\r\nSound\r\n") << 2
                                                << QStringList{"Magnets", "Sound"};
        QTest::newRow("empty catalogue") << QByteArray(" 0 \r\n") << 0 << QStringList{};
        QTest::newRow("titles whole: comma, blanks, quote")
            << QByteArray(" 3 \r\nHeat, light\r\n  Indented\r\n\"Quoted\" title\r\n") << 3
            << QStringList{"Heat, light", "  Indented", "\"Quoted\" title"};
        QTest::newRow("lf line ends, no final line end") << QByteArray("2\nA\nB") << 2 << QStringList{"A", "B"};
        QTest::newRow("lines after the count ignored") << QByteArray(" 1 \r\nA\r\nB\r\n") << 1 << QStringList{"A"};
        QTest::newRow("count larger than titles") << numbered(5, 2) << 2 << QStringList{"Sheet 1", "Sheet 2"};
        QTest::newRow("negative count") << QByteArray("-4\r\nA\r\n") << 0 << QStringList{};
        QTest::newRow("count not a number") << QByteArray("lots\r\nA\r\n") << -1 << QStringList{};
        QTest::newRow("enormous count") << numbered(0, 3).replace(" 0 ", "99999999999999999999") << -1 << QStringList{};
        QTest::newRow("huge count, few titles") << numbered(2000000000, 3) << 3 << QStringList{"Sheet 1"};
        QTest::newRow("empty file") << QByteArray() << -1 << QStringList{};
        QTest::newRow("binary junk") << QByteArray("\x00\xff\xfe\x01,\x80\x81\r", 8) << -1 << QStringList{};
        QTest::newRow("1252 title") << QByteArray(" 1 \r\n25\xb0" "C\r\n") << 1 << QStringList{"25°C"};
        QTest::newRow("utf8 title") << QByteArray(" 1 \r\n\xe2\x84\x83 scale\r\n") << 1 << QStringList{"℃ scale"};
    }
    void menuReadsCatalogueWhenShown()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QStringList, first);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", file);
        const int fdsBefore = openFiles();
        intro0 *menu = Screens::show<intro0>();
        QVERIFY(shared::worksheetcount.isEmpty());  // read on the timer, once the menu is up
        QTRY_VERIFY(!menu->Timer1->isActive());
        if (count < 0) {
            QVERIFY(shared::worksheetcount.isEmpty());
        } else {
            QCOMPARE(shared::worksheetcount.toInt(), count);
            QCOMPARE(titles().mid(0, first.size()), first);
        }
        QCOMPARE(openFiles(), fdsBefore);
        QVERIFY(!Screens::find<intro0>()->Timer1->isActive());
    }

    void moreThanAThousandStopsAfterTitle1000()
    {
        TestEnv::writeFile(env->teacherDir() + "/track.txt", numbered(1200, 1200));
        QVERIFY(!readcatalogue());
        QCOMPARE(shared::worksheetcount.toInt(), 1000);
        QCOMPARE(shared::worksheetname[1000], QStringLiteral("Sheet 1000"));
    }

    void overlongLineStopsWithinBound()
    {
        QByteArray b = " 3 \r\nFirst\r\n" + QByteArray(10 * 1024 * 1024, 'x') + "\r\nThird\r\n";
        TestEnv::writeFile(env->teacherDir() + "/track.txt", b);
        QVERIFY(!readcatalogue());
        QCOMPARE(titles(), QStringList{"First"});
    }

    void missingFileLeavesCatalogueAsItWas()
    {
        shared::worksheetcount = 2;
        shared::worksheetname[1] = QStringLiteral("Kept");
        QFile::remove(env->dataDir() + "/multiple/track.txt");
        QVERIFY(!readcatalogue());
        QCOMPARE(shared::worksheetcount.toInt(), 2);
        QCOMPARE(shared::worksheetname[1], QStringLiteral("Kept"));
    }

    void teachersCatalogueBeforeTheShippedOne()
    {
        QVERIFY(readcatalogue());  // the shipped, empty one
        QCOMPARE(shared::worksheetcount.toInt(), 0);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nMine\r\n");
        QVERIFY(readcatalogue());
        QCOMPARE(titles(), QStringList{"Mine"});
    }

    void everyMenuLoadReadsAgain()
    {
        QTRY_VERIFY(!Screens::show<intro0>()->Timer1->isActive());
        QCOMPARE(shared::worksheetcount.toInt(), 0);
        TestEnv::writeFile(env->teacherDir() + "/track.txt", " 1 \r\nNew\r\n");
        Screens::unload<intro0>();
        QTRY_VERIFY(!Screens::show<intro0>()->Timer1->isActive());
        QCOMPARE(titles(), QStringList{"New"});
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
