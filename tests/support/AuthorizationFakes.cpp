#include "AuthorizationFakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace test {

platform::OSStatus FakeAuthorization::AuthorizationCreate(platform::AuthorizationFlags, platform::AuthorizationRef* ref)
{
    QMutexLocker lock(&mutex_);
    *ref = ++last_;
    ++open_;
    return platform::errAuthorizationSuccess;
}

platform::OSStatus FakeAuthorization::AuthorizationCopyRights(platform::AuthorizationRef, const QStringList& rights,
                                                              platform::AuthorizationFlags)
{
    QMutexLocker lock(&mutex_);
    ++requests_;
    return grant && rights == QStringList{platform::kAuthorizationRightExecute} ? platform::errAuthorizationSuccess
                                                                                : platform::errAuthorizationCanceled;
}

platform::OSStatus FakeAuthorization::AuthorizationFree(platform::AuthorizationRef)
{
    QMutexLocker lock(&mutex_);
    --open_;
    return platform::errAuthorizationSuccess;
}

platform::OSStatus FakeAuthorization::removeItemWithPrivileges(platform::AuthorizationRef, const QString& path,
                                                               QByteArray* output)
{
    QMutexLocker lock(&mutex_);
    removals_ << path;
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
    *output = toolOutput;
    return platform::errAuthorizationSuccess;
}

int FakeAuthorization::rightsRequests() const
{
    QMutexLocker lock(&mutex_);
    return requests_;
}

QStringList FakeAuthorization::removals() const
{
    QMutexLocker lock(&mutex_);
    return removals_;
}

int FakeAuthorization::openSessions() const
{
    QMutexLocker lock(&mutex_);
    return open_;
}

} // namespace test
