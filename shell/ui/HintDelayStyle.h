#pragma once

#include <QProxyStyle>

namespace dorvel {

// How long the mouse rests on a control before its hint shows, and how long
// the hint then stays (the hint watcher gives each control that duration).
inline constexpr int kHintShowDelayMs = 2000;
inline constexpr int kHintShowTimeMs = 12000;

// The application's style with the hint delay above; everything else is the
// style it wraps.
class HintDelayStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintShowDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace dorvel
