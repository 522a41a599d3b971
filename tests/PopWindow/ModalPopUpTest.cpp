#include "PopWindow/ModalPopUp.h"
#include "PopWindow/PopViewController.h"

#include "TestPlatform.h"

#include "platform/ui/Application.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

// A dialog whose view is built on first request, as the interface files are.
class SampleDialog : public PopViewController {
public:
    SampleDialog() : PopViewController(QStringLiteral("SampleDialog")) {}
    int awakenings = 0;

protected:
    void loadView() override { setView(std::make_unique<View>(Rect(0, 0, 300, 200))); }
    void awakeFromNib() override { ++awakenings; }
};

} // namespace

TEST(ModalPopUpTest, TheRunEndsWhenTheControllerClosesItsWindow)
{
    test::TestPlatform platform;
    SampleDialog dialog;
    bool prepared = false;
    QTimer::singleShot(0, qApp, [&] {
        ASSERT_NE(dialog.superDelegate(), nullptr);
        EXPECT_TRUE(dialog.superDelegate()->isVisible());
        EXPECT_EQ(NSApp().modalWindow(), dialog.superDelegate());
        dialog.closeWindow();
    });
    runModalPopUp(dialog, [&] {
        // The preparation runs with the window made but not yet shown.
        prepared = true;
        ASSERT_NE(dialog.superDelegate(), nullptr);
        EXPECT_FALSE(dialog.superDelegate()->isVisible());
        EXPECT_EQ(dialog.view()->superview(), dialog.superDelegate()->contentView());
    });
    EXPECT_TRUE(prepared);
    EXPECT_EQ(NSApp().modalRunDepth(), 0);
    // The window was the run's: it is gone, and the view is the controller's again.
    EXPECT_EQ(dialog.superDelegate(), nullptr);
    EXPECT_EQ(dialog.view()->superview(), nullptr);
    dialog.closeWindow(); // no window: nothing

    // A second showing makes a fresh window for the same view, which is not awoken again.
    QTimer::singleShot(0, qApp, [&] { dialog.closeWindow(); });
    runModalPopUp(dialog);
    EXPECT_EQ(dialog.awakenings, 1);
}

TEST(ModalPopUpTest, TheAnchorIsBelowTheMiddleOfTheMainWindowWhichGetsKeyBack)
{
    test::TestPlatform platform;
    EXPECT_EQ(popUpAnchor(), (Point{-3, 0}));
    Window main(Rect(100, 120, 400, 300), WindowStyleMaskTitled, BackingStoreType::Buffered, false);
    main.makeKeyAndOrderFront();
    EXPECT_EQ(popUpAnchor(), (Point{297, 120}));
    // The dialog takes key status for its run and gives it back when it closes.
    SampleDialog dialog;
    QTimer::singleShot(0, qApp, [&] {
        EXPECT_EQ(NSApp().keyWindow(), dialog.superDelegate());
        EXPECT_TRUE(main.isMainWindow()); // a pop-up cannot become main
        dialog.closeWindow();
    });
    runModalPopUp(dialog);
    EXPECT_EQ(NSApp().keyWindow(), &main);
    main.orderOut();
}
