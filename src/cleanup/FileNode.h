#pragma once

#include "platform/ui/Geometry.h"
#include "platform/workspace/Workspace.h" // WorkspaceIcon

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class FileNode;
// A list of the tree: the root list, or a folder's children. Nodes are shared, so a scan that
// is still measuring a node keeps it alive after the window has emptied the list.
using FileNodeList = std::vector<std::shared_ptr<FileNode>>;

// One entry of the Downloads tree. Lists and states change on the main thread only; the size is
// written by the scan while the window reads it.
class FileNode {
public:
    enum State : int64_t { None = 0, All = 1, Partly = 2 };

    // The path as the file system's bytes; starts selected (1) with no children. Below a father
    // only the last component is kept: the path is the father's and the name.
    FileNode(const QByteArray& nativePath, bool isDirectory, FileNode* father = nullptr);
    FileNode(const QString& path, bool isDirectory, FileNode* father = nullptr);
    // An entry of `father` named `name`, which the node shares rather than copies.
    FileNode(FileNode* father, QByteArray name, bool isDirectory);

    QByteArray nativePath() const;
    // The path for platform calls (exact bytes, see NativePath.h).
    QString path() const;
    // The last path component as the file system's bytes, for platform calls, and as a person
    // reads it.
    QByteArray nativeName() const;
    QString name() const;
    QString displayName() const;

    bool isDirectory() const { return isDirectory_; }
    // Asks the protected-path list at every call.
    bool isSystemFile() const;
    // Asks the workspace at every call.
    platform::WorkspaceIcon icon() const;

    FileNodeList& children() { return children_; }
    const FileNodeList& children() const { return children_; }

    int64_t state() const { return state_; }
    void setState(int64_t state) { state_ = state; }

    FileNode* father() const { return father_; }

    uint64_t size() const { return size_.load(std::memory_order_relaxed); }
    void setSize(uint64_t size) { size_.store(size, std::memory_order_relaxed); }

    bool isExpand() const { return isExpand_; }
    void setIsExpand(bool expanded) { isExpand_ = expanded; }

    // Kept for the row's drawing; nothing reads them.
    int32_t isButtonState() const { return isButtonState_; }
    void setIsButtonState(int32_t state) { isButtonState_ = state; }
    platform::ui::Rect checkBoxRect() const { return checkBoxRect_ ? *checkBoxRect_ : platform::ui::Rect(); }
    void setCheckBoxRect(const platform::ui::Rect& rect) { checkBoxRect_ = std::make_unique<platform::ui::Rect>(rect); }

    // Orders by size, larger first: below zero when this node is the larger, so it goes first.
    int compareSize(const FileNode& other) const;
    // Sorts a copy of the children of every folder below this one and lets it go: the tree is
    // left as it is. Nothing in the program relies on it.
    void decendingSort() const;

private:
    QByteArray stored_; // the whole path without a father, else the name
    FileNodeList children_;
    FileNode* father_ = nullptr;
    std::atomic<uint64_t> size_{0};
    int64_t state_ = All;
    std::unique_ptr<platform::ui::Rect> checkBoxRect_; // made when set: a tree has many nodes
    int32_t isButtonState_ = 0;
    bool isDirectory_ = false;
    bool isExpand_ = false;
};
