#pragma once

#include "PopWindow/PopViewController.h"

class EUHandButton;
class TextImageButton;

namespace platform::ui {
class TextField;
} // namespace platform::ui

// The About box: the program's name and version, and a link to the product page on the
// maker's web site, and a button that closes it.
class AboutViewController : public PopViewController {
public:
    static constexpr const char* kInterfaceFile = "AboutWC";
    static constexpr const char* kProductPagePath = "/mac-start-menu/tavrin-for-mac.html";

    explicit AboutViewController(QString nibName = QString::fromLatin1(kInterfaceFile));

    // Opens the product page in the default browser.
    void linkButtonAction();

    platform::ui::TextField* titleLabel() const { return titleLabel_; } // kept: named by the design, no caller yet
    EUHandButton* aboutlink() const { return aboutlink_; } // kept: named by the design, no caller yet
    platform::ui::TextField* aboutlinkLine() const { return aboutlinkLine_; } // kept: named by the design, no caller yet
    TextImageButton* closeButton() const { return closeButton_; }

protected:
    void loadView() override;

private:
    void AboutWC();

    platform::ui::TextField* titleLabel_ = nullptr;
    EUHandButton* aboutlink_ = nullptr;
    platform::ui::TextField* aboutlinkLine_ = nullptr;
    TextImageButton* closeButton_ = nullptr;
};
