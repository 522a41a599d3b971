#pragma once

#include "AttachedWindowGeometry.h"
#include "AttachedWindowOutline.h"
#include "AttachedWindowStyle.h"
#include "PopBaseWindow.h"
#include "StatusAttachedWindowDelegate.h"

#include "platform/ui/Image.h"
#include "platform/ui/View.h"
#include "platform/ui/WeakRef.h"

#include <atomic>
#include <vector>

// What the dark and the light attached windows share: a borderless, rounded, translucent
// window that holds one view and places itself next to an anchor point. It renders its
// outline into an image once per change and shows that image as its background pattern.
// The view stays its owner's; the window only shows it.
class AttachedWindow : public PopBaseWindow {
public:
    ~AttachedWindow() override;

    // Moves the window to a new anchor and side (12 is not resolved here).
    void setPoint(platform::ui::Point point, int side); // kept: named by the design, no caller yet

    const platform::ui::Color& windowBackgroundColor() const { return fillColor_; } // kept: named by the design, no caller yet
    // The fill colour; the window's own background becomes the re-rendered outline.
    void setBackgroundColor(const platform::ui::Color& color) override;
    const platform::ui::Color& borderColor() const { return borderColor_; }
    void setBorderColor(const platform::ui::Color& color); // kept: named by the design, no caller yet
    double borderWidth() const { return metrics_.borderWidth; }
    void setBorderWidth(double width);
    double viewMargin() const { return metrics_.viewMargin; }
    void setViewMargin(double margin); // kept: named by the design, no caller yet
    double arrowBaseWidth() const { return metrics_.arrowBaseWidth; }
    void setArrowBaseWidth(double width);
    double arrowHeight() const { return metrics_.arrowHeight; }
    void setArrowHeight(double height); // kept: named by the design, no caller yet
    bool hasArrow() const { return metrics_.hasArrow; }
    void setHasArrow(bool hasArrow); // kept: named by the design, no caller yet
    double cornerRadius() const { return metrics_.cornerRadius; }
    void setCornerRadius(double radius);
    bool drawsRoundCornerBesideArrow() const { return metrics_.drawsRoundCornerBesideArrow; }
    void setDrawsRoundCornerBesideArrow(bool draws); // kept: named by the design, no caller yet
    StatusAttachedWindowDelegate* mattachedWDelegate() const { return delegate_.load(); }
    void setMattachedWDelegate(StatusAttachedWindowDelegate* delegate) { delegate_.store(delegate); }

    // Fills the outline with the image as a pattern; no image changes nothing.
    void setBackgroundImage(const platform::ui::Image& image); // kept: named by the design, no caller yet
    void setWindowBackgroundBlurRadius(int radius);

    bool canBecomeKeyWindow() const override { return true; }
    bool canBecomeMainWindow() const override { return false; }
    bool isExcludedFromWindowsMenu() const override { return true; }
    // Goes to the anchor window when there is one.
    void performClose() override;
    // Ends this window's modal run, then closes.
    void close() override;
    void windowWillClose(const platform::Notification& notification) override;
    void windowDidResize(const platform::Notification& notification) override;
    void mouseEntered(const platform::ui::Event& event) override;
    void mouseExited(const platform::ui::Event& event) override;

    // One tracking area over the content view, owned by the window.
    void updateTrackingAreas();
    void closeMattachedWindow();

    // What the window worked out, for tests.
    int side() const { return side_; }
    const platform::ui::Rect& viewFrame() const { return viewFrame_; }
    std::vector<OutlineOperation> backgroundPath() const;
    platform::ui::Image backgroundColorPatternImage() const;

protected:
    using Variant = AttachedWindowStyle::Variant;
    AttachedWindow(platform::ui::View& view, platform::ui::Point point, platform::ui::Window* window, int side,
                   float distance, Variant variant);

private:
    double scale() const;
    platform::ui::Point anchorOnScreen() const;
    void updateGeometry();
    void updateBackground();
    void redisplay();

    platform::ui::Color borderColor_;
    platform::ui::Color fillColor_;
    AttachedWindowMetrics metrics_;
    platform::ui::WeakRef<platform::ui::View> view_;
    platform::ui::WeakRef<platform::ui::Window> window_;
    platform::ui::Point point_;
    int side_;
    float distance_;
    platform::ui::Rect viewFrame_;
    bool resizing_ = false;
    std::atomic<StatusAttachedWindowDelegate*> delegate_{nullptr};
    platform::Observation resizeObservation_;
    platform::Observation hideObservation_;
};
