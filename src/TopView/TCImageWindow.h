#pragma once

#include "KQTitlebarContainer.h"
#include "TCImageWindowDelegateProxy.h"
#include "TCWindowButton.h"
#include "TitleBarLayout.h"

#include "platform/notifications/NotificationCenter.h"
#include "platform/ui/BezierPath.h"
#include "platform/ui/Color.h"
#include "platform/ui/Shadow.h"
#include "platform/ui/TitledWindow.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A titled window that draws its own title bar: a strip of settable height across the top of
// the frame, drawn by its title-bar view (or the caller's block), with the close, minimise,
// zoom and full-screen buttons laid out in it by the rules below, custom buttons in place of
// the standard ones if given, and the content view below the strip. setTitle, setContentView
// and setDelegate are its own: call them on the image window, not through a plain Window.
class TCImageWindow : public platform::ui::TitledWindow {
public:
    // Gets whether the window draws as main, the bar's bounds and its rounded-top outline.
    using TitleBarDrawingBlock =
        std::function<void(bool drawsAsMainWindow, const platform::ui::Rect& drawingRect, const platform::ui::BezierPath& clippingPath)>;
    // No colour draws the default.
    using OptionalColor = std::optional<platform::ui::Color>;
    using OptionalShadow = std::optional<platform::ui::Shadow>;

    TCImageWindow(const platform::ui::Rect& contentRect, unsigned styleMask, platform::ui::BackingStoreType backing,
                  bool defer);
    ~TCImageWindow() override;

    // Setters with layout effect; each does nothing for the present value.
    double titleBarHeight() const { return layout_.titleBarHeight; }
    void setTitleBarHeight(double height); // kept: named by the design, no caller yet
    double trafficLightButtonsLeftMargin() const { return layout_.trafficLightButtonsLeftMargin; }
    void setTrafficLightButtonsLeftMargin(double margin); // kept: named by the design, no caller yet
    double fullScreenButtonRightMargin() const { return fullScreenButtonRightMargin_; } // kept: named by the design, no caller yet
    void setFullScreenButtonRightMargin(double margin);
    bool centerTrafficLightButtons() const { return layout_.centerTrafficLightButtons; }
    void setCenterTrafficLightButtons(bool center); // kept: named by the design, no caller yet
    bool verticalTrafficLightButtons() const { return layout_.verticalTrafficLightButtons; }
    void setVerticalTrafficLightButtons(bool vertical); // kept: named by the design, no caller yet
    double trafficLightSeparation() const { return layout_.trafficLightSeparation; }
    void setTrafficLightSeparation(double separation); // kept: named by the design, no caller yet
    bool centerFullScreenButton() const { return layout_.centerFullScreenButton; }
    void setCenterFullScreenButton(bool center); // kept: named by the design, no caller yet
    bool showsTitle() const { return showsTitle_; }
    void setShowsTitle(bool shows); // kept: named by the design, no caller yet
    bool showsBaselineSeparator() const { return showsBaselineSeparator_; } // kept: named by the design, no caller yet
    void setShowsBaselineSeparator(bool shows); // kept: named by the design, no caller yet

    // Plain values.
    double topButtonMoveUp() const { return layout_.topButtonMoveUp; }
    void setTopButtonMoveUp(double up) { layout_.topButtonMoveUp = up; } // kept: named by the design, no caller yet
    bool hideTitleBarInFullScreen() const { return hideTitleBarInFullScreen_; } // kept: named by the design, no caller yet
    void setHideTitleBarInFullScreen(bool hide) { hideTitleBarInFullScreen_ = hide; } // kept: named by the design, no caller yet
    double trafficLightButtonsTopMargin() const { return layout_.trafficLightButtonsTopMargin; }
    void setTrafficLightButtonsTopMargin(double margin) { layout_.trafficLightButtonsTopMargin = margin; } // kept: named by the design, no caller yet
    // Places the full-screen button when it is not centred.
    double fullScreenButtonTopMargin() const { return layout_.fullScreenButtonTopMargin; }
    void setFullScreenButtonTopMargin(double margin) { layout_.fullScreenButtonTopMargin = margin; } // kept: named by the design, no caller yet
    bool showsTitleInFullscreen() const { return showsTitleInFullscreen_; }
    void setShowsTitleInFullscreen(bool shows) { showsTitleInFullscreen_ = shows; } // kept: named by the design, no caller yet
    double cachedTitleBarHeight() const { return cachedTitleBarHeight_; } // kept: named by the design, no caller yet
    bool isFullScreenButtonRightMarginSet() const { return setFullScreenButtonRightMargin_; }
    const TitleBarDrawingBlock& titleBarDrawingBlock() const { return titleBarDrawingBlock_; }
    void setTitleBarDrawingBlock(TitleBarDrawingBlock block) { titleBarDrawingBlock_ = std::move(block); } // kept: named by the design, no caller yet
    // The title's colour while the window is main in the active application, and otherwise;
    // none draws white.
    const OptionalColor& titleTextColor() const { return titleTextColor_; }
    void setTitleTextColor(const OptionalColor& color) { titleTextColor_ = color; } // kept: named by the design, no caller yet
    const OptionalColor& inactiveTitleTextColor() const { return inactiveTitleTextColor_; }
    void setInactiveTitleTextColor(const OptionalColor& color) { inactiveTitleTextColor_ = color; } // kept: named by the design, no caller yet
    // Kept for the caller (a drawing block may use them); the standard bar does not read them.
    const OptionalColor& titleBarStartColor() const { return titleBarStartColor_; } // kept: named by the design, no caller yet
    void setTitleBarStartColor(const OptionalColor& value) { titleBarStartColor_ = value; } // kept: named by the design, no caller yet
    const OptionalColor& titleBarEndColor() const { return titleBarEndColor_; } // kept: named by the design, no caller yet
    void setTitleBarEndColor(const OptionalColor& value) { titleBarEndColor_ = value; } // kept: named by the design, no caller yet
    const OptionalColor& baselineSeparatorColor() const { return baselineSeparatorColor_; } // kept: named by the design, no caller yet
    void setBaselineSeparatorColor(const OptionalColor& value) { baselineSeparatorColor_ = value; } // kept: named by the design, no caller yet
    const OptionalShadow& titleTextShadow() const { return titleTextShadow_; } // kept: named by the design, no caller yet
    void setTitleTextShadow(const OptionalShadow& value) { titleTextShadow_ = value; } // kept: named by the design, no caller yet
    const OptionalColor& inactiveTitleBarStartColor() const { return inactiveTitleBarStartColor_; } // kept: named by the design, no caller yet
    void setInactiveTitleBarStartColor(const OptionalColor& value) { inactiveTitleBarStartColor_ = value; } // kept: named by the design, no caller yet
    const OptionalColor& inactiveTitleBarEndColor() const { return inactiveTitleBarEndColor_; } // kept: named by the design, no caller yet
    void setInactiveTitleBarEndColor(const OptionalColor& value) { inactiveTitleBarEndColor_ = value; } // kept: named by the design, no caller yet
    const OptionalColor& inactiveBaselineSeparatorColor() const { return inactiveBaselineSeparatorColor_; } // kept: named by the design, no caller yet
    void setInactiveBaselineSeparatorColor(const OptionalColor& value) { inactiveBaselineSeparatorColor_ = value; } // kept: named by the design, no caller yet
    const OptionalShadow& inactiveTitleTextShadow() const { return inactiveTitleTextShadow_; } // kept: named by the design, no caller yet
    void setInactiveTitleTextShadow(const OptionalShadow& value) { inactiveTitleTextShadow_ = value; } // kept: named by the design, no caller yet

    TCImageWindowDelegateProxy& delegateProxy() { return delegateProxy_; } // kept: named by the design, no caller yet
    KQTitlebarContainer* titleBarContainer() const { return titleBarContainer_; } // kept: named by the design, no caller yet

    // The view that fills the strip and draws it; the strip owns it. Null is ignored.
    platform::ui::View* titleBarView() const { return titleBarView_; } // kept: named by the design, no caller yet
    void setTitleBarView(std::unique_ptr<platform::ui::View> view);

    // Custom buttons in place of the standard ones (null goes back to the standard one). Each
    // does its button's job, starts where the standard one stands and is held by the window.
    TCWindowButton* closeButton() const { return custom_[0]; }
    void setCloseButton(std::unique_ptr<TCWindowButton> button); // kept: named by the design, no caller yet
    TCWindowButton* minimizeButton() const { return custom_[1]; } // kept: named by the design, no caller yet
    void setMinimizeButton(std::unique_ptr<TCWindowButton> button); // kept: named by the design, no caller yet
    TCWindowButton* zoomButton() const { return custom_[2]; } // kept: named by the design, no caller yet
    void setZoomButton(std::unique_ptr<TCWindowButton> button); // kept: named by the design, no caller yet
    TCWindowButton* fullScreenButton() const { return custom_[3]; } // kept: named by the design, no caller yet
    void setFullScreenButton(std::unique_ptr<TCWindowButton> button); // kept: named by the design, no caller yet

    // The caller's delegate, reached through the proxy.
    platform::ui::WindowDelegate* delegate() const { return delegateProxy_.secondaryDelegate(); }
    void setDelegate(platform::ui::WindowDelegate* delegate);

    void setTitle(const QString& title);
    void setContentView(std::unique_ptr<platform::ui::View> view);

    // Redraws the title bar; nothing registers it for the notification.
    void undoManagerDidCloseUndoGroupNotification(const platform::Notification&) { redrawTitleBar(); } // kept: named by the design, no caller yet

    void becomeKeyWindow() override;
    void resignKeyWindow() override;
    void becomeMainWindow() override;
    void resignMainWindow() override;

private:
    void doInitialWindowSetup();
    void setCustomButton(int index, std::unique_ptr<TCWindowButton> button);
    platform::ui::View* windowButtonToLayout(int index) const;
    void layoutTrafficLightsAndContent();
    void placeContent();
    void setupTrafficLightsTrackingArea();
    void redrawTitleBar();
    void windowWillChangeFullScreen(bool entering);

    TitleBarLayout layout_;
    double cachedTitleBarHeight_ = 0;
    bool setFullScreenButtonRightMargin_ = false;
    double fullScreenButtonRightMargin_ = 0;
    bool hideTitleBarInFullScreen_ = false;
    bool showsBaselineSeparator_ = true;
    bool showsTitle_ = false;
    bool showsTitleInFullscreen_ = false;
    OptionalColor titleTextColor_;
    OptionalColor inactiveTitleTextColor_;
    OptionalColor titleBarStartColor_;
    OptionalColor titleBarEndColor_;
    OptionalColor baselineSeparatorColor_;
    OptionalShadow titleTextShadow_;
    OptionalColor inactiveTitleBarStartColor_;
    OptionalColor inactiveTitleBarEndColor_;
    OptionalColor inactiveBaselineSeparatorColor_;
    OptionalShadow inactiveTitleTextShadow_;
    TitleBarDrawingBlock titleBarDrawingBlock_;
    TCImageWindowDelegateProxy delegateProxy_;
    KQTitlebarContainer* titleBarContainer_ = nullptr;
    platform::ui::View* titleBarView_ = nullptr;
    std::array<TCWindowButton*, 4> custom_{};
    std::vector<platform::Observation> observations_;
};
