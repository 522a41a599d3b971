#pragma once

#include "FormatTypeVCDelegate.h"
#include "MakeSureFormatVCDelegate.h"

#include "PopWindow/PopViewController.h"

#include "platform/dispatch/Lifetime.h"

#include <memory>

class FormatTypeViewController;
class PopStatusAttachedWindow;
class ProgressSpinner;
class TextImageButton;

namespace platform::ui {
class Button;
class ImageView;
class TextField;
class View;
} // namespace platform::ui

// The confirmation before an erase: the volume's new name and the file system to make, with a
// chooser of the type that closes by itself 2 seconds after it opened unless the pointer went in.
// Continue turns it into the formatting view and hands name and type to the delegate.
class MakeSureFormatViewController : public PopViewController, public FormatTypeVCDelegate {
public:
    static constexpr int kChooserCloseMs = 2000;

    explicit MakeSureFormatViewController(QString nibName = QStringLiteral("MakeSureFormatViewController"));
    ~MakeSureFormatViewController() override;

    // Not owned: the box owns its confirmation.
    void setDelegate(MakeSureFormatVCDelegate* delegate) { delegate_ = delegate; }

    void setName(const QString& name, const QString& type);
    void chengTextStart();
    void okButtonAction();
    void noButtonAction();
    void openMenuAction();
    void closeMattachedWindow();
    void selectFormatbyType(int row) override;
    void mouseEixtView(bool exited) override;

    bool isPopSortWin() const { return isPopSortWin_; } // kept: named by the design, no caller yet
    FormatTypeViewController* formatTypeVC() const { return formatTypeVC_.get(); } // kept: named by the design, no caller yet
    PopStatusAttachedWindow* sortAttachedWindow() const { return sortAttachedWindow_.get(); } // kept: named by the design, no caller yet
    platform::ui::TextField* nameTextFiled() const { return nameTextFiled_; } // kept: named by the design, no caller yet
    platform::ui::TextField* typeLabel() const { return typeLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* nameLabel() const { return nameLabel_; } // kept: named by the design, no caller yet
    platform::ui::TextField* nodeLabel() const { return nodeLabel_; } // kept: named by the design, no caller yet
    platform::ui::Button* typeSelectBut() const { return typeSelectBut_; } // kept: named by the design, no caller yet
    platform::ui::ImageView* openImageV() const { return openImageV_; } // kept: named by the design, no caller yet
    platform::ui::View* formatView() const { return formatView_; } // kept: named by the design, no caller yet
    platform::ui::View* makeSureView() const { return makeSureView_; } // kept: named by the design, no caller yet
    ProgressSpinner* loading() const { return loading_; } // kept: named by the design, no caller yet
    TextImageButton* okButton() const { return okButton_; } // kept: named by the design, no caller yet
    TextImageButton* noButton() const { return noButton_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;

private:
    void MakeSureFormatViewControllerView();

    TextImageButton* okButton_ = nullptr;
    TextImageButton* noButton_ = nullptr;
    platform::ui::TextField* nameTextFiled_ = nullptr;
    platform::ui::TextField* typeLabel_ = nullptr;
    platform::ui::TextField* nodeLabel_ = nullptr;
    platform::ui::TextField* nameLabel_ = nullptr;
    bool isPopSortWin_ = false;
    int chooserOpenings_ = 0;
    std::unique_ptr<FormatTypeViewController> formatTypeVC_;
    std::unique_ptr<PopStatusAttachedWindow> sortAttachedWindow_;
    platform::ui::Button* typeSelectBut_ = nullptr;
    platform::ui::ImageView* openImageV_ = nullptr;
    platform::ui::View* formatView_ = nullptr;
    ProgressSpinner* loading_ = nullptr;
    platform::ui::View* makeSureView_ = nullptr;
    MakeSureFormatVCDelegate* delegate_ = nullptr;
    platform::Lifetime lifetime_; // last
};
