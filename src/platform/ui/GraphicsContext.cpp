#include "GraphicsContext.h"

#include "QtCoordinates.h"

#include <algorithm>

namespace platform::ui {

namespace {
thread_local std::vector<GraphicsContext*> contexts;
}

GraphicsContext::GraphicsContext(QPainter& painter, bool flipped)
    : painter_(painter), flipped_(flipped)
{
}

GraphicsContext* GraphicsContext::currentContext()
{
    return contexts.empty() ? nullptr : contexts.back();
}

void GraphicsContext::push(GraphicsContext* context)
{
    contexts.push_back(context);
}

void GraphicsContext::pop(GraphicsContext* context)
{
    auto it = std::find(contexts.rbegin(), contexts.rend(), context);
    if (it != contexts.rend())
        contexts.erase(std::next(it).base());
}

void GraphicsContext::saveGraphicsState()
{
    GraphicsContext* context = currentContext();
    if (!context)
        return;
    context->saved_.push_back(context->state_);
    context->painter_.save();
}

void GraphicsContext::restoreGraphicsState()
{
    GraphicsContext* context = currentContext();
    if (!context || context->saved_.empty())
        return;
    context->state_ = context->saved_.back();
    context->saved_.pop_back();
    context->painter_.restore();
}

void GraphicsContext::setImageInterpolation(ImageInterpolation interpolation)
{
    state_.interpolation = interpolation;
    const bool smooth = interpolation != ImageInterpolation::None && interpolation != ImageInterpolation::Low;
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

QBrush GraphicsContext::brushFor(const Color& color) const
{
    const Image pattern = color.patternImage();
    if (pattern.isNull())
        return QBrush(color.toQColor());
    QBrush brush(pattern.toQImage());
    // A pattern tiles upward from the context's origin, each tile upright.
    if (!flipped_)
        brush.setTransform(QTransform(1, 0, 0, -1, 0, pattern.size().height));
    return brush;
}

QPainter::CompositionMode GraphicsContext::qtCompositionMode(CompositingOperation operation)
{
    switch (operation) {
    case CompositingOperation::Clear: return QPainter::CompositionMode_Clear;
    case CompositingOperation::Copy: return QPainter::CompositionMode_Source;
    case CompositingOperation::SourceOver: return QPainter::CompositionMode_SourceOver;
    case CompositingOperation::SourceIn: return QPainter::CompositionMode_SourceIn;
    case CompositingOperation::SourceOut: return QPainter::CompositionMode_SourceOut;
    case CompositingOperation::SourceAtop: return QPainter::CompositionMode_SourceAtop;
    case CompositingOperation::DestinationOver: return QPainter::CompositionMode_DestinationOver;
    case CompositingOperation::DestinationIn: return QPainter::CompositionMode_DestinationIn;
    case CompositingOperation::DestinationOut: return QPainter::CompositionMode_DestinationOut;
    case CompositingOperation::DestinationAtop: return QPainter::CompositionMode_DestinationAtop;
    case CompositingOperation::XOR: return QPainter::CompositionMode_Xor;
    }
    return QPainter::CompositionMode_SourceOver;
}

void NSRectFill(const Rect& rect)
{
    NSRectFillUsingOperation(rect, CompositingOperation::Copy);
}

void NSRectFillUsingOperation(const Rect& rect, CompositingOperation operation)
{
    GraphicsContext* context = GraphicsContext::currentContext();
    if (!context)
        return;
    QPainter& painter = context->painter();
    painter.save();
    painter.setCompositionMode(GraphicsContext::qtCompositionMode(operation));
    painter.fillRect(QRectF(rect.minX(), rect.minY(), rect.width(), rect.height()),
                     context->brushFor(context->fillColor()));
    painter.restore();
}

} // namespace platform::ui
