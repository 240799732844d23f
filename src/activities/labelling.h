// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "activities/engine.h"
#include "ui/picturebox.h"

// Naming the eight planets, pictured left to right in order from the Sun, on black.
class weatherlab : public Activity {
    Q_OBJECT
public:
    weatherlab();
    ControlArray<PictureBox> Image1;

protected:
    void loadBegin() override;
    void loadPictures() override;
};

// Labelling a Fahrenheit thermometer: the values on the left, their meanings on the right.
class temperaturelab : public Activity {
    Q_OBJECT
public:
    temperaturelab();
    ControlArray<PictureBox> Image1;

protected:
    void loadBegin() override;
};
