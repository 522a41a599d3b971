#pragma once

#include "Color.h"
#include "Geometry.h"
#include "Responder.h"
#include "Screen.h"
#include "WeakRef.h"

#include <QImage>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace platform::ui {

class View;
class WindowDelegate;
class WindowWidget;

enum WindowStyleMask : unsigned {
    WindowStyleMaskBorderless = 0,
    WindowStyleMaskTitled = 1,
    WindowStyleMaskClosable = 2,
    WindowStyleMaskMiniaturizable = 4,
    WindowStyleMaskResizable = 8,
    WindowStyleMaskFullScreen = 1u << 14,
};

enum class BackingStoreType { Retained = 0, Nonretained = 1, Buffered = 2 };

// Where a child window is ordered relative to its parent, with the Mac's numbers.
enum class WindowOrderingMode { Below = -1, Out = 0, Above = 1 };

// Occlusion state flags, with the Mac's numbers.
enum WindowOcclusionState : unsigned { WindowOcclusionStateVisible = 1u << 1 };

// A top-level window. Its frame is in screen coordinates (origin at the bottom left of the
// main screen, y up) and equals its content rectangle: every window is drawn without a
// system frame. Notifications go to the delegate and then to the default notification centre,
// with the window as object. The creator owns the window; closing only hides it.
class Window : public Responder {
public:
    Window(const Rect& contentRect, unsigned styleMask, BackingStoreType backing, bool defer);
    ~Window() override;

    // Frame.
    const Rect& frame() const { return frame_; }
    // Posts did-move and did-resize for what changed; `display` redraws at once.
    void setFrame(const Rect& frame, bool display);
    void setFrameOrigin(Point origin);
    // Centred horizontally on its screen's visible frame and a little above the middle: a
    // third of the free height lies above the window, two thirds below.
    void center();
    Point convertBaseToScreen(Point point) const;
    std::optional<Screen> screen() const;

    // Content.
    View* contentView() const { return contentView_.get(); }
    void setContentView(std::unique_ptr<View> view);

    // Look.
    void setAlphaValue(double alpha);
    bool isOpaque() const { return opaque_; }
    void setOpaque(bool opaque);
    void setHasShadow(bool) {}
    void invalidateShadow() {}
    const Color& backgroundColor() const { return backgroundColor_; }
    virtual void setBackgroundColor(const Color& color);
    void setMovableByWindowBackground(bool movable) { movableByBackground_ = movable; }
    bool isMovableByWindowBackground() const { return movableByBackground_; }
    unsigned styleMask() const { return styleMask_; }
    void setStyleMask(unsigned styleMask) { styleMask_ = styleMask; }
    void setBackingType(BackingStoreType) {}
    virtual bool isExcludedFromWindowsMenu() const { return excludedFromWindowsMenu_; } // kept: named by the design, no caller yet
    void setExcludedFromWindowsMenu(bool excluded) { excludedFromWindowsMenu_ = excluded; }
    void useOptimizedDrawing(bool) {}
    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    // The blur of what lies beneath the window, in points (0: none). Where the desktop does not
    // blur for the window, it paints a blurred copy of what lay beneath it when it was shown,
    // or, with no compositor, its background opaque.
    void setBackgroundBlurRadius(int radius) { backgroundBlurRadius_ = radius; }

    // Order and focus.
    void makeKeyAndOrderFront();
    void orderFront();
    void orderFrontRegardless();
    void orderOut();
    void makeKeyWindow();
    void makeMainWindow();

    // A child window stays stacked on its parent's side and shares its input during the
    // parent's modal run. A window has one parent at a time; adding it to another moves it.
    void addChildWindow(Window& child, WindowOrderingMode place);
    void removeChildWindow(Window& child);
    Window* parentWindow() const { return parent_.get(); }
    std::vector<Window*> childWindows() const;
    bool isVisible() const;
    bool isKeyWindow() const;
    bool isMainWindow() const;
    // A window without a title bar or a resize bar cannot become key or main unless a
    // subclass says otherwise.
    virtual bool canBecomeKeyWindow() const;
    virtual bool canBecomeMainWindow() const;
    // Hooks, called as the window gains or loses key or main status (before the notification).
    virtual void becomeKeyWindow() {}
    virtual void resignKeyWindow() {}
    virtual void becomeMainWindow() {}
    virtual void resignMainWindow() {}

    // Key events go to the first responder (the window itself when none is set). A responder
    // that does not accept the part, or a first responder that will not give it up, leaves it
    // as it is.
    Responder* firstResponder();
    bool makeFirstResponder(Responder* responder);

    // The window is "visible" unless it is off the screen or the desktop has reported it
    // covered (exposed once since it was shown, not exposed now); a desktop that does not tell
    // counts as showing it.
    unsigned occlusionState() const;
    // The desktop's workspaces are not known here: a window on the screen is on the active one,
    // and one ordered out is on none.
    bool isOnActiveSpace() const { return isVisible(); }

    // Iconified by the window manager; with none it leaves the screen, and ordering it front
    // again brings it back (deminiaturized).
    void miniaturize();
    bool isMiniaturized() const { return miniaturized_; }
    // Toggles between the window's own frame and its screen's visible frame.
    void zoom();
    // Posts will-close and hides the window. A close while one is
    // under way does nothing.
    virtual void close();
    // What the close button does: nothing for a window without one, else asks the delegate
    // (windowShouldClose) and closes.
    virtual void performClose();

    void display();

    // The frame is kept under the name as it changes; one window holds a name at a time, and
    // false means another window has it.
    bool setFrameAutosaveName(const QString& name);

    int windowNumber() const { return windowNumber_; }
    WindowDelegate* delegate() const { return delegate_; }
    void setDelegate(WindowDelegate* delegate) { delegate_ = delegate; }

    // A window without a delegate that handled a mouse-down drags itself when it is movable
    // by its background and the view under the pointer allows it.
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

    // The background and the views, drawn into a transparent image of the window's size.
    QImage renderToImage() const;

    // For the UI layer.
    QWidget* widget() const;
    void noteMouseDown();
    void trackMouse(Point locationInWindow, bool dragging);
    void trackMouseExit();
    void syncFrameFromWidget();
    void didBecomeKey();
    void didResignKey();
    void didBecomeMain();
    void didResignMain();
    void didDeminiaturizeFromSystem();
    // The desktop's word on whether the window can be seen (a test may speak for it).
    void didChangeExposureFromSystem(bool exposed);

protected:
    void post(const QString& name);

private:
    void applyGeometry();
    void updateBackdrop();
    // The screen and the program's other shown windows within the frame, as a Qt image.
    QImage imageBeneath() const;
    void trackAreas(const std::vector<View*>& views, std::optional<Point> location, bool dragging);

    Rect frame_;
    unsigned styleMask_;
    bool opaque_ = true;
    Color backgroundColor_ = Color::colorWithRed(0.93, 0.93, 0.93, 1);
    bool movableByBackground_ = false;
    bool excludedFromWindowsMenu_ = false;
    bool miniaturized_ = false;
    bool closing_ = false;
    int backgroundBlurRadius_ = 0;
    QString title_;
    int windowNumber_;
    WindowDelegate* delegate_ = nullptr;
    WeakRef<Responder> firstResponder_;
    WeakRef<Window> parent_;
    std::vector<WeakRef<Window>> children_;
    std::optional<Point> dragStart_;   // pointer on screen at the mouse-down of a background drag
    std::optional<Rect> unzoomedFrame_; // the frame to go back to while zoomed
    Point dragOrigin_;
    std::unique_ptr<WindowWidget> widget_;
    std::unique_ptr<View> contentView_;
};

} // namespace platform::ui
