// The teaching content agrees with itself: the answer keys in the Teacher's Notes match the
// question banks and the activities' own tables, and the Key Facts pages stay short-sentenced
// with a question or a surprising fact on each.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "platform/fieldfile.h"
#include "platform/picturebox.h"
#include "platform/screens.h"
#include "support/testenv.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

namespace {

const QString kPages = QStringLiteral(QUILLMOOR_SOURCE_DIR "/media/pages/");

// The words of every block of a page source, one entry per block.
QStringList blocks(const QString &page)
{
    QFile f(kPages + page + QStringLiteral(".page"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (!line.startsWith(QLatin1Char('#')) && colon > 0)
            out << line.mid(colon + 1).trimmed();
    }
    return out;
}

// The block of the notes that starts with a key's name, less that name.
QString answerKey(const QString &page, const QString &name)
{
    for (const QString &b : blocks(page))
        if (b.startsWith(name))
            return b.mid(name.size());
    return {};
}

QStringList items(const QString &list)
{
    QString l = list.trimmed();
    l.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)\\.?$")));  // "(any order ...)"
    if (l.endsWith(QLatin1Char('.')))
        l.chop(1);
    QStringList out;
    for (const QString &s : l.split(QStringLiteral(", ")))
        out << s.trimmed().toLower();
    return out;
}

// The label texts whose boxes pass a test, ordered by a key of the box.
QStringList labelsInBoxes(const Activity *a, const std::function<bool(const TwipsRect &)> &take, bool byTop)
{
    std::vector<std::pair<float, QString>> found;
    for (int i = 0; i < a->count(); ++i) {
        const TwipsRect &box = a->boxRect(i);
        if (take(box))
            found.push_back({byTop ? box.top : box.left, a->Label2[i]->text().toLower().remove(QRegularExpression(QStringLiteral("\\.$")))});
    }
    std::sort(found.begin(), found.end());
    QStringList out;
    for (const auto &f : found)
        out << f.second;
    return out;
}

QStringList bankKey(const QString &title)
{
    QFile f(QStringLiteral(QUILLMOOR_BUILD_DATA "/multiple/%1.txt").arg(title));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    FieldReader in(&f);
    QStringList fields;
    for (int i = 0; i < 72; ++i)
        fields << in.field();
    QStringList key;
    for (int q = 0; q < 10; ++q)
        key << QStringLiteral("%1 %2").arg(q + 1).arg(QChar(u'A' + fields[7 + 7 * q].toInt() - 1));
    return key;
}

// The boxes under a column heading of the ordering screen.
std::function<bool(const TwipsRect &)> under(const Activity *a, const QString &heading)
{
    QRect column;
    for (QLabel *l : a->findChildren<QLabel *>())
        if (l->text() == heading)
            column = l->geometry();
    return [column](const TwipsRect &box) { return column.isValid() && std::abs(box.left / 15.0 + box.width / 30.0 - column.center().x()) < column.width(); };
}

}  // namespace

class TestContent : public QObject {
    Q_OBJECT
private slots:
    void init() { env = std::make_unique<TestEnv>(); }
    void cleanup() { env.reset(); }

    void quizKeysMatchTheBanks_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("bank");
        QTest::newRow("Other Planets") << "weatherb" << "Other Planets";
        QTest::newRow("Measuring Temperature") << "temperatureb" << "Measuring Temperature";
    }
    void quizKeysMatchTheBanks()
    {
        QFETCH(QString, notes);
        QFETCH(QString, bank);
        const QStringList key = items(answerKey(notes, QStringLiteral("Multiple Choice:")));
        const QStringList expected = bankKey(bank);
        QCOMPARE(expected.size(), 10);
        QCOMPARE(key.join(QLatin1Char('|')), expected.join(QLatin1Char('|')).toLower());
    }

    void planetKeysMatchTheActivities()
    {
        auto *ord = Screens::get<weatherord>();
        const QString sorting = answerKey(QStringLiteral("weatherb"), QStringLiteral("Ordering Activity. Rocky planets:"));
        const qsizetype split = sorting.indexOf(QStringLiteral("Gas giants:"));
        QVERIFY(split > 0);
        QStringList rocky = items(sorting.left(split)), giants = items(sorting.mid(split + 11));
        QStringList rockyBoxes = labelsInBoxes(ord, under(ord, QStringLiteral("Rocky Planets")), true);
        QStringList giantBoxes = labelsInBoxes(ord, under(ord, QStringLiteral("Gas Giants")), true);
        for (QStringList *l : {&rocky, &giants, &rockyBoxes, &giantBoxes})
            l->sort();  // any order within a column
        QCOMPARE(rocky, rockyBoxes);
        QCOMPARE(giants, giantBoxes);

        auto *lab = Screens::get<weatherlab>();
        QCOMPARE(items(answerKey(QStringLiteral("weatherb"), QStringLiteral("Labelling Activity, from left to right:"))),
                 labelsInBoxes(lab, [](const TwipsRect &) { return true; }, false));
    }

    void temperatureKeysMatchTheActivities()
    {
        auto *ord = Screens::get<temperatureord>();
        QCOMPARE(items(answerKey(QStringLiteral("temperatureb"), QStringLiteral("Ordering Activity, coldest to hottest:"))),
                 labelsInBoxes(ord, [](const TwipsRect &) { return true; }, true));

        auto *lab = Screens::get<temperaturelab>();
        const double glass = lab->findChild<PictureBox *>(QStringLiteral("Image1_0"))->x() * 15.0;
        const QString key = answerKey(QStringLiteral("temperatureb"), QStringLiteral("Labelling Activity. Left, top to bottom:"));
        const qsizetype split = key.indexOf(QStringLiteral("Right, top to bottom:"));
        QVERIFY(split > 0);
        QCOMPARE(items(key.left(split)), labelsInBoxes(lab, [=](const TwipsRect &b) { return b.left < glass; }, true));
        QCOMPARE(items(key.mid(split + 21)), labelsInBoxes(lab, [=](const TwipsRect &b) { return b.left > glass; }, true));
    }

    // For pupils of 7 to 9: short sentences, and something to wonder at on every page.
    void keyFactsPagesReadEasily_data()
    {
        QTest::addColumn<QString>("page");
        for (const char *p : {"key weathera", "key weatherb", "key weatherc", "key temperaturea", "key temperatureb"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }
    void keyFactsPagesReadEasily()
    {
        QFETCH(QString, page);
        const QStringList b = blocks(page);
        QVERIFY(!b.isEmpty());
        bool wonder = false;
        for (const QString &block : b) {
            wonder = wonder || block.contains(QLatin1Char('?')) || block.contains(QLatin1Char('!'));
            for (const QString &sentence : block.split(QRegularExpression(QStringLiteral("(?<=[.!?;])\\s+")), Qt::SkipEmptyParts)) {
                const qsizetype words = sentence.split(QLatin1Char(' '), Qt::SkipEmptyParts).size();
                QVERIFY2(words <= 16, qPrintable(QStringLiteral("%1 words: %2").arg(words).arg(sentence)));
            }
        }
        QVERIFY2(wonder, "no question or surprising fact");
    }

private:
    std::unique_ptr<TestEnv> env;
};

QTEST_MAIN(TestContent)
#include "tst_content.moc"
