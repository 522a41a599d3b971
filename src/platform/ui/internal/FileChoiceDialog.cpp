#include "FileChoiceDialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QPushButton>

namespace platform::ui {

FileChoiceDialog::FileChoiceDialog(QWidget* parent, bool files, bool directories, bool multiple)
    : QFileDialog(parent)
    , directories_(directories)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontResolveSymlinks);
    if (directories && !files)
        setFileMode(QFileDialog::Directory);
    else
        setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
}

void FileChoiceDialog::setPrompt(const QString& prompt)
{
    prompt_ = prompt;
    setLabelText(QFileDialog::Accept, prompt);
    // Qt renames its button whenever a folder becomes current, from places no signal follows;
    // the prompt is put back before the button is drawn.
    if (directories_)
        if (auto* buttons = findChild<QDialogButtonBox*>())
            if ((acceptButton_ = buttons->button(QDialogButtonBox::Open)))
                acceptButton_->installEventFilter(this);
}

bool FileChoiceDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == acceptButton_ && event->type() == QEvent::Paint && acceptButton_->text() != prompt_)
        acceptButton_->setText(prompt_);
    return QFileDialog::eventFilter(watched, event);
}

void FileChoiceDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (directories_ && !chosen.isEmpty() && QFileInfo(chosen.first()).isDir()) {
        QDialog::accept();
        return;
    }
    QFileDialog::accept();
}

} // namespace platform::ui
