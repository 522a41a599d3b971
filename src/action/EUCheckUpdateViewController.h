#pragma once

#include "UpdateCheckRules.h"

#include "PopWindow/PopViewController.h"

#include "platform/dispatch/Lifetime.h"

#include <QVariantMap>

#include <chrono>
#include <functional>
#include <optional>

class TextImageButton;

namespace platform::ui {
class Font;
class ScrollView;
class TextField;
class View;
} // namespace platform::ui

// The update check: it asks whether the network can be used, fetches the remote update list
// at the settings store's "IniURL", compares its build number with the local one and shows one
// of four states: checking, no network (also for every failed check), up to date, or an update
// with its change notes. The check starts when the view loads, so a kept controller checks
// once; its answer reaches it while it lives, shown or not, and is dropped once it is gone.
class EUCheckUpdateViewController : public PopViewController {
public:
    using State = UpdateCheckRules::UpdateState;
    using NetworkProbe = std::function<bool()>;

    static constexpr const char* kInterfaceFile = "UpdateVersionXib";
    static constexpr std::chrono::milliseconds kRequestTimeout{10000};

    // `networkProbe` runs first, on the check's thread (by default the platform's probe of an
    // outside site); the list's request then waits at most `requestTimeout`.
    explicit EUCheckUpdateViewController(NetworkProbe networkProbe = defaultNetworkProbe(),
                                         std::chrono::milliseconds requestTimeout = kRequestTimeout,
                                         QString nibName = QString::fromLatin1(kInterfaceFile));
    ~EUCheckUpdateViewController() override;

    static NetworkProbe defaultNetworkProbe();

    // Starts the check on a thread of its own.
    void getVersionChange();
    // Shows the result of the check; nothing means the list could not be had.
    void whatIsNewVersionDiff(const std::optional<QVariantMap>& remote);
    static double heightForStringDrawing(const QString& text, const platform::ui::Font& font, double width);
    // "Install Update": closes the dialog, then opens the download page.
    void updateClickHereAction();

    State state() const { return state_; }

    platform::ui::View* checkProgressView() const { return checkProgressView_; } // kept: named by the design, no caller yet
    platform::ui::View* noNetworkView() const { return noNetworkView_; } // kept: named by the design, no caller yet
    platform::ui::View* noUpdateView() const { return noUpdateView_; } // kept: named by the design, no caller yet
    platform::ui::View* haveUpdateView() const { return haveUpdateView_; } // kept: named by the design, no caller yet
    platform::ui::TextField* versionLabel() const { return versionLabel_; } // kept: named by the design, no caller yet
    platform::ui::ScrollView* changeValueScrollView() const { return changeValueScrollView_; } // kept: named by the design, no caller yet
    platform::ui::View* showVersionScrollView() const { return showVersionScrollView_; } // kept: named by the design, no caller yet
    TextImageButton* loadCloseBut() const { return loadCloseBut_; } // kept: named by the design, no caller yet
    TextImageButton* noNetColseBut() const { return noNetColseBut_; } // kept: named by the design, no caller yet
    TextImageButton* noUpdateClose() const { return noUpdateClose_; } // kept: named by the design, no caller yet
    TextImageButton* cancelBut() const { return cancelBut_; } // kept: named by the design, no caller yet
    TextImageButton* updateBut() const { return updateBut_; } // kept: named by the design, no caller yet

protected:
    void loadView() override;
    void awakeFromNib() override;

private:
    void UpdateVersionXib();
    void showState(State state);
    void showNotes(const QVariantMap& remote);

    NetworkProbe networkProbe_;
    std::chrono::milliseconds requestTimeout_;
    State state_ = State::Checking;

    platform::ui::View* checkProgressView_ = nullptr;
    platform::ui::View* noNetworkView_ = nullptr;
    platform::ui::View* noUpdateView_ = nullptr;
    platform::ui::View* haveUpdateView_ = nullptr;
    platform::ui::TextField* versionLabel_ = nullptr;
    platform::ui::ScrollView* changeValueScrollView_ = nullptr;
    platform::ui::View* showVersionScrollView_ = nullptr;
    TextImageButton* loadCloseBut_ = nullptr;
    TextImageButton* noNetColseBut_ = nullptr;
    TextImageButton* noUpdateClose_ = nullptr;
    TextImageButton* cancelBut_ = nullptr;
    TextImageButton* updateBut_ = nullptr;

    platform::Lifetime lifetime_; // last: the check's answer is dropped first
};
