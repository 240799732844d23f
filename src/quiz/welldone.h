// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

// The results: the score and its message, a picture and a celebration sound, then either the
// certificate (full marks) or the review of wrong answers.
class Welldone : public Screen {
    Q_OBJECT
public:
    Welldone();
    void onLoad() override;

    QLabel *Label4;
    ControlArray<ClickLabel> label3;
    PictureBox *Picture1;
    QLabel *Label1;
    QLabel *Label5;
    QLabel *Label6;
    QLineEdit *Text1;
    QLabel *Label2;
    QTimer *Timer1, *Timer2, *Timer3;

    void label3_Click(int index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
};

