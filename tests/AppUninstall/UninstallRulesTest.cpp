#include "AppUninstall/RemovalTally.h"
#include "AppUninstall/UninstallRules.h"

#include "utilities/PublicUtilities.h"

#include "PlatformTest.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

using UninstallRulesTest = test::PlatformTest;

} // namespace

TEST_F(UninstallRulesTest, ResultTextCountsOnlyRemovedRecordsAndNamesWhatStayed)
{
    struct Report {
        bool removed;
        const char* path;
        const char* size;
    };
    struct Case {
        std::vector<Report> reports;
        std::vector<int32_t> percents;
        const char* text;
    };
    const Case cases[] = {
        {{{true, "a", "2 MB"}, {true, "b", "1 MB"}, {true, "c", "0KB"}},
         {33, 66, 100},
         "Tavrin has successfully removed the selected application(s) and all associated files. Free up 3 MB disk "
         "space."},
        {{{true, "a", "2 MB"}, {false, "b", "7 GB"}},
         {50, 100},
         "Tavrin has successfully removed the selected application(s) and all associated files. Free up 2 MB disk "
         "space, 1 item could not be removed."},
        {{{false, "a", "7 GB"}, {false, "b", "1 MB"}, {false, "c", "junk"}},
         {33, 66, 100},
         "Tavrin has successfully removed the selected application(s) and all associated files. Free up 0 byte disk "
         "space, 3 items could not be removed."},
        // A file two applications listed frees its size once.
        {{{true, "shared", "4 KB"}, {true, "shared", "4 KB"}},
         {50, 100},
         "Tavrin has successfully removed the selected application(s) and all associated files. Free up 4 KB disk "
         "space."},
    };
    for (const Case& c : cases) {
        RemovalTally tally(int32_t(c.reports.size()));
        std::vector<int32_t> percents;
        for (const Report& report : c.reports) {
            EXPECT_FALSE(tally.isComplete());
            percents.push_back(tally.record(report.removed, QString::fromLatin1(report.path), QString::fromLatin1(report.size)));
        }
        EXPECT_TRUE(tally.isComplete());
        EXPECT_EQ(percents, c.percents);
        EXPECT_EQ(UninstallRules::resultText(PublicUtilities::convertVolSpace(tally.totalSize()), tally.failedCount()), QString::fromLatin1(c.text));
    }
}

TEST_F(UninstallRulesTest, CountLabelAndCheckImagesFollowTickedAndShown)
{
    struct Case {
        std::size_t ticked, shown;
        const char* label;
        qsizetype boldAt; // -1: nothing bold
        const char* image;
    };
    // The ticked count is bold where it first stands, not inside the shown count.
    const Case cases[] = {
        {0, 0, "Total: 0 Item", -1, "option_no"},
        {0, 1, "Total: 1 Item", -1, "option_no"},
        {0, 5, "Total: 5 Items", -1, "option_no"},
        {3, 5, "Selected: 3 / 5 Items", 10, "option_a"},
        {1, 11, "Selected: 1 / 11 Items", 10, "option_a"},
        {4, 2, "Selected: 4 / 2 Items", 10, "option_yes"}, // ticks hidden by the search
        {12, 12, "Selected: 12 / 12 Items", 10, "option_yes"},
    };
    const Font plain = Font::systemFontOfSize(13);
    const Font bold = Font::fontWithName(QStringLiteral("Bold"), 13);
    for (const Case& c : cases) {
        const AttributedString label = UninstallRules::countLabel(c.ticked, c.shown, plain, bold);
        EXPECT_EQ(label.string(), QString::fromLatin1(c.label));
        EXPECT_EQ(UninstallRules::checkImageName(c.ticked, c.shown), QString::fromLatin1(c.image));
        for (qsizetype i = 0; i < label.length(); ++i) {
            const bool inBold = c.boldAt >= 0 && i >= c.boldAt && i < c.boldAt + QString::number(c.ticked).size();
            EXPECT_EQ(label.attributesAtIndex(i).font == bold, inBold) << c.label << " at " << i;
        }
    }
}

TEST_F(UninstallRulesTest, SearchesOfBothLists)
{
    struct Case {
        const char* name;
        const char* text;
        bool application, uninstall;
    };
    const Case cases[] = {
        {"Notes.app", "note", true, true},
        {"Sticky Note", "NOTE", true, true},
        {"Pages.app", "", true, true},
        {"Pages.app", " ", true, false},
        {"Two  Blanks", "  ", true, true},
        {"One Blank", "  ", false, false},
        {"Map", ".app", false, false},            // records carry the display name
        {"Web.app Maker", ".app", false, true}, // the tab searches the name without ".app"
        {"Émile", "émi", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UninstallRules::applicationMatches(QString::fromUtf8(c.name), QString::fromUtf8(c.text)), c.application)
            << c.name << " / " << c.text;
        EXPECT_EQ(UninstallRules::uninstallMatches(QString::fromUtf8(c.name), QString::fromUtf8(c.text)), c.uninstall)
            << c.name << " / " << c.text;
    }
}
