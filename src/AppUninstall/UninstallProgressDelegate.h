#pragma once

// Told by the progress window that its OK closed it.
class UninstallProgressDelegate {
public:
    virtual ~UninstallProgressDelegate() = default;
    virtual void uninstallEnd() {}
};
