#pragma once

#include "IconCell.h"

// An icon cell that draws its own primary text at a place measured from the whole frame, then
// the icon, then the platform's text drawing in what the icon leaves.
class PrimaryTextIconCell : public IconCell {
public:
    using IconCell::IconCell;

    // The text itself (the name keeps the original's).
    const QString& primaryTextKeyPath() const { return primaryTextKeyPath_; } // kept: named by the design, no caller yet
    void setPrimaryTextKeyPath(const QString& text) { primaryTextKeyPath_ = text; }

    struct Layout {
        bool hasText = false;
        platform::ui::Rect text;
        Slice icon;
    };
    Layout layout(const platform::ui::Rect& frame) const;
    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;

protected:
    virtual platform::ui::Rect textRect(const platform::ui::Rect& frame) const = 0;
    virtual platform::ui::AttributedString::Attributes textAttributes() const = 0;

private:
    QString primaryTextKeyPath_;
};
