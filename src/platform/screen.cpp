#include "platform/screen.h"

#include "platform/clicklabel.h"

#include <QMouseEvent>

Screen::Screen(const QString &objectName, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMouseTracking(true);
    setAutoFillBackground(true);
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
    if (!child || !child->isEnabled())
        backgroundMouseMove();
    QWidget::mouseMoveEvent(event);
}
