#pragma once

#include "Authorization.h"

#include "platform/Sibling.h"

#include <QList>
#include <QMutex>
#include <QSet>

namespace platform {

class FileManager;
class SearchPaths;
class SimulatedMac;

// Authorization on Linux, where the program never raises its rights: a request for a right is
// recorded, logged and answered as the simulated Mac says ("AdministratorRightsGranted" in its
// "Mac" state, granted when missing), and the privileged removal runs with the user's own
// rights through the file-manager area, after the same refusals a real one makes. A session made
// from another's external form shares its rights, so asking for them again asks no one.
class SimulatedAuthorization final : public Authorization {
public:
    struct Request {
        QString operation; // "AuthorizationCopyRights" or "rm -rf --"
        QString target;    // the rights asked for, or the path
        OSStatus status = errAuthorizationSuccess;
        bool operator==(const Request&) const = default;
    };

    SimulatedAuthorization(Sibling<SimulatedMac> simulatedMac, Sibling<SearchPaths> searchPaths,
                           Sibling<FileManager> fileManager);

    OSStatus AuthorizationCreate(AuthorizationFlags flags, AuthorizationRef* authorization) override;
    OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const QStringList& rights,
                                     AuthorizationFlags flags) override;
    OSStatus AuthorizationFree(AuthorizationRef authorization) override;
    OSStatus AuthorizationMakeExternalForm(AuthorizationRef authorization, AuthorizationExternalForm* extForm) override;
    OSStatus AuthorizationCreateFromExternalForm(const AuthorizationExternalForm& extForm,
                                                 AuthorizationRef* authorization) override;
    OSStatus AuthorizationRightGet(const QString& rightName) override;
    OSStatus removeItemWithPrivileges(AuthorizationRef authorization, const ItemLocation& location,
                                      const ProtectedFolders& protectedFolders, QByteArray* output) override;

    QList<Request> requests() const;
    // "/", the simulated Mac's root, the real and the simulated home (and its Downloads), and
    // every folder that the search-path area gives.
    QStringList standardFolders() const;

private:
    OSStatus record(const QString& operation, const QString& target, OSStatus status);

    Sibling<SimulatedMac> simulatedMac_;
    Sibling<SearchPaths> searchPaths_;
    Sibling<FileManager> fileManager_;
    mutable QMutex mutex_;
    AuthorizationRef last_ = 0;
    QSet<AuthorizationRef> open_;
    QSet<AuthorizationRef> granted_;
    QList<Request> requests_;
};

} // namespace platform
