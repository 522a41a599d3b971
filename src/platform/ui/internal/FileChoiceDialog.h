#pragma once

#include <QFileDialog>

namespace platform::ui {

// The Qt dialog of an open panel. Qt's own dialog chooses files or folders, not both: this one
// also takes the folder that is selected when the prompt button is pressed, when folders may
// be chosen (a double click still opens a folder). Internal to the UI layer.
class FileChoiceDialog : public QFileDialog {
public:
    FileChoiceDialog(QWidget* parent, bool files, bool directories, bool multiple);

    void accept() override;

private:
    bool directories_;
};

} // namespace platform::ui
