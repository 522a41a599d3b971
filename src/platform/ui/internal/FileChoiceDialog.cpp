#include "FileChoiceDialog.h"

#include <QFileInfo>

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
