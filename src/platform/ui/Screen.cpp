#include "Screen.h"

#include "Application.h"
#include "QtCoordinates.h"
#include "Window.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace platform::ui {

namespace {

QRect primaryGeometry()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry() : QRect();
}

double overlap(const Rect& a, const Rect& b)
{
    const double w = std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX());
    const double h = std::min(a.maxY(), b.maxY()) - std::max(a.minY(), b.minY());
    return w > 0 && h > 0 ? w * h : 0;
}

} // namespace

Screen Screen::fromQScreen(const QScreen& screen)
{
    Screen s;
    s.frame_ = QtCoordinates::screenFrameFromQt(screen.geometry(), primaryGeometry());
    s.visibleFrame_ = QtCoordinates::screenFrameFromQt(screen.availableGeometry(), primaryGeometry());
    return s;
}

std::vector<Screen> Screen::screens()
{
    std::vector<Screen> result;
    for (const QScreen* screen : QGuiApplication::screens())
        result.push_back(fromQScreen(*screen));
    return result;
}

std::optional<Screen> Screen::mainScreen()
{
    if (Window* key = NSApp().keyWindow())
        if (auto screen = key->screen())
            return screen;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return std::nullopt;
    return fromQScreen(*primary);
}

std::optional<Screen> Screen::screenForRect(const Rect& rect)
{
    std::optional<Screen> best;
    double bestArea = 0;
    for (const Screen& screen : screens()) {
        const double area = overlap(rect, screen.frame());
        if (area > bestArea) {
            bestArea = area;
            best = screen;
        }
    }
    if (!best) // an empty rectangle belongs to the screen under its origin
        for (const Screen& screen : screens())
            if (screen.frame().containsPoint(rect.origin))
                return screen;
    return best;
}

} // namespace platform::ui
