#include "ApplicationsViewController.h"

#include "AMSearchField.h"
#include "AppListParts.h"
#include "ApplicationFolderWalk.h"
#include "RelatedAppFilesScanner.h"
#include "UninstallRules.h"

#include "controls/BgTableView.h"
#include "controls/ImageAndTextCell.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/Button.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/Window.h"
#include "platform/ui/WorkspaceIconImage.h"

#include <algorithm>

using namespace platform::ui;

namespace {

const QString kName = QStringLiteral("Name");
const QString kOpen = QStringLiteral("Open");

bool byName(const AMAppItemPtr& a, const AMAppItemPtr& b)
{
    return a->name < b->name; // code units: upper-case initials first
}

} // namespace

ApplicationsViewController::ApplicationsViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

ApplicationsViewController::~ApplicationsViewController()
{
    cancelled_->store(true);
    lifetime_.end();
    openTimer_.reset();
    if (listTableView_) {
        listTableView_->setDataSource(nullptr);
        listTableView_->setDelegate(nullptr);
    }
}

void ApplicationsViewController::loadView()
{
    ApplicationsViewControllerView();
}

void ApplicationsViewController::ApplicationsViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    const Rect searchFrame(12, 488, 384, 28);
    textField_ = root->addSubview(AppListParts::searchField(searchFrame));
    closeBut_ = root->addSubview(AppListParts::clearButton(searchFrame));

    auto scroll = std::make_unique<ScrollView>(Rect(12, 12, 384, 464));
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto table = std::make_unique<BgTableView>(Rect(0, 0, 384, 464));
    table->setBackgroundColor(Color::clearColor());
    listTableView_ = scroll->setDocumentView(std::move(table));
    listTableView_->setRowHeight(48);
    listTableView_->setIntercellSpacing({0, 0});
    listTableView_->setRowNum(-1);
    auto name = std::make_unique<TableColumn>(kName, 304);
    name->setEditable(false);
    auto nameCell = std::make_unique<ImageAndTextCell>();
    nameCell->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13));
    name->setDataCell(std::move(nameCell));
    listTableView_->addTableColumn(std::move(name));
    auto open = std::make_unique<TableColumn>(kOpen, 80);
    open->setEditable(false);
    auto openCell = std::make_unique<ButtonCell>();
    openCell->setBordered(false);
    openCell->setHighlightsBy(NoCellMask);
    open->setDataCell(std::move(openCell));
    listTableView_->addTableColumn(std::move(open));
    root->addSubview(std::move(scroll));
    setView(std::move(root));
}

void ApplicationsViewController::awakeFromNib()
{
    listTableView_->setDataSource(this);
    listTableView_->setDelegate(this);
    getApplications();
    textField_->setDidBeginEditing([this] { closeBut_->setHidden(false); });
    textField_->setDidChange([this] { searchBarAction(); });
    closeBut_->setAction([this](Button&) { closeButtonAction(); });
}

void ApplicationsViewController::getApplications()
{
    textField_->setEnabled(false);
    scanning_ = true;
    allApplications_.clear();
    platform::Platform& platform = platform::Platform::current();
    platform::Dispatcher* dispatcher = platform.dispatcher.get();
    platform::Workspace* workspace = platform.workspace.get();
    const auto add = lifetime_.guard([this](const AMAppItemPtr& item) { addApplication(item); });
    const auto end = lifetime_.guard([this] { endScan(); });
    dispatcher->asyncGlobal([folders = PublicUtilities::applicationPaths(), dispatcher, workspace, add, end,
                             cancelled = cancelled_] {
        const auto hand = [&](AMAppItemPtr item) {
            dispatcher->asyncMain([add, item = std::move(item)] { add(item); });
            return !cancelled->load();
        };
        for (const QString& folder : folders)
            ApplicationFolderWalk::applicationsInPath(
                folder, [&](const QString& path) { return hand(RelatedAppFilesScanner::constructItem(path, true)); });
        if (!cancelled->load())
            for (const platform::DesktopApplication& application : workspace->desktopApplications())
                if (!hand(RelatedAppFilesScanner::constructItem(application)))
                    break;
        // Queued after every record, so the search source is the whole list.
        dispatcher->asyncMain(end);
    });
}

void ApplicationsViewController::addApplication(const AMAppItemPtr& item)
{
    allApplications_.insert(std::upper_bound(allApplications_.begin(), allApplications_.end(), item, byName), item);
    listTableView_->reloadData();
}

void ApplicationsViewController::endScan()
{
    oldAllApplications_ = allApplications_;
    scanning_ = false;
    textField_->setEnabled(true);
}

int ApplicationsViewController::numberOfRowsInTableView(TableView&)
{
    return int(allApplications_.size());
}

Image ApplicationsViewController::imageOf(const AMAppItem& item)
{
    auto known = images_.constFind(&item);
    if (known != images_.constEnd())
        return *known;
    const Image image = imageForWorkspaceIcon(item.image, 32);
    images_.insert(&item, image);
    return image;
}

void ApplicationsViewController::tableView(TableView&, Cell& cell, TableColumn* column, int row)
{
    if (!column || row < 0 || row >= allApplications_.size())
        return;
    const AMAppItemPtr item = allApplications_[row];
    if (column->identifier() == kName) {
        if (auto* nameCell = dynamic_cast<ImageAndTextCell*>(&cell)) {
            nameCell->setImage(imageOf(*item));
            nameCell->setPrimaryTextKeyPath(UninstallRules::displayName(item->name));
        }
    } else if (column->identifier() == kOpen) {
        if (auto* link = dynamic_cast<ButtonCell*>(&cell)) {
            if (const auto title = PublicUtilities::getOpenString(QStringLiteral("Open")))
                link->setAttributedTitle(*title);
        }
        // The record of the row drawn is the one the link opens, whatever the list does later.
        cell.setAction([this, item] { openItemsAction(item); });
    }
}

bool ApplicationsViewController::tableView(TableView&, int row)
{
    listTableView_->setSelectRow(row);
    selectIndex_ = row;
    if (row < 0 || row >= allApplications_.size())
        return true;
    // The record clicked now is opened, even when rows arrive or the search changes meanwhile.
    pendingOpen_ = allApplications_[row];
    openTimer_ = platform::Platform::current().dispatcher->scheduledTimer(kOpenDelay, false, lifetime_.guard([this] {
        const AMAppItemPtr item = std::move(pendingOpen_);
        pendingOpen_.reset();
        if (item)
            openApp(item);
    }));
    return true;
}

void ApplicationsViewController::openApp(const AMAppItemPtr& item)
{
    platform::Workspace& workspace = *platform::Platform::current().workspace;
    // A desktop entry starts its program as the link does; opened as a file it would show as text.
    if (item->path.endsWith(QLatin1String(".desktop")))
        workspace.launchApplication(item->path);
    else
        workspace.openFile(item->path);
}

void ApplicationsViewController::openItemsAction(const AMAppItemPtr& item)
{
    // The click on the link selected its row too: one start of the program is enough.
    if (pendingOpen_ == item) {
        pendingOpen_.reset();
        openTimer_.reset();
    }
    platform::Platform::current().workspace->launchApplication(item->path);
}

void ApplicationsViewController::searchBarAction()
{
    const QString text = textField_->stringValue();
    allApplications_.clear();
    for (const AMAppItemPtr& item : std::as_const(oldAllApplications_))
        if (UninstallRules::applicationMatches(item->name, text))
            allApplications_.append(item);
    listTableView_->reloadData();
}

void ApplicationsViewController::closeButtonAction()
{
    closeBut_->setHidden(true);
    textField_->setStringValue(QString());
    if (Window* window = textField_->window())
        window->makeFirstResponder(textField_);
    searchBarAction();
}
