#pragma once

#include "platform/ui/WindowBackdrop.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace platform::ui {

class Window;

// The Qt top-level widget behind a Window: paints the window's background, reports what the
// desktop does to it (moves, resizes, restores, the pointer leaving) and hands key presses to
// the application's sendEvent. Internal to the UI layer.
class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& owner);

    Window& owner() const { return owner_; }
    // Whether the desktop has said that the shown window is covered: it was exposed once
    // since it was shown, and is not now. Unknown counts as not covered.
    bool isKnownCovered() const;
    void noteExposure(bool exposed);
    // What the window shows behind its background: nothing of its own (none given), or as the
    // desktop needs; `beneath` is the blurred copy for a desktop that blurs nothing.
    void setBackdrop(std::optional<WindowBackdrop::Desktop> desktop, QImage beneath);
    void backgroundChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintBackground(QPainter& painter) const;
    // Works out the background over the backdrop and gives the desktop its shape.
    void composeBackground();

    Window& owner_;
    std::optional<WindowBackdrop::Desktop> desktop_;
    QImage beneath_;
    QImage composed_; // the background as painted, while a backdrop applies
    bool watchingExposure_ = false;
    bool exposedSinceShown_ = false;
    bool exposedNow_ = false;
};

} // namespace platform::ui
