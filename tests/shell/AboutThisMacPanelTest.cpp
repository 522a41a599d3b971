#include "StartMenuFixture.h"

#include "AboutThisMac/AboutThisMacViewController.h"
#include "PopWindow/PopStatusAttachedWindow.h"

#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"

using namespace platform::ui;

using AboutThisMacPanelTest = StartMenuFixture;

TEST_F(AboutThisMacPanelTest, ThePanelShowsWhatTheMacSaysAndItsButtonClosesIt)
{
    auto* registry = test::install<test::FakeIORegistry>(platform_->ioRegistry);
    test::install<test::FakeProcessInfo>(platform_->processInfo);
    kernel_->setText("machdep.cpu.brand_string", "Intel(R) Core(TM) i7-8750H CPU @ 2.20GHz");
    const QString file = QString::fromLatin1(AboutThisMacViewController::kInterfaceFile);
    AboutThisMacViewController unknown(file);
    unknown.view();
    EXPECT_EQ(unknown.serName()->stringValue(), QStringLiteral("Serial Number: (null)"));

    registry->serialNumber = QStringLiteral("C02XG0FDH7JY");
    AboutThisMacViewController panel(file);
    ASSERT_NE(panel.view(), nullptr);
    const std::pair<TextField*, const char*> fields[] = {
        {panel.versionName(), "macOS Catalina"},
        {panel.version(), "Version 10.15.7 (Build 19H2026)"},
        {panel.compterVerion(), "MacBookPro15,1"},
        {panel.cpuName(), "Intel(R) Core(TM) i7-8750H CPU @ 2.20GHz"},
        {panel.memorySize(), "MemorySize: 16.00 GB"},
        {panel.serName(), "Serial Number: C02XG0FDH7JY"}};
    for (const auto& [field, text] : fields)
        EXPECT_EQ(field->stringValue(), QString::fromLatin1(text));

    std::unique_ptr<PopStatusAttachedWindow> window =
        PopStatusAttachedWindow::create(panel.view(), {0, 0}, nullptr, AttachedSideBelow, 5.0f);
    panel.setSuperDelegate(window.get());
    window->makeKeyAndOrderFront();
    for (View* subview : panel.view()->subviews())
        if (auto* ok = dynamic_cast<Button*>(subview))
            ok->performClick();
    EXPECT_FALSE(window->isVisible());
}
