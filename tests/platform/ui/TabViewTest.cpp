#include "UiTestSupport.h"

#include "platform/ui/TabView.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

std::unique_ptr<TabViewItem> item(const char* identifier, View* view)
{
    auto made = std::make_unique<TabViewItem>(QString::fromLatin1(identifier));
    made->setView(view);
    return made;
}

} // namespace

TEST(TabViewTest, OnePageFillsTheTabViewAndUnknownChoicesLeaveIt)
{
    // Views kept by their owner, as view controllers keep theirs.
    auto first = std::make_unique<View>(Rect(0, 0, 10, 10));
    auto second = std::make_unique<View>(Rect(0, 0, 10, 10));
    TabView tabs(Rect(5, 5, 300, 200));
    tabs.selectTabViewItemWithIdentifier(QStringLiteral("none")); // nothing to select: nothing happens
    tabs.addTabViewItem(item("one", first.get()));
    tabs.addTabViewItem(item("two", second.get()));
    EXPECT_EQ(first->superview(), &tabs) << "the first item added is selected";
    EXPECT_EQ(first->frame(), Rect(0, 0, 300, 200));
    tabs.selectTabViewItemWithIdentifier(QStringLiteral("two"));
    tabs.selectTabViewItemWithIdentifier(QStringLiteral("One")); // identifiers are exact
    tabs.selectTabViewItemWithIdentifier(QString());
    tabs.selectTabViewItemAtIndex(-1);
    tabs.selectTabViewItemAtIndex(2);
    tabs.addTabViewItem(nullptr);
    EXPECT_EQ(second->superview(), &tabs);
    EXPECT_EQ(first->superview(), nullptr);
    EXPECT_EQ(tabs.subviews().size(), 1u);
    tabs.setFrameSize({400, 250});
    EXPECT_EQ(second->frame(), Rect(0, 0, 400, 250));
}

TEST(TabViewTest, PagesAndTabViewMayGoInEitherOrder)
{
    auto page = std::make_unique<View>(Rect(0, 0, 10, 10));
    auto other = std::make_unique<View>(Rect(0, 0, 10, 10));
    {
        TabView tabs(Rect(0, 0, 100, 100));
        tabs.addTabViewItem(item("page", page.get()));
        tabs.addTabViewItem(item("other", other.get()));
        page.reset(); // its owner lets it go while it is shown
        EXPECT_TRUE(tabs.subviews().empty());
        EXPECT_EQ(tabs.tabViewItemAtIndex(0)->view(), nullptr);
        tabs.selectTabViewItemAtIndex(1);
        tabs.selectTabViewItemAtIndex(0); // shows nothing, and does not fail
        EXPECT_TRUE(tabs.subviews().empty());
        tabs.selectTabViewItemAtIndex(1);
    }
    // The tab view went first: the page is its owner's, whole and out of any superview.
    EXPECT_EQ(other->superview(), nullptr);
}

TEST(TabViewTest, AViewThatItsSuperviewOwnedIsKeptWhileHidden)
{
    View holder(Rect(0, 0, 100, 100));
    View* owned = holder.addSubview(std::make_unique<View>(Rect(0, 0, 10, 10)));
    View plain(Rect(0, 0, 10, 10));
    TabView tabs(Rect(0, 0, 100, 100));
    tabs.addTabViewItem(item("owned", owned));
    tabs.addTabViewItem(item("plain", &plain));
    tabs.selectTabViewItemAtIndex(1);
    ASSERT_EQ(tabs.tabViewItemAtIndex(0)->view(), owned); // still alive, held by its item
    tabs.selectTabViewItemAtIndex(0);
    EXPECT_EQ(owned->superview(), &tabs);
}
