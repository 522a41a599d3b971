#include "OpenPanel.h"

#include "Window.h"
#include "internal/FileChoiceDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QFileInfo>

namespace platform::ui {

namespace {

OpenPanel::Chooser& chooser()
{
    static OpenPanel::Chooser instance;
    return instance;
}

} // namespace

OpenPanel::OpenPanel() = default;

OpenPanel::~OpenPanel()
{
    // The panel may go from its own completion, inside the dialog's signal: the dialog goes later.
    if (dialog_) {
        QObject::disconnect(dialog_.get(), &QDialog::finished, nullptr, nullptr);
        dialog_->hide();
        dialog_.release()->deleteLater();
    }
}

std::unique_ptr<OpenPanel> OpenPanel::openPanel()
{
    return std::unique_ptr<OpenPanel>(new OpenPanel());
}

OpenPanel::Chooser OpenPanel::setChooser(Chooser replacement)
{
    return std::exchange(chooser(), std::move(replacement));
}

QList<QUrl> OpenPanel::keptChoice(const QList<QUrl>& chosen, bool files, bool directories, bool multiple,
                                  bool resolveLinks)
{
    QList<QUrl> kept;
    for (const QUrl& url : chosen) {
        if (!url.isLocalFile())
            continue;
        QFileInfo info(url.toLocalFile());
        if (resolveLinks && info.isSymLink())
            info = QFileInfo(info.canonicalFilePath());
        if (!info.exists() || (info.isDir() ? !directories : !files))
            continue;
        kept << QUrl::fromLocalFile(info.absoluteFilePath());
        if (!multiple)
            break;
    }
    return kept;
}

void OpenPanel::beginSheetModalForWindow(Window* window, Completion completion)
{
    completion_ = std::move(completion);
    URLs_.clear();
    if (const Chooser& answer = chooser()) {
        finish(answer(*this));
        return;
    }
    dialog_ = std::make_unique<FileChoiceDialog>(window ? window->widget() : nullptr, canChooseFiles_,
                                                 canChooseDirectories_, allowsMultipleSelection_);
    dialog_->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    if (!prompt_.isEmpty())
        dialog_->setPrompt(prompt_);
    if (directoryURL_.isLocalFile())
        dialog_->setDirectory(directoryURL_.toLocalFile());
    if (frame_.width() > 0 && frame_.height() > 0)
        dialog_->resize(int(frame_.width()), int(frame_.height()));
    QObject::connect(dialog_.get(), &QDialog::finished, dialog_.get(), [this](int result) {
        // The name's completions are a window of their own: left open, it would take the next click.
        for (QCompleter* completer : dialog_->findChildren<QCompleter*>())
            completer->popup()->hide();
        finish(result == QDialog::Accepted ? std::optional(dialog_->selectedUrls()) : std::nullopt);
    });
    dialog_->open();
}

void OpenPanel::finish(std::optional<QList<QUrl>> chosen)
{
    if (chosen)
        URLs_ = keptChoice(*chosen, canChooseFiles_, canChooseDirectories_, allowsMultipleSelection_,
                           resolvesAliases_);
    // A choice of nothing that may be chosen is no choice.
    const long response = chosen && !URLs_.isEmpty() ? NSModalResponseOK : NSModalResponseCancel;
    if (Completion completion = std::exchange(completion_, nullptr))
        completion(response);
}

void OpenPanel::orderOut()
{
    if (dialog_)
        dialog_->hide();
}

} // namespace platform::ui
