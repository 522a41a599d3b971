#pragma once

#include "platform/ui/Image.h"
#include "platform/ui/TextFieldCell.h"

// A 32-point icon with two lines of text of its own (a name and a grey line below); it draws
// nothing else.
class UninstallImageTextCell : public platform::ui::TextFieldCell {
public:
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<UninstallImageTextCell>(*this); }

    // Kept and never read.
    const QString& iconKeyPath() const { return iconKeyPath_; } // kept: named by the design, no caller yet
    void setIconKeyPath(const QString& path) { iconKeyPath_ = path; } // kept: named by the design, no caller yet
    const platform::ui::Image& iconImage() const { return iconImage_; }
    void setIconImage(const platform::ui::Image& image) { iconImage_ = image; }
    // The lines themselves (the names keep the original's).
    const QString& primaryTextKeyPath() const { return primaryTextKeyPath_; } // kept: named by the design, no caller yet
    void setPrimaryTextKeyPath(const QString& text) { primaryTextKeyPath_ = text; }
    const QString& secondaryTextKeyPath() const { return secondaryTextKeyPath_; } // kept: named by the design, no caller yet
    void setSecondaryTextKeyPath(const QString& text) { secondaryTextKeyPath_ = text; } // kept: named by the design, no caller yet

    struct Layout {
        bool hasFirst = false;
        platform::ui::Rect first;
        bool hasSecond = false;
        platform::ui::Rect second;
        platform::ui::Rect icon; // upright, in the view's own coordinates
    };
    Layout layout(const platform::ui::Rect& frame, bool flipped) const;
    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;

private:
    QString iconKeyPath_;
    platform::ui::Image iconImage_;
    QString primaryTextKeyPath_;
    QString secondaryTextKeyPath_;
};
