#pragma once

#include "Color.h"
#include "Geometry.h"
#include "Image.h"

#include <QBrush>
#include <QPainter>

#include <vector>

namespace platform::ui {

enum class ImageInterpolation { Default = 0, None = 1, Low = 2, High = 3, Medium = 4 };

// The current drawing destination: a view being drawn or an image under lockFocus. Its
// coordinates are the view's (or image's) own, origin bottom left unless flipped. Contexts
// nest; drawing values (paths, images, texts, colours) draw into the innermost one.
class GraphicsContext {
public:
    // `painter` already maps the owner's coordinates (see QtCoordinates::drawingTransform).
    GraphicsContext(QPainter& painter, bool flipped);
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // Null when nothing is being drawn.
    static GraphicsContext* currentContext();
    // Saves or restores the current context's state (clip, colours, transform, settings); an
    // unmatched restore is ignored.
    static void saveGraphicsState();
    static void restoreGraphicsState();

    bool isFlipped() const { return flipped_; }
    ImageInterpolation imageInterpolation() const { return state_.interpolation; }
    void setImageInterpolation(ImageInterpolation interpolation);

    const Color& fillColor() const { return state_.fill; }
    const Color& strokeColor() const { return state_.stroke; }
    void setFillColor(const Color& color) { state_.fill = color; }
    void setStrokeColor(const Color& color) { state_.stroke = color; }

    // For the drawing values of the layer.
    QPainter& painter() { return painter_; }
    QBrush brushFor(const Color& color) const;
    static QPainter::CompositionMode qtCompositionMode(CompositingOperation operation);

    // Makes a context current until the matching pop (views do this around drawRect).
    static void push(GraphicsContext* context);
    static void pop(GraphicsContext* context);

private:
    struct State {
        Color fill = Color::blackColor();
        Color stroke = Color::blackColor();
        ImageInterpolation interpolation = ImageInterpolation::Default;
    };

    QPainter& painter_;
    bool flipped_;
    State state_;
    std::vector<State> saved_;
};

// Makes `context` current for a scope.
class CurrentContextScope {
public:
    explicit CurrentContextScope(GraphicsContext& context) : context_(context) { GraphicsContext::push(&context_); }
    ~CurrentContextScope() { GraphicsContext::pop(&context_); }
    CurrentContextScope(const CurrentContextScope&) = delete;
    CurrentContextScope& operator=(const CurrentContextScope&) = delete;

private:
    GraphicsContext& context_;
};

// Fills a rectangle with the current fill colour, replacing what was there.
void NSRectFill(const Rect& rect);
void NSRectFillUsingOperation(const Rect& rect, CompositingOperation operation);

} // namespace platform::ui
