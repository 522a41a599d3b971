#pragma once

#include "PopWindow/PopViewController.h"

#include <QString>

#include <memory>
#include <optional>

namespace platform::ui {
class TextField;
}

// What the program knows of the Mac: OS name and version, model, processor, memory and serial
// number. A hidden shared instance answers whether the Mac is a Mac mini; a panel instance
// (from the interface file) shows the same data in its labels. Both write a report of what
// they read to standard error. Main thread only.
class AboutThisMacViewController : public PopViewController {
public:
    static constexpr const char* kInterfaceFile = "AboutThisMacViewController";

    // An empty interface file name is the plain instance: it has no labels.
    explicit AboutThisMacViewController(QString nibName = {});
    ~AboutThisMacViewController() override;

    // The shared instance, made (and its kernel values read) on the first call.
    static AboutThisMacViewController& shareInstall();
    // Lets the next shareInstall read the Mac afresh (a test that changes the model).
    static void discardSharedInstance();

    // Whether the model identifier names a Mac mini.
    bool getMacModel() const;
    const QString& macModel() const { return macModel_; } // kept: named by the design, no caller yet

    void loadMacInfo();
    void printSysctlInfo();

    // The OS minor version, as the system reports it (0 when it does not).
    static int OSVersion();
    // The marketing name of the OS for a minor version; Catalina for anything it does not know.
    static QString osNameForMinorVersion(int minorVersion);

    platform::ui::TextField* versionName() const { return versionName_; } // kept: named by the design, no caller yet
    platform::ui::TextField* version() const { return version_; }
    platform::ui::TextField* compterVerion() const { return compterVerion_; } // kept: named by the design, no caller yet
    platform::ui::TextField* cpuName() const { return cpuName_; } // kept: named by the design, no caller yet
    platform::ui::TextField* grpName() const { return grpName_; } // kept: named by the design, no caller yet
    platform::ui::TextField* serName() const { return serName_; } // kept: named by the design, no caller yet
    platform::ui::TextField* memorySize() const { return memorySize_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void AboutThisMacView();
    static void setLabel(platform::ui::TextField* label, const QString& text);

    QString macModel_;
    platform::ui::TextField* versionName_ = nullptr;
    platform::ui::TextField* version_ = nullptr;
    platform::ui::TextField* compterVerion_ = nullptr;
    platform::ui::TextField* cpuName_ = nullptr;
    platform::ui::TextField* grpName_ = nullptr;
    platform::ui::TextField* serName_ = nullptr;
    platform::ui::TextField* memorySize_ = nullptr;
};

// The platform's serial number from the I/O registry, or nothing when it has none.
std::optional<QString> getPlatformSerialNumber();
// The OS version as "major.minor.bugfix"; a part the system does not report is 0.
QString osver();
