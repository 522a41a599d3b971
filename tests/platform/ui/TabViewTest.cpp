#include "UiTestSupport.h"

#include "platform/ui/TabView.h"

#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

// Views kept by their owner, as view controllers keep theirs.
struct Pages {
    std::unique_ptr<View> first = std::make_unique<View>(Rect(0, 0, 10, 10));
    std::unique_ptr<View> second = std::make_unique<View>(Rect(0, 0, 10, 10));
    std::unique_ptr<View> third = std::make_unique<View>(Rect(0, 0, 10, 10));
};

std::unique_ptr<TabViewItem> item(const char* identifier, View* view)
{
    auto made = std::make_unique<TabViewItem>(QString::fromLatin1(identifier));
    made->setView(view);
    return made;
}

} // namespace

TEST(TabViewTest, OnePageShownAtATimeFillingTheTabView)
{
    Pages pages;
    TabView tabs(Rect(5, 5, 300, 200));
    tabs.addTabViewItem(item("one", pages.first.get()));
    tabs.addTabViewItem(item("two", pages.second.get()));
    tabs.addTabViewItem(item("three", pages.third.get()));

    // The first item added is selected.
    EXPECT_EQ(pages.first->superview(), &tabs);
    EXPECT_EQ(pages.first->frame(), Rect(0, 0, 300, 200));
    EXPECT_EQ(pages.second->superview(), nullptr);

    tabs.selectTabViewItemWithIdentifier(QStringLiteral("three"));
    EXPECT_EQ(pages.third->superview(), &tabs);
    EXPECT_EQ(pages.first->superview(), nullptr);
    EXPECT_EQ(tabs.subviews().size(), 1u);

    // The pages follow the tab view's size.
    tabs.setFrameSize({400, 250});
    EXPECT_EQ(pages.third->frame(), Rect(0, 0, 400, 250));
}

TEST(TabViewTest, UnknownIdentifiersAndIndexesLeaveTheSelection)
{
    Pages pages;
    TabView tabs(Rect(0, 0, 100, 100));
    tabs.selectTabViewItemWithIdentifier(QStringLiteral("none")); // nothing to select: nothing happens
    tabs.addTabViewItem(item("one", pages.first.get()));
    tabs.addTabViewItem(item("two", pages.second.get()));
    tabs.selectTabViewItemAtIndex(1);

    tabs.selectTabViewItemWithIdentifier(QStringLiteral("One")); // identifiers are exact
    tabs.selectTabViewItemWithIdentifier(QString());
    tabs.selectTabViewItemAtIndex(-1);
    tabs.selectTabViewItemAtIndex(2);
    EXPECT_EQ(pages.second->superview(), &tabs);
    EXPECT_EQ(tabs.indexOfTabViewItemWithIdentifier(QStringLiteral("one")), 0);
    EXPECT_EQ(tabs.indexOfTabViewItemWithIdentifier(QStringLiteral("zero")), -1);
    tabs.addTabViewItem(nullptr);
    EXPECT_EQ(tabs.tabViewItemAtIndex(2), nullptr);
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
    Pages pages;
    TabView tabs(Rect(0, 0, 100, 100));
    tabs.addTabViewItem(item("owned", owned));
    tabs.addTabViewItem(item("plain", pages.first.get()));
    tabs.selectTabViewItemAtIndex(1);
    ASSERT_EQ(tabs.tabViewItemAtIndex(0)->view(), owned); // still alive, held by its item
    tabs.selectTabViewItemAtIndex(0);
    EXPECT_EQ(owned->superview(), &tabs);
}
