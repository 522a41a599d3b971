#include "../MainView/StartMenuFixture.h"

#include "AboutThisMacViewController.h"

#include "PopStatusAttachedWindow.h"

#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"

using namespace platform::ui;

namespace {

class AboutThisMacPanelTest : public StartMenuFixture {
protected:
    AboutThisMacPanelTest()
    {
        registry_ = test::install<test::FakeIORegistry>(platform_->ioRegistry);
        test::install<test::FakeProcessInfo>(platform_->processInfo);
        kernel_->setText("machdep.cpu.brand_string", "Intel(R) Core(TM) i7-8750H CPU @ 2.20GHz");
    }
    test::FakeIORegistry* registry_ = nullptr;
};

} // namespace

TEST_F(AboutThisMacPanelTest, ThePanelShowsWhatTheMacSaysAndItsButtonClosesIt)
{
    AboutThisMacViewController unknown(QString::fromLatin1(AboutThisMacViewController::kInterfaceFile));
    unknown.view();
    EXPECT_EQ(unknown.serName()->stringValue(), QStringLiteral("Serial Number: (null)"));

    registry_->serialNumber = QStringLiteral("C02XG0FDH7JY");
    AboutThisMacViewController panel(QString::fromLatin1(AboutThisMacViewController::kInterfaceFile));
    ASSERT_NE(panel.view(), nullptr);
    EXPECT_EQ(panel.versionName()->stringValue(), QStringLiteral("macOS Catalina")); // 10.15
    EXPECT_EQ(panel.version()->stringValue(), QStringLiteral("Version 10.15.7 (Build 19H2026)"));
    EXPECT_EQ(panel.compterVerion()->stringValue(), QStringLiteral("MacBookPro15,1"));
    EXPECT_EQ(panel.cpuName()->stringValue(), QStringLiteral("Intel(R) Core(TM) i7-8750H CPU @ 2.20GHz"));
    EXPECT_EQ(panel.memorySize()->stringValue(), QStringLiteral("MemorySize: 16.00 GB"));
    EXPECT_EQ(panel.serName()->stringValue(), QStringLiteral("Serial Number: C02XG0FDH7JY"));
    EXPECT_FALSE(panel.getMacModel());

    std::unique_ptr<PopStatusAttachedWindow> window =
        PopStatusAttachedWindow::create(panel.view(), {0, 0}, nullptr, AttachedSideBelow, 5.0f);
    panel.setSuperDelegate(window.get());
    window->makeKeyAndOrderFront();
    Button* ok = nullptr;
    for (View* subview : panel.view()->subviews())
        if (auto* button = dynamic_cast<Button*>(subview))
            ok = button;
    ASSERT_NE(ok, nullptr);
    ok->performClick();
    EXPECT_FALSE(window->isVisible());
}
