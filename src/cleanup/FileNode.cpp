#include "FileNode.h"

#include "platform/Platform.h"
#include "platform/files/NativePath.h"
#include "utilities/SystemFolder.h"

namespace {

QByteArray lastComponent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

FileNode::FileNode(FileNode* father, QByteArray name, bool isDirectory)
    : stored_(std::move(name)), father_(father), isDirectory_(isDirectory)
{
}

FileNode::FileNode(const QByteArray& nativePath, bool isDirectory, FileNode* father)
    : FileNode(father, father ? lastComponent(nativePath) : nativePath, isDirectory)
{
}

FileNode::FileNode(const QString& path, bool isDirectory, FileNode* father)
    : FileNode(platform::nativeFromPath(path), isDirectory, father)
{
}

QByteArray FileNode::nativePath() const
{
    if (!father_)
        return stored_;
    QByteArray path = father_->nativePath();
    if (!path.endsWith('/'))
        path.append('/');
    return path.append(stored_);
}

QString FileNode::path() const
{
    return platform::pathFromNative(nativePath());
}

QString FileNode::name() const
{
    return platform::pathFromNative(father_ ? stored_ : lastComponent(stored_));
}

QString FileNode::displayName() const
{
    return platform::displayTextFromNative(father_ ? stored_ : lastComponent(stored_));
}

bool FileNode::isSystemFile() const
{
    return SystemFolder::isSystemFileWithFilePath(path());
}

platform::WorkspaceIcon FileNode::icon() const
{
    return platform::Platform::current().workspace->iconForFile(path());
}
