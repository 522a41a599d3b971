#pragma once

#include <QWidget>

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
    Window& owner_;
    bool watchingExposure_ = false;
    bool exposedSinceShown_ = false;
    bool exposedNow_ = false;
};

} // namespace platform::ui
