#include "CustemButtonView.h"

#include "RoundedRectPainting.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/ui/StringDrawing.h"
#include "platform/ui/TrackingArea.h"

using namespace platform::ui;

CustemButtonView::CustemButtonView(const Rect& frame)
    : View(frame)
{
    addTrackingArea(std::make_shared<TrackingArea>(
        bounds(), TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveInActiveApp | TrackingArea::AssumeInside,
        this));
}

void CustemButtonView::setIconImage(const Image& image)
{
    iconImage_ = image;
    setNeedsDisplay();
}

void CustemButtonView::setName(const QString& name)
{
    name_ = name;
    setNeedsDisplay();
}

void CustemButtonView::drawRect(const Rect&)
{
    fillRoundedRect(bounds(), 4, isMouseEnter_ ? getColor(0, 0, 0, 0.1f) : getColor(245, 246, 250, 1));
    if (!iconImage_.isNull())
        iconImage_.drawInRect(Rect(16, 12, 16, 16), Rect(), CompositingOperation::SourceOver, 1.0, true);
    if (!name_.isNull()) {
        AttributedString::Attributes attributes;
        attributes.font = Font::fontWithName(PublicUtilities::getRegularFontName(), 13);
        attributes.foregroundColor = getColor(51, 57, 81, 1);
        platform::ui::drawInRect(name_, Rect(44, 12, 250, 18), attributes);
    }
}

void CustemButtonView::mouseEntered(const Event&)
{
    isMouseEnter_ = true;
    setNeedsDisplay();
}

void CustemButtonView::mouseExited(const Event&)
{
    isMouseEnter_ = false;
    setNeedsDisplay();
}

void CustemButtonView::mouseDown(const Event&)
{
    openButtonAction();
}

void CustemButtonView::openButtonAction()
{
    // Without an action there is nothing to perform.
    if (delegate_ && backAction_) {
        const auto action = backAction_;
        action();
    }
}

AttributedString CustemButtonView::getOpenString(const QString& text)
{
    AttributedString result(text);
    const TextRange whole{0, result.length()};
    result.addForegroundColor(getColor(0, 195, 248, 1), whole);
    result.addFont(Font::fontWithName(PublicUtilities::getLightFontName(), 12), whole);
    if (openBut_)
        openBut_->setAttributedTitle(result);
    return result;
}
