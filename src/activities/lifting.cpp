// SPDX-License-Identifier: GPL-3.0-or-later
// Moving the activity labels without dragging, beside the drag: a label picked up by a click (or
// Enter) is put down on the box or home slot clicked (or chosen with Tab and Enter) next, through
// the very drop pass a drag ends with.
#include "activities/engine.h"
#include "ui/focus.h"
#include "ui/messages.h"

#include <QFocusEvent>
#include <QMouseEvent>

void Activity::makeTarget(ClickLabel *target, const TwipsRects &rects, int i)
{
    // Places only while a label is lifted, through focusStops; never a stop of their own.
    target->setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    connect(target, &ClickLabel::clicked, this, [this, target, &rects, i] { putOn(rects[i], target->hasFocus()); });
}

void Activity::labelPressed(int index)
{
    // A press on any label puts a lifted one down where it stands; a click on the lifted label
    // itself then leaves it down rather than lifting it again.
    pressedLifted_ = lifted_ == index;
    lower();
}

void Activity::Label2_Click(int index)
{
    if (pressedLifted_) {
        pressedLifted_ = false;
        return;
    }
    lifted_ = index;
    Label2[index]->setLifted(true);
}

void Activity::lower()
{
    if (lifted_ < 0)
        return;
    const int index = lifted_;
    Label2[index]->setLifted(false);
    lifted_ = -1;
    // The places stop being stops: the focus, if on one, goes back to the label.
    for (int i = 0; i < count(); ++i)
        if (Label1[i]->hasFocus() || Label4[i]->hasFocus())
            Label2[index]->setFocus(Qt::OtherFocusReason);
}

void Activity::putOn(const TwipsRect &target, bool byKeyboard)
{
    if (lifted_ < 0)
        return;
    const int index = lifted_;
    lower();
    // Where a drag would leave it with the pointer on the target's centre.
    TwipsRect &l = labels_[index];
    l.left = float(double(target.left) + double(target.width) / 2 - double(l.width) / 2);
    l.top = float(double(target.top) + double(target.height) / 2 - double(l.height) / 2);
    place(Label2[index], l);
    Label2_MouseUp(index);
    if (byKeyboard)
        Label2[index]->setFocus(Qt::OtherFocusReason);
}

QList<QWidget *> Activity::focusStops() const
{
    // With a label lifted, Tab runs from it over the boxes it can go into, then the home slots,
    // then the buttons; the other labels are no stops then. Otherwise it runs over the labels.
    QList<QWidget *> stops = Screen::focusStops();
    if (lifted_ < 0)
        return stops;
    QList<QWidget *> boxes, homes;
    for (int i = 0; i < count(); ++i) {
        if (i != lifted_)
            stops.removeAll(Label2[i]);
        boxes << Label1[i];
        homes << Label4[i];
    }
    focus::sortReadingOrder(boxes, this);
    focus::sortReadingOrder(homes, this);
    const qsizetype at = stops.indexOf(Label2[lifted_]) + 1;
    const QList<QWidget *> places = boxes + homes;
    for (qsizetype k = 0; k < places.size(); ++k)
        stops.insert(at + k, places[k]);
    return stops;
}

void Activity::mousePressEvent(QMouseEvent *event)
{
    lower();
    Screen::mousePressEvent(event);
}

void Activity::escape()
{
    if (lifted_ >= 0) {
        lower();
        return;
    }
    // As in a quiz: labels already placed are not thrown away by a stray key without asking.
    bool placed = false;
    for (int i = 0; i < count(); ++i)
        placed = placed || labels_[i].left != slots_[i].left
                 || labels_[i].top != slots_[i].top;
    if (placed && !messages::okCancel(QStringLiteral("Leave this activity? Your answers will be lost.")))
        return;
    Screen::escape();
}

bool Activity::eventFilter(QObject *watched, QEvent *event)
{
    // A box or slot with the focus stands above the labels so that its ring shows.
    auto *target = static_cast<QWidget *>(watched);
    if (event->type() == QEvent::FocusIn && lifted_ >= 0)
        target->raise();
    else if (event->type() == QEvent::FocusOut && count() > 0)
        target->stackUnder(Label2[0]);
    return Screen::eventFilter(watched, event);
}
