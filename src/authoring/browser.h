// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "ui/screen.h"

#include <QCheckBox>
#include <QLabel>

// The worksheet catalogue, 24 titles a page: a title opens its worksheet as a quiz, or in the
// wizard ("Edit Worksheet"), or removes it from the catalogue ("Delete Worksheet").
class worksheets : public Screen {
    Q_OBJECT
public:
    worksheets();
    void onLoad() override;

    QLabel *Label1;
    QCheckBox *Check1;  // Edit Worksheet
    QCheckBox *Check2;  // Delete Worksheet
    ControlArray<ClickLabel> Label2;  // 0 Exit, 1 to 24 the titles
    ControlArray<ClickLabel> label3;  // 0 previous page, 1 next page
    QLabel *Label4;                   // "Page 1"

    void Label2_Click(int index);
    void label3_Click(int index);
    void workpage();
    // Reads the catalogue again and shows the page on show as it now stands.
    void refresh();

private:
    void editworksheet(const QString &title);
    void deleteTitle(const QString &title);
    void showSlots();
};
