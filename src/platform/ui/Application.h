#pragma once

#include "WeakRef.h"

#include <QString>

#include <memory>
#include <vector>

class QEventLoop;
class QObject;

namespace platform::ui {

class ApplicationDelegate;
class Event;
class Responder;
class Window;
enum class EditingAction;

// What runModalForWindow gives back.
enum : long {
    NSModalResponseStop = -1000,
};

// The application object: its windows, the key and main window, the event loop and the
// modal runs. A modal run is a nested event loop during which only the modal window receives
// input. There is one, made on first use; a program whose
// application object is of a class of its own makes it first (see installSharedApplication).
class Application {
public:
    static Application& sharedApplication();

    ApplicationDelegate* delegate() const { return delegate_; }
    void setDelegate(ApplicationDelegate* delegate) { delegate_ = delegate; }

    // Posts the did-finish-launching notification (once) and runs the event loop until
    // terminate (or a request to quit, which ends it the same way). A terminate while
    // launching ends the run before the loop starts.
    void run();
    void finishLaunching();
    void terminate();

    // Every key event passes here on its way to the key window's first responder (mouse events
    // go straight to the views under the pointer).
    virtual void sendEvent(const Event& event);
    // Offers the action to the target, or without one to the key window's first responder and
    // each responder after it, until one performs it; whether one did.
    bool sendAction(EditingAction action, Responder* target = nullptr);
    // The running program was opened again (another copy of it asked it to come to the front).
    void reopen();

    Window* keyWindow() const { return keyWindow_.get(); }
    // The application is active while one of its windows has the keyboard.
    bool isActive() const { return keyWindow_.get() != nullptr; }
    Window* mainWindow() const { return mainWindow_.get(); }
    const std::vector<Window*>& windows() const { return windows_; }

    // Shows the window, makes it key and runs until stopModal (or the window's run is
    // stopped or the window destroyed); gives the response.
    long runModalForWindow(Window& window);
    // Ends the innermost run. A run that has already been stopped, or no run, is left alone.
    void stopModal();
    // Ends the run of that window: at once when it is the innermost, else as soon as the
    // runs above it end. Nothing when the window has no run.
    void stopModalForWindow(const Window& window);
    // The window of the innermost run that has not been stopped, or null.
    Window* modalWindow() const;
    int modalRunDepth() const { return int(runs_.size()); }

    // The desktop shows no Windows menu.
    void addWindowsItem(Window&, const QString&, bool) {}

    // Autosave names, one window to a name (frames are not kept between runs).
    bool claimFrameAutosaveName(Window& window, const QString& name);
    void releaseFrameAutosaveName(const Window& window);

    // For windows.
    void registerWindow(Window& window);
    void unregisterWindow(Window& window);
    void setKeyWindow(Window* window);
    void setMainWindow(Window* window);
    // The window left the screen (ordered out, in the Dock or going away): when it was key or
    // main, the window that held that status before it, if still shown, takes it back.
    void windowLeftScreen(const Window& window);
    // Whether input aimed at the window is held back by a modal run: every window but the
    // modal one and the windows attached to it as children.
    bool blocksInputTo(const Window& window) const;

protected:
    Application();
    virtual ~Application();
    // Makes the application object with `make` unless there is one; gives the one in place.
    static Application& installSharedApplication(Application* (*make)());

private:
    struct ModalRun;

    void installInputFilter();

    ApplicationDelegate* delegate_ = nullptr;
    bool launched_ = false;
    bool terminating_ = false;
    std::vector<Window*> windows_;
    WeakRef<Window> keyWindow_;
    WeakRef<Window> mainWindow_;
    std::vector<WeakRef<Window>> keyHistory_;  // earlier key windows, the latest last
    std::vector<WeakRef<Window>> mainHistory_;
    std::vector<std::shared_ptr<ModalRun>> runs_;
    struct AutosaveName {
        QString name;
        const Window* window;
    };
    std::vector<AutosaveName> autosaveNames_;
    std::unique_ptr<QObject> inputFilter_;
    std::unique_ptr<QObject> quitFilter_;
};

// The application object, as AppKit's global NSApp.
Application& NSApp();

} // namespace platform::ui
