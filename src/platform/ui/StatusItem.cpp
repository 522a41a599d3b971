#include "StatusItem.h"

#include "ImageIcon.h"
#include "Menu.h"
#include "internal/X11Desktop.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QSystemTrayIcon>

namespace platform::ui {

namespace {

const QString kAppearanceKeyPath = QStringLiteral("button.effectiveAppearance");

// Tells the item when the application's palette (the desktop's colours) changes.
class PaletteWatch : public QObject {
public:
    explicit PaletteWatch(std::function<void()> changed) : changed_(std::move(changed)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ApplicationPaletteChange && watched == QCoreApplication::instance())
            changed_();
        return false;
    }

private:
    std::function<void()> changed_;
};

StatusItem::Look currentLook()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {NSAppearanceNameAqua, false};
    const std::optional<X11Desktop> x11 = X11Desktop::current();
    return StatusItem::lookForTray(x11 ? x11->trayForeground() : std::nullopt,
                                   QGuiApplication::palette().color(QPalette::Window).lightness(),
                                   !qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP"));
}

} // namespace

StatusItem::StatusItem(double length)
    : length_(length)
    , look_(currentLook())
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        paletteWatch_ = std::make_unique<PaletteWatch>([this] { updateAppearance(); });
        application->installEventFilter(paletteWatch_.get());
    }
    if (StatusBar::isAvailable()) {
        tray_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::MiddleClick)
                                 performClick();
                         });
    }
}

StatusItem::~StatusItem()
{
    if (tray_)
        tray_->hide();
    tray_.reset();
    trayMenu_.reset();
}

StatusItem::Look StatusItem::lookForTray(std::optional<QColor> trayForeground, int windowLightness, bool desktopDeclared)
{
    if (trayForeground) // light icons on the tray: a dark tray
        return {trayForeground->lightness() >= 128 ? NSAppearanceNameDarkAqua : NSAppearanceNameAqua, false};
    if (windowLightness < 128)
        return {NSAppearanceNameDarkAqua, false};
    return {NSAppearanceNameAqua, !desktopDeclared};
}

void StatusItem::setImage(const Image& image)
{
    image_ = image;
    if (!tray_)
        return;
    tray_->setIcon(iconFromImage(image, look_.outlined));
    if (!image.isNull())
        tray_->show();
}

void StatusItem::setToolTip(const QString& toolTip)
{
    toolTip_ = toolTip;
    if (tray_)
        tray_->setToolTip(toolTip);
}

void StatusItem::setMenu(Menu* menu)
{
    menu_ = menu;
    if (!tray_)
        return;
    if (!menu) {
        tray_->setContextMenu(nullptr);
        trayMenu_.reset();
        return;
    }
    if (!trayMenu_) {
        trayMenu_ = std::make_unique<QMenu>();
        // Filled afresh each time it opens, so it shows the menu's items as they are then.
        QObject::connect(trayMenu_.get(), &QMenu::aboutToShow, trayMenu_.get(), [this] { fillTrayMenu(); });
    }
    fillTrayMenu();
    tray_->setContextMenu(trayMenu_.get());
}

void StatusItem::fillTrayMenu()
{
    trayMenu_->clear();
    Menu* menu = menu_.get();
    if (!menu)
        return;
    for (int i = 0; i < menu->numberOfItems(); ++i) {
        const MenuItem& item = *menu->itemAtIndex(i);
        if (item.isSeparatorItem()) {
            trayMenu_->addSeparator();
            continue;
        }
        QAction* action = trayMenu_->addAction(iconFromImage(item.image()), item.title());
        action->setEnabled(menu->isItemShownEnabled(item));
        // Queued: the tray's menu has closed by the time the item acts.
        QObject::connect(action, &QAction::triggered, trayMenu_.get(), [weak = WeakRef<Menu>(menu), i] {
            if (Menu* m = weak.get())
                m->performActionForItemAtIndex(i);
        }, Qt::QueuedConnection);
    }
}

Observation StatusItem::addObserverForKeyPath(const void* observer, const QString& keyPath, unsigned options,
                                              KeyValueCallback callback)
{
    if (keyPath != kAppearanceKeyPath || !callback)
        return {};
    if (options & KeyValueObservingOptionInitial)
        callback(keyPath, this);
    return observers_.addObserver(observer, keyPath, this, [callback](const Notification& notification) {
        callback(notification.name, notification.object);
    });
}

void StatusItem::updateAppearance()
{
    const Look look = currentLook();
    if (look == look_)
        return;
    const bool appearanceChanged = look.appearance != look_.appearance;
    look_ = look;
    if (appearanceChanged)
        observers_.postNotificationName(kAppearanceKeyPath, this);
    else
        setImage(image_);
}

void StatusItem::performClick()
{
    if (action_) {
        const Action action = action_; // the action may replace itself
        action();
    }
}

StatusBar& StatusBar::systemStatusBar()
{
    static StatusBar bar;
    return bar;
}

std::unique_ptr<StatusItem> StatusBar::statusItemWithLength(double length)
{
    return std::unique_ptr<StatusItem>(new StatusItem(length));
}

bool StatusBar::isAvailable()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace platform::ui
