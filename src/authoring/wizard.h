// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"
#include "authoring/worksheets.h"
#include "ui/screen.h"

#include <QSet>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

// Where a teacher writes a worksheet: a title, ten questions, four answers each with a tick box
// for the right one.
class wizard : public Screen {
    Q_OBJECT
public:
    wizard();
    void onLoad() override;

    QLineEdit *Text1;
    ControlArray<QLineEdit> Text2;  // questions 0 to 9
    ControlArray<QLineEdit> Text3;  // answers 4q + a
    ControlArray<QCheckBox> Check1; // 4q + a
    ControlArray<ClickLabel> label3; // 0 Exit, 1 Save Worksheet
    // Shown while a box holds "&": the worksheet file keeps it for a comma.
    QLabel *ampersandNote;

    void label3_Click(int index);
    // Validates the entries in order; saves when they are complete.
    void genwork();

    WorksheetEntries entries() const;
    // True when the boxes hold typing that was neither saved nor opened for editing.
    bool unsaved() const;
    // The boxes were just filled with the saved worksheet of this title (Edit).
    void opened(const QString &title);

private:
    QString misfits() const;
    void noteAmpersands();
    void save();

    WorksheetEntries saved_;  // as last opened or saved
    QSet<QString> own_;       // titles opened or saved here: saving under them replaces without asking
};
