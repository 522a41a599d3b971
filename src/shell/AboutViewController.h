#pragma once

#include "PopViewController.h"

class EUHandButton;

namespace platform::ui {
class TextField;
} // namespace platform::ui

// The About box: the program's name and version, and a link to the product page on the
// maker's web site.
class AboutViewController : public PopViewController {
public:
    static constexpr const char* kInterfaceFile = "AboutWC";
    static constexpr const char* kProductPagePath = "/mac-start-menu/tavrin-for-mac.html";

    explicit AboutViewController(QString nibName = QString::fromLatin1(kInterfaceFile));

    // Opens the product page in the default browser.
    void linkButtonAction();

    platform::ui::TextField* titleLabel() const { return titleLabel_; }
    EUHandButton* aboutlink() const { return aboutlink_; }
    platform::ui::TextField* aboutlinkLine() const { return aboutlinkLine_; }

protected:
    void loadView() override;

private:
    void AboutWC();

    platform::ui::TextField* titleLabel_ = nullptr;
    EUHandButton* aboutlink_ = nullptr;
    platform::ui::TextField* aboutlinkLine_ = nullptr;
};
