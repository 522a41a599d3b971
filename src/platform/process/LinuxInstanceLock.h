#pragma once

#include "InstanceLock.h"

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace platform {

// flock on "<folder>/<bundle identifier>.lock" decides which copy runs; the running copy listens
// on "<folder>/<bundle identifier>.socket", where a later copy sends "activate". The folder
// should be one only this user can enter (the private temporary folder).
class LinuxInstanceLock final : public InstanceLock {
public:
    explicit LinuxInstanceLock(QString folder);
    ~LinuxInstanceLock() override;

    Result tryLock(const QString& bundleIdentifier) override;
    void setActivationHandler(std::function<void()> activate) override;

    // The bundle identifier as a file name: anything but letters, digits, ".", "-" and "_"
    // becomes "_"; empty when there is nothing left.
    static QString fileStem(const QString& bundleIdentifier);

private:
    void listen(const QString& socketPath);
    void receive(QLocalSocket* socket);
    static bool askToActivate(const QString& socketPath);

    QString folder_;
    QString heldIdentifier_;
    int fd_ = -1;
    std::unique_ptr<QLocalServer> server_;
    std::function<void()> activate_;
};

} // namespace platform
