#pragma once
#include "platform/clicklabel.h"
#include "platform/controlarray.h"

#include <QLabel>

class QWidget;

// The controls both viewers share: the page caption and the four buttons (0 "Print", 1 "Exit",
// 2 "Next Page", 3 "Previous Page", the last disabled as designed), in Tahoma 15.75 pt bold.
void makePageButtons(QWidget *screen, QLabel *&Label1, ControlArray<ClickLabel> &label3);

// "Page 1 of 3": each number with the blank a non-negative number is written with.
QString pageCaption(int page, int count);
