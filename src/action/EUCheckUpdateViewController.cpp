#include "EUCheckUpdateViewController.h"

#include "utilities/EULinkUrl.h"
#include "utilities/GetColor.h"
#include "controls/PlainLabel.h"
#include "utilities/PublicUtilities.h"
#include "utilities/SettingsStore.h"
#include "controls/TextImageButton.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/network/HttpClient.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"
#include "platform/ui/TextLayoutHeight.h"

#include <QUrl>

using namespace platform::ui;
using UpdateCheckRules::UpdateState;

namespace {

constexpr double kWidth = 420;
constexpr double kHeight = 300;
constexpr double kNoteTextWidth = 200;

struct ButtonLook {
    const char* images;
    const char* title;
};

Font titleFont() { return Font::fontWithName(PublicUtilities::getRegularFontName(), 15); }
Font messageFont() { return Font::fontWithName(PublicUtilities::getLightFontName(), 13); }
Color ink() { return getColor(51, 57, 81, 1); }

// One state of the dialog: a full-size view with a title and a message.
std::unique_ptr<View> stateView(const QString& title, const QString& message, bool hidden)
{
    auto view = std::make_unique<View>(Rect(0, 0, kWidth, kHeight));
    view->addSubview(makePlainLabel(Rect(24, 250, 372, 24), title, titleFont(), ink()));
    if (!message.isEmpty()) {
        auto label = makePlainLabel(Rect(24, 170, 372, 72), message, messageFont(), ink());
        label->setLineBreakMode(LineBreakMode::ByWordWrapping);
        view->addSubview(std::move(label));
    }
    view->setHidden(hidden);
    return view;
}

TextImageButton* addButton(View& view, const Rect& frame)
{
    return view.addSubview(
        std::make_unique<TextImageButton>(TextImageButton::LoadedFromInterfaceFile{}, frame));
}

void setUp(TextImageButton& button, const QString& images, const QString& title, std::function<void()> action)
{
    button.setButtonEnabled(true);
    button.setImageFromFileNormalName(images, images + QStringLiteral("_press"), images + QStringLiteral("_hover"),
                                      images + QStringLiteral("_disable"));
    button.setTextWithName(title, 12);
    button.setAction([action = std::move(action)](Button&) { action(); });
}

} // namespace

EUCheckUpdateViewController::EUCheckUpdateViewController(NetworkProbe networkProbe,
                                                         std::chrono::milliseconds requestTimeout, QString nibName)
    : PopViewController(std::move(nibName))
    , networkProbe_(std::move(networkProbe))
    , requestTimeout_(requestTimeout)
{
}

EUCheckUpdateViewController::~EUCheckUpdateViewController() = default;

EUCheckUpdateViewController::NetworkProbe EUCheckUpdateViewController::defaultNetworkProbe()
{
    return [] { return PublicUtilities::isCanBeUseNetWork(); };
}

void EUCheckUpdateViewController::loadView()
{
    UpdateVersionXib();
}

void EUCheckUpdateViewController::UpdateVersionXib()
{
    auto root = std::make_unique<View>(Rect(0, 0, kWidth, kHeight));

    auto checking = stateView(QStringLiteral("Checking for updates..."),
                              QStringLiteral("Tavrin is looking for a newer version."), false);
    loadCloseBut_ = addButton(*checking, Rect(300, 16, 96, 30));
    checkProgressView_ = root->addSubview(std::move(checking));

    auto noNetwork = stateView(QStringLiteral("Unable to check for updates"),
                               QStringLiteral("Tavrin could not get the list of updates. Check the network "
                                              "connection and try again later."),
                               true);
    noNetColseBut_ = addButton(*noNetwork, Rect(300, 16, 96, 30));
    noNetworkView_ = root->addSubview(std::move(noNetwork));

    auto noUpdate = stateView(QStringLiteral("Tavrin is up to date"),
                              QStringLiteral("You have the newest version of Tavrin."), true);
    noUpdateClose_ = addButton(*noUpdate, Rect(300, 16, 96, 30));
    noUpdateView_ = root->addSubview(std::move(noUpdate));

    auto haveUpdate = stateView(QStringLiteral("A new version of Tavrin is available"), QString(), true);
    auto message = makePlainLabel(Rect(24, 206, 372, 40), QString(), messageFont(), ink());
    message->setLineBreakMode(LineBreakMode::ByWordWrapping);
    versionLabel_ = haveUpdate->addSubview(std::move(message));
    auto scroll = std::make_unique<ScrollView>(Rect(14, 58, 392, 140));
    scroll->setHasVerticalScroller(true);
    showVersionScrollView_ = scroll->setDocumentView(std::make_unique<View>(Rect(0, 0, 391, 140)));
    changeValueScrollView_ = haveUpdate->addSubview(std::move(scroll));
    cancelBut_ = addButton(*haveUpdate, Rect(136, 16, 130, 30));
    updateBut_ = addButton(*haveUpdate, Rect(276, 16, 120, 30));
    haveUpdateView_ = root->addSubview(std::move(haveUpdate));

    setView(std::move(root));
}

void EUCheckUpdateViewController::awakeFromNib()
{
    const QString cancel = QStringLiteral("btn_cancel");
    setUp(*loadCloseBut_, cancel, QStringLiteral("Cancel"), [this] { closeWindow(); });
    setUp(*noNetColseBut_, cancel, QStringLiteral("Close"), [this] { closeWindow(); });
    setUp(*noUpdateClose_, cancel, QStringLiteral("Finish"), [this] { closeWindow(); });
    setUp(*cancelBut_, QStringLiteral("btn_cancell"), QStringLiteral("Remind Me Later"), [this] { closeWindow(); });
    setUp(*updateBut_, QStringLiteral("btn_pri"), QStringLiteral("Install Update"), [this] { updateClickHereAction(); });

    getVersionChange();
    changeValueScrollView_->contentView()->scrollToPoint({0, 0});
}

void EUCheckUpdateViewController::getVersionChange()
{
    // The thread takes values only; the answer comes back through the guard, on the main
    // thread, and is dropped once this controller is gone.
    auto answer = lifetime_.guard([this](const std::optional<QVariantMap>& remote, bool network) {
        if (network)
            whatIsNewVersionDiff(remote);
        else
            showState(State::NoNetwork);
    });
    platform::dispatchAsyncGlobal([probe = networkProbe_, timeout = requestTimeout_, answer] {
        platform::Dispatcher& dispatcher = *platform::Platform::current().dispatcher;
        if (!probe()) {
            dispatcher.syncMain([&] { answer(std::nullopt, false); });
            return;
        }
        const QUrl url(EULinkUrl::GetUrl(QStringLiteral("IniURL")));
        const std::optional<QByteArray> body =
            platform::Platform::current().httpClient->get(url, int(timeout.count()));
        const std::optional<QVariantMap> remote =
            body ? UpdateCheckRules::remoteListFromData(*body) : std::nullopt;
        dispatcher.syncMain([&] { answer(remote, true); });
    });
}

void EUCheckUpdateViewController::showState(State state)
{
    state_ = state;
    checkProgressView_->setHidden(state != State::Checking);
    noNetworkView_->setHidden(state != State::NoNetwork);
    noUpdateView_->setHidden(state != State::NoUpdate);
    haveUpdateView_->setHidden(state != State::HaveUpdate);
}

void EUCheckUpdateViewController::whatIsNewVersionDiff(const std::optional<QVariantMap>& remote)
{
    const QVariant localBuild = SettingsStore::valueForKey(QStringLiteral("VersionCheck"));
    const State state = UpdateCheckRules::stateFor(remote, localBuild);
    showState(state);
    if (state != State::HaveUpdate)
        return;
    versionLabel_->setStringValue(
        UpdateCheckRules::updateMessage(remote->value(QStringLiteral("Version")).toString(),
                                        SettingsStore::valueForKey(QStringLiteral("LocVersion")).toString()));
    showNotes(*remote);
    changeValueScrollView_->contentView()->scrollToPoint({0, 0});
}

void EUCheckUpdateViewController::showNotes(const QVariantMap& remote)
{
    const Font measured = Font::systemFontOfSize(10);
    const UpdateCheckRules::NotesLayout layout = UpdateCheckRules::notesLayout(
        remote, [&](const QString& text) { return heightForStringDrawing(text, measured, kNoteTextWidth); });
    showVersionScrollView_->setFrame(Rect(0, 0, 391, layout.height));
    changeValueScrollView_->contentView()->documentFrameChanged();
    for (const UpdateCheckRules::NoteField& note : layout.fields) {
        // Remote text: drawn as plain text, never read as markup.
        auto field = std::make_unique<TextField>(note.frame);
        field->setStringValue(note.text);
        field->setLineBreakMode(LineBreakMode::ByWordWrapping);
        field->setBackgroundColor(Color::controlColor());
        field->setDrawsBackground(true);
        field->setFont(messageFont());
        field->setBordered(false);
        field->setEditable(false);
        field->setToolTip(note.toolTip);
        showVersionScrollView_->addSubview(std::move(field));
    }
}

double EUCheckUpdateViewController::heightForStringDrawing(const QString& text, const Font& font, double width)
{
    return usedHeightOfText(text, font, width);
}

void EUCheckUpdateViewController::updateClickHereAction()
{
    closeWindow();
    const QUrl page(EULinkUrl::GetUrl(QStringLiteral("UpdateURL")));
    if (page.isValid() && !page.isEmpty())
        platform::Platform::current().workspace->openURL(page);
}
