// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scaledstyle.h"

#include "ui/twips.h"

#include <QApplication>
#include <QStyleFactory>
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
