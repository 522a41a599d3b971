#pragma once

#include "platform/authorization/Authorization.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace test {

// Grants or refuses the administrator right as the test says and counts the requests and the
// open sessions; asking again for rights a session holds is no request. The external-form steps
// answer the statuses the test sets. The privileged removal removes the test's own path and
// prints `toolOutput`. Used on the deleter's one task, which a test drains on its own thread.
class FakeAuthorization : public platform::Authorization {
public:
    platform::OSStatus AuthorizationCreate(platform::AuthorizationFlags, platform::AuthorizationRef* ref) override
    {
        *ref = ++last;
        ++openSessions;
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus AuthorizationCopyRights(platform::AuthorizationRef ref, const QStringList& rights,
                                               platform::AuthorizationFlags) override
    {
        if (granted.contains(ref))
            return copyHeldRights;
        ++rightsRequests;
        if (!grant || rights != QStringList{platform::kAuthorizationRightExecute})
            return platform::errAuthorizationCanceled;
        granted.insert(ref);
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus AuthorizationFree(platform::AuthorizationRef) override
    {
        --openSessions;
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus AuthorizationMakeExternalForm(platform::AuthorizationRef, platform::AuthorizationExternalForm*) override
    {
        return makeExternalForm;
    }
    // Forms are made of granted sessions only.
    platform::OSStatus AuthorizationCreateFromExternalForm(const platform::AuthorizationExternalForm&,
                                                           platform::AuthorizationRef* ref) override
    {
        if (createFromExternalForm != platform::errAuthorizationSuccess)
            return createFromExternalForm;
        AuthorizationCreate(0, ref);
        granted.insert(*ref);
        return platform::errAuthorizationSuccess;
    }
    platform::OSStatus AuthorizationRightGet(const QString&) override { return rightGet; }
    platform::OSStatus removeItemWithPrivileges(platform::AuthorizationRef, const platform::ItemLocation& location,
                                                const platform::ProtectedFolders&, QByteArray* output) override
    {
        const QString path = QString::fromUtf8(location.path());
        QDir(path).exists() ? QDir(path).removeRecursively() : QFile::remove(path);
        *output = toolOutput;
        return platform::errAuthorizationSuccess;
    }

    bool grant = true;
    QByteArray toolOutput;
    platform::OSStatus makeExternalForm = platform::errAuthorizationSuccess;
    platform::OSStatus createFromExternalForm = platform::errAuthorizationSuccess;
    platform::OSStatus copyHeldRights = platform::errAuthorizationSuccess;
    platform::OSStatus rightGet = platform::errAuthorizationSuccess;
    int rightsRequests = 0;
    int openSessions = 0;

private:
    platform::AuthorizationRef last = 0;
    QSet<platform::AuthorizationRef> granted;
};

} // namespace test
