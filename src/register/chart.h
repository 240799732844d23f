// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's charts: a pupil's scores over time, one line an activity, and for a quiz how many
// of the class got each question right. Beside each chart its values in words, for a screen
// reader and for the teacher who wants the numbers.
#include "register/store.h"
#include "register/summary.h"
#include "ui/screen.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

class Chart : public Screen {
    Q_OBJECT
public:
    Chart();
    void onLoad() override;

    void showHistory(const QString &pupil, const QList<reg::Attempt> &attempts);
    void showQuestions(const QString &className, const QString &activity, const QList<summary::Question> &questions);

    QLabel *Label1;           // what the chart is of
    QWidget *view = nullptr;  // the chart (a QChartView from the chart module), or a note that none can be drawn
    QPlainTextEdit *values;   // the chart's values, a line each
    QPushButton *back;        // "Back"

private:
    void setView(QWidget *chart);
};
