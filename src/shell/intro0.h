// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>
#include <QRadioButton>
#include <QTimer>

// The main menu: the topics, the teacher's tools, the sound switch and the way out. Right after
// it is shown it reads the worksheet catalogue.
class intro0 : public Screen {
    Q_OBJECT
public:
    intro0();
    void onLoad() override;

    QLabel *Label1;
    PictureBox *Image1;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QLabel *Label3;
    QTimer *Timer1;
    ControlArray<ClickLabel> Label2;

    void Label2_Click(int index);

private:
    void Timer1_Timer();
};
