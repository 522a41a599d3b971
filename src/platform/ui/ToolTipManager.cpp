#include "ToolTipManager.h"

#include <QApplication>
#include <QProxyStyle>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {

// Answers the tool-tip delay from the manager and everything else from the usual style.
class ToolTipStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return int(std::lround(ToolTipManager::sharedToolTipManager().initialToolTipDelay() * 1000));
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

ToolTipManager& ToolTipManager::sharedToolTipManager()
{
    static ToolTipManager manager;
    return manager;
}

void ToolTipManager::setInitialToolTipDelay(double seconds)
{
    initialDelay_ = std::max(0.0, seconds);
    static bool installed = false;
    if (!installed && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setStyle(new ToolTipStyle); // the application takes ownership
        installed = true;
    }
}

} // namespace platform::ui
