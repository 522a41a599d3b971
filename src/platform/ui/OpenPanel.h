#pragma once

#include "Geometry.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace platform::ui {

class FileChoiceDialog;
class Window;

// What an open panel's completion is given.
enum : long {
    NSModalResponseCancel = 0,
    NSModalResponseOK = 1,
};

// The panel that asks for files or folders to open. It runs as a sheet on a window (a dialog
// modal to it) and tells its completion once. What comes back has links resolved when asked
// and holds only the kinds allowed, one item unless several are allowed.
class OpenPanel {
public:
    using Completion = std::function<void(long response)>;
    // Answers in place of the dialog, for tests: the chosen URLs, or nothing to cancel.
    using Chooser = std::function<std::optional<QList<QUrl>>(const OpenPanel&)>;

    static std::unique_ptr<OpenPanel> openPanel();
    ~OpenPanel();

    bool canChooseFiles() const { return canChooseFiles_; }
    void setCanChooseFiles(bool value) { canChooseFiles_ = value; }
    bool canChooseDirectories() const { return canChooseDirectories_; }
    void setCanChooseDirectories(bool value) { canChooseDirectories_ = value; }
    bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
    void setAllowsMultipleSelection(bool value) { allowsMultipleSelection_ = value; }
    void setResolvesAliases(bool value) { resolvesAliases_ = value; }
    const QString& prompt() const { return prompt_; }
    void setPrompt(const QString& prompt) { prompt_ = prompt; }
    // Where the panel starts: a file URL of a folder.
    const QUrl& directoryURL() const { return directoryURL_; }
    void setDirectoryURL(const QUrl& url) { directoryURL_ = url; }
    const Rect& frame() const { return frame_; }
    void setFrame(const Rect& frame, bool /*display*/) { frame_ = frame; }

    // Shows the panel modal to `window` (to the application without one) and calls `completion`
    // with NSModalResponseOK or NSModalResponseCancel once it is answered. Destroying the panel
    // first means no call.
    void beginSheetModalForWindow(Window* window, Completion completion);
    // The chosen items of the last answer.
    const QList<QUrl>& URLs() const { return URLs_; }
    void orderOut();

    // Replaces the dialog of every panel until set back (null restores the dialog); gives the
    // one it replaces.
    static Chooser setChooser(Chooser chooser);
    // What a panel keeps of a choice: links resolved (when asked), kinds not allowed and
    // missing items dropped, the first item alone unless several are allowed.
    static QList<QUrl> keptChoice(const QList<QUrl>& chosen, bool files, bool directories, bool multiple,
                                  bool resolveLinks);

private:
    OpenPanel();
    void finish(std::optional<QList<QUrl>> chosen);

    bool canChooseFiles_ = true;
    bool canChooseDirectories_ = false;
    bool allowsMultipleSelection_ = false;
    bool resolvesAliases_ = true;
    QString prompt_;
    QUrl directoryURL_;
    Rect frame_;
    QList<QUrl> URLs_;
    Completion completion_;
    std::unique_ptr<FileChoiceDialog> dialog_;
};

} // namespace platform::ui
