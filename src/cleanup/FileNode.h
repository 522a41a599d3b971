#pragma once

#include "platform/files/FileIdentity.h"
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

// One entry of the Downloads tree. Lists, states, sizes and identities change on the main thread
// only, once the node is in the tree.
class FileNode {
public:
    enum State : int64_t { None = 0, All = 1, Partly = 2 };

    // The path as the file system's bytes; starts selected (1) with no children. Below a father
    // only the last component is kept: the path is the father's and the name.
    FileNode(const QByteArray& nativePath, bool isDirectory, FileNode* father = nullptr);
    FileNode(const QString& path, bool isDirectory, FileNode* father = nullptr);
    // An entry of `father` named `name`, which the node shares rather than copies. Below a link
    // the scan follows it starts cleared: a tick on the link is for the link alone.
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
    // What the file system knew the entry by when the scan saw it (a link as itself; a folder
    // once it was opened); unknown before. Main thread, or before the node is handed over.
    platform::FileIdentity identity() const { return identity_; }
    void setIdentity(platform::FileIdentity identity) { identity_ = identity; }
    // A link to a folder that the scan followed (at the top level only): the folder it leads
    // to, whose contents are this node's children. Unknown for every other node.
    platform::FileIdentity linkTarget() const { return linkTarget_ ? *linkTarget_ : platform::FileIdentity(); }
    void setLinkTarget(platform::FileIdentity target) { linkTarget_ = std::make_unique<platform::FileIdentity>(target); }
    bool followsLink() const { return linkTarget_ != nullptr; }
    // Asks the protected-path list at every call; a folder is known by the identity the scan saw.
    bool isSystemFile(const platform::ProtectedFolders& protectedFolders) const;
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
    int32_t isButtonState() const { return isButtonState_; } // kept: named by the design, no caller yet
    void setIsButtonState(int32_t state) { isButtonState_ = state; } // kept: named by the design, no caller yet
    platform::ui::Rect checkBoxRect() const { return checkBoxRect_ ? *checkBoxRect_ : platform::ui::Rect(); } // kept: named by the design, no caller yet
    void setCheckBoxRect(const platform::ui::Rect& rect) { checkBoxRect_ = std::make_unique<platform::ui::Rect>(rect); } // kept: named by the design, no caller yet

    // Orders by size, larger first: below zero when this node is the larger, so it goes first.
    int compareSize(const FileNode& other) const;
    // Sorts a copy of the children of every folder below this one and lets it go: the tree is
    // left as it is. Nothing in the program relies on it.
    void decendingSort() const; // kept: named by the design, no caller yet

private:
    QByteArray stored_; // the whole path without a father, else the name
    FileNodeList children_;
    FileNode* father_ = nullptr;
    std::atomic<uint64_t> size_{0};
    int64_t state_ = All;
    platform::FileIdentity identity_;
    // Made when set, as they are rare and a tree has many nodes.
    std::unique_ptr<platform::FileIdentity> linkTarget_;
    std::unique_ptr<platform::ui::Rect> checkBoxRect_;
    int32_t isButtonState_ = 0;
    bool isDirectory_ = false;
    bool isExpand_ = false;
    bool insideLink_ = false;
};
