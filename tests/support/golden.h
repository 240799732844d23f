// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Expected output kept as data: one readable text file per case under tests/data/golden, named
// for it, and reviewed in a commit like code. A mismatch prints a unified diff, expected to
// actual; QUILLMOOR_UPDATE_GOLDEN=1 rewrites the files from what the code now produces. A picture
// is kept as a small PNG beside them and may differ by a stated tolerance.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryFile>
#include <QTest>
#include <algorithm>
#include <cstdlib>

namespace golden {

// A case's file name from its words: "A4 after a quiz" -> "a4-after-a-quiz".
inline QString slug(const QString &words)
{
    return words.toLower().replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-")).remove(QRegularExpression(QStringLiteral("^-|-$")));
}

inline QString pathOf(const QString &name, const char *suffix = ".txt")
{
    return QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/data/golden/") + name + QLatin1String(suffix);
}

// Rewriting the files (QUILLMOOR_UPDATE_GOLDEN=1), with their folder made, rather than comparing.
inline bool rewriting(const QString &path)
{
    if (qEnvironmentVariableIntValue("QUILLMOOR_UPDATE_GOLDEN") != 1)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return true;
}

// Empty when the lines match the file; else what differs.
inline QString compare(const QString &name, const QStringList &lines)
{
    const QByteArray actual = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
    const QString path = pathOf(name);
    if (rewriting(path)) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(actual) != actual.size())
            return QStringLiteral("cannot write ") + path;
        return {};
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("no expected output at %1 (QUILLMOOR_UPDATE_GOLDEN=1 writes it)").arg(path);
    if (in.readAll() == actual)
        return {};
    QTemporaryFile got;
    if (!got.open() || got.write(actual) != actual.size() || !got.flush())
        return QStringLiteral("the output differs from ") + path;
    QProcess diff;
    diff.start(QStringLiteral("diff"), {QStringLiteral("-u"), QStringLiteral("--label"), name + QStringLiteral(" (expected)"), QStringLiteral("--label"),
                                        name + QStringLiteral(" (actual)"), path, got.fileName()});
    diff.waitForFinished();
    return QStringLiteral("the output differs from %1:\n").arg(path) + QString::fromUtf8(diff.readAllStandardOutput());
}

// Empty when the picture matches the PNG but for at most `tolerance` pixels that differ noticeably
// (by more than 16 of 255 in a channel): anti-aliasing and an animation's frame vary a little,
// while a colour or a control moved changes many. Else by how much, and where the picture now
// drawn is kept for a look.
inline QString compareImage(const QString &name, const QImage &image, int tolerance)
{
    const QString path = pathOf(name, ".png");
    const QImage actual = image.convertToFormat(QImage::Format_RGB32);
    if (rewriting(path))
        return actual.save(path) ? QString() : QStringLiteral("cannot write ") + path;
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (expected.isNull())
        return QStringLiteral("no expected picture at %1 (QUILLMOOR_UPDATE_GOLDEN=1 writes it)").arg(path);
    if (expected.size() != actual.size())
        return QStringLiteral("%1 is %2 x %3, the picture %4 x %5").arg(path).arg(expected.width()).arg(expected.height())
            .arg(actual.width()).arg(actual.height());
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
            const int most = std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)), std::abs(qBlue(a) - qBlue(e))});
            differing += most > 16;
        }
    if (differing <= tolerance)
        return {};
    const QString kept = QDir::temp().filePath(name.section(QLatin1Char('/'), -1) + QStringLiteral("-actual.png"));
    actual.save(kept);
    return QStringLiteral("%1 pixels differ from %2, %3 allowed; the picture is at %4").arg(differing).arg(path).arg(tolerance).arg(kept);
}

}  // namespace golden

#define QCOMPARE_GOLDEN(name, lines)                                  \
    do {                                                              \
        const QString goldenDiff_ = golden::compare((name), (lines)); \
        QVERIFY2(goldenDiff_.isEmpty(), qPrintable(goldenDiff_));     \
    } while (false)

#define QCOMPARE_GOLDEN_IMAGE(name, image, tolerance)                                \
    do {                                                                             \
        const QString goldenDiff_ = golden::compareImage((name), (image), (tolerance)); \
        QVERIFY2(goldenDiff_.isEmpty(), qPrintable(goldenDiff_));                    \
    } while (false)
