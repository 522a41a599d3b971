#include "Color.h"

#include "GraphicsContext.h"

#include <algorithm>

namespace platform::ui {

Color::Color(double red, double green, double blue, double alpha)
    : red_(red), green_(green), blue_(blue), alpha_(alpha)
{
}

Color Color::colorWithRed(double red, double green, double blue, double alpha)
{
    return Color(red, green, blue, alpha);
}

Color Color::colorWithDeviceRed(double red, double green, double blue, double alpha)
{
    return colorWithRed(red, green, blue, alpha); // one colour space here
}

Color Color::colorWithPatternImage(const Image& image)
{
    if (image.isNull())
        return clearColor();
    Color color(0, 0, 0, 1);
    color.pattern_ = image;
    return color;
}

void Color::set() const
{
    setFill();
    setStroke();
}

void Color::setFill() const
{
    if (GraphicsContext* context = GraphicsContext::currentContext())
        context->setFillColor(*this);
}

void Color::setStroke() const
{
    if (GraphicsContext* context = GraphicsContext::currentContext())
        context->setStrokeColor(*this);
}

Color Color::colorWithAlphaComponent(double alpha) const
{
    Color copy = *this;
    copy.alpha_ = alpha;
    return copy;
}

QColor Color::toQColor() const
{
    auto unit = [](double v) { return std::clamp(v, 0.0, 1.0); };
    return QColor::fromRgbF(float(unit(red_)), float(unit(green_)), float(unit(blue_)), float(unit(alpha_)));
}

} // namespace platform::ui
