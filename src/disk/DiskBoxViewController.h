#pragma once

#include "DiskBoxViewControllerDelegate.h"
#include "VolumeFolder.h"
#include "VolumeObj.h"

#include "Format/FormatVCDelegate.h"
#include "Format/MakeSureFormatVCDelegate.h"
#include "controls/TableViewBgViewDelegate.h"

#include "platform/ui/AttributedString.h"
#include "platform/ui/ViewController.h"

#include <QVariantMap>

#include <memory>
#include <optional>

class FormatEndViewController;
class MakeSureFormatViewController;
class TableViewBgView;
class TextImageButton;

namespace platform::ui {
class ImageView;
class TextField;
class View;
} // namespace platform::ui

// One volume of the Disk Manager column: its icon, name, usage and selection mark, the rename
// editor, and the volume's eject, rename and erase. Every command names the volume by its device
// identifier, and a rename or erase first checks that the identifier still names the volume the
// box shows. Background work holds the box, so it outlives a rebuild that drops it.
class DiskBoxViewController : public platform::ui::ViewController,
                              public TableViewBgViewDelegate,
                              public MakeSureFormatVCDelegate,
                              public FormatVCDelegate,
                              public std::enable_shared_from_this<DiskBoxViewController> {
public:
    // What an erase came to.
    struct FormatOutcome {
        bool succeeded = false;
        QString detail;
    };

    explicit DiskBoxViewController(QString nibName = QStringLiteral("DiskBoxViewController"));
    ~DiskBoxViewController() override;

    // Shared with background work that fills in its type.
    const std::shared_ptr<VolumeObj>& volumeInfo() const { return volumeInfo_; }
    void setVolumeInfo(std::shared_ptr<VolumeObj> volume) { volumeInfo_ = std::move(volume); }
    // Found with the list; the selection reads it.
    const VolumeFolder& volumeFolder() const { return volumeFolder_; }
    void setVolumeFolder(VolumeFolder folder) { volumeFolder_ = std::move(folder); }
    // Not owned; the tab clears it before it goes.
    DiskBoxViewControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(DiskBoxViewControllerDelegate* delegate) { delegate_ = delegate; }

    void changeValue();
    void changeSelectButStart(bool selected);
    // Looks the type up on the background queue; the record takes it on the main queue.
    void getTypeForVoluem();
    // The information of the volume with that device identifier (never a name), or none.
    static std::optional<QVariantMap> getDisjInfo(const QString& identifier);

    void mouseDownAction() override;
    void renameButtonAction();
    void renameOkButtonAction();
    void renameCancelButtonAction();
    void ejectButtonAction();
    void formatButtonAction();
    // The confirmation for the format button, made and filled but not shown.
    MakeSureFormatViewController& prepareFormatConfirmation();
    void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) override;
    void showFormatEndWindow(FormatOutcome outcome);
    // Reformats the volume the box shows.
    void formatContinueAction() override; // kept: named by the design, no caller yet
    static platform::ui::AttributedString getStringColor(const QString& text);

    MakeSureFormatViewController* makeSureFormatVC() const { return makeSureFormatVC_.get(); } // kept: named by the design, no caller yet
    FormatEndViewController* formatEndVC() const { return formatEndVC_.get(); } // kept: named by the design, no caller yet
    const std::optional<FormatOutcome>& lastFormatOutcome() const { return lastFormatOutcome_; }
    platform::ui::TextField* nameLabel() const { return nameLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* usedLabel() const { return usedLabel_; } // kept: named by the design, no caller yet
    platform::ui::ImageView* selectBut() const { return selectBut_; } // kept: named by the design, no caller yet
    platform::ui::ImageView* iconImageView() const { return iconImageView_; } // kept: named by the design, no caller yet
    platform::ui::View* renameView() const { return renameView_; } // kept: named by the design, no caller yet
    platform::ui::TextField* renameTextField() const { return renameTextField_; } // kept: named by the design, no caller yet
    QString iconName() const { return iconName_; }
    bool isSelected() const { return selected_; }

protected:
    void loadView() override;

private:
    void DiskBoxViewControllerView();
    void showLabels(bool shown);
    // Whether the device still holds the volume this box was made for; the reason when not.
    std::optional<QString> identityProblem(const std::optional<QVariantMap>& info) const;
    void finishFormat(FormatOutcome outcome);

    std::shared_ptr<VolumeObj> volumeInfo_ = std::make_shared<VolumeObj>();
    VolumeFolder volumeFolder_;
    TableViewBgView* card_ = nullptr;
    TextImageButton* saveButton_ = nullptr;
    TextImageButton* cancelButton_ = nullptr;
    platform::ui::TextField* nameLabel_ = nullptr;
    platform::ui::TextField* usedLabel_ = nullptr;
    platform::ui::ImageView* selectBut_ = nullptr;
    std::unique_ptr<MakeSureFormatViewController> makeSureFormatVC_;
    std::unique_ptr<FormatEndViewController> formatEndVC_;
    DiskBoxViewControllerDelegate* delegate_ = nullptr;
    platform::ui::View* renameView_ = nullptr;
    platform::ui::TextField* renameTextField_ = nullptr;
    platform::ui::ImageView* iconImageView_ = nullptr;
    QString iconName_;
    bool selected_ = false;
    std::optional<FormatOutcome> lastFormatOutcome_;
};
