// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "ui/clicklabel.h"
#include "ui/controlarray.h"

#include <QLabel>

class PictureBox;
class QWidget;

// The controls both viewers share: the page caption and the four buttons (0 "Print", 1 "Exit",
// 2 "Next Page", 3 "Previous Page", the last disabled as designed), in Tahoma 15.75 pt bold.
void makePageButtons(QWidget *screen, QLabel *&Label1, ControlArray<ClickLabel> &label3);

// "Page 1 of 3": each number with the blank a non-negative number is written with.
QString pageCaption(int page, int count);

// The read-aloud button of a viewer, in the free space of the button row: it reads the words of
// the page the picture shows. pageChanged stops a reading of the page before.
void makePageReader(QWidget *screen, const PictureBox *page);
void pageChanged(QWidget *screen);
