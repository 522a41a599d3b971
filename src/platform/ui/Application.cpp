#include "Application.h"

#include "ApplicationDelegate.h"
#include "Event.h"
#include "platform/notifications/NotificationCenter.h"
#include "Responder.h"
#include "Window.h"
#include "WindowNotifications.h"
#include "internal/WindowWidget.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>

#include <algorithm>

namespace platform::ui {

struct Application::ModalRun {
    WeakRef<Window> window;
    QEventLoop loop;
    bool stopped = false;
};

namespace {

// Holds back input aimed at windows that a modal run excludes.
class ModalInputFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Enter:
        case QEvent::Leave:
            break;
        default:
            return false;
        }
        if (!watched->isWidgetType())
            return false;
        const auto* widget = static_cast<QWidget*>(watched);
        const auto* top = dynamic_cast<const WindowWidget*>(widget->window());
        return top && NSApp().blocksInputTo(top->owner());
    }
};

// A request to quit (QCoreApplication::quit, as the termination signals make) ends the run at
// once: the windows refuse the desktop's close requests, which would otherwise cancel it.
class QuitFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Quit || watched != QCoreApplication::instance())
            return false;
        NSApp().terminate();
        return true;
    }
};

} // namespace

Application::Application() = default;
Application::~Application() = default;

Application& Application::sharedApplication()
{
    return installSharedApplication([]() -> Application* { return new Application; });
}

Application& Application::installSharedApplication(Application* (*make)())
{
    static Application* application = nullptr; // lives as long as the process
    if (!application)
        application = make();
    return *application;
}

Application& NSApp()
{
    return Application::sharedApplication();
}

void Application::finishLaunching()
{
    if (launched_)
        return;
    launched_ = true;
    const Notification notification{NSApplicationDidFinishLaunchingNotification, this, {}};
    if (delegate_)
        delegate_->applicationDidFinishLaunching(notification);
    NotificationCenter::defaultCenter().postNotification(notification);
}

void Application::run()
{
    if (!quitFilter_ && QCoreApplication::instance()) {
        quitFilter_ = std::make_unique<QuitFilter>();
        QCoreApplication::instance()->installEventFilter(quitFilter_.get());
    }
    finishLaunching();
    if (!terminating_)
        QCoreApplication::exec();
    // Work still queued for the main thread is dropped now, while everything it holds is alive
    // and Qt holds no lock: Qt would destroy it with its event lock held, and a task that owns
    // the last reference to a view would deadlock on that lock as the view goes.
    QCoreApplication::removePostedEvents(nullptr);
}

void Application::terminate()
{
    terminating_ = true;
    QCoreApplication::exit(0);
}

void Application::sendEvent(const Event& event)
{
    if (event.type() != EventType::KeyDown)
        return;
    Window* window = event.window() ? event.window() : keyWindow();
    if (window)
        window->firstResponder()->keyDown(event);
}

bool Application::sendAction(EditingAction action, Responder* target)
{
    if (target)
        return target->tryToPerform(action);
    Window* window = keyWindow();
    for (Responder* responder = window ? window->firstResponder() : nullptr; responder;
         responder = responder->nextResponder()) {
        if (responder->tryToPerform(action))
            return true;
    }
    return false;
}

void Application::reopen()
{
    if (!delegate_)
        return;
    const bool visible = std::any_of(windows_.begin(), windows_.end(), [](const Window* w) { return w->isVisible(); });
    delegate_->applicationShouldHandleReopen(visible);
}

void Application::installInputFilter()
{
    if (inputFilter_ || !QCoreApplication::instance())
        return;
    inputFilter_ = std::make_unique<ModalInputFilter>();
    QCoreApplication::instance()->installEventFilter(inputFilter_.get());
}

long Application::runModalForWindow(Window& window)
{
    installInputFilter();
    auto run = std::make_shared<ModalRun>();
    run->window = &window;
    runs_.push_back(run);
    window.makeKeyAndOrderFront();
    if (!run->stopped && run->window)
        run->loop.exec();
    runs_.erase(std::remove(runs_.begin(), runs_.end(), run), runs_.end());
    return NSModalResponseStop;
}

void Application::stopModal()
{
    if (runs_.empty() || runs_.back()->stopped)
        return;
    runs_.back()->stopped = true;
    runs_.back()->loop.exit();
}

void Application::stopModalForWindow(const Window& window)
{
    for (auto it = runs_.rbegin(); it != runs_.rend(); ++it) {
        ModalRun& run = **it;
        if (run.window.get() == &window && !run.stopped) {
            run.stopped = true;
            run.loop.exit();
            return;
        }
    }
}

Window* Application::modalWindow() const
{
    for (auto it = runs_.rbegin(); it != runs_.rend(); ++it)
        if (!(*it)->stopped)
            return (*it)->window.get();
    return nullptr;
}

bool Application::blocksInputTo(const Window& window) const
{
    const Window* modal = modalWindow();
    if (!modal)
        return false;
    // The modal window's own children (a chooser dropped from a dialog) share its input.
    for (const Window* w = &window; w; w = w->parentWindow())
        if (w == modal)
            return false;
    return true;
}

bool Application::claimFrameAutosaveName(Window& window, const QString& name)
{
    for (const AutosaveName& entry : autosaveNames_)
        if (entry.name == name && entry.window != &window)
            return false;
    releaseFrameAutosaveName(window);
    if (!name.isEmpty())
        autosaveNames_.push_back({name, &window});
    return true;
}

void Application::releaseFrameAutosaveName(const Window& window)
{
    autosaveNames_.erase(std::remove_if(autosaveNames_.begin(), autosaveNames_.end(),
                                        [&](const AutosaveName& entry) { return entry.window == &window; }),
                         autosaveNames_.end());
}

void Application::registerWindow(Window& window)
{
    windows_.push_back(&window);
}

namespace {

void remember(std::vector<WeakRef<Window>>& history, Window* window)
{
    history.erase(std::remove_if(history.begin(), history.end(),
                                 [&](const WeakRef<Window>& w) { return !w || w.get() == window; }),
                  history.end());
    if (window)
        history.push_back(window);
}

// The latest window of the history, other than `leaving`, that is shown and may take the status.
Window* successor(const std::vector<WeakRef<Window>>& history, const Window& leaving, bool main)
{
    for (auto it = history.rbegin(); it != history.rend(); ++it) {
        Window* w = it->get();
        if (w && w != &leaving && w->isVisible() && !w->isMiniaturized()
            && (main ? w->canBecomeMainWindow() : w->canBecomeKeyWindow()))
            return w;
    }
    return nullptr;
}

} // namespace

void Application::windowLeftScreen(const Window& window)
{
    if (keyWindow_.get() == &window)
        setKeyWindow(successor(keyHistory_, window, false));
    if (mainWindow_.get() == &window)
        setMainWindow(successor(mainHistory_, window, true));
}

void Application::unregisterWindow(Window& window)
{
    stopModalForWindow(window);
    // The window is going: it hears nothing more, and the one before it takes over.
    if (keyWindow_.get() == &window) {
        keyWindow_.reset();
        setKeyWindow(successor(keyHistory_, window, false));
    }
    if (mainWindow_.get() == &window) {
        mainWindow_.reset();
        setMainWindow(successor(mainHistory_, window, true));
    }
    releaseFrameAutosaveName(window);
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void Application::setKeyWindow(Window* window)
{
    Window* old = keyWindow_.get();
    if (old == window)
        return;
    keyWindow_ = window;
    remember(keyHistory_, window);
    if (old)
        old->didResignKey();
    if (window && keyWindow_.get() == window)
        window->didBecomeKey();
    if (!old != !keyWindow_.get())
        NotificationCenter::defaultCenter().postNotificationName(
            keyWindow_.get() ? NSApplicationDidBecomeActiveNotification : NSApplicationDidResignActiveNotification, this);
}

void Application::setMainWindow(Window* window)
{
    Window* old = mainWindow_.get();
    if (old == window)
        return;
    mainWindow_ = window;
    remember(mainHistory_, window);
    if (old)
        old->didResignMain();
    if (window && mainWindow_.get() == window)
        window->didBecomeMain();
}

} // namespace platform::ui
