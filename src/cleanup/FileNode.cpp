#include "FileNode.h"

#include "Platform.h"
#include "files/NativePath.h"
#include "utilities/SystemFolder.h"

FileNode::FileNode(QByteArray nativePath, bool isDirectory, FileNode* father)
    : nativePath_(std::move(nativePath)), father_(father), isDirectory_(isDirectory)
{
}

FileNode::FileNode(const QString& path, bool isDirectory, FileNode* father)
    : FileNode(platform::nativeFromPath(path), isDirectory, father)
{
}

QString FileNode::path() const
{
    return platform::pathFromNative(nativePath_);
}

namespace {

QByteArray lastComponent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

QString FileNode::name() const
{
    return platform::pathFromNative(lastComponent(nativePath_));
}

QString FileNode::displayName() const
{
    return platform::displayTextFromNative(lastComponent(nativePath_));
}

bool FileNode::isSystemFile() const
{
    return SystemFolder::isSystemFileWithFilePath(path());
}

platform::WorkspaceIcon FileNode::icon() const
{
    return platform::Platform::current().workspace->iconForFile(path());
}
