#include "EUCheckUpdateViewController.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "SettingsStore.h"
#include "TextImageButton.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"

#include "ModalPopUp.h"

#include "platform/ui/Application.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTextDocument>
#include <QTimer>

using namespace platform::ui;
using State = EUCheckUpdateViewController::State;

namespace {

QByteArray plist(const QByteArray& entries)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries + "</dict></plist>";
}

QByteArray listWithBuild(const QByteArray& build)
{
    return plist("<key>VersionCheck</key>" + build + "<key>Version</key><string>1.2.0</string>"
                 "<key>1</key><string>Faster start menu</string>"
                 "<key>2</key><string>&lt;b&gt;Bold&lt;/b&gt; claims</string>"
                 "<key>3</key><string>Fixes</string>");
}

QByteArray ok(const QByteArray& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// The update site on 127.0.0.1: answers every request with `reply`, or stays silent without one.
class UpdateServer {
public:
    UpdateServer()
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                ++requests;
                if (reply) {
                    socket->write(*reply);
                    socket->disconnectFromHost();
                }
            });
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/tavrin/update.plist").arg(server_.serverPort()); }

    std::optional<QByteArray> reply;
    int requests = 0;

private:
    QTcpServer server_;
};

// Runs `action`; `inside` runs while the modal window it shows is up, which is then closed.
bool whileModal(const std::function<void()>& action, const std::function<void()>& inside)
{
    bool shown = false;
    QTimer::singleShot(0, qApp, [&] {
        if (Window* window = NSApp().modalWindow()) {
            shown = true;
            inside();
            window->close();
        }
    });
    action();
    return shown;
}

class UpdateCheckTest : public test::PlatformTest {
protected:
    UpdateCheckTest() { SettingsStore::setValueForKey(QStringLiteral("IniURL"), server.url()); } // local: 100

    std::unique_ptr<EUCheckUpdateViewController> makeController(bool network = true,
                                                                std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        return std::make_unique<EUCheckUpdateViewController>([network] { return network; }, timeout);
    }
    // The state the check ends in, and that exactly its view is shown.
    State check(const std::optional<QByteArray>& reply, bool network = true,
                std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        server.reply = reply;
        controller = makeController(network, timeout);
        controller->view();
        EXPECT_EQ(controller->state(), State::Checking);
        platform.dispatcher().drainAll();
        const std::pair<View*, State> views[] = {{controller->checkProgressView(), State::Checking},
                                                 {controller->noNetworkView(), State::NoNetwork},
                                                 {controller->noUpdateView(), State::NoUpdate},
                                                 {controller->haveUpdateView(), State::HaveUpdate}};
        for (const auto& [view, state] : views)
            EXPECT_EQ(view->isHiddenOrHasHiddenAncestor(), state != controller->state());
        return controller->state();
    }
    void render(const char* file)
    {
        Window window(Rect(0, 0, 420, 300), WindowStyleMaskBorderless, BackingStoreType::Buffered, false);
        window.setBackgroundColor(Color::whiteColor());
        window.contentView()->addSubview(*controller->view());
        window.renderToImage().save(test::artifactPath(QString::fromLatin1(file)));
    }

    UpdateServer server;
    std::unique_ptr<EUCheckUpdateViewController> controller;
};

} // namespace

TEST_F(UpdateCheckTest, TheServedListDecidesTheStateAndEveryFailureShowsNoNetwork)
{
    struct Case {
        const char* name;
        std::optional<QByteArray> reply;
        State state;
    } cases[] = {
        {"newer", ok(listWithBuild("<integer>101</integer>")), State::HaveUpdate},
        {"newer, as text", ok(listWithBuild("<string>101</string>")), State::HaveUpdate},
        {"equal", ok(listWithBuild("<integer>100</integer>")), State::NoUpdate},
        {"older", ok(listWithBuild("<integer>7</integer>")), State::NoUpdate},
        {"malformed", ok(listWithBuild("<integer>101</integer>").chopped(20)), State::NoNetwork},
        {"not a number", ok(listWithBuild("<string>1.0.1</string>")), State::NoNetwork},
        {"no build number", ok(plist("<key>Version</key><string>9</string>")), State::NoNetwork},
        {"oversized", ok(plist("<key>VersionCheck</key><integer>101</integer><key>1</key><string>"
                               + QByteArray(70 * 1024, 'x') + "</string>")), State::NoNetwork},
        {"HTTP error", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", State::NoNetwork},
        {"no answer", std::nullopt, State::NoNetwork},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(check(c.reply, true, std::chrono::milliseconds(150)), c.state);
    }
    EXPECT_EQ(server.requests, int(std::size(cases)));
}

TEST_F(UpdateCheckTest, WithoutNetworkTheListIsNotAskedFor)
{
    EXPECT_EQ(check(ok(listWithBuild("<integer>101</integer>")), false), State::NoNetwork);
    EXPECT_EQ(server.requests, 0);
    render("update-no-network.png");
    SettingsStore::setValueForKey(QStringLiteral("IniURL"), QStringLiteral("not a url"));
    EXPECT_EQ(check(std::nullopt), State::NoNetwork);
}

TEST_F(UpdateCheckTest, AnUpdateShowsTheMessageAndPlainTextNotesAndInstallClosesBeforeOpening)
{
    ASSERT_EQ(check(ok(listWithBuild("<integer>101</integer>"))), State::HaveUpdate);
    EXPECT_EQ(controller->versionLabel()->stringValue(),
              QStringLiteral("Tavrin 1.2.0 is now available-you have 1.0.0. Would you like to download it now?"));
    const auto& notes = controller->showVersionScrollView()->subviews();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(controller->showVersionScrollView()->frame().height(), 140);
    auto* second = static_cast<TextField*>(notes[1]);
    EXPECT_EQ(second->stringValue(), QStringLiteral("2:<b>Bold</b> claims"));
    EXPECT_GT(notes[0]->frame().minY(), notes[1]->frame().minY());
    // The tool tip shows the markup as written.
    QTextDocument shown;
    shown.setHtml(second->widget()->toolTip());
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("<b>Bold</b> claims"));
    render("update-available.png");

    auto* workspace = test::install<test::FakeWorkspace>(platform->workspace);
    int openedWhileShown = -1;
    EXPECT_TRUE(whileModal([&] { runModalPopUp(*controller); },
                           [&] {
                               controller->updateBut()->performClick();
                               openedWhileShown = int(workspace->requests().size());
                           }));
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    ASSERT_EQ(workspace->requests().size(), 1);
    EXPECT_EQ(workspace->requests()[0].target, QStringLiteral("https://www.brenlow.com/mac-start-menu/tavrin-for-mac.html"));
    EXPECT_EQ(openedWhileShown, 1);
    EXPECT_EQ(controller->superDelegate(), nullptr);
}

TEST_F(UpdateCheckTest, ACheckingAndAnUpToDateDialogRender)
{
    controller = makeController();
    render("update-checking.png");
    EXPECT_EQ(check(ok(listWithBuild("<integer>100</integer>"))), State::NoUpdate);
    render("update-up-to-date.png");
}

TEST_F(UpdateCheckTest, TheAnswerReachesAClosedDialogAndTheNextShowingChecksNoMore)
{
    server.reply = ok(listWithBuild("<integer>101</integer>"));
    controller = makeController();
    EXPECT_TRUE(whileModal([&] { runModalPopUp(*controller); }, [] {}));
    EXPECT_EQ(controller->state(), State::Checking);
    platform.dispatcher().drainAll();
    EXPECT_EQ(controller->state(), State::HaveUpdate);
    EXPECT_TRUE(whileModal([&] { runModalPopUp(*controller); },
                           [&] { EXPECT_FALSE(controller->haveUpdateView()->isHiddenOrHasHiddenAncestor()); }));
    platform.dispatcher().drainAll();
    EXPECT_EQ(server.requests, 1);
}

TEST_F(UpdateCheckTest, AnAnswerForADestroyedControllerIsDroppedUnderTheSanitizer)
{
    server.reply = ok(listWithBuild("<integer>101</integer>"));
    controller = makeController();
    controller->view();
    controller.reset();
    EXPECT_EQ(platform.dispatcher().drainAll(), 1);
    EXPECT_EQ(server.requests, 1);
}
