#include "FileNode.h"

#include "platform/Platform.h"
#include "platform/files/NativePath.h"
#include "utilities/SystemFolder.h"

#include <algorithm>

namespace {

QByteArray lastComponent(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

} // namespace

FileNode::FileNode(FileNode* father, QByteArray name, bool isDirectory)
    : stored_(std::move(name)), father_(father), isDirectory_(isDirectory),
      insideLink_(father && (father->followsLink() || father->insideLink_))
{
    if (insideLink_)
        state_ = None;
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

QByteArray FileNode::nativeName() const
{
    return father_ ? stored_ : lastComponent(stored_);
}

QString FileNode::name() const
{
    return platform::pathFromNative(nativeName());
}

QString FileNode::displayName() const
{
    return platform::displayTextFromNative(nativeName());
}

bool FileNode::isSystemFile() const
{
    return SystemFolder::isSystemFileWithFilePath(path());
}

platform::WorkspaceIcon FileNode::icon() const
{
    return platform::Platform::current().workspace->iconForFile(path());
}

int FileNode::compareSize(const FileNode& other) const
{
    return other.size() < size() ? -1 : other.size() > size() ? 1 : 0;
}

void FileNode::decendingSort() const
{
    // Without recursion: a tree may be deeper than the stack allows.
    std::vector<const FileNode*> pending{this};
    while (!pending.empty()) {
        const FileNode* node = pending.back();
        pending.pop_back();
        FileNodeList sorted = node->children_;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a->compareSize(*b) < 0; });
        for (const auto& child : node->children_)
            pending.push_back(child.get());
    }
}
