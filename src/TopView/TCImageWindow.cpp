#include "TCImageWindow.h"

#include "KQTitlebarView.h"

#include "platform/ui/WindowNotifications.h"

using namespace platform::ui;
using platform::Notification;
using platform::NotificationCenter;

namespace {

constexpr std::array<WindowButton, 4> kKinds{WindowButton::Close, WindowButton::Miniaturize, WindowButton::Zoom,
                                             WindowButton::FullScreen};

// The standard metrics, measured on the first window that asks and kept for every later one;
// a measure of 0 is taken again next time.
double remembered(double& value, double measured)
{
    if (value == 0)
        value = measured;
    return value;
}

double standardTitleBarHeight(const TitledWindow& w)
{
    static double height = 0;
    return remembered(height, w.frame().height() - w.contentRectForFrameRect(w.frame()).height());
}

double standardLeftMargin(const TitledWindow& w)
{
    static double margin = 0;
    return remembered(margin, w.standardWindowButton(WindowButton::Close)->frame().minX());
}

double standardSeparation(const TitledWindow& w)
{
    static double separation = 0;
    const Rect close = w.standardWindowButton(WindowButton::Close)->frame();
    return remembered(separation, w.standardWindowButton(WindowButton::Miniaturize)->frame().minX() - close.maxX());
}

int containerFirst(View* first, View* second, void* container)
{
    return first == container ? -1 : second == container ? 1 : 0;
}

} // namespace

TCImageWindow::TCImageWindow(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer)
    : TitledWindow(contentRect, styleMask, backing, defer)
{
    doInitialWindowSetup();
}

TCImageWindow::~TCImageWindow()
{
    Window::setDelegate(nullptr); // the proxy goes first
}

void TCImageWindow::doInitialWindowSetup()
{
    showsBaselineSeparator_ = true;
    layout_.centerTrafficLightButtons = true;
    layout_.titleBarHeight = cachedTitleBarHeight_ = standardTitleBarHeight(*this);
    layout_.trafficLightButtonsLeftMargin = standardLeftMargin(*this);
    layout_.trafficLightButtonsTopMargin = 3.0;
    layout_.fullScreenButtonTopMargin = 3.0;
    layout_.trafficLightSeparation = standardSeparation(*this);
    Window::setDelegate(&delegateProxy_);

    NotificationCenter& center = NotificationCenter::defaultCenter();
    const auto relayout = [this](const Notification&) { layoutTrafficLightsAndContent(); };
    for (const QString& name : {NSWindowDidResizeNotification, NSWindowDidMoveNotification, NSWindowDidEndSheetNotification})
        observations_.push_back(center.addObserver(this, name, this, relayout));
    for (const QString& name : {NSApplicationDidBecomeActiveNotification, NSApplicationDidResignActiveNotification})
        observations_.push_back(center.addObserver(this, name, nullptr, [this](const Notification&) { redrawTitleBar(); }));
    observations_.push_back(center.addObserver(this, NSWindowDidExitFullScreenNotification, nullptr,
                                               [this](const Notification&) { setupTrafficLightsTrackingArea(); }));
    // Only this window's own full-screen changes move its strip.
    observations_.push_back(center.addObserver(this, NSWindowWillEnterFullScreenNotification, this,
                                               [this](const Notification&) { windowWillChangeFullScreen(true); }));
    observations_.push_back(center.addObserver(this, NSWindowWillExitFullScreenNotification, this,
                                               [this](const Notification&) { windowWillChangeFullScreen(false); }));

    setDrawsStandardTitleBar(false); // the strip is the bar, whatever its height
    View* frameView = themeFrameView();
    titleBarContainer_ = frameView->addSubview(std::make_unique<KQTitlebarContainer>());
    frameView->sortSubviewsUsingFunction(containerFirst, titleBarContainer_);
    setTitleBarView(std::make_unique<KQTitlebarView>());

    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::setTitleBarHeight(double height)
{
    if (height == layout_.titleBarHeight)
        return;
    layout_.titleBarHeight = cachedTitleBarHeight_ = height;
    layoutTrafficLightsAndContent();
    redrawTitleBar();
}

void TCImageWindow::setTrafficLightButtonsLeftMargin(double margin)
{
    if (margin == layout_.trafficLightButtonsLeftMargin)
        return;
    layout_.trafficLightButtonsLeftMargin = margin;
    layoutTrafficLightsAndContent();
    redrawTitleBar();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::setFullScreenButtonRightMargin(double margin)
{
    if (margin == fullScreenButtonRightMargin_)
        return;
    fullScreenButtonRightMargin_ = margin;
    setFullScreenButtonRightMargin_ = true;
    layoutTrafficLightsAndContent();
    redrawTitleBar();
}

void TCImageWindow::setCenterTrafficLightButtons(bool center)
{
    if (center == layout_.centerTrafficLightButtons)
        return;
    layout_.centerTrafficLightButtons = center;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::setVerticalTrafficLightButtons(bool vertical)
{
    if (vertical == layout_.verticalTrafficLightButtons)
        return;
    layout_.verticalTrafficLightButtons = vertical;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::setTrafficLightSeparation(double separation)
{
    if (separation == layout_.trafficLightSeparation)
        return;
    layout_.trafficLightSeparation = separation;
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::setCenterFullScreenButton(bool center)
{
    if (center == layout_.centerFullScreenButton)
        return;
    layout_.centerFullScreenButton = center;
    layoutTrafficLightsAndContent();
}

void TCImageWindow::setShowsTitle(bool shows)
{
    if (shows == showsTitle_)
        return;
    showsTitle_ = shows;
    redrawTitleBar();
}

void TCImageWindow::setShowsBaselineSeparator(bool shows)
{
    if (shows == showsBaselineSeparator_)
        return;
    showsBaselineSeparator_ = shows;
    redrawTitleBar();
}

void TCImageWindow::setTitleBarView(std::unique_ptr<View> view)
{
    if (!view)
        return;
    if (titleBarView_)
        (void)titleBarView_->removeFromSuperview(); // owned by the strip: destroyed
    view->setFrame(titleBarContainer_->bounds());
    view->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    titleBarView_ = titleBarContainer_->addSubview(std::move(view));
}

void TCImageWindow::setCloseButton(std::unique_ptr<TCWindowButton> button)
{
    setCustomButton(0, std::move(button));
}

void TCImageWindow::setMinimizeButton(std::unique_ptr<TCWindowButton> button)
{
    setCustomButton(1, std::move(button));
}

void TCImageWindow::setZoomButton(std::unique_ptr<TCWindowButton> button)
{
    setCustomButton(2, std::move(button));
}

void TCImageWindow::setFullScreenButton(std::unique_ptr<TCWindowButton> button)
{
    setCustomButton(3, std::move(button));
}

void TCImageWindow::setCustomButton(int index, std::unique_ptr<TCWindowButton> button)
{
    if (TCWindowButton* old = custom_[index])
        (void)old->removeFromSuperview(); // held by the frame view: destroyed
    custom_[index] = nullptr;
    if (!button)
        return;
    static const std::array<Button::Action, 4> actions{
        [](Button& b) { b.window()->performClose(); },
        [](Button& b) { b.window()->miniaturize(); },
        [](Button& b) { b.window()->zoom(); },
        [](Button& b) { static_cast<TitledWindow*>(b.window())->toggleFullScreen(); },
    };
    button->setAction(actions[index]);
    const Button* standard = standardWindowButton(kKinds[index]);
    button->setFrameOrigin(standard ? standard->frame().origin : Point{});
    custom_[index] = themeFrameView()->addSubview(std::move(button));
}

void TCImageWindow::setDelegate(WindowDelegate* delegate)
{
    delegateProxy_.setSecondaryDelegate(delegate);
    Window::setDelegate(nullptr);
    Window::setDelegate(&delegateProxy_);
}

void TCImageWindow::setTitle(const QString& title)
{
    Window::setTitle(title);
    layoutTrafficLightsAndContent();
    redrawTitleBar();
}

void TCImageWindow::setContentView(std::unique_ptr<View> view)
{
    TitledWindow::setContentView(std::move(view));
    placeContent();
}

void TCImageWindow::becomeKeyWindow()
{
    TitledWindow::becomeKeyWindow();
    redrawTitleBar();
    layoutTrafficLightsAndContent();
    setupTrafficLightsTrackingArea();
}

void TCImageWindow::resignKeyWindow()
{
    TitledWindow::resignKeyWindow();
    redrawTitleBar();
    layoutTrafficLightsAndContent();
}

void TCImageWindow::becomeMainWindow()
{
    TitledWindow::becomeMainWindow();
    redrawTitleBar();
}

void TCImageWindow::resignMainWindow()
{
    TitledWindow::resignMainWindow();
    redrawTitleBar();
}

View* TCImageWindow::windowButtonToLayout(int index) const
{
    Button* standard = standardWindowButton(kKinds[index]);
    if (TCWindowButton* custom = custom_[index]) {
        standard->setHidden(true);
        return custom;
    }
    standard->setHidden(layout_.titleBarHeight <= 0); // a collapsed strip leaves no room: not cut in half
    return standard;
}

void TCImageWindow::layoutTrafficLightsAndContent()
{
    const Rect c = layout_.containerFrame(themeFrameView()->frame());
    titleBarContainer_->setFrame(c);
    std::array<View*, 3> lights{windowButtonToLayout(0), windowButtonToLayout(1), windowButtonToLayout(2)};
    const auto frames = layout_.trafficLightFrames(c, {lights[0]->frame(), lights[1]->frame(), lights[2]->frame()});
    for (int i = 0; i < 3; ++i)
        lights[i]->setFrame(frames[i]);
    View* fullScreen = windowButtonToLayout(3);
    if (!setFullScreenButtonRightMargin_)
        setFullScreenButtonRightMargin(TitleBarLayout::rightMarginOf(c, fullScreen->frame()));
    fullScreen->setFrame(layout_.fullScreenButtonFrame(c, fullScreen->frame(), fullScreenButtonRightMargin_));
    placeContent();
}

void TCImageWindow::placeContent()
{
    View* content = contentView();
    Rect frame = content->frame();
    const double height = layout_.contentHeight(this->frame().height());
    if (frame.height() == height)
        return;
    frame.size.height = height;
    content->setFrame(frame);
    content->setNeedsDisplay();
}

void TCImageWindow::setupTrafficLightsTrackingArea()
{
    themeFrameView()->viewWillStartLiveResize();
    themeFrameView()->viewDidEndLiveResize();
}

void TCImageWindow::redrawTitleBar()
{
    titleBarView_->setNeedsDisplay();
}

void TCImageWindow::windowWillChangeFullScreen(bool entering)
{
    if (!hideTitleBarInFullScreen_)
        return;
    layout_.titleBarHeight = entering ? 0 : cachedTitleBarHeight_;
    layoutTrafficLightsAndContent();
    redrawTitleBar();
    titleBarView_->setHidden(entering);
}
