#pragma once

#include "InstanceLock.h"

#include "platform/files/FileDescriptor.h"

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

class QLocalServer;
class QLocalSocket;

namespace platform {

// flock on "<folder>/<bundle identifier>.lock" (close-on-exec) decides which copy runs; the
// running copy listens on "<folder>/<bundle identifier>.socket" (`QLocalServer`), where a later
// copy sends "activate", and closes a connection that stays silent for a second. The folder must
// be one that no one else can make or own first (see `defaultFolder`), or they could hand each
// copy a lock of its own: $XDG_RUNTIME_DIR when it is the user's own and closed to others, else
// "tavrin/" (0700, checked with lstat) in the real $XDG_STATE_HOME, never the simulated home
// nor a folder of one copy's own. With no such folder the copy logs it and runs unguarded.
class LinuxInstanceLock final : public InstanceLock {
public:
    struct Timing {
        // How long a connection may stay without sending its request.
        std::chrono::milliseconds idleTimeout{1000};
        // What a later copy does between its attempts to reach the running one.
        std::function<void()> pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); };
    };

    explicit LinuxInstanceLock(QString folder);
    LinuxInstanceLock(QString folder, Timing timing);
    ~LinuxInstanceLock() override;

    Result tryLock(const QString& bundleIdentifier) override;
    void setActivationHandler(std::function<void()> activate) override;

    // The bundle identifier as a file name: anything but letters, digits, ".", "-" and "_"
    // becomes "_"; empty when there is nothing left.
    static QString fileStem(const QString& bundleIdentifier);

    // The lock's folder for this user: $XDG_RUNTIME_DIR when it is private, else "tavrin" in
    // the real $XDG_STATE_HOME (default ~/.local/state of the real home, not the simulated one).
    static QString defaultFolder();
    // The same choice from its inputs; a null text when neither folder is private to `uid`.
    static QString folderFor(const QString& runtimeDirectory, const QString& stateHome,
                             const QString& home, unsigned uid);

private:
    void listen(const QString& socketPath);
    void receive(QLocalSocket* socket);
    bool askToActivate(const QString& socketPath) const;

    QString folder_;
    Timing timing_;
    QString heldIdentifier_;
    FileDescriptor fd_; // before the server, which stops listening before the lock is let go
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> activate_;
};

} // namespace platform
