#pragma once

#include <QFileDialog>

class QPushButton;

namespace platform::ui {

// The Qt dialog of an open panel. Qt's own dialog chooses files or folders, not both: this one
// also takes the folder that is selected when the prompt button is pressed, when folders may
// be chosen (a double click still opens a folder), and then its button keeps the prompt where
// Qt would name it "Open". Internal to the UI layer.
class FileChoiceDialog : public QFileDialog {
public:
    FileChoiceDialog(QWidget* parent, bool files, bool directories, bool multiple);

    void setPrompt(const QString& prompt);
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool directories_;
    QString prompt_;
    QPushButton* acceptButton_ = nullptr;
};

} // namespace platform::ui
