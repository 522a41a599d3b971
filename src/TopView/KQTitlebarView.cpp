#include "KQTitlebarView.h"

#include "TCImageWindow.h"

#include "platform/ui/Application.h"
#include "platform/ui/Event.h"
#include "platform/ui/Font.h"
#include "platform/ui/Gradient.h"
#include "platform/ui/GraphicsContext.h"
#include "platform/ui/StringDrawing.h"
#include "platform/ui/UserDefaults.h"

using namespace platform::ui;

namespace {

constexpr double kCornerRadius = 4;

bool drawsAsMainWindow(const Window& window)
{
    return window.isMainWindow() && NSApp().isActive();
}

} // namespace

BezierPath roundedTopPath(const Rect& r)
{
    BezierPath path;
    path.moveToPoint({r.minX(), r.minY()});
    path.lineToPoint({r.minX(), r.maxY() - kCornerRadius});
    path.appendBezierPathWithArcFromPoint({r.minX(), r.maxY()}, {r.minX() + kCornerRadius, r.maxY()}, kCornerRadius);
    path.lineToPoint({r.maxX() - kCornerRadius, r.maxY()});
    path.appendBezierPathWithArcFromPoint({r.maxX(), r.maxY()}, {r.maxX(), r.maxY() - kCornerRadius}, kCornerRadius);
    path.lineToPoint({r.maxX(), r.minY()});
    path.closePath();
    return path;
}

void KQTitlebarView::drawRect(const Rect&)
{
    const auto* window = dynamic_cast<const TCImageWindow*>(this->window());
    if (!window)
        return;
    const Rect whole = bounds();
    const BezierPath clip = roundedTopPath(whole);
    const bool fullScreen = window->styleMask() & WindowStyleMaskFullScreen;
    if (const auto& block = window->titleBarDrawingBlock()) {
        block(drawsAsMainWindow(*window), whole, clip);
    } else {
        if (fullScreen) {
            Color::whiteColor().setFill();
            NSRectFill(whole);
        }
        GraphicsContext::saveGraphicsState();
        clip.addClip();
        Gradient(Color::colorWithDeviceRed(1, 1, 1, 1), Color::colorWithDeviceRed(1, 1, 1, 1)).drawInRect(whole, 90);
        GraphicsContext::restoreGraphicsState();
    }
    if (window->showsTitle() && (!fullScreen || window->showsTitleInFullscreen())) {
        Rect frame;
        AttributedString::Attributes attributes;
        getTitleFrame(&frame, &attributes, *window);
        drawInRect(window->title(), frame, attributes);
    }
}

void KQTitlebarView::getTitleFrame(Rect* frame, AttributedString::Attributes* attributes,
                                   const TCImageWindow& window) const
{
    const std::optional<Color>& chosen = drawsAsMainWindow(window) ? window.titleTextColor() : window.inactiveTitleTextColor();
    AttributedString::Attributes a;
    a.font = Font::titleBarFontOfSize(Font::systemFontSize());
    a.foregroundColor = chosen.value_or(Color::colorWithDeviceRed(1, 1, 1, 1));
    if (attributes)
        *attributes = a;
    if (!frame)
        return;
    const Rect whole = bounds();
    const Size size = sizeWithAttributes(window.title(), a);
    *frame = Rect(window.closeButton() ? 10 : 80, (whole.minY() + whole.height()) * 0.5 - 7, size.width, size.height);
}

void KQTitlebarView::mouseUp(const Event& event)
{
    if (event.clickCount() == 2 && globalUserDefaultBool(QStringLiteral("AppleMiniaturizeOnDoubleClick")))
        if (Window* w = window())
            w->miniaturize();
}
