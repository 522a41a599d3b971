#include "StartupItemsViewController.h"

#include <utility>

#include "LoginItemRows.h"

#include "controls/StartItemImageAndTextCell.h"
#include "controls/StartUpItemBgTableView.h"
#include "controls/TextImageButton.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/folders/SearchPaths.h"
#include "platform/loginitems/FileURL.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/Application.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/OpenPanel.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/Window.h"
#include "platform/ui/WorkspaceIconImage.h"

using namespace platform::ui;

namespace {

const QString kName = QStringLiteral("Name");
const QString kRemove = QStringLiteral("Remove");

} // namespace

StartupItemsViewController::StartupItemsViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

StartupItemsViewController::~StartupItemsViewController()
{
    // No list change, refresh result or panel answer reaches the controller from here on.
    observation_.reset();
    lifetime_.end();
    openPanel_.reset();
    if (listTableView_) {
        listTableView_->setDataSource(nullptr);
        listTableView_->setDelegate(nullptr);
    }
}

void StartupItemsViewController::loadView()
{
    StartupItemsViewControllerView();
}

void StartupItemsViewController::StartupItemsViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    auto scroll = std::make_unique<ScrollView>(Rect(12, 56, 384, 460));
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto table = std::make_unique<StartUpItemBgTableView>(Rect(0, 0, 384, 460));
    table->setBackgroundColor(Color::clearColor());
    listTableView_ = scroll->setDocumentView(std::move(table));
    listTableView_->setRowHeight(44);
    listTableView_->setIntercellSpacing({0, 0});
    auto name = std::make_unique<TableColumn>(kName, 304);
    name->setEditable(false);
    name->setDataCell(std::make_unique<StartItemImageAndTextCell>());
    listTableView_->addTableColumn(std::move(name));
    auto remove = std::make_unique<TableColumn>(kRemove, 80);
    remove->setEditable(false);
    auto removeCell = std::make_unique<ButtonCell>();
    removeCell->setBordered(false);
    removeCell->setHighlightsBy(NoCellMask);
    remove->setDataCell(std::move(removeCell));
    listTableView_->addTableColumn(std::move(remove));
    root->addSubview(std::move(scroll));
    addButton_ = root->addSubview(
        std::make_unique<TextImageButton>(TextImageButton::LoadedFromInterfaceFile{}, Rect(264, 14, 132, 30)));
    setView(std::move(root));
}

void StartupItemsViewController::awakeFromNib()
{
    allItems_.clear();
    isScan_ = false;
    listTableView_->setDataSource(this);
    listTableView_->setDelegate(this);
    getAllItmes();
    addButton_->setButtonEnabled(true);
    addButton_->setImageFromFileNormalName(QStringLiteral("btn_secl_normal"), QStringLiteral("btn_secl_press"),
                                           QStringLiteral("btn_secl_hover"), QStringLiteral("btn_secl_disable"));
    addButton_->setTextWithName(QStringLiteral("Add Startup Items"), 12);
    addButton_->setAction([this](Button&) { addButtonAction(); });
}

void StartupItemsViewController::getAllItmes()
{
    // The observation is the controller's: it ends with it.
    observation_ = platform::Platform::current().loginItems->addObserver(
        lifetime_.guard([this] { loginItemsListDidChange(this); }));
}

void loginItemsListDidChange(StartupItemsViewController* context)
{
    // The application's first responder gives up its part: no editing stays open over the change.
    if (Window* key = NSApp().keyWindow())
        key->makeFirstResponder(nullptr);
    if (context)
        context->updateLoginItemsList();
}

void StartupItemsViewController::updateLoginItemsList()
{
    ++updates_;
    // A change while a refresh runs may come after its look: one more refresh follows it.
    if (isScan_) {
        refreshAgain_ = true;
        return;
    }
    // Set before the work is queued, so a second request meanwhile cannot start a second one.
    isScan_ = true;
    allItems_.clear();
    if (listTableView_)
        listTableView_->reloadData();
    platform::Platform& platform = platform::Platform::current();
    platform::Dispatcher* dispatcher = platform.dispatcher.get();
    const platform::LoginItemList* list = platform.loginItems.get();
    platform::Workspace* workspace = platform.workspace.get();
    auto show = lifetime_.guard([this](std::vector<LoginItemRows::Row>& found) { showItems(found); });
    dispatcher->asyncGlobal([dispatcher, list, workspace, show] {
        // A list that cannot be read gives an empty table; the next refresh tries again.
        std::vector<LoginItemRows::Row> found =
            LoginItemRows::collect(*list, *workspace).value_or(std::vector<LoginItemRows::Row>{});
        dispatcher->asyncMain([show, found = std::move(found)]() mutable { show(found); });
    });
}

void StartupItemsViewController::showItems(const std::vector<LoginItemRows::Row>& found)
{
    std::vector<ASLoginStartItemPtr> rows;
    rows.reserve(found.size());
    for (const LoginItemRows::Row& item : found) {
        auto row = std::make_shared<ASLoginStartItem>();
        // Icons are drawn here: the icon theme draws through the GUI, on the main thread.
        row->setImage(imageForWorkspaceIcon(item.icon, 24));
        row->setPath(item.path);
        row->setName(item.name);
        rows.push_back(std::move(row));
    }
    allItems_ = std::move(rows);
    if (listTableView_)
        listTableView_->reloadData();
    isScan_ = false;
    if (std::exchange(refreshAgain_, false))
        updateLoginItemsList();
}

int StartupItemsViewController::numberOfRowsInTableView(TableView&)
{
    return int(allItems_.size());
}

void StartupItemsViewController::tableView(TableView&, Cell& cell, TableColumn* column, int row)
{
    if (!column || row < 0 || std::size_t(row) >= allItems_.size())
        return;
    const ASLoginStartItemPtr item = allItems_[std::size_t(row)];
    if (column->identifier() == kName) {
        if (auto* nameCell = dynamic_cast<StartItemImageAndTextCell*>(&cell)) {
            nameCell->setImage(item->image());
            nameCell->setPrimaryTextKeyPath(item->name());
        }
    } else if (column->identifier() == kRemove) {
        if (auto* link = dynamic_cast<ButtonCell*>(&cell))
            if (const auto title = PublicUtilities::getOpenString(kRemove))
                link->setAttributedTitle(*title);
        // The row drawn is the one its link removes, whatever is selected or listed later.
        cell.setAction([this, item] { removeItemsAction(item); });
    }
}

bool StartupItemsViewController::tableView(TableView&, int)
{
    return true;
}

void StartupItemsViewController::addButtonAction()
{
    openPanel_ = OpenPanel::openPanel();
    openPanel_->setAllowsMultipleSelection(false);
    openPanel_->setCanChooseDirectories(true);
    openPanel_->setCanChooseFiles(true);
    openPanel_->setResolvesAliases(true);
    openPanel_->setFrame(Rect(0, 0, 300, 500), false);
    openPanel_->setPrompt(QStringLiteral("add"));
    const QStringList folders = platform::Platform::current().searchPaths->searchPathsForDirectory(
        platform::SearchPathDirectory::Applications, platform::SearchPathDomain::User, true);
    if (!folders.isEmpty())
        openPanel_->setDirectoryURL(platform::fileURLFromPath(folders.last(), true));
    openPanel_->beginSheetModalForWindow(NSApp().mainWindow(),
                                         lifetime_.guard([this](long response) { panelEnded(response); }));
}

void StartupItemsViewController::panelEnded(long response)
{
    openPanel_->orderOut();
    if (response != NSModalResponseOK || openPanel_->URLs().isEmpty())
        return;
    platform::Platform::current().loginItems->insertItemURL(openPanel_->URLs().first());
    updateLoginItemsList();
}

void StartupItemsViewController::removeItemsAction(const ASLoginStartItemPtr& item)
{
    if (!item)
        return;
    platform::LoginItemList& list = *platform::Platform::current().loginItems;
    if (const auto items = list.copySnapshot())
        if (const auto found = LoginItemRows::itemWithPath(list, *items, item->path()))
            list.removeItem(*found);
    updateLoginItemsList();
}
