#pragma once

#include "Image.h"

#include <QColor>

namespace platform::ui {

// A colour value: red, green, blue and alpha in 0–1, or a pattern that
// tiles an image. It needs no window.
class Color {
public:
    Color() = default;

    // The platform's default constructor (calibrated RGB).
    static Color colorWithRed(double red, double green, double blue, double alpha);
    static Color colorWithDeviceRed(double red, double green, double blue, double alpha);
    static Color blackColor() { return colorWithRed(0, 0, 0, 1); }
    static Color whiteColor() { return colorWithRed(1, 1, 1, 1); }
    static Color clearColor() { return colorWithRed(0, 0, 0, 0); }
    static Color grayColor() { return colorWithRed(0.5, 0.5, 0.5, 1); }
    // The system's named colours, in their light appearance.
    static Color textColor() { return blackColor(); }
    static Color controlColor() { return colorWithRed(0.93, 0.93, 0.93, 1); }
    static Color controlBackgroundColor() { return whiteColor(); }
    static Color alternateSelectedControlColor() { return colorWithRed(0.02, 0.39, 0.86, 1); }
    static Color alternateSelectedControlTextColor() { return whiteColor(); }
    static Color disabledControlTextColor() { return colorWithRed(0, 0, 0, 0.25); }
    // Tiles the image; no image gives the clear colour.
    static Color colorWithPatternImage(const Image& image);

    double redComponent() const { return red_; }
    double greenComponent() const { return green_; }
    double blueComponent() const { return blue_; }
    double alphaComponent() const { return alpha_; }
    // The tiled image of a pattern colour; no image for the others.
    const Image& patternImage() const { return pattern_; }

    Color colorWithAlphaComponent(double alpha) const;
    QColor toQColor() const;

    // Makes this the fill and stroke colour (or only one of them) of the current drawing context.
    void set() const;
    void setFill() const;
    void setStroke() const;

    bool operator==(const Color& other) const = default;

private:
    Color(double red, double green, double blue, double alpha);

    double red_ = 0;
    double green_ = 0;
    double blue_ = 0;
    double alpha_ = 0;
    Image pattern_;
};

} // namespace platform::ui
