// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/summary.h"

namespace summary {
namespace {
bool later(const reg::Attempt &a, const reg::Attempt &b) { return a.ended > b.ended; }
}  // namespace

QMap<QPair<qint64, QString>, Scores> scores(const QList<reg::Attempt> &attempts)
{
    QMap<QPair<qint64, QString>, Scores> out;
    QMap<QPair<qint64, QString>, QDateTime> when;
    for (const reg::Attempt &a : attempts) {
        const auto k = qMakePair(a.pupilId, a.activity);
        Scores &s = out[k];
        if (s.attempts == 0 || a.score > s.best)
            s.best = a.score;
        if (s.attempts == 0 || a.ended >= when[k]) {
            s.latest = a.score;
            s.total = a.total;
            when[k] = a.ended;
        }
        ++s.attempts;
    }
    return out;
}

QStringList activities(const QList<reg::Attempt> &attempts)
{
    QStringList out;
    for (const reg::Attempt &a : attempts)
        if (!out.contains(a.activity))
            out.append(a.activity);
    out.sort(Qt::CaseInsensitive);
    return out;
}

QString cell(const Scores &s)
{
    if (s.attempts == 0)
        return {};
    const QString latest = QStringLiteral("%1/%2").arg(s.latest).arg(s.total);
    return s.best > s.latest ? latest + QStringLiteral(" (%1)").arg(s.best) : latest;
}

QString cellWords(const Scores &s)
{
    if (s.attempts == 0)
        return QStringLiteral("Not done yet");
    const QString latest = QStringLiteral("%1 out of %2").arg(s.latest).arg(s.total);
    return s.best > s.latest ? latest + QStringLiteral(", best %1").arg(s.best) : latest;
}

QList<Question> questions(const QList<reg::Attempt> &attempts, const QString &activity)
{
    QMap<qint64, reg::Attempt> latest;
    for (const reg::Attempt &a : attempts)
        if (a.activity == activity && (!latest.contains(a.pupilId) || !later(latest[a.pupilId], a)))
            latest[a.pupilId] = a;
    QList<Question> out;
    for (const reg::Attempt &a : std::as_const(latest)) {
        if (out.size() < a.marks.size())
            out.resize(a.marks.size());
        for (qsizetype i = 0; i < a.marks.size(); ++i) {
            ++out[i].asked;
            out[i].right += a.marks[i] == QLatin1Char('1');
        }
    }
    return out;
}

}  // namespace summary
