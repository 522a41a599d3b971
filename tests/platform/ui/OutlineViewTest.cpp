#include "UiTestSupport.h"

#include "platform/ui/ButtonCell.h"
#include "platform/ui/OutlineView.h"
#include "platform/ui/ScrollView.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform::ui;

namespace {

struct Node {
    QString name;
    std::vector<Node*> children;
    bool expandable = false;
    int checked = 0;
};

// A tree of nodes as an outline's data source and delegate, recording what it is told.
struct Tree : OutlineViewDataSource, OutlineViewDelegate {
    std::vector<Node*> roots;
    std::vector<QString> expanded, collapsed;
    static Node* node(OutlineItem item) { return static_cast<Node*>(item); }
    int numberOfChildrenOfItem(OutlineView&, OutlineItem item) override
    {
        return int(item ? node(item)->children.size() : roots.size());
    }
    OutlineItem outlineView(OutlineView&, int index, OutlineItem item) override
    {
        const auto& list = item ? node(item)->children : roots;
        return index >= 0 && index < int(list.size()) ? list[size_t(index)] : nullptr;
    }
    bool isItemExpandable(OutlineView&, OutlineItem item) override { return node(item)->expandable; }
    QVariant outlineView(OutlineView&, TableColumn* column, OutlineItem item) override
    {
        return column->identifier() == QLatin1String("Name") ? QVariant(node(item)->name) : QVariant();
    }
    void outlineView(OutlineView&, const QVariant& value, TableColumn*, OutlineItem item) override
    {
        node(item)->checked = value.toInt();
    }
    void outlineView(OutlineView&, Cell& cell, TableColumn* column, OutlineItem item) override
    {
        if (column->identifier() == QLatin1String("Check"))
            cell.setState(node(item)->checked);
    }
    void outlineViewItemDidExpand(OutlineView&, OutlineItem item) override { expanded.push_back(node(item)->name); }
    void outlineViewItemDidCollapse(OutlineView&, OutlineItem item) override { collapsed.push_back(node(item)->name); }
};

// Two groups of two files and a loose file; rows 20 points apart (18 + 2), no side spacing.
struct OutlineWindow {
    Node a{QStringLiteral("A"), {}, true}, a1{QStringLiteral("A1"), {}}, a2{QStringLiteral("A2"), {}, true};
    Node b{QStringLiteral("B"), {}, true}, b1{QStringLiteral("B1"), {}}, c{QStringLiteral("C"), {}};
    Tree tree;
    Window window{Rect(100, 100, 300, 200), WindowStyleMaskTitled, BackingStoreType::Buffered, false};
    ScrollView* scroll = window.contentView()->addSubview(std::make_unique<ScrollView>(Rect(0, 0, 300, 200)));
    OutlineView* outline = scroll->setDocumentView(std::make_unique<OutlineView>(Rect(0, 0, 300, 0)));
    uitest::Mouse mouse{window};
    OutlineWindow()
    {
        a.children = {&a1, &a2};
        b.children = {&b1};
        tree.roots = {&a, &b, &c};
        outline->setRowHeight(18);
        outline->setIntercellSpacing({0, 2});
        outline->addTableColumn(std::make_unique<TableColumn>(QStringLiteral("Name"), 250));
        auto check = std::make_unique<TableColumn>(QStringLiteral("Check"), 50);
        auto box = std::make_unique<ButtonCell>();
        box->setButtonType(ButtonType::Switch);
        check->setDataCell(std::move(box));
        outline->addTableColumn(std::move(check));
        outline->setDelegate(&tree);
        outline->setDataSource(&tree);
        window.orderFront();
    }
    ~OutlineWindow() { window.orderOut(); }
    std::vector<QString> shown() const
    {
        std::vector<QString> names;
        for (int row = 0; outline->itemAtRow(row); ++row)
            names.push_back(Tree::node(outline->itemAtRow(row))->name);
        return names;
    }
    Point at(double x, double row) const { return outline->convertPointToView({x, row * 20 + 9}, nullptr); }
};

using Names = std::vector<QString>;

} // namespace

TEST(OutlineViewTest, ExpandedItemsShowTheirChildrenIndentedBelowThem)
{
    OutlineWindow t;
    EXPECT_EQ(t.shown(), (Names{"A", "B", "C"}));
    t.outline->expandItem(&t.a);
    EXPECT_EQ(t.shown(), (Names{"A", "A1", "A2", "B", "C"}));
    EXPECT_TRUE(t.outline->isItemExpanded(&t.a));
    EXPECT_EQ(t.outline->rowForItem(&t.b1), -1) << "inside a closed group";
    // The outline column is indented by level beside its triangle; other columns are not.
    EXPECT_EQ(t.outline->frameOfCellAtColumn(0, 0), Rect(16, 1, 234, 18));
    EXPECT_EQ(t.outline->frameOfCellAtColumn(0, 1), Rect(32, 21, 218, 18));
    EXPECT_EQ(t.outline->frameOfCellAtColumn(1, 1), Rect(250, 21, 50, 18));
    EXPECT_EQ(t.outline->frameOfOutlineCellAtRow(0), Rect(0, 1, 16, 18));
    EXPECT_EQ(t.outline->frameOfOutlineCellAtRow(1), Rect()) << "a file has no triangle";
    // Items that do not expand, or are already open, send nothing.
    t.outline->expandItem(&t.c);
    t.outline->expandItem(&t.a);
    EXPECT_EQ(t.tree.expanded, (Names{"A"}));
    t.outline->collapseItem(&t.a);
    EXPECT_EQ(t.shown(), (Names{"A", "B", "C"}));
    t.outline->collapseItem(&t.a);
    EXPECT_EQ(t.tree.collapsed, (Names{"A"}));
}

TEST(OutlineViewTest, ClicksOnTheTriangleToggleAndClicksOnRowsSelect)
{
    OutlineWindow t;
    t.mouse.click(t.at(8, 0));
    EXPECT_EQ(t.shown(), (Names{"A", "A1", "A2", "B", "C"}));
    EXPECT_EQ(t.outline->selectedRow(), -1) << "the triangle does not select";
    t.mouse.click(t.at(100, 3));
    EXPECT_EQ(t.outline->selectedRow(), 3);
    // The selection follows its item when rows above it come and go.
    t.mouse.click(t.at(8, 0));
    EXPECT_EQ(t.outline->selectedRow(), 1);
    EXPECT_EQ(Tree::node(t.outline->itemAtRow(1)), &t.b);
    // A selected item that disappears takes the selection with it.
    t.tree.roots = {&t.a, &t.c};
    t.outline->reloadData();
    EXPECT_EQ(t.outline->selectedRow(), -1);
}

TEST(OutlineViewTest, CheckBoxesAreFilledAndClickedByItem)
{
    OutlineWindow t;
    t.outline->expandItem(&t.b);
    t.mouse.click(t.at(270, 2));
    EXPECT_EQ(t.b1.checked, 1);
    t.mouse.click(t.at(270, 2));
    EXPECT_EQ(t.b1.checked, 0);
}

TEST(OutlineViewTest, ReloadForgetsGroupsThatAreGoneAndLoopsEnd)
{
    OutlineWindow t;
    t.outline->expandItem(&t.a);
    t.tree.roots = {&t.b, &t.c};
    t.outline->reloadData();
    EXPECT_FALSE(t.outline->isItemExpanded(&t.a));
    // The same address back again is a new item: it starts closed.
    t.tree.roots = {&t.a, &t.b, &t.c};
    t.outline->reloadData();
    EXPECT_EQ(t.shown(), (Names{"A", "B", "C"}));
    // A tree that contains itself shows each loop once and expanding everything ends.
    t.a2.children = {&t.a};
    t.outline->expandItem(&t.a, true);
    EXPECT_EQ(t.shown(), (Names{"A", "A1", "A2", "A", "B", "C"}));
    EXPECT_EQ(t.tree.expanded, (Names{"A", "A", "A2"}));
}
