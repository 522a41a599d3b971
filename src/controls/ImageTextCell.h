#pragma once

#include "IconCell.h"

// The name column of the Task Manager and the uninstaller: an icon, then the name in a
// 300-point slice, then the platform's text drawing in what is left.
class ImageTextCell : public IconCell {
public:
    ImageTextCell() : IconCell({27, 4, 24, 24}) {}
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<ImageTextCell>(*this); }

    const QString& nameStr() const { return nameStr_; } // kept: named by the design, no caller yet
    // A null text is no text; the text is drawn as it is.
    void setNameStr(const QString& name) { nameStr_ = name; }

    struct Layout {
        Slice icon;
        bool hasText = false;
        platform::ui::Rect text;
        platform::ui::Rect remainder;
    };
    Layout layout(const platform::ui::Rect& frame) const;
    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;

private:
    QString nameStr_;
};
