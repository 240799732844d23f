// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/csv.h"

#include "formats/textcodec.h"

#include <QSet>

namespace csv {
namespace {

constexpr int kLongestName = 60;  // longer is not a pupil's name but a stray paragraph

QString wrongQuestions(const QString &marks)
{
    QStringList wrong;
    for (int i = 0; i < marks.size(); ++i)
        if (marks[i] == QLatin1Char('0'))
            wrong << QString::number(i + 1);
    return wrong.join(QLatin1Char(' '));
}

QChar separatorOf(const QString &text)
{
    const QString first = text.section(QLatin1Char('\n'), 0, 0);
    if (first.contains(QLatin1Char(',')))
        return QLatin1Char(',');
    if (first.contains(QLatin1Char(';')))
        return QLatin1Char(';');
    if (first.contains(QLatin1Char('\t')))
        return QLatin1Char('\t');
    return QLatin1Char(',');
}

QString key(const QString &heading) { return heading.simplified().toLower(); }

}  // namespace

QString field(const QString &text)
{
    QString t = text;
    if (!t.isEmpty() && QStringLiteral("=+-@\t\r").contains(t[0]))
        t.prepend(QLatin1Char('\''));
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QByteArray results(const QList<reg::Attempt> &attempts)
{
    QString out;
    const QStringList heading{QStringLiteral("Date and time"), QStringLiteral("Class"), QStringLiteral("Pupil"),
                              QStringLiteral("Activity"), QStringLiteral("Score"), QStringLiteral("Total"),
                              QStringLiteral("Questions wrong"), QStringLiteral("Computer")};
    auto line = [&out](const QStringList &fields) {
        QStringList quoted;
        for (const QString &f : fields)
            quoted << field(f);
        out += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    line(heading);
    for (const reg::Attempt &a : attempts)
        line({a.ended.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")), a.className, a.pupil, a.activity,
              QString::number(a.score), QString::number(a.total), wrongQuestions(a.marks), a.computer});
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

QList<QStringList> rows(const QString &text)
{
    const QChar sep = separatorOf(text);
    QList<QStringList> out;
    QStringList row;
    QString cell;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
        } else if (c == QLatin1Char('"') && cell.trimmed().isEmpty()) {
            quoted = true;
            cell.clear();
            any = true;
        } else if (c == sep) {
            row << cell;
            cell.clear();
            any = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            if (any || !cell.isEmpty())
                out << (row << cell);
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (any || !cell.isEmpty())
        out << (row << cell);
    return out;
}

Names names(const QByteArray &file)
{
    const QString text = file.startsWith("\xEF\xBB\xBF") ? QString::fromUtf8(file.mid(3)) : textcodec::decode(file);
    QList<QStringList> table = rows(text);
    // A heading row names the column; without one the first column holds the names.
    int nameAt = 0, surnameAt = -1;
    if (!table.isEmpty()) {
        const QStringList &head = table.first();
        int found = -1, first = -1;
        for (int i = 0; i < head.size(); ++i) {
            const QString k = key(head[i]);
            if (k == QLatin1String("name") || k == QLatin1String("names") || k == QLatin1String("pupil")
                || k == QLatin1String("pupil name") || k == QLatin1String("full name") || k == QLatin1String("student"))
                found = found < 0 ? i : found;
            else if (k == QLatin1String("first name") || k == QLatin1String("forename") || k == QLatin1String("given name"))
                first = i;
            else if (k == QLatin1String("surname") || k == QLatin1String("last name") || k == QLatin1String("family name"))
                surnameAt = i;
        }
        if (found >= 0 || first >= 0) {
            nameAt = found >= 0 ? found : first;
            if (found >= 0)
                surnameAt = -1;
            table.removeFirst();
        } else {
            surnameAt = -1;
        }
    }
    Names out;
    QSet<QString> seen;
    for (const QStringList &row : std::as_const(table)) {
        QString name = nameAt < row.size() ? row[nameAt] : QString();
        if (surnameAt >= 0 && surnameAt < row.size())
            name += QLatin1Char(' ') + row[surnameAt];
        // Control characters and runs of spaces are never part of a name.
        QString clean;
        for (const QChar c : std::as_const(name))
            clean += c.category() == QChar::Other_Control ? QLatin1Char(' ') : c;
        clean = clean.simplified().left(kLongestName).trimmed();
        if (clean.isEmpty())
            continue;
        if (seen.contains(clean.toLower())) {
            ++out.duplicates;
            continue;
        }
        seen.insert(clean.toLower());
        out.names << clean;
    }
    return out;
}

}  // namespace csv
