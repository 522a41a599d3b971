#pragma once

#include "Controller.h"
#include "ControllerDelegate.h"
#include "FileNode.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>

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
    const QByteArray contents(size, 'x');
    ASSERT_EQ(::write(fd, contents.constData(), size_t(size)), size);
    ::close(fd);
}

inline void makeFolder(const QByteArray& path)
{
    ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << path.constData();
}

// Makes each entry below `root`, in order: "name/" a folder, "name:size" a file of that size.
inline void makeTree(const QByteArray& root, std::initializer_list<QByteArray> entries)
{
    for (const QByteArray& entry : entries) {
        if (entry.endsWith('/'))
            makeFolder(root + '/' + entry.chopped(1));
        else
            makeFile(root + '/' + entry.left(entry.lastIndexOf(':')), entry.mid(entry.lastIndexOf(':') + 1).toInt());
    }
}

inline bool existsAsItself(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

// Writes the bundle's protected-path list.
inline void protectPaths(const QString& plistPath, const QStringList& paths)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>";
    for (int i = 0; i < paths.size(); ++i)
        xml += "<key>" + QByteArray::number(i) + "</key><string>" + paths[i].toUtf8() + "</string>";
    xml += "</dict></plist>\n";
    QFile file(plistPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(xml);
}

// Keeps what the controller tells the window.
class RecordingDelegate : public ControllerDelegate {
public:
    void changeRemoveProgressWithPoint(int32_t percent, const QString& path) override
    {
        progress.push_back(percent);
        paths << path;
    }
    void endProScan() override { ++ends; }
    void endRemoveWithFailedCount(int32_t count) override { failed.push_back(count); }

    std::vector<int32_t> progress;
    QStringList paths;
    std::vector<int32_t> failed;
    int ends = 0;
};

// The names of a list, in order.
inline QStringList namesOf(const FileNodeList& list)
{
    QStringList names;
    for (const auto& node : list)
        names << node->displayName();
    return names;
}

} // namespace test
