// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scaledstyle.h"

#include "ui/twips.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <cmath>

namespace {

class ScaledStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
        case PM_LayoutLeftMargin:
        case PM_LayoutTopMargin:
        case PM_LayoutRightMargin:
        case PM_LayoutBottomMargin:
        case PM_LayoutHorizontalSpacing:
        case PM_LayoutVerticalSpacing:
        case PM_ButtonMargin:
        case PM_ToolTipLabelFrameWidth:
            return int(std::lround(base * twips::factor()));
        default:
            return base;
        }
    }

    // An option button's mark of our own: a dark ring on white, and when chosen a black dot
    // most of the ring wide, so a pupil tells the chosen answer from across a room, at any scale.
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_IndicatorRadioButton) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        const bool enabled = option->state & State_Enabled;
        const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        const qreal side = std::min(box.width(), box.height());
        const QRectF ring(box.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
        const qreal pen = std::max<qreal>(1.0, side / 12);
        const QColor ink = enabled ? QColor(0, 0, 0) : QColor(128, 128, 128);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(ink, pen));
        painter->setBrush(option->state & State_Sunken ? QColor(224, 224, 224) : QColor(255, 255, 255));
        painter->drawEllipse(ring.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        if (option->state & State_On) {
            const qreal dot = side * 0.56;
            painter->setPen(Qt::NoPen);
            painter->setBrush(ink);
            painter->drawEllipse(QRectF(ring.center() - QPointF(dot / 2, dot / 2), QSizeF(dot, dot)));
        }
        painter->restore();
    }
};

}  // namespace

namespace scaledstyle {

void install()
{
    if (dynamic_cast<ScaledStyle *>(QApplication::style()))
        return;
    // A proxy of the style Qt chose takes it over; the application then owns the proxy.
    QApplication::setStyle(new ScaledStyle(QStyleFactory::create(QApplication::style()->name())));
}

}  // namespace scaledstyle
