#pragma once

#include "UserIdentity.h"

namespace platform {

// The account of the real user id (getpwuid); the picture is ~/.face, else ~/.face.icon, of
// the real home (HOME, else the account's home folder).
class LinuxUserIdentity final : public UserIdentity {
public:
    // Larger files are not taken for a picture.
    static constexpr qint64 kMaximumImageSize = 16 * 1024 * 1024;

    QString userName() const override;
    QString fullName() const override;
    QString imagePath() const override;
    QByteArray imageData() const override;
    QStringList accountHomes() const override;

    // The full name in a password entry's comment field: "Ada Lovelace,Room 1,," gives
    // "Ada Lovelace".
    static QString fullNameFromGecos(const QString& gecos);
};

} // namespace platform
