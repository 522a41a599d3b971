#pragma once

#include "platform/authorization/Authorization.h"

#include <QMutex>

namespace test {

// Grants or refuses the administrator right as the test says and counts the requests; the
// privileged removal removes the path for real (the test's own files) and prints `toolOutput`.
class FakeAuthorization : public platform::Authorization {
public:
    platform::OSStatus AuthorizationCreate(platform::AuthorizationFlags, platform::AuthorizationRef* ref) override;
    platform::OSStatus AuthorizationCopyRights(platform::AuthorizationRef ref, const QStringList& rights,
                                               platform::AuthorizationFlags flags) override;
    platform::OSStatus AuthorizationFree(platform::AuthorizationRef ref) override;
    platform::OSStatus removeItemWithPrivileges(platform::AuthorizationRef ref, const QString& path,
                                                QByteArray* output) override;

    int rightsRequests() const;
    QStringList removals() const;
    int openSessions() const;

    bool grant = true;
    QByteArray toolOutput;

private:
    mutable QMutex mutex_;
    platform::AuthorizationRef last_ = 0;
    int open_ = 0;
    int requests_ = 0;
    QStringList removals_;
};

} // namespace test
