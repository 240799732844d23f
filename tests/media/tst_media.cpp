// The media the build makes: every picture decodes at the size of the place that shows it,
// every sound is clean 16-bit PCM of the right length and loudness, the question banks follow the
// question file format and fit the quiz's labels, and the same sources give the same bytes.
#include "platform/fieldfile.h"
#include "platform/twips.h"
#include "loudness.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFontMetrics>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

namespace {

const QString kData = QStringLiteral(QUILLMOOR_BUILD_DATA);

QString data(const QString &relative) { return kData + QLatin1Char('/') + relative; }

QImage picture(const QString &relative, QByteArray *format = nullptr)
{
    if (format)
        *format = QImageReader::imageFormat(data(relative));
    return QImageReader(data(relative)).read();
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); y += 2)
        for (int x = 0; x < a.width(); x += 2) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (a.width() * a.height() / 4.0);
}

bool reddish(QRgb c) { return qRed(c) > 140 && qGreen(c) < 110 && qBlue(c) < 110; }

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;
};

Wav readWav(const QString &path)
{
    Wav w;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return w;
    const QByteArray b = f.readAll();
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE")
        return w;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
        const char *body = b.constData() + at + 8;
        if (id == "fmt ") {
            w.format = qFromLittleEndian<quint16>(body);
            w.channels = qFromLittleEndian<quint16>(body + 2);
            w.rate = int(qFromLittleEndian<quint32>(body + 4));
            w.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size && at + 8 + i + 1 < b.size(); i += 2)
                w.samples.push_back(qFromLittleEndian<qint16>(body + i) / 32768.0);
        }
        at += 8 + size + (size & 1);
    }
    return w;
}

QMap<QString, QByteArray> digests(const QString &dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        out.insert(QDir(dir).relativeFilePath(path), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return out;
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
            QTest::addRow("jupiter frame %d", i) << QStringLiteral("jupiter/jupite%1.jpg").arg(i, 2, 10, QLatin1Char('0')) << QSize(800, 400) << QByteArray("jpeg");
        for (int i = 0; i < 20; ++i)
            QTest::addRow("logo frame %d", i) << QStringLiteral("logo/corv%1.gif").arg(i, 4, 10, QLatin1Char('0')) << QSize(120, 120) << QByteArray("gif");
    }
    void pictures()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QByteArray, format);
        QByteArray actual;
        const QImage img = picture(file, &actual);
        QVERIFY2(!img.isNull(), qPrintable(file));
        QCOMPARE(img.size(), size);
        QCOMPARE(actual, format);
    }

    void planetsOnBlack_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *f : {"mercurysm2", "venussm", "earthsm", "marssm", "jupitersm", "saturn", "uranus", "neptune"})
            QTest::newRow(f) << QStringLiteral("images/%1.jpg").arg(QLatin1String(f));
    }
    void planetsOnBlack()
    {
        QFETCH(QString, file);
        const QImage img = picture(file);
        for (QPoint corner : {QPoint(0, 0), QPoint(img.width() - 1, 0), QPoint(0, img.height() - 1), QPoint(img.width() - 1, img.height() - 1)})
            QVERIFY(qGray(img.pixel(corner)) < 24);
        QVERIFY(qGray(img.pixel(img.width() / 2, img.height() / 2)) > 40);  // the planet is there
    }

    void jupiterTurnsWithoutAJump()
    {
        std::vector<QImage> frames;
        for (int i = 0; i < 100; ++i)
            frames.push_back(picture(QStringLiteral("jupiter/jupite%1.jpg").arg(i, 2, 10, QLatin1Char('0'))));
        std::vector<double> steps;
        for (int i = 0; i < 99; ++i)
            steps.push_back(meanDifference(frames[i], frames[i + 1]));
        std::sort(steps.begin(), steps.end());
        const double wrap = meanDifference(frames[99], frames[0]);
        QVERIFY2(steps[0] > 0.05, "the frames must differ");
        QVERIFY2(wrap < steps.back() * 1.2, qPrintable(QStringLiteral("99 to 00 differs by %1, the largest step is %2").arg(wrap).arg(steps.back())));
    }

    void thermometerMeetsItsPointers()
    {
        const QImage img = picture(QStringLiteral("images/thermometer.jpg"));
        // The liquid reaches the 77 degree mark, where the middle pointer (picture row 302) meets it.
        QVERIFY(reddish(img.pixel(88, 306)));
        QVERIFY(reddish(img.pixel(88, 380)));
        QVERIFY(!reddish(img.pixel(88, 296)));
        QVERIFY(!reddish(img.pixel(88, 200)));
        // The glass spans columns 56 to 120; outside it, the window colour.
        QVERIFY(qGray(img.pixel(60, 200)) > 150);
        QVERIFY(qGray(img.pixel(116, 200)) > 120);
        const QRgb outside = img.pixel(40, 200);
        QVERIFY(std::abs(qRed(outside) - 39) < 12 && std::abs(qGreen(outside) - 63) < 12 && std::abs(qBlue(outside) - 137) < 12);
    }

    void temperatureStripRunsColdToHot()
    {
        const QImage img = picture(QStringLiteral("images/tempgauge.jpg"));
        const QRgb cold = img.pixel(24, 11), hot = img.pixel(img.width() - 24, 11);
        QVERIFY(qBlue(cold) > qRed(cold) + 80);
        QVERIFY(qRed(hot) > qBlue(hot) + 80);
    }

    void sounds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("shortest");  // seconds of sound, not counting the silences
        QTest::addColumn<double>("longest");
        QTest::newRow("click") << "click" << 0.005 << 0.06;
        QTest::newRow("typekey") << "typekey" << 0.005 << 0.06;
        QTest::newRow("thud3") << "thud3" << 0.05 << 0.25;
        QTest::newRow("eagle6") << "eagle6" << 1.0 << 2.0;
        for (const char *c : {"fanf2", "fanf3", "crowd", "cheer2", "klaxon", "flute", "gong", "clap2", "drumroll", "laser2", "whizz", "clap3", "clown"})
            QTest::newRow(c) << QString::fromLatin1(c) << 1.0 << 4.0;
    }
    void sounds()
    {
        QFETCH(QString, file);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const Wav w = readWav(data(QStringLiteral("wav/%1.wav").arg(file)));
        QCOMPARE(w.format, 1);
        QCOMPARE(w.channels, 1);
        QCOMPARE(w.bits, 16);
        QVERIFY(w.rate == 22050 || w.rate == 44100);
        QVERIFY(!w.samples.empty());

        double peak = 0, mean = 0;
        std::size_t first = w.samples.size(), last = 0;
        for (std::size_t i = 0; i < w.samples.size(); ++i) {
            const double a = std::abs(w.samples[i]);
            peak = std::max(peak, a);
            mean += w.samples[i];
            if (a > 1e-3) {
                first = std::min(first, i);
                last = i;
            }
        }
        mean /= double(w.samples.size());
        const double peakDb = 20 * std::log10(peak);
        QVERIFY2(peakDb >= -20.0 && peakDb <= -1.0, qPrintable(QStringLiteral("peak %1 dBFS").arg(peakDb)));
        QVERIFY2(std::abs(mean) < 1e-3, "DC offset");
        const double sounding = double(last - first + 1) / w.rate;
        QVERIFY2(sounding >= shortest && sounding <= longest, qPrintable(QStringLiteral("%1 s of sound").arg(sounding)));
        // Ends in 0.3 s of silence, for the sound output that loses the end of a sample.
        QVERIFY(double(w.samples.size() - 1 - last) / w.rate >= 0.29);
        double energy = 0;
        for (std::size_t i = first; i <= last; ++i)
            energy += w.samples[i] * w.samples[i];
        QVERIFY2(std::sqrt(energy / double(last - first + 1)) > 0.01, "not silence");
    }

    // The meter itself, against the standard's published 48 kHz coefficients and its reference
    // tones, so a fault in it cannot hide a fault in the sounds.
    void loudnessMeter()
    {
        const auto k = loudness::kWeighting(48000);
        const double shelf[5] = {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241, 0.73248077421585};
        const double highPass[2] = {-1.99004745483398, 0.99007225036621};
        QVERIFY(std::abs(k[0].b[0] - shelf[0]) < 1e-6 && std::abs(k[0].b[1] - shelf[1]) < 1e-6 && std::abs(k[0].b[2] - shelf[2]) < 1e-6);
        QVERIFY(std::abs(k[0].a[1] - shelf[3]) < 1e-6 && std::abs(k[0].a[2] - shelf[4]) < 1e-6);
        QVERIFY(std::abs(k[1].a[1] - highPass[0]) < 1e-6 && std::abs(k[1].a[2] - highPass[1]) < 1e-6);
        for (int rate : {22050, 44100, 48000}) {
            std::vector<double> tone(std::size_t(rate) * 5);
            for (std::size_t i = 0; i < tone.size(); ++i)
                tone[i] = std::sin(2 * M_PI * 997 * double(i) / rate);  // full scale: -3.01 LUFS
            QVERIFY2(std::abs(loudness::integrated(tone, rate) + 3.01) < 0.05, qPrintable(QString::number(loudness::integrated(tone, rate))));
            for (double &x : tone)
                x *= 0.1;  // 20 dB down
            QVERIFY(std::abs(loudness::integrated(tone, rate) + 23.01) < 0.05);
            // The relative gate: a quiet tail 30 dB down does not drag the figure down.
            std::vector<double> tail = tone;
            for (std::size_t i = 0; i < tone.size(); ++i)
                tail.push_back(tone[i] * 0.0316);
            QVERIFY2(std::abs(loudness::integrated(tail, rate) + 23.01) < 0.2, qPrintable(QString::number(loudness::integrated(tail, rate))));
        }
        QVERIFY(loudness::integrated(std::vector<double>(22050, 0.0), 22050) < -70);
    }

    // Celebrations played one after another must sound alike in loudness; the small sounds
    // that go with every click or key press sit well under them.
    void loudness_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("lowest");  // LUFS, integrated
        QTest::addColumn<double>("highest");
        for (const char *c : {"fanf2", "fanf3", "crowd", "cheer2", "klaxon", "flute", "gong", "clap2", "drumroll", "laser2", "whizz", "clap3", "clown"})
            QTest::newRow(c) << QString::fromLatin1(c) << -21.0 << -19.0;
        QTest::newRow("eagle6") << "eagle6" << -21.0 << -19.0;
        QTest::newRow("click") << "click" << -33.0 << -28.0;
        QTest::newRow("typekey") << "typekey" << -33.0 << -28.0;
        QTest::newRow("thud3") << "thud3" << -29.0 << -25.0;
    }
    void loudness()
    {
        QFETCH(QString, file);
        QFETCH(double, lowest);
        QFETCH(double, highest);
        const Wav w = readWav(data(QStringLiteral("wav/%1.wav").arg(file)));
        QVERIFY(!w.samples.empty());
        const double lufs = loudness::integrated(w.samples, w.rate), peak = loudness::peakDb(w.samples);
        qInfo("%s: %.1f LUFS, peak %.1f dBFS", qPrintable(file), lufs, peak);
        QVERIFY2(lufs >= lowest && lufs <= highest, qPrintable(QStringLiteral("%1 LUFS").arg(lufs)));
        QVERIFY2(peak < -1.0, qPrintable(QStringLiteral("peak %1 dBFS").arg(peak)));
    }

    void banks_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("planets") << "Other Planets";
        QTest::newRow("temperature") << "Measuring Temperature";
    }
    void banks()
    {
        QFETCH(QString, title);
        QFile f(data(QStringLiteral("multiple/%1.txt").arg(title)));
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
        bool comma = false;
        for (int q = 0; q < 10; ++q) {
            const int at = 2 + 7 * q;
            QVERIFY(QStringList({"1", "2", "3", "4"}).contains(fields[at + 5]));
            rights[fields[at + 5].toInt()]++;
            QCOMPARE(fields[at + 6], QString());
            const QString text = QString(fields[at]).replace(QLatin1Char('&'), QLatin1Char(','));
            comma = comma || text.contains(QLatin1Char(','));
            const QRect needed = question.boundingRect(QRect(0, 0, questionBox.width(), 10000), Qt::TextWordWrap | Qt::AlignHCenter, text);
            QVERIFY2(needed.height() <= questionBox.height(), qPrintable(QStringLiteral("question too long: ") + text));
            for (int a = 1; a <= 4; ++a) {
                const QString option = QString(fields[at + a]).replace(QLatin1Char('&'), QLatin1Char(','));
                QVERIFY(!option.isEmpty());
                comma = comma || option.contains(QLatin1Char(','));
                QVERIFY2(answer.horizontalAdvance(option) <= answerWidth, qPrintable(QStringLiteral("answer too long: ") + option));
            }
        }
        QVERIFY(comma);
        for (int a = 1; a <= 4; ++a)
            QVERIFY2(rights[a] >= 2 && rights[a] <= 3, "right answers spread over A to D");
    }

    // The desktop's icons: one drawing at every size, so the 128 px icon the program has always
    // had, brought to each size, looks like the icon of that size.
    void icons_data()
    {
        QTest::addColumn<int>("side");
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QStringLiteral("%1px").arg(side))) << side;
    }

    void icons()
    {
        QFETCH(int, side);
        const QString icons = kData + QStringLiteral("/../../icons/");
        const QImage base = QImage(icons + QStringLiteral("quillmoor.png")).convertToFormat(QImage::Format_ARGB32);
        const QImage icon = QImage(icons + QStringLiteral("hicolor/%1x%1/apps/quillmoor.png").arg(side));
        QCOMPARE(icon.size(), QSize(side, side));
        QVERIFY(icon.hasAlphaChannel());
        const QImage scaled = base.scaled(icon.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_ARGB32);
        double diff = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb a = icon.pixel(x, y), b = scaled.pixel(x, y);
                diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b))
                        + std::abs(qAlpha(a) - qAlpha(b));
            }
        diff /= 4.0 * side * side;
        qInfo("%d px: mean difference %.1f", side, diff);
        QVERIFY2(diff < 15, qPrintable(QStringLiteral("mean difference %1").arg(diff)));
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
