#include "platform/screen.h"

#include "platform/clicklabel.h"
#include "platform/screens.h"
#include "platform/stage.h"

#include <QApplication>
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

bool Screen::focusNextPrevChild(bool next)
{
    if (isWindow())
        return QWidget::focusNextPrevChild(next);
    QWidget *start = QApplication::focusWidget();
    if (!start || !isAncestorOf(start))
        start = this;
    // The window's focus chain is a ring through every screen; walk it once at most.
    QWidget *w = start;
    for (int steps = 0; steps < 100000; ++steps) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == start)
            break;
        if (isAncestorOf(w) && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void Screen::focusFirstControl()
{
    if (!focusNextPrevChild(true))
        setFocus(Qt::OtherFocusReason);
}
