#pragma once

#include "platform/authorization/Authorization.h"

#include <QDir>
#include <QFile>

namespace test {

// Grants or refuses the administrator right as the test says and counts the requests and the
// open sessions; the privileged removal removes the test's own path and prints `toolOutput`.
// Used on the deleter's one task, which a test drains on its own thread.
class FakeAuthorization : public platform::Authorization {
public:
    platform::OSStatus AuthorizationCreate(platform::AuthorizationFlags, platform::AuthorizationRef* ref) override
    {
        *ref = ++last;
        ++openSessions;
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus AuthorizationCopyRights(platform::AuthorizationRef, const QStringList& rights,
                                               platform::AuthorizationFlags) override
    {
        ++rightsRequests;
        return grant && rights == QStringList{platform::kAuthorizationRightExecute} ? platform::errAuthorizationSuccess
                                                                                    : platform::errAuthorizationCanceled;
    }
    platform::OSStatus AuthorizationFree(platform::AuthorizationRef) override
    {
        --openSessions;
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus removeItemWithPrivileges(platform::AuthorizationRef, const QString& path,
                                                QByteArray* output) override
    {
        QDir(path).exists() ? QDir(path).removeRecursively() : QFile::remove(path);
        *output = toolOutput;
        return platform::errAuthorizationSuccess;
    }

    bool grant = true;
    QByteArray toolOutput;
    int rightsRequests = 0;
    int openSessions = 0;

private:
    platform::AuthorizationRef last = 0;
};

} // namespace test
