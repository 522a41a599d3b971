#include "Format/FormatEndViewController.h"
#include "Format/FormatTypeViewController.h"
#include "Format/MakeSureFormatViewController.h"
#include "Format/SortSelectBgView.h"

#include "PopWindow/PopStatusAttachedWindow.h"
#include "controls/TextImageButton.h"

#include "IsolatedEnvironment.h"
#include "ManualDispatcher.h"
#include "PlatformTest.h"
#include "UiTestSupport.h"

#include "platform/ui/Button.h"
#include "platform/ui/Event.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TextField.h"

#include "Format/ProgressSpinner.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

struct Eraser : MakeSureFormatVCDelegate {
    QStringList asked;
    void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) override { asked << name << type; }
};

class FormatFlowTest : public test::PlatformTest {
protected:
    FormatFlowTest()
    {
        dialog.setDelegate(&eraser);
        window = uitest::makeWindow(Rect(0, 0, 360, 200));
        window->contentView()->addSubview(*dialog.view());
        dialog.setSuperDelegate(window.get());
    }
    void after(int ms)
    {
        platform.dispatcher().advance(std::chrono::milliseconds(ms));
        platform.dispatcher().drainAll();
    }

    Eraser eraser;
    MakeSureFormatViewController dialog;
    std::unique_ptr<Window> window;
};

} // namespace

TEST_F(FormatFlowTest, TheChooserClosesAfterTwoSecondsUnlessThePointerIsInside)
{
    dialog.setName("Backup", "Journaled HFS+");
    dialog.openMenuAction();
    ASSERT_TRUE(dialog.sortAttachedWindow());
    after(1999);
    EXPECT_TRUE(dialog.sortAttachedWindow());
    after(1);
    EXPECT_FALSE(dialog.sortAttachedWindow()) << "not entered: closed by the timer";

    dialog.openMenuAction();
    dialog.mouseEixtView(false); // the pointer went in
    after(5000);
    EXPECT_TRUE(dialog.sortAttachedWindow()) << "entered: stays";
    dialog.mouseEixtView(true);
    platform.dispatcher().drainAll();
    EXPECT_FALSE(dialog.sortAttachedWindow()) << "left: closed at once";

    dialog.openMenuAction();
    after(1500);
    dialog.mouseEixtView(true);
    platform.dispatcher().drainAll();
    dialog.openMenuAction(); // the first opening's timer must not close this one early
    after(600);
    EXPECT_TRUE(dialog.sortAttachedWindow());
}

// A chooser that opens under the pointer hears of no entry: it lights the row beneath and stays;
// one the pointer is no longer over closes when its time is up.
TEST_F(FormatFlowTest, TheChooserTakesThePointerItOpensUnder)
{
    dialog.setName("Backup", "Journaled HFS+");
    Event::setMouseLocation({-9999, -9999});
    dialog.openMenuAction();
    ASSERT_TRUE(dialog.sortAttachedWindow());
    const Rect chooser = dialog.sortAttachedWindow()->frame();
    after(2000);
    ASSERT_FALSE(dialog.sortAttachedWindow());
    const auto lit = [&] {
        const FormatTypeViewController& rows = *dialog.formatTypeVC();
        return std::tuple(rows.view_1()->isMouseIn(), rows.view_2()->isMouseIn(), rows.view_4()->isMouseIn());
    };
    Event::setMouseLocation({chooser.midX(), chooser.maxY() - 12}); // over the first row
    dialog.openMenuAction();
    EXPECT_EQ(lit(), std::tuple(true, false, false));
    dialog.mouseEixtView(true);
    platform.dispatcher().drainAll();
    Event::setMouseLocation({chooser.midX(), chooser.minY() + 45}); // over the last row
    dialog.openMenuAction();
    EXPECT_FALSE(dialog.isPopSortWin()) << "entered";
    EXPECT_EQ(lit(), std::tuple(false, false, true));
    after(5000);
    ASSERT_TRUE(dialog.sortAttachedWindow());
    dialog.mouseEixtView(true);
    platform.dispatcher().drainAll();
    Event::setMouseLocation({-9999, -9999});
    EXPECT_FALSE(dialog.sortAttachedWindow());
}

TEST_F(FormatFlowTest, ARowSetsTheTypeAndTheCurrentTypeFixesItForNtfsAndApfs)
{
    dialog.setName("Backup", "Journaled HFS+");
    dialog.openMenuAction();
    dialog.formatTypeVC()->selectSortType(*dialog.formatTypeVC()->view_2());
    platform.dispatcher().drainAll();
    EXPECT_EQ(dialog.typeLabel()->stringValue(), "MS-DOS FAT32");
    EXPECT_FALSE(dialog.sortAttachedWindow());
    dialog.selectFormatbyType(7);
    EXPECT_EQ(dialog.typeLabel()->stringValue(), "MS-DOS FAT32") << "no such row";

    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Windows NT File System (NTFS)", "MS-DOS FAT32", false}, {"APFS", "APFS", false}, {"ExFAT", "ExFAT", true}};
    for (const auto& [current, shown, choosable] : cases) {
        dialog.setName("Backup", current);
        EXPECT_EQ(dialog.typeLabel()->stringValue(), shown);
        EXPECT_EQ(dialog.typeSelectBut()->isEnabled(), choosable) << current;
        dialog.typeSelectBut()->setEnabled(true);
    }
    EXPECT_FALSE(dialog.nameTextFiled()->isEditable());
    platform.dispatcher().drainAll();
    EXPECT_TRUE(dialog.nameTextFiled()->isEditable());
    dialog.okButtonAction();
    EXPECT_EQ(eraser.asked, QStringList({"Backup", "ExFAT"}));
    EXPECT_TRUE(dialog.makeSureView()->isHiddenOrHasHiddenAncestor());
}

TEST_F(FormatFlowTest, TheDialogsRender)
{
    window->setBackgroundColor(Color::whiteColor());
    dialog.setName("Backup", "Journaled HFS+");
    window->renderToImage().save(test::artifactPath("format-confirmation.png"));
    FormatTypeViewController chooser;
    chooser.view()->renderToImage().save(test::artifactPath("format-type-chooser.png"));
    FormatEndViewController end;
    end.setOutcome(false, "diskutil could not erase the volume.");
    end.view()->renderToImage().save(test::artifactPath("format-end.png"));
    dialog.okButtonAction();
    window->renderToImage().save(test::artifactPath("format-formatting.png"));
    EXPECT_TRUE(dialog.loading()->isAnimating());
}
