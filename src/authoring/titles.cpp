// SPDX-License-Identifier: GPL-3.0-or-later
// Which titles can name a worksheet file.
#include "authoring/worksheets.h"

namespace {

const QString kChooseAnother = QStringLiteral(". Please choose another title");

// Names Windows keeps for devices, whatever their case and extension: a memory stick formatted
// for Windows refuses them, so a folder of worksheets could not be copied onto one.
bool isDeviceName(const QString &title)
{
    QString base = title.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    for (const char *name : {"CON", "PRN", "AUX", "NUL"})
        if (base == QLatin1String(name))
            return true;
    if (base.size() != 4 || !(base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))))
        return false;
    const QChar n = base[3];
    return (n >= QLatin1Char('1') && n <= QLatin1Char('9')) || n == QChar(0x00B9) || n == QChar(0x00B2) || n == QChar(0x00B3);
}

}  // namespace

QString titleProblem(const QString &title)
{
    for (QChar c : title)
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral("/\\:*?\"<>|").contains(c))
            return QStringLiteral("A worksheet title cannot contain any of these: / \\ : * ? \" < > |");
    if (title.trimmed().isEmpty())
        return QStringLiteral("A worksheet title cannot be only blanks") + kChooseAnother;
    if (title.endsWith(QLatin1Char('.')) || title.endsWith(QLatin1Char(' ')))
        return QStringLiteral("A worksheet title cannot end with a dot or a blank") + kChooseAnother;
    if (isDeviceName(title))
        return QStringLiteral("The title %1 is kept by Windows for a device").arg(title) + kChooseAnother;
    if (title.compare(QLatin1String("track"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("The title track is kept for the worksheet catalogue") + kChooseAnother;
    for (const char *topic : {"Other Planets", "Measuring Temperature"})
        if (title.compare(QLatin1String(topic), Qt::CaseInsensitive) == 0)
            return QStringLiteral("The title %1 is kept for a topic's quiz").arg(QLatin1String(topic)) + kChooseAnother;
    // Most file systems take at most 255 bytes for a name.
    if ((title + QStringLiteral(".txt")).toUtf8().size() > 255)
        return QStringLiteral("The title %1 is too long to name a file").arg(title) + kChooseAnother;
    return {};
}
