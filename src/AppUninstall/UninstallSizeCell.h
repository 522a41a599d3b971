#pragma once

#include "platform/ui/TextFieldCell.h"

// The size column of the uninstaller: the size text 30 points in, then the platform's own
// drawing over the whole frame (a cell that draws its background covers its own text).
class UninstallSizeCell : public platform::ui::TextFieldCell {
public:
    std::unique_ptr<platform::ui::Cell> copy() const override { return std::make_unique<UninstallSizeCell>(*this); }

    const QString& nameStr() const { return nameStr_; } // kept: named by the design, no caller yet
    void setNameStr(const QString& text) { nameStr_ = text; }

    // Where the size text goes; empty without a text.
    platform::ui::Rect textRect(const platform::ui::Rect& frame) const;
    void drawWithFrame(const platform::ui::Rect& cellFrame, platform::ui::View& controlView) override;
    void editWithFrame(const platform::ui::Rect& frame, platform::ui::View& controlView,
                       platform::ui::FieldEditor& editor, const platform::ui::Event* event) override;
    void selectWithFrame(const platform::ui::Rect& frame, platform::ui::View& controlView,
                         platform::ui::FieldEditor& editor, int start, int length) override;

private:
    QString nameStr_;
};
