#pragma once

// Hears the tab bar's close and minimise lights before the bar acts on its window.
class TabBarVDelegate {
public:
    virtual ~TabBarVDelegate() = default;

    virtual void closeWindowAction() {}
    virtual void miniWindowAction() {}
};
