// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/screen.h"

#include "ui/clicklabel.h"
#include "ui/focus.h"
#include "ui/screens.h"
#include "ui/stage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
void initScreen(QWidget *w, const QString &objectName)
{
    w->setObjectName(objectName);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setMouseTracking(true);
    w->setAutoFillBackground(true);
}
}  // namespace

Screen::Screen(const QString &objectName) : QWidget(Screens::stage())
{
    initScreen(this, objectName);
    // Children show with their parent unless hidden explicitly; a screen shows only when shown.
    hide();
}

Screen::Screen(const QString &objectName, TopLevel) : QWidget(nullptr, Qt::Window)
{
    initScreen(this, objectName);
}

void Screen::setBackColor(const QColor &c)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
}

QColor Screen::backColor() const { return palette().color(QPalette::Window); }

void Screen::declareHighlighting(const ControlArray<ClickLabel> &labels, std::vector<int> resetRange, bool highlight)
{
    highlighting_.push_back({&labels, std::move(resetRange)});
    if (!highlight)
        return;
    for (const auto &entry : labels) {
        ClickLabel *label = entry.second;
        connect(label, &ClickLabel::hovered, label, [label] { label->setOpaque(true); });
        // The keyboard focus, while the keyboard is in use, is a pointer of its own: it lights its
        // label as the pointer would, after the reset a move over the background does, so it never
        // adds a second lit label. Focus given to a screen as it shows changes nothing.
        connect(label, &ClickLabel::focusEntered, this, [this, label] {
            if (!focus::keyboardInUse())
                return;
            backgroundMouseMove();
            label->setOpaque(true);
        });
    }
}

void Screen::backgroundMouseMove()
{
    for (const Highlighting &h : highlighting_)
        for (int i : h.resetRange)
            if (h.labels->contains(i))
                (*h.labels)[i]->setOpaque(false);
}

void Screen::mouseMoveEvent(QMouseEvent *event)
{
    // Moves reach the window when the pointer is over its background, over a hidden control, or
    // over a disabled one (a disabled control passes its moves on). Moves over any other control
    // belong to that control, which has no reset of its own.
    QWidget *child = childAt(event->position().toPoint());
    if (!child || !child->isEnabled()) {
        focus::setKeyboardInUse(false);
        backgroundMouseMove();
    }
    QWidget::mouseMoveEvent(event);
}

void Screen::setExitButton(ClickLabel *exit)
{
    escape_ = [exit] {
        if (exit->isVisible() && exit->isEnabled())
            exit->click();
    };
}

void Screen::escape()
{
    if (escape_)
        escape_();
}

void Screen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        escape();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && enter_ && !event->isAutoRepeat()) {
        enter_();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Screen::showEvent(QShowEvent *event)
{
    // A screen shown with nothing of its own focused starts at its first stop in reading order.
    QWidget *current = focusWidget();
    if (!current || !isAncestorOf(current))
        if (QWidget *first = focus::step(focusStops(), nullptr, true))
            first->setFocus(Qt::OtherFocusReason);
    QWidget::showEvent(event);
}

QList<QWidget *> Screen::focusStops() const
{
    QList<QWidget *> stops = focus::tabStops(this);
    focus::sortReadingOrder(stops, this);
    return stops;
}

bool Screen::focusNextPrevChild(bool next)
{
    QWidget *current = QApplication::focusWidget();
    if (!current || !isAncestorOf(current))
        current = focusWidget();
    QWidget *to = focus::step(focusStops(), current, next);
    if (to)
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return to != nullptr;
}

void Screen::focusFirstControl()
{
    if (QWidget *first = focus::step(focusStops(), nullptr, true))
        first->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}
