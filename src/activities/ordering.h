// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "activities/engine.h"

#include <QTimer>

// Sorting the planets into rocky planets and gas giants; any order within a column scores.
class weatherord : public Activity {
    Q_OBJECT
public:
    weatherord();

protected:
    int countScore() const override;
};

// Eight temperatures from coldest to hottest, with a bird's call as it opens.
class temperatureord : public Activity {
    Q_OBJECT
public:
    temperatureord();
    QTimer *Timer1;
    void Timer1_Timer();

protected:
    void loadEnd() override { Timer1->start(); }
};
