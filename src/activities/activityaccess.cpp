// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activityaccess.h"

#include "activities/engine.h"
#include "ui/accessibility.h"

namespace {

// The label sitting exactly on a place, or -1.
int holder(const Activity *a, const TwipsRect &place)
{
    for (int i = 0; i < a->count(); ++i)
        if (rules::inBox(a->labelRect(i), place))
            return i;
    return -1;
}

QString placeName(const Activity *a, const QString &kind, int i, const TwipsRect &place)
{
    const int h = holder(a, place);
    const QString where = QStringLiteral("%1 %2 of %3").arg(kind).arg(i + 1).arg(a->count());
    return h < 0 ? where + QStringLiteral(", empty") : where + QStringLiteral(", holding ") + a->Label2[h]->text();
}

}  // namespace

namespace activityaccess {

void nameBoxes(Activity *a)
{
    for (int i = 0; i < a->count(); ++i) {
        a->Label1[i]->setAccessibleName(placeName(a, QStringLiteral("box"), i, a->boxRect(i)));
        a->Label4[i]->setAccessibleName(placeName(a, QStringLiteral("start place"), i, a->slotRect(i)));
    }
}

void dropped(Activity *a, int index)
{
    nameBoxes(a);
    const QString label = a->Label2[index]->text();
    for (int i = 0; i < a->count(); ++i) {
        if (rules::inBox(a->labelRect(index), a->boxRect(i))) {
            accessibility::announce(a, QStringLiteral("%1 in box %2 of %3").arg(label).arg(i + 1).arg(a->count()));
            return;
        }
        if (rules::inBox(a->labelRect(index), a->slotRect(i))) {
            accessibility::announce(a, QStringLiteral("%1 back in its start place").arg(label));
            return;
        }
    }
    accessibility::announce(a, QStringLiteral("%1 dropped outside the boxes").arg(label));
}

}  // namespace activityaccess
