// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/screen.h"

#include <QLabel>

// The teachers' guide: three fixed pages, paged, printed and closed like the notes viewer.
class guide : public Screen {
    Q_OBJECT
public:
    guide();
    void onLoad() override;

    PictureBox *Image1;
    PictureBox *Image2;
    QLabel *Label1;
    ControlArray<ClickLabel> label3;

    void label3_Click(int index);

private:
    void showPage();
};
