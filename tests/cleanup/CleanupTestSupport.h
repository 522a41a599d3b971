#pragma once

#include "cleanup/Controller.h"
#include "FileTree.h"
#include "platform/trash/Trash.h"
#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

namespace test {

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
