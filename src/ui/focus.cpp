// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/focus.h"

#include "ui/screen.h"

#include <QApplication>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace focus {

namespace {
bool g_keyboard = false;
}  // namespace

bool keyboardInUse() { return g_keyboard; }

void setKeyboardInUse(bool on)
{
    if (on == g_keyboard)
        return;
    g_keyboard = on;
    // The focused control's ring comes or goes.
    if (QWidget *f = QApplication::focusWidget())
        f->update();
}

namespace {

QRect placeIn(const QWidget *w, const QWidget *root) { return QRect(w->mapTo(root, QPoint(0, 0)), w->size()); }

// Two controls whose tops are this close stand in one row.
constexpr int kRowSlack = 8;

}  // namespace

QList<QWidget *> tabStops(const QWidget *root)
{
    QList<QWidget *> stops;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(root) && w->isEnabled() && w->window() == root->window())
            stops.append(w);
    }
    // Option buttons of one set are one stop, the chosen one, as the arrows move within the set.
    QList<QWidget *> grouped;
    for (QWidget *w : stops) {
        auto *r = qobject_cast<QRadioButton *>(w);
        if (!r || r->isChecked())
            continue;
        for (QWidget *o : stops)
            if (auto *other = qobject_cast<QRadioButton *>(o);
                other && other != r && other->isChecked() && other->parentWidget() == r->parentWidget() && other->group() == r->group())
                grouped.append(w);
    }
    for (QWidget *w : grouped)
        stops.removeAll(w);
    return stops;
}

void sortReadingOrder(QList<QWidget *> &stops, const QWidget *root)
{
    std::stable_sort(stops.begin(), stops.end(), [root](const QWidget *a, const QWidget *b) {
        const QRect ra = placeIn(a, root), rb = placeIn(b, root);
        if (std::abs(ra.top() - rb.top()) > kRowSlack)
            return ra.top() < rb.top();
        return ra.left() < rb.left();
    });
}

QWidget *step(const QList<QWidget *> &stops, const QWidget *current, bool forward)
{
    if (stops.isEmpty())
        return nullptr;
    const qsizetype at = stops.indexOf(const_cast<QWidget *>(current));
    if (at < 0)
        return forward ? stops.first() : stops.last();
    const qsizetype n = stops.size();
    return stops[(at + (forward ? 1 : n - 1)) % n];
}

QWidget *neighbour(const QList<QWidget *> &stops, const QWidget *current, Qt::Key arrow, const QWidget *root)
{
    const QPoint from = placeIn(current, root).center();
    QWidget *best = nullptr;
    double bestCost = std::numeric_limits<double>::max();
    for (QWidget *w : stops) {
        if (w == current)
            continue;
        const QPoint d = placeIn(w, root).center() - from;
        // Along the arrow, and how far off its line: a stop straight ahead beats a nearer one aside.
        int along = 0, aside = 0;
        switch (arrow) {
        case Qt::Key_Left: along = -d.x(); aside = d.y(); break;
        case Qt::Key_Right: along = d.x(); aside = d.y(); break;
        case Qt::Key_Up: along = -d.y(); aside = d.x(); break;
        case Qt::Key_Down: along = d.y(); aside = d.x(); break;
        default: return nullptr;
        }
        if (along <= 0)
            continue;
        const double cost = along + 2.0 * std::abs(aside);
        if (cost < bestCost) {
            bestCost = cost;
            best = w;
        }
    }
    return best;
}

void moveByArrow(QWidget *from, Qt::Key arrow)
{
    for (QWidget *w = from->parentWidget(); w; w = w->parentWidget()) {
        if (auto *screen = qobject_cast<Screen *>(w)) {
            if (QWidget *to = neighbour(screen->focusStops(), from, arrow, screen))
                to->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

}  // namespace focus
