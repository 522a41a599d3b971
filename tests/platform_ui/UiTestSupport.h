#pragma once

#include "platform/ui/View.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>
#include <ostream>

// Readable texts in the test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace uitest {

// A view that draws what the test says, flipped or not.
class DrawingView : public platform::ui::View {
public:
    DrawingView(const platform::ui::Rect& frame, bool flipped, std::function<void()> draw = {})
        : View(frame), flipped_(flipped), draw_(std::move(draw))
    {
    }
    bool isFlipped() const override { return flipped_; }
    void drawRect(const platform::ui::Rect&) override
    {
        if (draw_)
            draw_();
    }

private:
    bool flipped_;
    std::function<void()> draw_;
};

inline QColor pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Whether a pixel is close to a colour (8-bit channels, alpha included).
inline bool near(const QColor& actual, const QColor& expected, int tolerance = 3)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance
        && std::abs(actual.alpha() - expected.alpha()) <= tolerance;
}

} // namespace uitest
