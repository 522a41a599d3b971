#pragma once

#include "IsolatedEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sched.h>
#include <sys/mount.h>
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

// A test that mounts runs again whole in a fresh copy of its test program, which enters a private
// user and mount namespace before it starts any thread: a fork of this process could inherit a
// lock that one of its threads holds (the sanitizers' allocator did, and the child hung), and
// the kernel refuses the namespaces to a process with threads. The copy writes what the test's
// body gives back to the file that this variable names.
inline constexpr char kNamespaceAnswer[] = "TAVRIN_TEST_NAMESPACE_ANSWER";
inline constexpr int kNamespaceRefused = 77;

// First thing in main: in such a copy, enters the namespaces, or exits where they are refused.
inline void enterMountNamespaceIfAsked()
{
    if (qEnvironmentVariableIsEmpty(kNamespaceAnswer))
        return;
    const QByteArray uid = QByteArray::number(getuid()), gid = QByteArray::number(getgid());
    const bool isolated = unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 && writeFile("/proc/self/setgroups", "deny")
        && writeFile("/proc/self/uid_map", "0 " + uid + " 1") && writeFile("/proc/self/gid_map", "0 " + gid + " 1")
        && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!isolated)
        _exit(kNamespaceRefused);
}

// Runs `body` inside a private user and mount namespace, where it may mount; what it gives back,
// or nothing where the system refuses such namespaces. One call per test.
inline std::optional<QByteArray> inMountNamespace(const std::function<QByteArray()>& body)
{
    if (const QString answer = qEnvironmentVariable(kNamespaceAnswer); !answer.isEmpty()) {
        const QByteArray given = body();
        writeFile(answer, given);
        return given;
    }
    const QString answer = makeTemporaryFolder() + "/answer";
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kNamespaceAnswer, answer);
    copy.setProcessEnvironment(environment);
    copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy.start(QCoreApplication::applicationFilePath(),
               {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    copy.waitForFinished(-1);
    if (copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == kNamespaceRefused)
        return std::nullopt;
    return readFile(answer);
}

} // namespace test
