// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's charts are drawn by a run-time module beside the sound's: Qt Charts and the
// OpenGL libraries it pulls in would otherwise be loaded on every start of the program, a tenth
// of its start-up, for a screen most users never open. The chart screen hands it plain values.
#include <QFont>
#include <QList>
#include <QPointF>
#include <QString>

class QWidget;

namespace charts {

struct Line {
    QString name;
    QList<QPointF> points;  // x: the attempt's end in ms since the epoch; y: its score in %
};

struct Look {
    QFont title, legend;
};

class Backend {
public:
    virtual ~Backend() = default;
    // A pupil's scores over time, a line an activity, on a date axis from `fromMs` to `toMs`.
    virtual QWidget *history(QWidget *parent, const Look &look, const QString &title, const QList<Line> &lines,
                             qint64 fromMs, qint64 toMs) = 0;
    // For each question, how many got it right and how many wrong, stacked; `most` tops the axis.
    virtual QWidget *questions(QWidget *parent, const Look &look, const QString &title, const QList<int> &right,
                               const QList<int> &wrong, int most) = 0;
};

// The module's backend, loaded once; null when the module or Qt Charts is missing.
Backend *backend();

}  // namespace charts

extern "C" charts::Backend *quillmoor_create_chart_backend();
