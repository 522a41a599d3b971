#include "action/EUCheckUpdateViewController.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PopWindow/ModalPopUp.h"
#include "PlatformTest.h"
#include "utilities/SettingsStore.h"
#include "controls/TextImageButton.h"
#include "UiTestSupport.h"
#include "WorkspaceFakes.h"

#include "platform/ui/Application.h"
#include "platform/ui/TextField.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTextDocument>
#include <QTimer>

using namespace platform::ui;
using namespace std::chrono_literals;
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

// The update site is a server of the test's on 127.0.0.1: it answers every request with
// `reply`, or stays silent without one. The local build number is 100.
class UpdateCheckTest : public test::PlatformTest {
protected:
    UpdateCheckTest()
    {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                ++requests;
                if (reply) {
                    socket->write(*reply);
                    socket->disconnectFromHost();
                }
            });
        });
        SettingsStore::setValueForKey(QStringLiteral("IniURL"),
                                      QStringLiteral("http://127.0.0.1:%1/tavrin/update.plist").arg(server.serverPort()));
    }
    std::unique_ptr<EUCheckUpdateViewController> makeController(bool network = true, std::chrono::milliseconds timeout = 5s)
    {
        return std::make_unique<EUCheckUpdateViewController>([network] { return network; }, timeout);
    }
    // The state the check ends in; exactly its view is shown.
    State check(const std::optional<QByteArray>& answer, bool network = true, std::chrono::milliseconds timeout = 5s)
    {
        reply = answer;
        controller = makeController(network, timeout);
        controller->view();
        EXPECT_EQ(controller->state(), State::Checking);
        platform.dispatcher().drainAll();
        const View* views[] = {controller->checkProgressView(), controller->noNetworkView(), controller->noUpdateView(),
                               controller->haveUpdateView()}; // in the order of the states
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(views[i]->isHiddenOrHasHiddenAncestor(), i != int(controller->state()));
        return controller->state();
    }
    // The dialog as it pops up.
    bool render(const char* file)
    {
        return whileModal([&] { runModalPopUp(*controller); }, [&] {
            NSApp().modalWindow()->renderToImage().save(test::artifactPath(QString::fromLatin1(file)));
        });
    }

    QTcpServer server;
    std::optional<QByteArray> reply;
    int requests = 0;
    std::unique_ptr<EUCheckUpdateViewController> controller;
};

} // namespace

TEST_F(UpdateCheckTest, TheServedListDecidesTheStateAndEveryFailureShowsNoNetwork)
{
    using enum UpdateCheckRules::UpdateState; // named directly: clang 14 refuses it through an alias
    struct Case {
        const char* name;
        std::optional<QByteArray> reply;
        State state;
        const char* image;
    } cases[] = {
        {"newer", ok(listWithBuild("<integer>101</integer>")), HaveUpdate, "update-available.png"},
        {"equal", ok(listWithBuild("<integer>100</integer>")), NoUpdate, "update-up-to-date.png"},
        {"older", ok(listWithBuild("<string>7</string>")), NoUpdate, nullptr},
        {"malformed", ok(listWithBuild("<integer>101</integer>").chopped(20)), NoNetwork, nullptr},
        {"not a number", ok(listWithBuild("<string>1.0.1</string>")), NoNetwork, nullptr},
        {"oversized", ok(plist("<key>VersionCheck</key><integer>101</integer><key>1</key><string>"
                               + QByteArray(70 * 1024, 'x') + "</string>")), NoNetwork, nullptr},
        {"HTTP error", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n", NoNetwork, nullptr},
        {"no answer", std::nullopt, NoNetwork, "update-no-network.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(check(c.reply, true, 150ms), c.state);
        if (c.image)
            render(c.image);
    }
    EXPECT_EQ(requests, int(std::size(cases)));
    // Without network the list is not asked for.
    EXPECT_EQ(check(ok(listWithBuild("<integer>101</integer>")), false), State::NoNetwork);
    EXPECT_EQ(requests, int(std::size(cases)));
}

TEST_F(UpdateCheckTest, AnUpdateShowsTheMessageAndPlainTextNotesAndInstallClosesBeforeOpening)
{
    ASSERT_EQ(check(ok(listWithBuild("<integer>101</integer>"))), State::HaveUpdate);
    EXPECT_EQ(controller->versionLabel()->stringValue(),
              QStringLiteral("Tavrin 1.2.0 is now available-you have 1.0.0. Would you like to download it now?"));
    const auto& notes = controller->showVersionScrollView()->subviews();
    ASSERT_EQ(notes.size(), 3u);
    auto* second = static_cast<TextField*>(notes[1]);
    EXPECT_EQ(second->stringValue(), QStringLiteral("2:<b>Bold</b> claims"));
    QTextDocument toolTip; // shows the markup as written
    toolTip.setHtml(second->widget()->toolTip());
    EXPECT_EQ(toolTip.toPlainText(), QStringLiteral("<b>Bold</b> claims"));

    auto* workspace = test::install<test::FakeWorkspace>(platform->workspace);
    EXPECT_TRUE(whileModal([&] { runModalPopUp(*controller); }, [&] { controller->updateBut()->performClick(); }));
    ASSERT_EQ(workspace->requests().size(), 1);
    EXPECT_EQ(workspace->requests()[0].target, QStringLiteral("https://www.brenlow.com/mac-start-menu/tavrin-for-mac.html"));
}

TEST_F(UpdateCheckTest, TheAnswerReachesAClosedDialogOnceAndADestroyedOneNothingUnderTheSanitizer)
{
    reply = ok(listWithBuild("<integer>101</integer>"));
    controller = makeController();
    EXPECT_TRUE(render("update-checking.png"));
    platform.dispatcher().drainAll();
    EXPECT_EQ(controller->state(), State::HaveUpdate);
    EXPECT_TRUE(whileModal([&] { runModalPopUp(*controller); },
                           [&] { EXPECT_FALSE(controller->haveUpdateView()->isHiddenOrHasHiddenAncestor()); }));
    EXPECT_EQ(platform.dispatcher().drainAll(), 0);

    controller = makeController();
    controller->view();
    controller.reset();
    EXPECT_EQ(platform.dispatcher().drainAll(), 1);
    EXPECT_EQ(requests, 2);
}
