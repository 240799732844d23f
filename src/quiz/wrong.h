// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/screen.h"

#include <QLabel>

// The review of wrong answers: the set's title and the questions the pupil got wrong, filled in by
// the quiz when it scores.
class Wrong : public Screen {
    Q_OBJECT
public:
    Wrong();
    void onLoad() override;

    QLabel *Label6;
    QLabel *Label4;
    ControlArray<QLabel> Label2;  // 0 to 9
    QLabel *Label5;
    ControlArray<ClickLabel> label3;  // only 1, "Exit"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void label3_Click(int index);
};
