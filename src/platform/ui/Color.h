#pragma once

#include <QColor>

namespace platform::ui {

// A colour value: red, green, blue and alpha in 0–1 in a named colour space. It needs no window.
class Color {
public:
    enum class Space { Calibrated, Device };

    Color() = default;

    // The platform's default constructor (calibrated RGB).
    static Color colorWithRed(double red, double green, double blue, double alpha);
    static Color colorWithDeviceRed(double red, double green, double blue, double alpha);
    static Color blackColor() { return colorWithRed(0, 0, 0, 1); }
    static Color whiteColor() { return colorWithRed(1, 1, 1, 1); }
    static Color clearColor() { return colorWithRed(0, 0, 0, 0); }

    double redComponent() const { return red_; }
    double greenComponent() const { return green_; }
    double blueComponent() const { return blue_; }
    double alphaComponent() const { return alpha_; }
    Space colorSpace() const { return space_; }

    Color colorWithAlphaComponent(double alpha) const;
    QColor toQColor() const;

    bool operator==(const Color& other) const = default;

private:
    Color(Space space, double red, double green, double blue, double alpha);

    Space space_ = Space::Calibrated;
    double red_ = 0;
    double green_ = 0;
    double blue_ = 0;
    double alpha_ = 0;
};

} // namespace platform::ui
