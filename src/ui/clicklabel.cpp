// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clicklabel.h"

#include "ui/twips.h"
#include "ui/theme.h"
#include "ui/focus.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(int index, const QString &caption, QWidget *parent) : QLabel(caption, parent), index_(index)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setMouseTracking(true);
    // A focus stop for Tab and the arrows; a mouse click leaves the focus where it was.
    setFocusPolicy(Qt::TabFocus);
    setForeColor(theme::buttonYellow);
}

ClickLabel *ClickLabel::button(QWidget *parent, int index, const QString &caption, double left, double top, double width, double height,
                               const QString &array)
{
    auto *l = new ClickLabel(index, caption, parent);
    l->setObjectName(QStringLiteral("%1_%2").arg(array).arg(index));
    l->setFont(twips::font(QStringLiteral("Tahoma"), 15.75, true));
    twips::place(l, left, top, width, height);
    return l;
}

void ClickLabel::setOpaque(bool opaque)
{
    if (opaque_ == opaque)
        return;
    opaque_ = opaque;
    update();
}

void ClickLabel::setBackColor(const QColor &c)
{
    back_ = c;
    update();
}

void ClickLabel::setForeColor(const QColor &c)
{
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, c);
    p.setColor(QPalette::Inactive, QPalette::WindowText, c);
    // A disabled button greys its text, as "Previous Page" does on the first page.
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(140, 140, 140));
    setPalette(p);
}

void ClickLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        if (opaque_)
            p.fillRect(rect(), back_);
        // A thin sunken edge that shows on both the window colour and the highlight.
        const int w = twips::penPx(1);
        p.fillRect(0, 0, width(), w, QColor(128, 128, 128));
        p.fillRect(0, 0, w, height(), QColor(128, 128, 128));
        p.fillRect(0, height() - w, width(), w, QColor(255, 255, 255));
        p.fillRect(width() - w, 0, w, height(), QColor(255, 255, 255));
        if (hasFocus() && focus::keyboardInUse())
            paintFocusRing(p);
    }
    QLabel::paintEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked(index_);
}

void ClickLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit hovered(index_);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click is not a click: a double-click counts once.
    pressed_ = false;
    event->accept();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            click();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        focus::moveByArrow(this, Qt::Key(event->key()));
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

void ClickLabel::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        focus::setKeyboardInUse(true);
    QLabel::focusInEvent(event);
    update();
    emit focusEntered(index_);
}

void ClickLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}

void ClickLabel::paintFocusRing(QPainter &p) const
{
    p.setBrush(Qt::NoBrush);
    const int w = twips::penPx(1);
    p.setPen(QPen(theme::focusLight, 2 * w));
    p.drawRect(QRectF(rect()).adjusted(w, w, -w, -w));
    p.setPen(QPen(theme::focusDark, w));
    p.drawRect(rect().adjusted(2 * w, 2 * w, -2 * w - 1, -2 * w - 1));
}
