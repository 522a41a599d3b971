#include "TitledWindow.h"

#include "Font.h"
#include "Gradient.h"
#include "GraphicsContext.h"
#include "Image.h"
#include "StringDrawing.h"
#include "WindowNotifications.h"

#include <QStringList>

#include <cmath>

namespace platform::ui {

namespace {

constexpr double kButtonLeftMargin = 7;
constexpr double kButtonSeparation = 6;
constexpr double kButtonTopMargin = 3;
constexpr Size kButtonSize{14, 16};

constexpr std::array<WindowButton, 4> kKinds{WindowButton::Close, WindowButton::Miniaturize, WindowButton::Zoom,
                                             WindowButton::FullScreen};

int indexOf(WindowButton kind)
{
    return kind == WindowButton::FullScreen ? 3 : int(kind);
}

QString imageStem(WindowButton kind)
{
    static const QStringList stems{QStringLiteral("close"), QStringLiteral("minimize"), QStringLiteral("zoom"),
                                   QStringLiteral("fullscreen")};
    return stems[indexOf(kind)];
}

// The outermost view of a titled window: the title bar behind its buttons. The three
// traffic lights show their hover pictures together while the pointer is over any of them;
// that area is measured again at the end of every live resize.
class ThemeFrame : public View {
public:
    ThemeFrame(const Rect& frame, TitledWindow& window) : View(frame), window_(window) {}

    void setButtons(const std::array<Button*, 4>& buttons)
    {
        buttons_ = buttons;
        renewHoverArea();
        refreshButtons();
    }

    void refreshButtons()
    {
        const bool key = window_.isKeyWindow();
        for (WindowButton kind : kKinds) {
            Button* button = buttons_[indexOf(kind)];
            const bool light = kind != WindowButton::FullScreen;
            const QString stem = imageStem(kind);
            QString name;
            if (!button->isEnabled() || (light && !key && !hover_))
                name = light ? QStringLiteral("window-button-all-inactive") : QStringLiteral("window-button-fullscreen-active");
            else
                name = QStringLiteral("window-button-%1-%2").arg(stem, light && hover_ ? QStringLiteral("hover") : QStringLiteral("active"));
            button->setImage(Image::imageNamed(name));
        }
    }

    void viewDidEndLiveResize() override
    {
        View::viewDidEndLiveResize();
        renewHoverArea();
    }
    void mouseEntered(const Event&) override { setHover(true); }
    void mouseExited(const Event&) override { setHover(false); }

    void drawRect(const Rect&) override
    {
        const Rect whole = bounds();
        window_.backgroundColor().setFill();
        NSRectFill(whole);
        if (!window_.drawsStandardTitleBar())
            return;
        const Rect bar(0, whole.height() - TitledWindow::kTitleBarHeight, whole.width(), TitledWindow::kTitleBarHeight);
        Gradient(Color::colorWithRed(0.84, 0.84, 0.84, 1), Color::colorWithRed(0.93, 0.93, 0.93, 1)).drawInRect(bar, 90);
        Color::colorWithRed(0.72, 0.72, 0.72, 1).setFill();
        NSRectFill(Rect(0, bar.minY(), whole.width(), 1));
        if (window_.title().isEmpty())
            return;
        AttributedString::Attributes attributes;
        attributes.font = Font::titleBarFontOfSize(Font::systemFontSize());
        attributes.foregroundColor = window_.isKeyWindow() ? Color::colorWithRed(0.2, 0.2, 0.2, 1)
                                                           : Color::colorWithRed(0.6, 0.6, 0.6, 1);
        const Size size = sizeWithAttributes(window_.title(), attributes);
        drawInRect(window_.title(),
                   Rect(std::round(bar.midX() - size.width / 2), std::round(bar.midY() - size.height / 2), size.width,
                        size.height),
                   attributes);
    }

private:
    void setHover(bool hover)
    {
        hover_ = hover;
        refreshButtons();
    }
    void renewHoverArea()
    {
        if (area_)
            removeTrackingArea(area_.get());
        Rect lights = buttons_[0]->frame();
        for (int i = 1; i < 3; ++i) {
            const Rect& f = buttons_[i]->frame();
            const double x0 = std::min(lights.minX(), f.minX()), y0 = std::min(lights.minY(), f.minY());
            const double x1 = std::max(lights.maxX(), f.maxX()), y1 = std::max(lights.maxY(), f.maxY());
            lights = Rect(x0, y0, x1 - x0, y1 - y0);
        }
        area_ = std::make_shared<TrackingArea>(lights, TrackingArea::MouseEnteredAndExited | TrackingArea::ActiveAlways, this);
        addTrackingArea(area_);
    }

    TitledWindow& window_;
    std::array<Button*, 4> buttons_{};
    std::shared_ptr<TrackingArea> area_;
    bool hover_ = false;
};

} // namespace

TitledWindow::TitledWindow(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer)
    : Window(Rect(contentRect.minX(), contentRect.minY(), contentRect.width(), contentRect.height() + kTitleBarHeight),
             styleMask | WindowStyleMaskTitled, backing, defer)
{
    auto frameView = std::make_unique<ThemeFrame>(Rect({0, 0}, frame().size), *this);
    ThemeFrame* themeFrame = frameView.get();
    Window::setContentView(std::move(frameView));
    setContentView(nullptr);

    const Rect whole = themeFrame->bounds();
    const double y = whole.height() - kButtonTopMargin - kButtonSize.height;
    const unsigned style = this->styleMask();
    for (WindowButton kind : kKinds) {
        const int i = indexOf(kind);
        const double x = kind == WindowButton::FullScreen ? whole.width() - kButtonLeftMargin - kButtonSize.width
                                                          : kButtonLeftMargin + i * (kButtonSize.width + kButtonSeparation);
        auto button = std::make_unique<Button>(Rect({x, y}, kButtonSize));
        button->setBordered(false);
        button->setImagePosition(CellImagePosition::ImageOnly);
        button->setAutoresizingMask(kind == WindowButton::FullScreen ? ViewMinXMargin | ViewMinYMargin : ViewMinYMargin);
        switch (kind) {
        case WindowButton::Close:
            button->setEnabled(style & WindowStyleMaskClosable);
            button->setAction([this](Button&) { performClose(); });
            break;
        case WindowButton::Miniaturize:
            button->setEnabled(style & WindowStyleMaskMiniaturizable);
            button->setAction([this](Button&) { miniaturize(); });
            break;
        case WindowButton::Zoom:
            button->setEnabled(style & WindowStyleMaskResizable);
            button->setAction([this](Button&) { zoom(); });
            break;
        case WindowButton::FullScreen:
            button->setEnabled(style & WindowStyleMaskResizable);
            button->setAction([this](Button&) { toggleFullScreen(); });
            break;
        }
        buttons_[i] = themeFrame->addSubview(std::move(button));
    }
    themeFrame->setButtons(buttons_);
}

Rect TitledWindow::contentRectForFrameRect(const Rect& frame) const
{
    return Rect(frame.minX(), frame.minY(), frame.width(), std::max(0.0, frame.height() - kTitleBarHeight));
}

void TitledWindow::setContentView(std::unique_ptr<View> view)
{
    if (View* old = content_.get())
        (void)old->removeFromSuperview(); // owned by the frame view: destroyed
    if (!view)
        view = std::make_unique<View>();
    const Rect inside = contentRectForFrameRect(themeFrameView()->bounds());
    view->setFrame(inside);
    view->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    content_ = themeFrameView()->addSubview(std::move(view));
}

Button* TitledWindow::standardWindowButton(WindowButton kind) const
{
    return buttons_[indexOf(kind)];
}

void TitledWindow::setDrawsStandardTitleBar(bool draws)
{
    drawsStandardTitleBar_ = draws;
    themeFrameView()->setNeedsDisplay();
}

void TitledWindow::becomeKeyWindow()
{
    static_cast<ThemeFrame*>(themeFrameView())->refreshButtons();
    themeFrameView()->setNeedsDisplay();
}

void TitledWindow::resignKeyWindow()
{
    becomeKeyWindow();
}

void TitledWindow::toggleFullScreen()
{
    const bool entering = !isFullScreen();
    WeakRef<Window> alive(this);
    post(entering ? NSWindowWillEnterFullScreenNotification : NSWindowWillExitFullScreenNotification);
    if (!alive)
        return;
    if (entering) {
        std::optional<Screen> target = screen();
        if (!target)
            target = Screen::mainScreen();
        windowedFrame_ = frame();
        setStyleMask(styleMask() | WindowStyleMaskFullScreen);
        if (target)
            setFrame(target->frame(), true);
    } else {
        setStyleMask(styleMask() & ~unsigned(WindowStyleMaskFullScreen));
        if (windowedFrame_)
            setFrame(*windowedFrame_, true);
        windowedFrame_.reset();
    }
    if (alive)
        post(entering ? NSWindowDidEnterFullScreenNotification : NSWindowDidExitFullScreenNotification);
}

} // namespace platform::ui
