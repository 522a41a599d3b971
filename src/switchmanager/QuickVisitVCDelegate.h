#pragma once

// Hears Quick Visit's Back to Desktop: the start-menu window should go.
class QuickVisitVCDelegate {
public:
    virtual ~QuickVisitVCDelegate() = default;

    virtual void closeWindowAction() = 0;
};
