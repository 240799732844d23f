// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/chart.h"

#include "register/chartbackend.h"
#include "services/logging.h"
#include "services/module.h"
#include "services/sound.h"

#include "core/media.h"
#include "core/setupform.h"
#include "core/soundrequest.h"
#include "ui/labels.h"
#include "ui/screens.h"
#include "ui/twips.h"

#include <QLocale>
#include <QMap>
#include <algorithm>

namespace charts {

Backend *backend()
{
    return platform::loadModule<Backend>(sound::moduleDirForExecutable(QCoreApplication::applicationDirPath()),
                                         "libquillmoor-charts", "quillmoor_create_chart_backend", lcRegister());
}

}  // namespace charts

namespace {

QString when(const QDateTime &t) { return QLocale(QLocale::English, QLocale::UnitedKingdom).toString(t, QStringLiteral("d MMM yyyy, HH:mm")); }

charts::Look look() { return {twips::font(QStringLiteral("Tahoma"), 12, true), twips::font(QStringLiteral("Tahoma"), 9.75)}; }

}  // namespace

Chart::Chart() : Screen(QStringLiteral("Chart"))
{
    Label1 = makeLabel(this, QString(), twips::font(QStringLiteral("Tahoma"), 18, true), QColor(255, 255, 0));
    Label1->setTextFormat(Qt::PlainText);
    twips::place(Label1, 0, 120, 12000, 480);
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
    QMap<QString, charts::Line> lines;
    QStringList words;
    QDateTime first, last;
    for (const reg::Attempt &a : attempts) {
        charts::Line &line = lines[a.activity];
        line.name = a.activity;
        line.points << QPointF(double(a.ended.toMSecsSinceEpoch()), a.total > 0 ? 100.0 * a.score / a.total : 0);
        first = first.isValid() ? std::min(first, a.ended) : a.ended;
        last = last.isValid() ? std::max(last, a.ended) : a.ended;
        words << QStringLiteral("%1: %2, %3 out of %4").arg(when(a.ended), a.activity).arg(a.score).arg(a.total);
    }
    // A single day still gets an axis a day wide.
    if (!first.isValid())
        first = last = QDateTime::currentDateTime();
    const QDateTime from = first.addSecs(-43200), to = std::max(last, first.addSecs(86400)).addSecs(43200);
    charts::Backend *b = charts::backend();
    setView(b ? b->history(this, look(), QStringLiteral("Score (%) on each attempt"), lines.values(),
                           from.toMSecsSinceEpoch(), to.toMSecsSinceEpoch())
              : nullptr);
    values->setPlainText(words.isEmpty() ? QStringLiteral("No results yet.") : words.join(QLatin1Char('\n')));
    view->setAccessibleName(Label1->text());
    view->setAccessibleDescription(values->toPlainText());
}

void Chart::showQuestions(const QString &className, const QString &activity, const QList<summary::Question> &questions)
{
    Label1->setText(className + QStringLiteral(": ") + activity);
    QList<int> right, wrong;
    QStringList words;
    int most = 1;
    for (int q = 0; q < questions.size(); ++q) {
        right << questions[q].right;
        wrong << questions[q].asked - questions[q].right;
        most = std::max(most, questions[q].asked);
        words << QStringLiteral("Question %1: %2 of %3 right").arg(q + 1).arg(questions[q].right).arg(questions[q].asked);
    }
    charts::Backend *b = charts::backend();
    setView(b ? b->questions(this, look(), QStringLiteral("Pupils who got each question right (latest attempts)"), right, wrong, most)
              : nullptr);
    values->setPlainText(words.join(QLatin1Char('\n')));
    view->setAccessibleName(Label1->text());
    view->setAccessibleDescription(values->toPlainText());
}

void Chart::setView(QWidget *chart)
{
    delete view;
    view = chart;
    if (!view) {  // no chart module: the values alone, which say everything the chart would
        auto *none = makeLabel(this, QStringLiteral("The chart cannot be drawn on this computer. Its values are at the right."),
                               twips::font(QStringLiteral("Tahoma"), 12, true), Qt::white);
        none->setWordWrap(true);
        view = none;
    }
    twips::place(view, 240, 720, 8040, 7200);
    view->show();
}

