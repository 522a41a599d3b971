#pragma once

#include "Geometry.h"
#include "Responder.h"
#include "TrackingArea.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace platform::ui {

class ViewWidget;
class Window;

// Autoresizing masks, with the Mac's numbers.
enum AutoresizingMask : unsigned {
    ViewNotSizable = 0,
    ViewMinXMargin = 1,
    ViewWidthSizable = 2,
    ViewMaxXMargin = 4,
    ViewMinYMargin = 8,
    ViewHeightSizable = 16,
    ViewMaxYMargin = 32,
};

// A rectangle of a window that draws itself and receives mouse events. Its frame is in its
// superview's coordinates: origin at the bottom left and y up unless the superview is
// flipped. A view owns the subviews handed to it as unique_ptr; a view added by reference
// (a view controller's view) stays its owner's, and leaves its superview when destroyed.
class View : public Responder {
public:
    explicit View(const Rect& frame = {});
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Geometry.
    const Rect& frame() const { return frame_; }
    void setFrame(const Rect& frame);
    void setFrameOrigin(Point origin);
    void setFrameSize(Size size);
    Rect bounds() const { return Rect({0, 0}, frame_.size); }
    virtual bool isFlipped() const { return false; }
    virtual bool isOpaque() const { return false; }
    // Whether a click here may drag a window that is movable by its background.
    virtual bool mouseDownCanMoveWindow() const { return !isOpaque(); }

    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
    virtual void resizeSubviewsWithOldSize(Size oldSize);
    virtual void resizeWithOldSuperviewSize(Size oldSize);

    // Hierarchy.
    View* superview() const { return superview_; }
    Window* window() const;
    const std::vector<View*>& subviews() const { return subviews_; }
    template <class T>
    T* addSubview(std::unique_ptr<T> view)
    {
        T* raw = view.get();
        adopt(view.release(), true);
        return raw;
    }
    void addSubview(View& view) { adopt(&view, false); }
    // Leaves the superview. Gives back the view when the superview owned it.
    [[nodiscard]] std::unique_ptr<View> removeFromSuperview();
    bool isDescendantOf(const View* view) const;

    // Conversion to and from another view of the same window; null means the window's base
    // coordinates.
    Point convertPointFromView(Point point, const View* view) const;
    Point convertPointToView(Point point, const View* view) const;
    Rect convertRectToView(const Rect& rect, const View* view) const;

    // Display.
    void setHidden(bool hidden);
    bool isHiddenOrHasHiddenAncestor() const;
    void setNeedsDisplay(bool needsDisplay = true);
    void setNeedsDisplayInRect(const Rect& rect);
    void display();
    // Draws the view's own content into the current context, in its own coordinates.
    virtual void drawRect(const Rect& dirtyRect);

    QString toolTip() const { return toolTip_; }
    void setToolTip(const QString& toolTip);

    // The interface identifier a view carries (a tool button's tab, an option row's number).
    const QString& identifier() const { return identifier_; }
    void setIdentifier(const QString& identifier) { identifier_ = identifier; }

    // Tracking areas. The view keeps those added; the layer calls updateTrackingAreas when
    // the view's size changes or it moves to a window.
    void addTrackingArea(std::shared_ptr<TrackingArea> area);
    void removeTrackingArea(const TrackingArea* area);
    const std::vector<std::shared_ptr<TrackingArea>>& trackingAreas() const { return trackingAreas_; }
    virtual void updateTrackingAreas() {}

    virtual void viewDidMoveToWindow() {}

    // A live resize of the window begins or ends; each is passed on to the subviews.
    virtual void viewWillStartLiveResize();
    virtual void viewDidEndLiveResize();

    // The opacity of the view's own drawing, 0–1.
    double alphaValue() const { return alphaValue_; }
    void setAlphaValue(double alpha);

    // Reorders the subviews (a stable sort: the comparator answers −1, 0 or 1); later ones
    // are drawn on top.
    using SubviewComparator = int (*)(View* first, View* second, void* context);
    void sortSubviewsUsingFunction(SubviewComparator compare, void* context);

    Responder* nextResponder() const override;

    // The view and its visible subviews drawn into a transparent image of its size.
    QImage renderToImage() const;
    // The widget that shows the view, for the platform layer.
    QWidget* widget() const;

private:
    friend class Window;

    void adopt(View* view, bool owned);
    void detachFromSuperview();
    void applyGeometry();
    void setContentWindow(Window* window);
    void windowChanged();
    Point pointFromBase(Point point) const;
    Point pointToBase(Point point) const;

    Rect frame_;
    unsigned autoresizingMask_ = ViewNotSizable;
    bool hidden_ = false;
    double alphaValue_ = 1;
    QString toolTip_;
    QString identifier_;
    View* superview_ = nullptr;
    bool ownedBySuperview_ = false;
    Window* contentWindow_ = nullptr; // set on a window's content view
    std::vector<View*> subviews_;
    std::vector<std::shared_ptr<TrackingArea>> trackingAreas_;
    ViewWidget* widget_;
};

} // namespace platform::ui
