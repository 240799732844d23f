// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chart.h"

#include "core/media.h"
#include "core/setupform.h"
#include "core/soundrequest.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"

#include <QBarCategoryAxis>
#include <QStackedBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QLocale>
#include <QMap>
#include <QValueAxis>

namespace {

QString when(const QDateTime &t) { return QLocale(QLocale::English, QLocale::UnitedKingdom).toString(t, QStringLiteral("d MMM yyyy, HH:mm")); }

QChart *freshChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(twips::font(QStringLiteral("Tahoma"), 12, true));
    chart->legend()->setFont(twips::font(QStringLiteral("Tahoma"), 9.75));
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

// A chart view releases, not deletes, the chart it is given a new one in place of.
void replaceChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

}  // namespace

Chart::Chart() : Screen(QStringLiteral("Chart"))
{
    Label1 = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 18, true), QColor(255, 255, 0));
    Label1->setTextFormat(Qt::PlainText);
    twips::place(Label1, 0, 120, 12000, 480);
    view = new QChartView(this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::NoFocus);
    twips::place(view, 240, 720, 8040, 7200);
    values = new QPlainTextEdit(this);
    values->setReadOnly(true);
    values->setTabChangesFocus(true);
    values->setFont(twips::font(QStringLiteral("Tahoma"), 9.75));
    values->setAccessibleName(QStringLiteral("The chart's values"));
    twips::place(values, 8400, 720, 3360, 7200);
    back = new QPushButton(QStringLiteral("Back"), this);
    back->setFont(twips::font(QStringLiteral("Tahoma"), 9.75, true));
    twips::place(back, 10515, 8160, 1245, 420);
    connect(back, &QPushButton::clicked, this, [this] {
        playsound(media::click);
        Screens::unload(this);
    });
    setEscapeAction([this] { back->click(); });
}

void Chart::onLoad() { setupform(this); }

void Chart::showHistory(const QString &pupil, const QList<reg::Attempt> &attempts)
{
    Label1->setText(pupil + QStringLiteral("'s history"));
    QChart *chart = freshChart(QStringLiteral("Score (%) on each attempt"));
    auto *x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("d MMM"));
    x->setTitleText(QStringLiteral("Date"));
    auto *y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("Score (%)"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    QMap<QString, QLineSeries *> lines;
    QStringList words;
    QDateTime first, last;
    for (const reg::Attempt &a : attempts) {
        QLineSeries *&s = lines[a.activity];
        if (!s) {
            s = new QLineSeries;
            s->setName(a.activity);
            s->setPointsVisible(true);
            chart->addSeries(s);
            s->attachAxis(x);
            s->attachAxis(y);
        }
        s->append(double(a.ended.toMSecsSinceEpoch()), a.total > 0 ? 100.0 * a.score / a.total : 0);
        first = first.isValid() ? std::min(first, a.ended) : a.ended;
        last = last.isValid() ? std::max(last, a.ended) : a.ended;
        words << QStringLiteral("%1: %2, %3 out of %4").arg(when(a.ended), a.activity).arg(a.score).arg(a.total);
    }
    // A single day still gets an axis a day wide.
    if (first.isValid())
        x->setRange(first.addSecs(-43200), std::max(last, first.addSecs(86400)).addSecs(43200));
    replaceChart(view, chart);
    values->setPlainText(words.isEmpty() ? QStringLiteral("No results yet.") : words.join(QLatin1Char('\n')));
    view->setAccessibleName(Label1->text());
    view->setAccessibleDescription(values->toPlainText());
}

void Chart::showQuestions(const QString &className, const QString &activity, const QList<summary::Question> &questions)
{
    Label1->setText(className + QStringLiteral(": ") + activity);
    QChart *chart = freshChart(QStringLiteral("Pupils who got each question right (latest attempts)"));
    auto *right = new QBarSet(QStringLiteral("Right"));
    auto *wrong = new QBarSet(QStringLiteral("Wrong"));
    right->setColor(QColor(0, 150, 70));
    wrong->setColor(QColor(210, 60, 40));
    QStringList names, words;
    int most = 1;
    for (int q = 0; q < questions.size(); ++q) {
        right->append(questions[q].right);
        wrong->append(questions[q].asked - questions[q].right);
        names << QString::number(q + 1);
        most = std::max(most, questions[q].asked);
        words << QStringLiteral("Question %1: %2 of %3 right").arg(q + 1).arg(questions[q].right).arg(questions[q].asked);
    }
    auto *series = new QStackedBarSeries;  // each bar as tall as the pupils asked
    series->append(right);
    series->append(wrong);
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
    replaceChart(view, chart);
    values->setPlainText(words.join(QLatin1Char('\n')));
    view->setAccessibleName(Label1->text());
    view->setAccessibleDescription(values->toPlainText());
}
