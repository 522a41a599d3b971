#pragma once

#include <memory>

class QApplication;

namespace platform::ui {

// Qt's application object for the life of the process, made before anything else of the UI
// layer. The program lives in the tray, so hiding its last window does not end it.
class QtApplicationHost {
public:
    // `argc` and `argv` must outlive the host, as Qt requires.
    QtApplicationHost(int& argc, char** argv);
    ~QtApplicationHost();
    QtApplicationHost(const QtApplicationHost&) = delete;
    QtApplicationHost& operator=(const QtApplicationHost&) = delete;

private:
    std::unique_ptr<QApplication> application_;
};

} // namespace platform::ui
