// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recipe: "key = value" lines, '#' starts a comment. Each media file is made from one.
#include <QMap>
#include <QSize>
#include <QString>

class Recipe {
public:
    static Recipe read(const QString &path);
    QString text(const QString &key, const QString &fallback = {}) const;
    double number(const QString &key, double fallback = 0) const;
    QSize size(const QString &key) const;  // "320x240"
    QString kind() const { return text(QStringLiteral("kind")); }

private:
    QMap<QString, QString> values_;
};

// A small deterministic generator, so the same recipe gives the same bytes on every build.
class Rng {
public:
    explicit Rng(quint64 seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    quint64 next()
    {
        quint64 z = (s_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return (next() >> 11) * (1.0 / 9007199254740992.0); }  // [0,1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    quint64 s_;
};
