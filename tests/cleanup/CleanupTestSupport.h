#pragma once

#include "Controller.h"
#include "platform/trash/Trash.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace test {

// Fixture trees are made with raw bytes, so names that are not UTF-8 are made exactly.
inline void makeFile(const QByteArray& path, int size = 0)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.constData();
    ASSERT_EQ(::write(fd, QByteArray(size, 'x').constData(), size_t(size)), size);
    ::close(fd);
}

inline void makeFolder(const QByteArray& path) { ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData(); }

// Makes each entry below `root`, in order: "name/" a folder, "name:size" a file of that size.
inline void makeTree(const QByteArray& root, std::initializer_list<QByteArray> entries)
{
    for (const QByteArray& entry : entries) {
        const auto colon = entry.lastIndexOf(':');
        if (entry.endsWith('/'))
            makeFolder(root + '/' + entry.chopped(1));
        else
            makeFile(root + '/' + entry.left(colon), entry.mid(colon + 1).toInt());
    }
}

inline bool existsAsItself(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

inline QStringList namesOf(const FileNodeList& list)
{
    QStringList names;
    for (const auto& node : list)
        names << node->displayName();
    return names;
}

// Keeps what the controller tells the window.
struct RecordingDelegate : ControllerDelegate {
    void changeRemoveProgressWithPoint(int32_t percent, const QString& path) override
    {
        progress.push_back(percent);
        paths << path;
    }
    void endProScan() override { ++ends; }
    void endRemoveWithFailedCount(int32_t count) override { failed.push_back(count); }
    void quickLookWithPath(const QString& path) override { previews << path; }
    std::vector<int32_t> progress, failed;
    QStringList paths, previews;
    int ends = 0;
};

// Records every attempt to recycle and answers what the test says, touching nothing.
struct AnsweringTrash : platform::Trash {
    bool recycleItemAtPath(const QString& path) override
    {
        recycled << path;
        return answer;
    }
    bool recycleItemAtLocation(const platform::ItemLocation& location, const platform::ProtectedFolders&, QString*) override
    {
        return recycleItemAtPath(location.displayPath());
    }
    platform::TrashEmptying emptyTrash(const platform::ProtectedFolders&) override { ++emptyings; return {}; }
    QStringList recycled;
    int emptyings = 0;
    bool answer = true;
};

// Runs the action; whether it showed a modal window, in which `inside` runs before it is closed.
inline bool showsModal(const std::function<void()>& action, const std::function<void()>& inside = {})
{
    bool shown = false;
    QTimer::singleShot(0, qApp, [&] {
        if (platform::ui::Window* window = platform::ui::NSApp().modalWindow()) {
            shown = true;
            if (inside)
                inside();
            if (platform::ui::NSApp().modalWindow() == window)
                window->close();
        }
    });
    action();
    QCoreApplication::processEvents(); // the check runs even when nothing was shown
    return shown;
}

} // namespace test
