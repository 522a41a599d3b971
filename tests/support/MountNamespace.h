#pragma once

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <functional>
#include <optional>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace test {

// Carries out steps below `base` ("mkdir a", "write a", "mv a b", "ln target link", "tmpfs a",
// "bind a b", "umount a"); false when one fails.
inline bool act(const QString& base, const QString& script)
{
    bool done = true;
    for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
        const QStringList w = step.split(' ', Qt::SkipEmptyParts);
        const QString a = base + '/' + w.value(1), b = base + '/' + w.value(2);
        const QByteArray from = QFile::encodeName(a), to = QFile::encodeName(b);
        if (w[0] == "mkdir")
            done &= QDir().mkpath(a);
        else if (w[0] == "write")
            done &= writeFile(a, "x");
        else if (w[0] == "mv") // replaces what is there, as a swap does
            done &= ::rename(from, to) == 0;
        else if (w[0] == "ln")
            done &= QFile::link(a, b);
        else if (w[0] == "tmpfs")
            done &= QDir().mkpath(a) && mount("none", from, "tmpfs", 0, nullptr) == 0 && writeFile(a + "/data", "x");
        else if (w[0] == "bind")
            done &= QDir().mkpath(b) && mount(from, to, nullptr, MS_BIND, nullptr) == 0;
        else if (w[0] == "umount")
            done &= umount2(from, MNT_DETACH) == 0;
    }
    return done;
}

// Runs `body` in a child inside a private user and mount namespace, where it may mount; what it
// gives back, or nothing where the system refuses such namespaces.
inline std::optional<QByteArray> inMountNamespace(const std::function<QByteArray()>& body)
{
    constexpr int kRefused = 77;
    const QString answer = makeTemporaryFolder() + "/answer";
    const QByteArray uid = QByteArray::number(getuid()), gid = QByteArray::number(getgid());
    const pid_t child = fork();
    if (child == 0) {
        const bool isolated = unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeFile("/proc/self/setgroups", "deny")
            && writeFile("/proc/self/uid_map", "0 " + uid + " 1") && writeFile("/proc/self/gid_map", "0 " + gid + " 1")
            && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        _exit(!isolated ? kRefused : writeFile(answer, body()) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == kRefused ? std::nullopt : std::optional(readFile(answer));
}

} // namespace test
