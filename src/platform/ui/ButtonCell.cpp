#include "ButtonCell.h"

#include "BezierPath.h"
#include "Color.h"
#include "GraphicsContext.h"
#include "View.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {

constexpr double kCheckBoxSide = 14;
constexpr double kSpacing = 4;

bool isSwitchLike(ButtonType type)
{
    switch (type) {
    case ButtonType::PushOnPushOff:
    case ButtonType::Toggle:
    case ButtonType::Switch:
    case ButtonType::Radio:
    case ButtonType::OnOff:
        return true;
    default:
        return false;
    }
}

} // namespace

ButtonCell::ButtonCell()
{
    setAlignment(TextAlignment::Center);
    setLineBreakMode(LineBreakMode::ByClipping);
    setEditable(true); // a click changes its value
}

ButtonCell::ButtonCell(const QString& title)
    : ButtonCell()
{
    setTitle(title);
}

void ButtonCell::setTitle(const QString& title)
{
    title_ = title;
    attributedTitle_.reset();
}

AttributedString ButtonCell::attributedTitle() const
{
    if (attributedTitle_)
        return *attributedTitle_;
    AttributedString text(title_);
    const TextRange all{0, text.length()};
    text.addFont(font(), all);
    text.addForegroundColor(isEnabled() ? Color::textColor() : Color::disabledControlTextColor(), all);
    text.addParagraphStyle({alignment(), lineBreakMode()}, all);
    return text;
}

void ButtonCell::setAttributedTitle(const AttributedString& title)
{
    attributedTitle_ = title;
    title_ = title.string();
}

void ButtonCell::setButtonType(ButtonType type)
{
    buttonType_ = type;
    switch (type) {
    case ButtonType::MomentaryLight:
        highlightsBy_ = ChangeBackgroundCellMask | ChangeGrayCellMask;
        showsStateBy_ = NoCellMask;
        break;
    case ButtonType::PushOnPushOff:
    case ButtonType::OnOff:
        highlightsBy_ = PushInCellMask | ChangeGrayCellMask;
        showsStateBy_ = ChangeBackgroundCellMask | ChangeGrayCellMask;
        break;
    case ButtonType::Toggle:
        highlightsBy_ = PushInCellMask | ContentsCellMask;
        showsStateBy_ = ContentsCellMask;
        break;
    case ButtonType::Switch:
    case ButtonType::Radio:
        highlightsBy_ = ContentsCellMask;
        showsStateBy_ = ContentsCellMask;
        bordered_ = false;
        setAlignment(TextAlignment::Left);
        break;
    case ButtonType::MomentaryChange:
        highlightsBy_ = ContentsCellMask;
        showsStateBy_ = NoCellMask;
        break;
    case ButtonType::MomentaryPushIn:
        highlightsBy_ = PushInCellMask | ChangeGrayCellMask;
        showsStateBy_ = NoCellMask;
        break;
    }
}

int ButtonCell::nextState() const
{
    if (!isSwitchLike(buttonType_))
        return state();
    if (buttonType_ == ButtonType::Radio)
        return ControlStateValueOn;
    return state() == ControlStateValueOn ? ControlStateValueOff : ControlStateValueOn;
}

void ButtonCell::performClickState()
{
    setState(nextState());
}

Image ButtonCell::displayedImage() const
{
    const bool alternate = (isHighlighted() && (highlightsBy_ & ContentsCellMask))
        || (state() == ControlStateValueOn && (showsStateBy_ & ContentsCellMask));
    if (alternate && !alternateImage_.isNull())
        return alternateImage_;
    return image();
}

CellImagePosition ButtonCell::effectivePosition(bool hasImage) const
{
    if (!hasImage)
        return CellImagePosition::NoImage;
    if (imagePosition_ != CellImagePosition::NoImage)
        return imagePosition_;
    // A button given an image shows it even when no position was chosen.
    return title_.isEmpty() ? CellImagePosition::ImageOnly : CellImagePosition::ImageLeft;
}

ButtonCell::Layout ButtonCell::layout(const Rect& frame, Size imageSize, Size titleSize, CellImagePosition position,
                                      ImageScaling scaling)
{
    Layout result;
    const double titleHeight = std::min(frame.height(), std::ceil(titleSize.height));
    const double titleY = frame.minY() + std::floor((frame.height() - titleHeight) / 2);
    auto titleIn = [&](double minX, double maxX) {
        return Rect(minX, titleY, std::max(0.0, maxX - minX), titleHeight);
    };
    switch (position) {
    case CellImagePosition::NoImage:
        result.title = titleIn(frame.minX() + 2, frame.maxX() - 2);
        break;
    case CellImagePosition::ImageOnly:
    case CellImagePosition::ImageOverlaps:
        result.image = ImageView::imageRect(imageSize, frame.size, scaling);
        result.image.origin.x += frame.minX();
        result.image.origin.y += frame.minY();
        if (position == CellImagePosition::ImageOverlaps)
            result.title = titleIn(frame.minX() + 2, frame.maxX() - 2);
        break;
    case CellImagePosition::ImageLeft:
    case CellImagePosition::ImageRight: {
        Rect box = ImageView::imageRect(imageSize, Size{imageSize.width, frame.height()}, scaling);
        const bool left = position == CellImagePosition::ImageLeft;
        box.origin.x = left ? frame.minX() + 2 : frame.maxX() - 2 - box.width();
        box.origin.y += frame.minY();
        result.image = box;
        result.title = left ? titleIn(box.maxX() + kSpacing, frame.maxX() - 2)
                            : titleIn(frame.minX() + 2, box.minX() - kSpacing);
        break;
    }
    }
    return result;
}

void ButtonCell::drawWithFrame(const Rect& cellFrame, View& controlView)
{
    if (bordered_) {
        const bool pushed = isHighlighted() && (highlightsBy_ & (PushInCellMask | ChangeGrayCellMask | ChangeBackgroundCellMask));
        const bool on = state() == ControlStateValueOn && (showsStateBy_ & (ChangeGrayCellMask | ChangeBackgroundCellMask));
        const double gray = pushed ? 0.82 : on ? 0.88 : 0.98;
        const BezierPath bezel = BezierPath::bezierPathWithRoundedRect(cellFrame.insetBy(0.5, 0.5), 4, 4);
        Color::colorWithRed(gray, gray, gray, 1).setFill();
        bezel.fill();
        Color::colorWithRed(0.65, 0.65, 0.65, 1).setStroke();
        bezel.stroke();
    }
    drawInteriorWithFrame(cellFrame, controlView);
}

void ButtonCell::drawInteriorWithFrame(const Rect& cellFrame, View& controlView)
{
    const AttributedString title = attributedTitle();
    const Size titleSize = title.length() ? title.size() : Size{};
    const Image picture = displayedImage();
    const bool checkBox = picture.isNull() && (buttonType_ == ButtonType::Switch || buttonType_ == ButtonType::Radio);
    const Size imageSize = checkBox ? Size{kCheckBoxSide, kCheckBoxSide} : picture.size();
    const CellImagePosition position = checkBox ? CellImagePosition::ImageLeft : effectivePosition(!picture.isNull());
    const Layout parts = layout(cellFrame, imageSize, titleSize, position, imageScaling_);
    if (checkBox)
        drawCheckBox(parts.image, controlView.isFlipped());
    else if (position != CellImagePosition::NoImage)
        picture.drawInRect(parts.image, Rect(), CompositingOperation::SourceOver,
                           isEnabled() || !imageDimsWhenDisabled_ ? 1.0 : 0.5, true);
    if (position != CellImagePosition::ImageOnly)
        title.drawInRect(parts.title);
}

void ButtonCell::drawCheckBox(const Rect& box, bool flipped) const
{
    const double fill = isHighlighted() ? 0.85 : 1.0;
    const BezierPath outline = BezierPath::bezierPathWithRoundedRect(box.insetBy(0.5, 0.5), 3, 3);
    Color::colorWithRed(fill, fill, fill, 1).setFill();
    outline.fill();
    Color::colorWithRed(0.55, 0.55, 0.55, 1).setStroke();
    outline.stroke();
    if (state() == ControlStateValueOff)
        return;
    BezierPath mark;
    if (state() == ControlStateValueMixed) {
        mark.moveToPoint({box.minX() + 3, box.midY()});
        mark.lineToPoint({box.maxX() - 3, box.midY()});
    } else {
        const double up = flipped ? -1 : 1; // the tick points up on screen either way
        mark.moveToPoint({box.minX() + 3, box.midY()});
        mark.lineToPoint({box.minX() + 6, box.midY() - 3 * up});
        mark.lineToPoint({box.maxX() - 3, box.midY() + 4 * up});
    }
    mark.setLineWidth(2);
    Color::colorWithRed(0.1, 0.1, 0.1, isEnabled() ? 1 : 0.4).setStroke();
    mark.stroke();
}

Size ButtonCell::cellSize() const
{
    const Size titleSize = title_.isEmpty() ? Size{} : attributedTitle().size();
    const Image picture = image();
    double width = std::ceil(titleSize.width) + 4;
    double height = std::ceil(titleSize.height);
    if (!picture.isNull() || buttonType_ == ButtonType::Switch || buttonType_ == ButtonType::Radio) {
        const Size imageSize = picture.isNull() ? Size{kCheckBoxSide, kCheckBoxSide} : picture.size();
        width += imageSize.width + (title_.isEmpty() ? 0 : kSpacing);
        height = std::max(height, imageSize.height);
    }
    if (bordered_) {
        width += 12;
        height += 6;
    }
    return {width, height};
}

} // namespace platform::ui
