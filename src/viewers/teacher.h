// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>
#include <QTimer>

// The notes viewer: Key Facts and Teacher's Notes page by page, and the Acknowledgments page with
// the company logo. Its opener sets the page set and loads the first page pair.
class teacher : public Screen {
    Q_OBJECT
public:
    teacher();
    void onLoad() override;

    PictureBox *Image1;  // the page on screen
    PictureBox *Image2;  // the same page for paper, never shown
    QLabel *Label1;
    ControlArray<ClickLabel> label3;
    PictureBox *Picture1;  // the logo animation
    PictureBox *Picture2;  // the still logo
    QTimer *Timer1;

    void label3_Click(int index);
    void Timer1_Timer();

private:
    void refresh();
};
