#pragma once

#include "Geometry.h"

#include <QString>

namespace platform::ui {

class TrackingArea;
class View;
class Window;

// The Mac's event types and modifier flags, with their numbers.
enum class EventType {
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    LeftMouseDragged = 6,
    RightMouseDragged = 7,
    MouseEntered = 8,
    MouseExited = 9,
    KeyDown = 10,
    KeyUp = 11,
    ScrollWheel = 22,
};

enum EventModifierFlags : unsigned {
    EventModifierFlagCapsLock = 1u << 16,
    EventModifierFlagShift = 1u << 17,
    EventModifierFlagControl = 1u << 18,
    EventModifierFlagOption = 1u << 19,
    EventModifierFlagCommand = 1u << 20,
    EventModifierFlagDeviceIndependentFlagsMask = 0xffff0000u,
};

// The characters of keys that type none, as the Mac gives them.
inline constexpr char16_t NSBackspaceCharacter = 0x08;
inline constexpr char16_t NSTabCharacter = 0x09;
inline constexpr char16_t NSCarriageReturnCharacter = 0x0d;
inline constexpr char16_t NSEscapeCharacter = 0x1b;
inline constexpr char16_t NSDeleteCharacter = 0x7f; // the key left of the Return key
inline constexpr char16_t NSUpArrowFunctionKey = 0xF700;
inline constexpr char16_t NSDownArrowFunctionKey = 0xF701;
inline constexpr char16_t NSLeftArrowFunctionKey = 0xF702;
inline constexpr char16_t NSRightArrowFunctionKey = 0xF703;
inline constexpr char16_t NSDeleteFunctionKey = 0xF728; // forward delete
inline constexpr char16_t NSHomeFunctionKey = 0xF729;
inline constexpr char16_t NSEndFunctionKey = 0xF72B;

// A mouse or key event as the responders receive it.
class Event {
public:
    struct Fields {
        EventType type = EventType::MouseMoved;
        Point locationInWindow;  // in the window's base coordinates
        Point locationOnScreen;
        Window* window = nullptr;
        View* view = nullptr;    // the view under the pointer when the event began
        unsigned modifierFlags = 0;
        int clickCount = 0;
        TrackingArea* trackingArea = nullptr; // entered/exited/moved from a tracking area
        double scrollingDeltaX = 0; // a wheel turn in points; positive y scrolls toward the top
        double scrollingDeltaY = 0;
        QString characters;                  // what a key typed, with its modifiers
        QString charactersIgnoringModifiers; // the same key with no modifier but Shift
    };

    Event() = default;
    explicit Event(const Fields& fields) : f_(fields) {}
    const Fields& fields() const { return f_; }

    EventType type() const { return f_.type; }
    Point locationInWindow() const { return f_.locationInWindow; }
    Window* window() const { return f_.window; }
    unsigned modifierFlags() const { return f_.modifierFlags; }
    int clickCount() const { return f_.clickCount; }
    TrackingArea* trackingArea() const { return f_.trackingArea; }
    // The view that the event was aimed at (the hit view of a click).
    View* view() const { return f_.view; }
    Point locationOnScreen() const { return f_.locationOnScreen; }
    double scrollingDeltaX() const { return f_.scrollingDeltaX; }
    double scrollingDeltaY() const { return f_.scrollingDeltaY; }
    const QString& characters() const { return f_.characters; }
    const QString& charactersIgnoringModifiers() const { return f_.charactersIgnoringModifiers; }

    // A key-down or key-up event aimed at the window.
    static Event keyEventWithType(EventType type, unsigned modifierFlags, Window* window, const QString& characters,
                                  const QString& charactersIgnoringModifiers);

    // The pointer's last known position in screen coordinates.
    static Point mouseLocation();
    static void setMouseLocation(Point location);

private:
    Fields f_;
};

} // namespace platform::ui
