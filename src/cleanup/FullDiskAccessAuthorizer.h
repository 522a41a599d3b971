#pragma once

#include <QString>

#include <optional>

// Whether the program may read the user's protected folders: it can when it can list the
// probe folder "Library/Safari" of the user's home. One shared instance.
class FullDiskAccessAuthorizer {
public:
    enum Status { NotDetermined = 0, Denied = 1, Authorized = 2 };

    static FullDiskAccessAuthorizer& sharedInstance();

    // Reads the probe folder at every call.
    int authorizationStatus() const;
    // Opens the privacy settings' Full Disk Access list (from 10.14 on; earlier, nothing).
    void requestAuthorization() const;

    // The status from what the probe found: absent 0, present but not listed 1, listed 2.
    static int statusFor(bool exists, const std::optional<QStringList>& listing);

private:
    FullDiskAccessAuthorizer() = default;
};
