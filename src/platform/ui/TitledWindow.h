#pragma once

#include "Button.h"
#include "Window.h"

#include <array>
#include <optional>

namespace platform::ui {

enum class WindowButton { Close = 0, Miniaturize = 1, Zoom = 2, FullScreen = 7 };

// A window with a title bar of the platform's: its frame view (the outermost view) holds the
// title bar, with the standard close, minimise and zoom buttons at its left and the
// full-screen button at its right, and the content view below it. The frame is the content
// rectangle with the title bar on top. Reached through a plain Window, contentView() is the
// frame view.
class TitledWindow : public Window {
public:
    static constexpr double kTitleBarHeight = 22;

    TitledWindow(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer);

    // The content part of a frame.
    Rect contentRectForFrameRect(const Rect& frame) const;

    View* themeFrameView() const { return Window::contentView(); }
    View* contentView() const { return content_.get(); }
    // Placed below the title bar, sized with the window; the frame view owns it.
    void setContentView(std::unique_ptr<View> view);

    // A button of the title bar; each is enabled when the style has it (zoom and full screen
    // with a resizable window).
    Button* standardWindowButton(WindowButton kind) const;

    // Whether the frame view paints the standard bar and title; a window that draws its own
    // bar turns it off, so the standard one never shows beside or below it.
    bool drawsStandardTitleBar() const { return drawsStandardTitleBar_; }
    void setDrawsStandardTitleBar(bool draws);

    // Full screen covers the window's screen; leaving it puts the frame back. Will- and
    // did-enter (or exit) are posted around the change.
    bool isFullScreen() const { return (styleMask() & WindowStyleMaskFullScreen) != 0; }
    void toggleFullScreen();

    // The buttons and the title follow the key state.
    void becomeKeyWindow() override;
    void resignKeyWindow() override;

private:
    WeakRef<View> content_;
    std::array<Button*, 4> buttons_{};
    std::optional<Rect> windowedFrame_;
    bool drawsStandardTitleBar_ = true;
};

} // namespace platform::ui
