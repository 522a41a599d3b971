#include "SimulatedAuthorization.h"

#include "PrivilegedRemovalRule.h"
#include "platform/files/FileManager.h"
#include "platform/files/NativePath.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>

#include <cstring>

#include <pwd.h>
#include <unistd.h>

namespace platform {

SimulatedAuthorization::SimulatedAuthorization(Sibling<SimulatedMac> simulatedMac, Sibling<SearchPaths> searchPaths,
                                               Sibling<FileManager> fileManager)
    : simulatedMac_(std::move(simulatedMac))
    , searchPaths_(std::move(searchPaths))
    , fileManager_(std::move(fileManager))
{
}

OSStatus SimulatedAuthorization::AuthorizationCreate(AuthorizationFlags, AuthorizationRef* authorization)
{
    if (!authorization)
        return errAuthorizationInvalidRef;
    QMutexLocker lock(&mutex_);
    *authorization = ++last_;
    open_.insert(*authorization);
    return errAuthorizationSuccess;
}

OSStatus SimulatedAuthorization::AuthorizationCopyRights(AuthorizationRef authorization, const QStringList& rights,
                                                         AuthorizationFlags)
{
    {
        QMutexLocker lock(&mutex_);
        if (!open_.contains(authorization))
            return errAuthorizationInvalidRef;
        if (granted_.contains(authorization))
            return errAuthorizationSuccess;
    }
    const SimulatedMac* mac = simulatedMac_.get();
    const QVariant answer = mac ? mac->stateValue(QStringLiteral("Mac"), QStringLiteral("AdministratorRightsGranted"))
                                : QVariant();
    const bool granted = !answer.isValid() || answer.toBool();
    if (granted) {
        QMutexLocker lock(&mutex_);
        granted_.insert(authorization);
    }
    return record(QStringLiteral("AuthorizationCopyRights"), rights.join(QLatin1Char(' ')),
                  granted ? errAuthorizationSuccess : errAuthorizationCanceled);
}

OSStatus SimulatedAuthorization::AuthorizationFree(AuthorizationRef authorization)
{
    QMutexLocker lock(&mutex_);
    granted_.remove(authorization);
    return open_.remove(authorization) ? errAuthorizationSuccess : errAuthorizationInvalidRef;
}

OSStatus SimulatedAuthorization::AuthorizationMakeExternalForm(AuthorizationRef authorization,
                                                               AuthorizationExternalForm* extForm)
{
    QMutexLocker lock(&mutex_);
    if (!extForm || !open_.contains(authorization))
        return errAuthorizationInvalidRef;
    *extForm = {};
    std::memcpy(extForm->bytes.data(), &authorization, sizeof authorization);
    return errAuthorizationSuccess;
}

OSStatus SimulatedAuthorization::AuthorizationCreateFromExternalForm(const AuthorizationExternalForm& extForm,
                                                                     AuthorizationRef* authorization)
{
    AuthorizationRef source = 0;
    std::memcpy(&source, extForm.bytes.data(), sizeof source);
    QMutexLocker lock(&mutex_);
    if (!authorization || !open_.contains(source))
        return errAuthorizationInvalidRef;
    *authorization = ++last_;
    open_.insert(*authorization);
    if (granted_.contains(source))
        granted_.insert(*authorization);
    return errAuthorizationSuccess;
}

OSStatus SimulatedAuthorization::AuthorizationRightGet(const QString& rightName)
{
    return rightName == kAuthorizationRightExecute ? errAuthorizationSuccess : errAuthorizationDenied;
}

OSStatus SimulatedAuthorization::removeItemWithPrivileges(AuthorizationRef authorization, const ItemLocation& location,
                                                          const ProtectedFolders& protectedFolders, QByteArray* output)
{
    const QString path = pathFromNative(location.path());
    bool granted = false;
    {
        QMutexLocker lock(&mutex_);
        granted = granted_.contains(authorization);
    }
    if (!granted)
        return record(QStringLiteral("rm -rf --"), path, errAuthorizationDenied);
    if (PrivilegedRemovalRule::refuses(path, standardFolders()))
        return record(QStringLiteral("rm -rf --"), path, errAuthorizationToolExecuteFailure);
    QString error;
    if (!fileManager_->removeItemAtLocation(location, protectedFolders, &error) && output)
        *output = "rm: " + error.toUtf8() + '\n';
    return record(QStringLiteral("rm -rf --"), path, errAuthorizationSuccess);
}

OSStatus SimulatedAuthorization::record(const QString& operation, const QString& target, OSStatus status)
{
    {
        QMutexLocker lock(&mutex_);
        requests_ << Request{operation, target, status};
    }
    NSLog(QStringLiteral("Simulated Mac: %1 %2: %3").arg(operation, target).arg(status));
    return status;
}

QList<SimulatedAuthorization::Request> SimulatedAuthorization::requests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

QStringList SimulatedAuthorization::standardFolders() const
{
    QStringList folders{QStringLiteral("/"), QDir::homePath(), qEnvironmentVariable("HOME")};
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        folders << QString::fromLocal8Bit(entry->pw_dir);
    if (const SimulatedMac* mac = simulatedMac_.get())
        folders << mac->root() << mac->homePath() << mac->homePath() + QStringLiteral("/Downloads");
    if (const SearchPaths* paths = searchPaths_.get()) {
        folders << paths->homeDirectory();
        for (int directory = int(SearchPathDirectory::Applications);
             directory <= int(SearchPathDirectory::PreferencePanes); ++directory) {
            folders << paths->searchPathsForDirectory(SearchPathDirectory(directory), SearchPathDomain::All, true);
        }
    }
    return folders;
}

} // namespace platform
