#pragma once

#include <QByteArray>
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

} // namespace test
