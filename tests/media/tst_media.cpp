// SPDX-License-Identifier: GPL-3.0-or-later
// The media the build makes and the teaching content it ships: every picture decodes at the size
// of the place that shows it, every sound is clean 16-bit PCM of the right length and loudness, the
// question banks fit the quiz, the answer keys in the Teacher's Notes match the banks and the
// activities, the Key Facts pages read easily, and the same sources give the same bytes.
#include "activities/labelling.h"
#include "activities/ordering.h"
#include "formats/fieldfile.h"
#include "services/speechbackend.h"
#include "ui/screens.h"
#include "ui/twips.h"
#include "support/testenv.h"
#include "loudness.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace {

const QString kData = QStringLiteral(QUILLMOOR_BUILD_DATA);

QImage picture(const QString &relative) { return QImageReader(kData + QLatin1Char('/') + relative).read(); }

QString jupiter(int frame) { return QStringLiteral("jupiter/jupite%1.jpg").arg(frame, 2, 10, QLatin1Char('0')); }

// Mean difference per pixel over every step-th pixel, summed over the colour channels (and alpha).
double meanDifference(const QImage &a, const QImage &b, int step = 2, bool alpha = false)
{
    double sum = 0;
    for (int y = 0; y < a.height(); y += step)
        for (int x = 0; x < a.width(); x += step) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q))
                   + (alpha ? std::abs(qAlpha(p) - qAlpha(q)) : 0);
        }
    return sum * step * step / (a.width() * a.height());
}

bool reddish(QRgb c) { return qRed(c) > 140 && qGreen(c) < 110 && qBlue(c) < 110; }

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;
};

// The files are the plain 44-byte-header form: "fmt " and "data" chunks and nothing else.
Wav readWav(const QString &name)
{
    Wav w;
    QFile f(kData + QStringLiteral("/wav/%1.wav").arg(name));
    const QByteArray b = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const char *h = b.constData();
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 8) != "WAVEfmt " || b.mid(36, 4) != "data"
        || qFromLittleEndian<quint32>(h + 40) != quint32(b.size() - 44))
        return w;
    w.format = qFromLittleEndian<quint16>(h + 20);
    w.channels = qFromLittleEndian<quint16>(h + 22);
    w.rate = int(qFromLittleEndian<quint32>(h + 24));
    w.bits = qFromLittleEndian<quint16>(h + 34);
    for (qsizetype i = 44; i + 1 < b.size(); i += 2)
        w.samples.push_back(qFromLittleEndian<qint16>(h + i) / 32768.0);
    return w;
}

QMap<QString, QByteArray> digests(const QString &dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        f.open(QIODevice::ReadOnly);
        out.insert(QDir(dir).relativeFilePath(f.fileName()), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return out;
}


// The words of every block of a page source, one entry per block.
QStringList blocks(const QString &page)
{
    QFile f(QStringLiteral(QUILLMOOR_SOURCE_DIR "/media/pages/%1.page").arg(page));
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

// The words of a notes page after a key's name, up to the end of its block or to where another begins.
QString answerKey(const QString &page, const QString &name, const QString &next = {})
{
    for (const QString &b : blocks(page)) {
        const qsizetype at = b.indexOf(name);
        if (at < 0)
            continue;
        const QString rest = b.mid(at + name.size());
        return next.isEmpty() ? rest : rest.left(rest.indexOf(next));
    }
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

Activity *activity(const QString &name)
{
    if (name == QLatin1String("weatherord"))
        return Screens::get<weatherord>();
    if (name == QLatin1String("weatherlab"))
        return Screens::get<weatherlab>();
    if (name == QLatin1String("temperatureord"))
        return Screens::get<temperatureord>();
    return Screens::get<temperaturelab>();
}

}  // namespace

class TestMedia : public QObject {
    Q_OBJECT
private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("format");
        const QList<std::tuple<const char *, int, int, const char *>> rows = {
            {"images/icicle.jpg", 320, 240, "jpeg"},       {"images/weathermap.jpg", 564, 422, "jpeg"},
            {"images/tempgauge.jpg", 400, 40, "jpeg"},     {"images/thermosm.jpg", 57, 41, "jpeg"},
            {"images/jupitersm.jpg", 164, 149, "jpeg"},    {"images/mercurysm2.jpg", 49, 48, "jpeg"},
            {"images/venussm.jpg", 74, 71, "jpeg"},        {"images/earthsm.jpg", 75, 77, "jpeg"},
            {"images/marssm.jpg", 52, 50, "jpeg"},         {"images/saturn.jpg", 268, 193, "jpeg"},
            {"images/uranus.jpg", 110, 106, "jpeg"},       {"images/neptune.jpg", 110, 108, "jpeg"},
            {"images/thermometer.jpg", 141, 480, "jpeg"},  {"logo/corvane2.bmp", 120, 89, "bmp"},
        };
        for (auto [file, w, h, format] : rows)
            QTest::newRow(file) << QString::fromLatin1(file) << QSize(w, h) << QByteArray(format);
        for (int i = 0; i < 100; ++i)
            QTest::addRow("jupiter frame %d", i) << jupiter(i) << QSize(800, 400) << QByteArray("jpeg");
        for (int i = 0; i < 20; ++i)
            QTest::addRow("logo frame %d", i) << QStringLiteral("logo/corv%1.gif").arg(i, 4, 10, QLatin1Char('0')) << QSize(120, 120) << QByteArray("gif");
    }
    void pictures()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        const QImage img = picture(file);
        QVERIFY2(!img.isNull(), qPrintable(file));
        QCOMPARE(img.size(), size);
        QCOMPARE(QImageReader::imageFormat(kData + QLatin1Char('/') + file), format);
        // The planets float on black space.
        const QStringList planets = {"mercurysm2", "venussm", "earthsm", "marssm", "jupitersm", "saturn", "uranus", "neptune"};
        if (planets.contains(QFileInfo(file).baseName())) {
            for (QPoint corner : {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1), QPoint(img.width() - 1, img.height() - 1)})
                QVERIFY(qGray(img.pixel(corner)) < 24);
            QVERIFY(qGray(img.pixel(img.width() / 2, img.height() / 2)) > 40);
        }
    }

    void jupiterTurnsWithoutAJump()
    {
        std::vector<double> steps;
        QImage previous = picture(jupiter(0));
        for (int i = 1; i < 100; ++i) {
            QImage next = picture(jupiter(i));
            steps.push_back(meanDifference(previous, next));
            previous = next;
        }
        std::sort(steps.begin(), steps.end());
        const double wrap = meanDifference(previous, picture(jupiter(0)));
        QVERIFY2(steps[0] > 0.05, "the frames must differ");
        QVERIFY2(wrap < steps.back() * 1.2, qPrintable(QStringLiteral("99 to 00 differs by %1, the largest step is %2").arg(wrap).arg(steps.back())));
    }

    void thermometerAndStrip()
    {
        const QImage img = picture(QStringLiteral("images/thermometer.jpg"));
        // The liquid reaches the 77 degree mark, where the middle pointer (picture row 302) meets it.
        QVERIFY(reddish(img.pixel(88, 306)));
        QVERIFY(!reddish(img.pixel(88, 296)));
        // The glass spans columns 56 to 120; outside it, the window colour.
        QVERIFY(qGray(img.pixel(60, 200)) > 150);
        const QRgb outside = img.pixel(40, 200);
        QVERIFY(std::abs(qRed(outside) - 39) < 12 && std::abs(qGreen(outside) - 63) < 12 && std::abs(qBlue(outside) - 137) < 12);
        // The temperature strip runs from cold blue to hot red.
        const QImage strip = picture(QStringLiteral("images/tempgauge.jpg"));
        const QRgb cold = strip.pixel(24, 11), hot = strip.pixel(strip.width() - 24, 11);
        QVERIFY(qBlue(cold) > qRed(cold) + 80 && qRed(hot) > qBlue(hot) + 80);
    }

    // Celebrations played one after another sound alike in loudness; the small sounds that go
    // with every click or key press sit well under them.
    void sounds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("shortest");  // seconds of sound, not counting the silences
        QTest::addColumn<double>("longest");
        QTest::addColumn<double>("quietest");  // LUFS, integrated
        QTest::addColumn<double>("loudest");
        QTest::newRow("click") << "click" << 0.005 << 0.06 << -33.0 << -28.0;
        QTest::newRow("typekey") << "typekey" << 0.005 << 0.06 << -33.0 << -28.0;
        QTest::newRow("thud3") << "thud3" << 0.05 << 0.25 << -29.0 << -25.0;
        QTest::newRow("eagle6") << "eagle6" << 1.0 << 2.0 << -21.0 << -19.0;
        for (const char *c : {"fanf2", "fanf3", "crowd", "cheer2", "klaxon", "flute", "gong", "clap2", "drumroll", "laser2", "whizz", "clap3", "clown"})
            QTest::newRow(c) << QString::fromLatin1(c) << 1.0 << 4.0 << -21.0 << -19.0;
    }
    void sounds()
    {
        QFETCH(QString, file);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        QFETCH(double, quietest);
        QFETCH(double, loudest);
        const Wav w = readWav(file);
        QCOMPARE(w.format, 1);
        QCOMPARE(w.channels, 1);
        QCOMPARE(w.bits, 16);
        QVERIFY(w.rate == 22050 || w.rate == 44100);
        QVERIFY(!w.samples.empty());
        double mean = 0;
        std::size_t first = w.samples.size(), last = 0;
        for (std::size_t i = 0; i < w.samples.size(); ++i) {
            mean += w.samples[i];
            if (std::abs(w.samples[i]) > 1e-3) {
                first = std::min(first, i);
                last = i;
            }
        }
        QVERIFY2(std::abs(mean / double(w.samples.size())) < 1e-3, "DC offset");
        const double sounding = double(last - first + 1) / w.rate;
        QVERIFY2(sounding >= shortest && sounding <= longest, qPrintable(QStringLiteral("%1 s of sound").arg(sounding)));
        // Ends in 0.3 s of silence, for the sound output that loses the end of a sample.
        QVERIFY(double(w.samples.size() - 1 - last) / w.rate >= 0.29);
        const double lufs = loudness::integrated(w.samples, w.rate), peak = loudness::peakDb(w.samples);
        qInfo("%s: %.1f LUFS, peak %.1f dBFS", qPrintable(file), lufs, peak);
        QVERIFY2(lufs >= quietest && lufs <= loudest, qPrintable(QStringLiteral("%1 LUFS").arg(lufs)));
        QVERIFY2(peak >= -20.0 && peak < -1.0, qPrintable(QStringLiteral("peak %1 dBFS").arg(peak)));
    }

    // The meter itself, against the standard's published 48 kHz coefficients and its reference
    // tones, so a fault in it cannot hide a fault in the sounds.
    void loudnessMeter()
    {
        const auto k = loudness::kWeighting(48000);
        const std::pair<double, double> coefficients[] = {
            {k[0].b[0], 1.53512485958697},  {k[0].b[1], -2.69169618940638}, {k[0].b[2], 1.19839281085285},
            {k[0].a[1], -1.69065929318241}, {k[0].a[2], 0.73248077421585},  {k[1].a[1], -1.99004745483398},
            {k[1].a[2], 0.99007225036621},
        };
        for (auto [actual, published] : coefficients)
            QVERIFY2(std::abs(actual - published) < 1e-6, qPrintable(QString::number(actual, 'g', 15)));
        for (int rate : {22050, 44100, 48000}) {
            std::vector<double> tone(std::size_t(rate) * 5);
            for (std::size_t i = 0; i < tone.size(); ++i)
                tone[i] = std::sin(2 * M_PI * 997 * double(i) / rate);  // full scale: -3.01 LUFS
            QVERIFY2(std::abs(loudness::integrated(tone, rate) + 3.01) < 0.05, qPrintable(QString::number(loudness::integrated(tone, rate))));
            // The relative gate: a quiet tail 30 dB down does not drag the figure down.
            for (std::size_t i = 0, n = tone.size(); i < n; ++i)
                tone.push_back(tone[i] * 0.0316);
            QVERIFY2(std::abs(loudness::integrated(tone, rate) + 3.01) < 0.2, qPrintable(QString::number(loudness::integrated(tone, rate))));
        }
        QVERIFY(loudness::integrated(std::vector<double>(22050, 0.0), 22050) < -70);
    }

    // The desktop's icons: one drawing at every size, so the 128 px icon the program has always
    // had, brought to each size, looks like the icon of that size.
    void icons()
    {
        const QString icons = kData + QStringLiteral("/../../icons/");
        const QImage base = QImage(icons + QStringLiteral("quillmoor.png")).convertToFormat(QImage::Format_ARGB32);
        for (int side : {16, 24, 32, 48, 64, 128, 256}) {
            const QImage icon = QImage(icons + QStringLiteral("hicolor/%1x%1/apps/quillmoor.png").arg(side));
            QCOMPARE(icon.size(), QSize(side, side));
            QVERIFY(icon.hasAlphaChannel());
            const QImage scaled = base.scaled(icon.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const double diff = meanDifference(icon, scaled.convertToFormat(QImage::Format_ARGB32), 1, true) / 4;
            QVERIFY2(diff < 15, qPrintable(QStringLiteral("%1 px: mean difference %2").arg(side).arg(diff)));
        }
    }

    // The question banks follow the question file format, fit the quiz's labels, spread their
    // right answers, and the Teacher's Notes give their key.
    void banks_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::newRow("planets") << "Other Planets" << "weatherb";
        QTest::newRow("temperature") << "Measuring Temperature" << "temperatureb";
    }
    void banks()
    {
        QFETCH(QString, title);
        QFETCH(QString, notes);
        QFile f(kData + QStringLiteral("/multiple/%1.txt").arg(title));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), 72);
        QCOMPARE(bytes.count('\n'), 72);
        QVERIFY2(QString::fromUtf8(bytes).toUtf8() != bytes || !bytes.contains("\xc2"), "Windows-1252, not UTF-8");
        f.seek(0);
        FieldReader in(&f);
        QStringList fields;
        for (int i = 0; i < 72; ++i)
            fields << in.field();
        QVERIFY(in.atEnd());
        QCOMPARE(fields[0], title);
        QCOMPARE(fields[1], QString());

        // The fonts and sizes of the quiz: question Times New Roman 30 pt in 9840 x 1455 twips,
        // answers 20.25 pt in option buttons 6975 twips wide (less the button's round mark).
        const QFontMetrics question(twips::font(QStringLiteral("Times New Roman"), 30));
        const QFontMetrics answer(twips::font(QStringLiteral("Times New Roman"), 20.25));
        const QRect questionBox = twips::rect(0, 0, 9840, 1455);
        const int answerWidth = twips::toPx(6975) - 24;
        QList<int> rights(5, 0);
        QStringList key;
        bool comma = false;
        for (int q = 0; q < 10; ++q) {
            QStringList texts = fields.mid(2 + 7 * q, 5);
            texts.replaceInStrings(QStringLiteral("&"), QStringLiteral(","));
            const QString right = fields[2 + 7 * q + 5];
            QVERIFY(QStringList({"1", "2", "3", "4"}).contains(right));
            QCOMPARE(fields[2 + 7 * q + 6], QString());
            rights[right.toInt()]++;
            key << QStringLiteral("%1 %2").arg(q + 1).arg(QChar(u'a' + right.toInt() - 1));
            comma = comma || texts.join(QString()).contains(QLatin1Char(','));
            const QRect needed = question.boundingRect(QRect(0, 0, questionBox.width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter, texts[0]);
            QVERIFY2(needed.height() <= questionBox.height(), qPrintable(QStringLiteral("question too long: ") + texts[0]));
            for (const QString &option : texts.mid(1)) {
                QVERIFY(!option.isEmpty());
                QVERIFY2(answer.horizontalAdvance(option) <= answerWidth, qPrintable(QStringLiteral("answer too long: ") + option));
            }
        }
        QVERIFY(comma);
        for (int a = 1; a <= 4; ++a)
            QVERIFY2(rights[a] >= 2 && rights[a] <= 3, "right answers spread over A to D");
        // A key a pupil could learn: no run of four answers comes twice, no answer three times running.
        QString letters;
        for (const QString &k : key)
            letters += k.back();
        for (int i = 0; i + 4 <= letters.size(); ++i)
            QVERIFY2(letters.indexOf(letters.mid(i, 4), i + 1) < 0, qPrintable(QStringLiteral("the key %1 repeats %2").arg(letters, letters.mid(i, 4))));
        QVERIFY2(!letters.contains(QRegularExpression(QStringLiteral("(.)\\1\\1"))), qPrintable(letters));
        QCOMPARE(items(answerKey(notes, QStringLiteral("Multiple Choice:"))), key);
    }

    // Each answer key of the activities in the Teacher's Notes against the boxes it describes: the
    // labels they take, those in the screen's left or right half or all, in the key's order.
    void activityKeys_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("next");  // where the key ends, when another follows in its block
        QTest::addColumn<int>("half");      // -1 left, 1 right, 0 the whole screen
        QTest::addColumn<QString>("order");  // "any", "across" (left to right) or "down" (top to bottom)
        QTest::newRow("rocky planets") << "weatherord" << "weatherb" << "Rocky planets:" << "Gas giants:" << 1 << "any";
        QTest::newRow("gas giants") << "weatherord" << "weatherb" << "Gas giants:" << "" << -1 << "any";
        QTest::newRow("planets labelling") << "weatherlab" << "weatherb" << "from left to right:" << "" << 0 << "across";
        QTest::newRow("temperature ordering") << "temperatureord" << "temperatureb" << "coldest to hottest:" << "" << 0 << "down";
        QTest::newRow("thermometer, left") << "temperaturelab" << "temperatureb" << "Left, top to bottom:" << "Right," << -1 << "down";
        QTest::newRow("thermometer, right") << "temperaturelab" << "temperatureb" << "Right, top to bottom:" << "" << 1 << "down";
    }
    void activityKeys()
    {
        QFETCH(QString, screen);
        QFETCH(QString, notes);
        QFETCH(QString, key);
        QFETCH(QString, next);
        QFETCH(int, half);
        QFETCH(QString, order);
        TestEnv env;
        const Activity *a = activity(screen);
        std::vector<std::pair<float, QString>> found;
        for (int i = 0; i < a->count(); ++i) {
            const TwipsRect &box = a->boxRect(i);
            if (half != 0 && (box.left < 6000) != (half < 0))
                continue;
            const QString label = a->Label2[i]->text().toLower().remove(QRegularExpression(QStringLiteral("\\.$")));
            found.push_back({order == QLatin1String("across") ? box.left : box.top, label});
        }
        std::sort(found.begin(), found.end());
        QStringList boxes, expected = items(answerKey(notes, key, next));
        for (const auto &f : found)
            boxes << f.second;
        if (order == QLatin1String("any")) {
            boxes.sort();
            expected.sort();
        }
        QCOMPARE(boxes, expected);
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

    // Negative temperatures are written with a minus sign, and read aloud every temperature on
    // the pages, and in the quizzes, is said in words.
    void temperaturesWrittenAndSaid_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString &f : QDir(kData + QStringLiteral("/wmf")).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(f)) << QStringLiteral("wmf/") + f;
        QTest::newRow("planets quiz") << "multiple/Other Planets.txt";
        QTest::newRow("temperature quiz") << "multiple/Measuring Temperature.txt";
    }
    void temperaturesWrittenAndSaid()
    {
        QFETCH(QString, file);
        QFile f(kData + QLatin1Char('/') + file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = file.startsWith(QLatin1String("wmf/")) ? QString::fromUtf8(f.readAll()) : QString::fromLatin1(f.readAll());
        // The quizzes are Windows-1252 text, which has no minus sign: there the hyphen stays.
        if (file.startsWith(QLatin1String("wmf/")))
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("(^|[\\s(])-\\d"))), "a hyphen for a minus sign");
        for (const QString &line : text.split(QLatin1Char('\n'))) {
            const QString said = spokenWords(QString(line).replace(QLatin1Char('&'), QLatin1Char(',')));
            QVERIFY2(!said.contains(QChar(0xb0)) && !said.contains(QChar(0x2212)) && !said.contains(QRegularExpression(QStringLiteral("(^|\\s)-\\d"))),
                     qPrintable(said));
        }
    }

    void sameSourcesSameBytes()
    {
        QTemporaryDir a, b;
        for (QTemporaryDir *d : {&a, &b}) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QStringLiteral("QUILLMOOR_VERSION"), QStringLiteral(QUILLMOOR_VERSION));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(QUILLMOOR_MEDIAGEN), {QStringLiteral(QUILLMOOR_SOURCE_DIR "/media"), d->filePath(QStringLiteral("data")), d->filePath(QStringLiteral("icons"))});
            QVERIFY(p.waitForFinished(120000));
            QCOMPARE(p.exitCode(), 0);
        }
        const auto first = digests(a.path()), second = digests(b.path());
        QVERIFY(first.size() > 150);
        QCOMPARE(first, second);
        // And the build's own data folder was made from the same sources.
        const auto built = digests(kData);
        for (auto it = built.begin(); it != built.end(); ++it)
            QCOMPARE(first.value(QStringLiteral("data/") + it.key()), it.value());
    }
};

QTEST_MAIN(TestMedia)
#include "tst_media.moc"
