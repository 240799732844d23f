// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Expected output kept as data: one readable text file per case under tests/data/golden, named
// for it, and reviewed in a commit like code. A mismatch prints a unified diff, expected to
// actual; QUILLMOOR_UPDATE_GOLDEN=1 rewrites the files from what the code now produces.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryFile>
#include <QTest>

namespace golden {

// A case's file name from its words: "A4 after a quiz" -> "a4-after-a-quiz".
inline QString slug(const QString &words)
{
    return words.toLower().replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-")).remove(QRegularExpression(QStringLiteral("^-|-$")));
}

inline QString pathOf(const QString &name) { return QStringLiteral(QUILLMOOR_SOURCE_DIR "/tests/data/golden/") + name + QStringLiteral(".txt"); }

// Empty when the lines match the file; else what differs.
inline QString compare(const QString &name, const QStringList &lines)
{
    const QByteArray actual = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
    const QString path = pathOf(name);
    if (qEnvironmentVariableIntValue("QUILLMOOR_UPDATE_GOLDEN") == 1) {
        QDir().mkpath(QFileInfo(path).absolutePath());
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

}  // namespace golden

#define QCOMPARE_GOLDEN(name, lines)                                  \
    do {                                                              \
        const QString goldenDiff_ = golden::compare((name), (lines)); \
        QVERIFY2(goldenDiff_.isEmpty(), qPrintable(goldenDiff_));     \
    } while (false)
