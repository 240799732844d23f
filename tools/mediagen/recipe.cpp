// SPDX-License-Identifier: GPL-3.0-or-later
#include "recipe.h"

#include <QFile>
#include <QStringList>
#include <stdexcept>

Recipe Recipe::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read recipe " + path.toStdString());
    Recipe r;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (QString line : lines) {
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            line.truncate(hash);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        r.values_.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return r;
}

QString Recipe::text(const QString &key, const QString &fallback) const { return values_.value(key, fallback); }

double Recipe::number(const QString &key, double fallback) const
{
    bool ok = false;
    const double v = values_.value(key).toDouble(&ok);
    return ok ? v : fallback;
}

QSize Recipe::size(const QString &key) const
{
    const QStringList wh = values_.value(key).split(QLatin1Char('x'));
    if (wh.size() != 2)
        throw std::runtime_error("recipe needs a size WxH for " + key.toStdString());
    return QSize(wh[0].toInt(), wh[1].toInt());
}
