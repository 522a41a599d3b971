#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// The user's login name (`NSUserName`), full name and picture (the identity's image).
class UserIdentity {
public:
    virtual ~UserIdentity() = default;

    virtual QString userName() const = 0;
    // The login name when the account has no full name.
    virtual QString fullName() const = 0;
    // The picture's file, or an empty text when the user has none.
    virtual QString imagePath() const = 0;
    // The picture's bytes as stored (any image format), empty when there is none.
    virtual QByteArray imageData() const = 0;
    // The home folder of every account of the machine, this one's too. Asks the account
    // database, which may be on the network: never on the main thread.
    virtual QStringList accountHomes() const = 0;
};

} // namespace platform
