// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/ordering.h"

#include "ui/twips.h"
#include "core/shared.h"
#include "core/soundrequest.h"

namespace {

const QColor kYellow(255, 255, 0), kOrange(255, 128, 0), kCyan(128, 255, 255);

std::vector<ActivityItem> planets()
{
    return {
        {QStringLiteral("Earth"), 7080, 4320, 3840, 6840, 2085, 375},  {QStringLiteral("Venus"), 7080, 3720, 3840, 7320, 2085, 375},
        {QStringLiteral("Mercury"), 7080, 3120, 8160, 6840, 2085, 375}, {QStringLiteral("Mars"), 7080, 4920, 1680, 6840, 2085, 375},
        {QStringLiteral("Jupiter"), 2760, 3120, 8160, 7320, 2085, 375}, {QStringLiteral("Saturn"), 2760, 3720, 6000, 7320, 2085, 375},
        {QStringLiteral("Uranus"), 2760, 4320, 1680, 7320, 2085, 375},  {QStringLiteral("Neptune"), 2760, 4920, 6000, 6840, 2085, 375},
    };
}

std::vector<ActivityItem> temperatures()
{
    return {
        {QStringLiteral("Human body temperature"), 8400, 4020, 240, 3120, 3075, 375},
        {QStringLiteral("Absolute Zero"), 8400, 1140, 3360, 3600, 3075, 375},
        {QStringLiteral("A gas fire"), 8400, 5460, 3360, 4080, 3075, 375},
        {QStringLiteral("Britain in Winter"), 8400, 2580, 240, 4560, 3075, 375},
        {QStringLiteral("Boiling water in a kettle"), 8400, 4740, 3360, 4560, 3075, 375},
        {QStringLiteral("The Sun"), 8400, 6180, 240, 4080, 3075, 375},
        {QStringLiteral("Summer on the beach"), 8400, 3300, 3360, 3120, 3075, 375},
        {QStringLiteral("The South Pole"), 8400, 1860, 240, 3600, 3075, 375},
    };
}

}  // namespace

weatherord::weatherord() : Activity(QStringLiteral("weatherord"), planets(), false)
{
    twips::place(Label6, 120, 120, 3945, 825);
    Label6->setFont(twips::font(QStringLiteral("Times New Roman"), 27.75));
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = Label6->palette();
    p.setColor(QPalette::WindowText, kYellow);
    Label6->setPalette(p);
    text(QStringLiteral("Order the planets according to whether they are rocky planets or gas giants."), 2280, 1080, 7545, 1185,
         QStringLiteral("Times New Roman"), 24, false, kYellow, Qt::AlignHCenter);
    text(QStringLiteral("Gas Giants"), 2580, 2520, 2505, 585, QStringLiteral("Times New Roman"), 20.25, false, kOrange, Qt::AlignHCenter);
    text(QStringLiteral("Rocky Planets"), 6960, 2520, 2385, 555, QStringLiteral("Times New Roman"), 20.25, false, kOrange, Qt::AlignHCenter);
    text(QStringLiteral("Drag the labels into the correct boxes."), 120, 7860, 2505, 585, QStringLiteral("Tahoma"), 12, true, kCyan, Qt::AlignLeft);
}

int weatherord::countScore() const
{
    // A box takes any label of its own group: rocky planets 0 to 3, gas giants 4 to 7.
    return rules::groupScore(labels(), boxes(), 4);
}

temperatureord::temperatureord() : Activity(QStringLiteral("temperatureord"), temperatures(), true)
{
    twips::place(Label6, 120, 120, 5025, 705);
    Label6->setFont(twips::font(QStringLiteral("Times New Roman"), 24));
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette p = Label6->palette();
    p.setColor(QPalette::WindowText, kYellow);
    Label6->setPalette(p);
    text(QStringLiteral("Put the following in order from coldest to hottest."), 960, 2040, 4800, 945, QStringLiteral("Times New Roman"), 20.25,
         false, QColor(0, 255, 0), Qt::AlignHCenter);
    text(QStringLiteral("coldest"), 6720, 1200, 1065, 345, QStringLiteral("Tahoma"), 12, true, kYellow, Qt::AlignRight);
    text(QStringLiteral("hottest"), 6720, 6120, 1065, 345, QStringLiteral("Tahoma"), 12, true, kYellow, Qt::AlignRight);
    text(QStringLiteral("Drag the labels into the correct boxes."), 120, 7800, 2745, 825, QStringLiteral("Tahoma"), 12, true, kCyan, Qt::AlignHCenter);
    std::vector<ActivityLine> lines{{QPointF(7920, 1320), QPointF(7920, 6360)}};
    for (double y : {1320, 2760, 4200, 4920, 5640, 3480, 6360, 2040})
        lines.push_back({QPointF(8160, y), QPointF(7920, y)});
    addLines(lines);
    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &temperatureord::Timer1_Timer);
}

void temperatureord::Timer1_Timer()
{
    playsound(QStringLiteral("wav\\eagle6.wav"));
    Timer1->stop();
}
