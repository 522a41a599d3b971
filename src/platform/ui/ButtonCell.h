#pragma once

#include "Cell.h"
#include "ImageView.h"

#include <optional>

namespace platform::ui {

// Button behaviours, cell highlight masks, image positions and bezel styles, with the Mac's
// numbers.
enum class ButtonType {
    MomentaryLight = 0,
    PushOnPushOff = 1,
    Toggle = 2,
    Switch = 3,
    Radio = 4,
    MomentaryChange = 5,
    OnOff = 6,
    MomentaryPushIn = 7,
};

enum CellMask : unsigned {
    NoCellMask = 0,
    ContentsCellMask = 1,
    PushInCellMask = 2,
    ChangeGrayCellMask = 4,
    ChangeBackgroundCellMask = 8,
};

enum class CellImagePosition { NoImage = 0, ImageOnly = 1, ImageLeft = 2, ImageRight = 3, ImageOverlaps = 6 };

enum class BezelStyle { Rounded = 1, RegularSquare = 2, TexturedRounded = 11, RoundRect = 12, Recessed = 13 };

// The cell of a button, also used alone in table columns (check boxes, links): a title or an
// attributed title, an image with an alternate one, a state that clicks advance for the
// switch-like types, and the bezel of a bordered button.
class ButtonCell : public Cell {
public:
    ButtonCell();
    explicit ButtonCell(const QString& title);
    std::unique_ptr<Cell> copy() const override { return std::make_unique<ButtonCell>(*this); }

    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    // The attributed title wins over the plain one while it is set; the plain one follows it.
    AttributedString attributedTitle() const;
    void setAttributedTitle(const AttributedString& title);

    const Image& alternateImage() const { return alternateImage_; }
    void setAlternateImage(const Image& image) { alternateImage_ = image; }
    void setImagePosition(CellImagePosition position) { imagePosition_ = position; }
    void setImageScaling(ImageScaling scaling) { imageScaling_ = scaling; }

    // Also sets the highlight and state masks (and the border) that go with the type.
    void setButtonType(ButtonType type);
    void setHighlightsBy(unsigned mask) { highlightsBy_ = mask; }
    // Whether a disabled button draws its image at half strength (the default).
    void setImageDimsWhenDisabled(bool dims) { imageDimsWhenDisabled_ = dims; }
    void setBordered(bool bordered) { bordered_ = bordered; }
    BezelStyle bezelStyle() const { return bezelStyle_; }
    void setBezelStyle(BezelStyle style) { bezelStyle_ = style; }

    // The state after a click: the switch-like types toggle between off and on, a mixed state
    // goes to on; momentary types keep their state.
    int nextState() const;
    void performClickState() override;
    bool tracksMouse() const override { return true; }

    // The image drawn now: the alternate one while it shows the highlight or the on state.
    Image displayedImage() const;
    void drawWithFrame(const Rect& cellFrame, View& controlView) override;
    void drawInteriorWithFrame(const Rect& cellFrame, View& controlView) override;
    Size cellSize() const override;

    // Where the image and the title go in a frame (pure geometry).
    struct Layout {
        Rect image;
        Rect title;
    };
    static Layout layout(const Rect& frame, Size imageSize, Size titleSize, CellImagePosition position,
                         ImageScaling scaling);

private:
    CellImagePosition effectivePosition(bool hasImage) const;
    void drawCheckBox(const Rect& box, bool flipped) const;

    QString title_;
    std::optional<AttributedString> attributedTitle_;
    Image alternateImage_;
    CellImagePosition imagePosition_ = CellImagePosition::NoImage;
    ImageScaling imageScaling_ = ImageScaling::ProportionallyDown;
    ButtonType buttonType_ = ButtonType::MomentaryPushIn;
    unsigned highlightsBy_ = PushInCellMask | ChangeGrayCellMask;
    unsigned showsStateBy_ = NoCellMask;
    bool bordered_ = true;
    bool imageDimsWhenDisabled_ = true;
    BezelStyle bezelStyle_ = BezelStyle::Rounded;
};

} // namespace platform::ui
