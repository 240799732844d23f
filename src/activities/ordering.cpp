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
        {.text = QStringLiteral("Earth"), .boxLeft = 7080, .boxTop = 4320, .homeLeft = 3840, .homeTop = 6840, .width = 2085, .height = 375},
        {.text = QStringLiteral("Venus"), .boxLeft = 7080, .boxTop = 3720, .homeLeft = 3840, .homeTop = 7320, .width = 2085, .height = 375},
        {.text = QStringLiteral("Mercury"), .boxLeft = 7080, .boxTop = 3120, .homeLeft = 8160, .homeTop = 6840, .width = 2085, .height = 375},
        {.text = QStringLiteral("Mars"), .boxLeft = 7080, .boxTop = 4920, .homeLeft = 1680, .homeTop = 6840, .width = 2085, .height = 375},
        {.text = QStringLiteral("Jupiter"), .boxLeft = 2760, .boxTop = 3120, .homeLeft = 8160, .homeTop = 7320, .width = 2085, .height = 375},
        {.text = QStringLiteral("Saturn"), .boxLeft = 2760, .boxTop = 3720, .homeLeft = 6000, .homeTop = 7320, .width = 2085, .height = 375},
        {.text = QStringLiteral("Uranus"), .boxLeft = 2760, .boxTop = 4320, .homeLeft = 1680, .homeTop = 7320, .width = 2085, .height = 375},
        {.text = QStringLiteral("Neptune"), .boxLeft = 2760, .boxTop = 4920, .homeLeft = 6000, .homeTop = 6840, .width = 2085, .height = 375},
    };
}

std::vector<ActivityItem> temperatures()
{
    return {
        {.text = QStringLiteral("Human body temperature"), .boxLeft = 8400, .boxTop = 4020, .homeLeft = 240, .homeTop = 3120, .width = 3075, .height = 375},
        {.text = QStringLiteral("Absolute Zero"), .boxLeft = 8400, .boxTop = 1140, .homeLeft = 3360, .homeTop = 3600, .width = 3075, .height = 375},
        {.text = QStringLiteral("A gas fire"), .boxLeft = 8400, .boxTop = 5460, .homeLeft = 3360, .homeTop = 4080, .width = 3075, .height = 375},
        {.text = QStringLiteral("Britain in Winter"), .boxLeft = 8400, .boxTop = 2580, .homeLeft = 240, .homeTop = 4560, .width = 3075, .height = 375},
        {.text = QStringLiteral("Boiling water in a kettle"), .boxLeft = 8400, .boxTop = 4740, .homeLeft = 3360, .homeTop = 4560, .width = 3075, .height = 375},
        {.text = QStringLiteral("The Sun"), .boxLeft = 8400, .boxTop = 6180, .homeLeft = 240, .homeTop = 4080, .width = 3075, .height = 375},
        {.text = QStringLiteral("Summer on the beach"), .boxLeft = 8400, .boxTop = 3300, .homeLeft = 3360, .homeTop = 3120, .width = 3075, .height = 375},
        {.text = QStringLiteral("The South Pole"), .boxLeft = 8400, .boxTop = 1860, .homeLeft = 240, .homeTop = 3600, .width = 3075, .height = 375},
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
