#pragma once

#include <QString>

namespace platform {
class LoginItemList;
}

// The program's first run for this user: a marker file in the program's data folder says that
// it has happened.
class FirstRunMarker {
public:
    explicit FirstRunMarker(QString dataFolder);
    // In the data folder of the installed platform.
    static FirstRunMarker forCurrentUser();

    bool isSet() const;
    // False when the marker cannot be written (it is then asked for again at the next run).
    bool set();

private:
    QString folder_;
    QString path_;
};

// On the first run only: sets the marker, then appends the bundle at `bundlePath` to the
// login items when it exists there. Whether an item was added.
bool addLoginItemOnFirstRun(FirstRunMarker& marker, platform::LoginItemList& loginItems, const QString& bundlePath);
