#include "AsMDeleteExecutor.h"

#include "LocationCheck.h"

#include "utilities/SystemFolder.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"

#include <QRecursiveMutex>

#include <atomic>

using platform::NSLog;

// Shared with the removal task, which may outlive the deleter. `work` is held for each record,
// so the deleter's end waits for the record under way and no delegate call follows it.
struct AsMDeleteExecutor::State {
    QRecursiveMutex work;
    std::atomic<bool> ended{false};
    platform::AuthorizationRef authorizationRef = 0;
    bool isValidAuth = false;
    platform::AuthorizationExternalForm authForm;
    AsMDeleteExecutorDelegate* delegate = nullptr;
    // What no removal of this deleter enters, found once, on the removal's thread.
    std::optional<platform::ProtectedFolders> protectedFolders;

    bool removeTrahFile(const AMAppItemPtr& item);
    bool remove(const AMAppItem& item);
    const platform::ProtectedFolders& protectedOnes();
    bool allocAuthorization();
    platform::AuthorizationRef freshAuthorizationRef();
    bool authDeleteAtPath(const platform::ItemLocation& location);
    void freeAuthorization();
    void report(const AMAppItemPtr& item, bool removed) const;
};

namespace {

platform::Authorization& authorization()
{
    return *platform::Platform::current().authorization;
}

const platform::FileManager& files()
{
    return *platform::Platform::current().fileManager;
}

// Whether an authorization call failed; a failure is logged in `text`, with the status.
bool failed(platform::OSStatus status, const char* text)
{
    if (status != platform::errAuthorizationSuccess)
        NSLog(QString::fromLatin1(text).arg(status));
    return status != platform::errAuthorizationSuccess;
}

} // namespace

void AsMDeleteExecutor::State::report(const AMAppItemPtr& item, bool removed) const
{
    if (!delegate)
        return;
    if (removed)
        delegate->deleteRelatedFile(item);
    else
        delegate->deleteRelatedFileFail(item);
}

bool AsMDeleteExecutor::State::removeTrahFile(const AMAppItemPtr& item)
{
    QMutexLocker lock(&work);
    const bool removed = remove(*item);
    report(item, removed);
    return removed;
}

const platform::ProtectedFolders& AsMDeleteExecutor::State::protectedOnes()
{
    if (!protectedFolders) {
        // The system's folders, the homes with what lies above them, and every user folder.
        protectedFolders = SystemFolder::protectedFolders(platform::XdgUserFolder::Download);
        const QString downloads =
            platform::Platform::current().searchPaths->xdgUserFolder(platform::XdgUserFolder::Download);
        if (const auto folder = SystemFolder::identityOf(downloads, true))
            protectedFolders->insert(*folder);
    }
    return *protectedFolders;
}

bool AsMDeleteExecutor::State::remove(const AMAppItem& item)
{
    // Only where the search found it: a path could lead elsewhere by now.
    if (!item.location) {
        NSLog(QStringLiteral("%1 was not reached from its folder when it was found; it stays").arg(item.path));
        return false;
    }
    const platform::ItemLocation& location = *item.location;
    QString firstRefusal;
    const auto stays = [&](const QString& reason) {
        NSLog(QStringLiteral("%1 stays: %2").arg(item.path, reason));
        return false;
    };
    // Gone (removed now or before), changed since it was found, or still there.
    const auto attempt = [&] {
        QString error;
        if (files().removeItemAtLocation(location, protectedOnes(), &error))
            return LocationCheck::Result::Gone;
        if (firstRefusal.isEmpty())
            firstRefusal = error.isEmpty() ? QStringLiteral("it could not be removed") : error;
        return LocationCheck::check(location);
    };
    LocationCheck::Result now = attempt();
    if (now == LocationCheck::Result::Unchanged) {
        // The user's own folders that deny the user themselves (a read-only bundle) are opened
        // to the user alone, on the item's own file system; nothing else changes mode.
        const platform::FolderAccess access = files().addOwnerPermissionsToOwnFolders(location, protectedOnes());
        // Administrator rights remove neither a mount point nor a protected folder: none are asked for.
        if (access.outcome == platform::FolderAccess::Outcome::Refused)
            return stays(access.reason);
        now = attempt();
    }
    if (now == LocationCheck::Result::Gone)
        return true;
    if (now == LocationCheck::Result::Changed)
        return stays(firstRefusal);
    if (!allocAuthorization()) {
        NSLog(QStringLiteral("Alloc authorization failed!!!"));
        return stays(firstRefusal);
    }
    if (!authDeleteAtPath(location)) {
        NSLog(QStringLiteral("Clean file by authorization failed: %1").arg(item.path));
        return stays(firstRefusal);
    }
    return true;
}

bool AsMDeleteExecutor::State::allocAuthorization()
{
    QMutexLocker lock(&work);
    if (isValidAuth)
        return true;
    isValidAuth = true;
    // Each step runs only when the one before it succeeded.
    if (failed(authorization().AuthorizationCreate(platform::kAuthorizationFlagDefaults, &authorizationRef),
               "Error Creating Initial Authorization: %1")
        || failed(authorization().AuthorizationCopyRights(
                      authorizationRef, {platform::kAuthorizationRightExecute},
                      platform::kAuthorizationFlagInteractionAllowed | platform::kAuthorizationFlagExtendRights
                          | platform::kAuthorizationFlagPreAuthorize),
                  "Copy Rights Unsuccessful: %1")
        || failed(authorization().AuthorizationMakeExternalForm(authorizationRef, &authForm),
                  "Make ExternalForm Unsuccessful: %1")) {
        // The next record that needs the rights asks again.
        freeAuthorization();
        return false;
    }
    return true;
}

platform::AuthorizationRef AsMDeleteExecutor::State::freshAuthorizationRef()
{
    QMutexLocker lock(&work);
    if (!isValidAuth)
        return 0;
    platform::AuthorizationRef fresh = 0;
    if (failed(authorization().AuthorizationCreateFromExternalForm(authForm, &fresh), "Creat authorization failed: %1"))
        return 0;
    // The rights are the held session's: these failures are only logged.
    failed(authorization().AuthorizationCopyRights(
               fresh, {platform::kAuthorizationRightExecute},
               platform::kAuthorizationFlagInteractionAllowed | platform::kAuthorizationFlagExtendRights),
           "Copy authorization failed: %1");
    failed(authorization().AuthorizationRightGet(platform::kAuthorizationRightExecute), "Get authoriztion failed: %1");
    return fresh;
}

bool AsMDeleteExecutor::State::authDeleteAtPath(const platform::ItemLocation& location)
{
    QMutexLocker lock(&work);
    const platform::AuthorizationRef fresh = freshAuthorizationRef();
    if (fresh == 0)
        return false;
    QByteArray output;
    const platform::OSStatus status =
        authorization().removeItemWithPrivileges(fresh, location, protectedOnes(), &output);
    authorization().AuthorizationFree(fresh);
    // It prints nothing when nothing stayed.
    return status == platform::errAuthorizationSuccess && output.isEmpty();
}

void AsMDeleteExecutor::State::freeAuthorization()
{
    QMutexLocker lock(&work);
    if (!isValidAuth)
        return;
    if (authorizationRef != 0) {
        const platform::OSStatus status = authorization().AuthorizationFree(authorizationRef);
        if (status != platform::errAuthorizationSuccess)
            NSLog(QStringLiteral("Free authorization failed: %1").arg(status));
    }
    authorizationRef = 0;
    isValidAuth = false;
}

AsMDeleteExecutor::AsMDeleteExecutor() : state_(std::make_shared<State>()) {}

AsMDeleteExecutor::~AsMDeleteExecutor()
{
    state_->ended = true;
    QMutexLocker lock(&state_->work);
    state_->delegate = nullptr;
    state_->freeAuthorization();
}

void AsMDeleteExecutor::executeDelete(const QList<AMAppItemPtr>& items)
{
    // The task owns its copy of the list.
    platform::Platform::current().dispatcher->asyncGlobal([state = state_, items] {
        for (const AMAppItemPtr& item : items) {
            QMutexLocker lock(&state->work);
            if (state->ended)
                return;
            state->removeTrahFile(item);
        }
    });
}

AsMDeleteExecutorDelegate* AsMDeleteExecutor::delegate() const
{
    QMutexLocker lock(&state_->work);
    return state_->delegate;
}

void AsMDeleteExecutor::setDelegate(AsMDeleteExecutorDelegate* delegate)
{
    QMutexLocker lock(&state_->work);
    state_->delegate = delegate;
}

bool AsMDeleteExecutor::removeTrahFile(const AMAppItemPtr& item)
{
    return state_->removeTrahFile(item);
}

bool AsMDeleteExecutor::allocAuthorization()
{
    return state_->allocAuthorization();
}

platform::AuthorizationRef AsMDeleteExecutor::authorizationRef()
{
    return state_->freshAuthorizationRef();
}

bool AsMDeleteExecutor::authDeleteAtPath(const platform::ItemLocation& location)
{
    return state_->authDeleteAtPath(location);
}

void AsMDeleteExecutor::freeAuthorization()
{
    state_->freeAuthorization();
}
