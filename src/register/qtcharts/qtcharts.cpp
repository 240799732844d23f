// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's charts drawn with Qt Charts, in a module of their own (see chartbackend.h).
#include "register/chartbackend.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

QChartView *viewOf(QWidget *parent, const charts::Look &look, const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(look.title);
    chart->legend()->setFont(look.legend);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto *view = new QChartView(chart, parent);  // the view owns the chart
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

class QtChartsBackend : public charts::Backend {
public:
    QWidget *history(QWidget *parent, const charts::Look &look, const QString &title, const QList<charts::Line> &lines,
                     qint64 fromMs, qint64 toMs) override
    {
        QChartView *view = viewOf(parent, look, title);
        QChart *chart = view->chart();
        auto *x = new QDateTimeAxis;
        // Over a few days the ticks fall within days: their hours tell them apart.
        const bool fewDays = toMs - fromMs <= 3 * 86400 * 1000LL;
        x->setFormat(fewDays ? QStringLiteral("d MMM, HH:mm") : QStringLiteral("d MMM"));
        x->setTitleText(QStringLiteral("Date"));
        x->setRange(QDateTime::fromMSecsSinceEpoch(fromMs), QDateTime::fromMSecsSinceEpoch(toMs));
        auto *y = new QValueAxis;
        y->setRange(0, 100);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setTitleText(QStringLiteral("Score (%)"));
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        for (const charts::Line &line : lines) {
            auto *s = new QLineSeries;
            s->setName(line.name);
            s->setPointsVisible(true);
            s->append(line.points);
            chart->addSeries(s);
            s->attachAxis(x);
            s->attachAxis(y);
        }
        return view;
    }

    QWidget *questions(QWidget *parent, const charts::Look &look, const QString &title, const QList<int> &right,
                       const QList<int> &wrong, int most) override
    {
        QChartView *view = viewOf(parent, look, title);
        QChart *chart = view->chart();
        auto *rightSet = new QBarSet(QStringLiteral("Right"));
        auto *wrongSet = new QBarSet(QStringLiteral("Wrong"));
        rightSet->setColor(QColor(0, 150, 70));
        wrongSet->setColor(QColor(210, 60, 40));
        QStringList names;
        for (qsizetype q = 0; q < right.size(); ++q) {
            rightSet->append(right[q]);
            wrongSet->append(wrong.value(q));
            names << QString::number(q + 1);
        }
        auto *series = new QStackedBarSeries;  // each bar as tall as the pupils asked
        series->append(rightSet);
        series->append(wrongSet);
        chart->addSeries(series);
        auto *x = new QBarCategoryAxis;
        x->append(names);
        x->setTitleText(QStringLiteral("Question"));
        auto *y = new QValueAxis;
        y->setRange(0, most);
        y->setTickCount(std::min(most, 10) + 1);
        y->setLabelFormat(QStringLiteral("%d"));
        y->setTitleText(QStringLiteral("Pupils"));
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
        return view;
    }
};

}  // namespace

extern "C" Q_DECL_EXPORT charts::Backend *quillmoor_create_chart_backend() { return new QtChartsBackend; }
