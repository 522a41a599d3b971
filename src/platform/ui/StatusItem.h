#pragma once

#include "Image.h"
#include "platform/notifications/NotificationCenter.h"
#include "WeakRef.h"

#include <QColor>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QObject;
class QSystemTrayIcon;

namespace platform::ui {

class Menu;

// The lengths a status item may ask for.
constexpr double NSVariableStatusItemLength = -1;
constexpr double NSSquareStatusItemLength = -2;

// Appearance names.
inline const QString NSAppearanceNameAqua = QStringLiteral("NSAppearanceNameAqua");
inline const QString NSAppearanceNameDarkAqua = QStringLiteral("NSAppearanceNameDarkAqua");

// Key-value observing options, with the Mac's numbers.
enum KeyValueObservingOptions : unsigned {
    KeyValueObservingOptionNew = 0x01,
    KeyValueObservingOptionOld = 0x02,
    KeyValueObservingOptionInitial = 0x04,
};

// An item of the status bar, shown as an icon in the desktop's tray. A click runs its action;
// a secondary click offers its menu. Its appearance follows the tray (see lookForTray), and can
// be observed under the key path "button.effectiveAppearance". Without a tray on the desktop the item still keeps its image,
// tool tip and action, and is simply not shown.
class StatusItem : public Referable {
public:
    using Action = std::function<void()>;
    using KeyValueCallback = std::function<void(const QString& keyPath, void* object)>;

    ~StatusItem() override;

    double length() const { return length_; }
    const Image& image() const { return image_; }
    void setImage(const Image& image);
    const QString& toolTip() const { return toolTip_; }
    void setToolTip(const QString& toolTip);
    const Action& action() const { return action_; }
    void setAction(Action action) { action_ = std::move(action); }
    // Not owned; offered on a secondary click.
    Menu* menu() const { return menu_.get(); }
    void setMenu(Menu* menu);

    // The appearance the item is shown in: NSAppearanceNameAqua or NSAppearanceNameDarkAqua.
    const QString& effectiveAppearanceName() const { return look_.appearance; }
    // Calls back on the main thread whenever the value at the key path changes, and at once
    // with the initial option. Only "button.effectiveAppearance" is observable.
    [[nodiscard]] Observation addObserverForKeyPath(const void* observer, const QString& keyPath, unsigned options,
                                                    KeyValueCallback callback);

    // A click made by code: the action runs.
    void performClick();

    // How the item shows on a tray: its appearance, and whether its icon is ringed in white.
    struct Look {
        QString appearance;
        bool outlined = false;
        bool operator==(const Look& other) const = default;
    };
    // From the colour the tray draws its icons in, where it says (_NET_SYSTEM_TRAY_COLORS);
    // else from the desktop's colours: a dark palette, or a light one that a declared desktop
    // gave; else a ringed icon that reads on any tray (a bare X server's default palette says
    // nothing of the panel). Lightness from 0 to 255.
    static Look lookForTray(std::optional<QColor> trayForeground, int windowLightness, bool desktopDeclared);

private:
    friend class StatusBar;
    explicit StatusItem(double length);
    void updateAppearance();
    void fillTrayMenu();

    double length_;
    Image image_;
    QString toolTip_;
    Action action_;
    WeakRef<Menu> menu_;
    Look look_;
    NotificationCenter observers_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> trayMenu_;
    std::unique_ptr<QObject> paletteWatch_;
};

// The system status bar: the desktop's tray.
class StatusBar {
public:
    static StatusBar& systemStatusBar();
    // The caller keeps the item; it leaves the tray when destroyed.
    std::unique_ptr<StatusItem> statusItemWithLength(double length);
    // Whether the desktop has a tray to show items in.
    static bool isAvailable();
};

} // namespace platform::ui
