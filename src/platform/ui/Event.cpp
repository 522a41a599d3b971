#include "Event.h"

#include "QtCoordinates.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <optional>

namespace platform::ui {

namespace {
std::optional<Point> lastMouseLocation;
}

Point Event::mouseLocation()
{
    if (lastMouseLocation)
        return *lastMouseLocation;
    const QScreen* primary = QGuiApplication::primaryScreen();
    return QtCoordinates::screenPointFromQt(QCursor::pos(), primary ? primary->geometry() : QRect());
}

Event Event::keyEventWithType(EventType type, unsigned modifierFlags, Window* window, const QString& characters,
                              const QString& charactersIgnoringModifiers)
{
    Fields f;
    f.type = type;
    f.window = window;
    f.modifierFlags = modifierFlags;
    f.characters = characters;
    f.charactersIgnoringModifiers = charactersIgnoringModifiers;
    return Event(f);
}

void Event::setMouseLocation(Point location)
{
    lastMouseLocation = location;
}

} // namespace platform::ui
