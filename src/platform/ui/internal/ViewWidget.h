#pragma once

#include <QWidget>

namespace platform::ui {

class View;

// The Qt widget behind a View: draws it through drawRect and hands mouse events to it and to
// its window. Internal to the UI layer.
class ViewWidget : public QWidget {
public:
    explicit ViewWidget(View& view);

    View& view() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    View& view_;
    int pressClickCount_ = 1; // the release of a double click counts 2, as its press did
};

} // namespace platform::ui
