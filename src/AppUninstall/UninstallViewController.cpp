#include "UninstallViewController.h"

#include "AMRelatedFilesViewController.h"
#include "AMSearchField.h"
#include "AppListParts.h"
#include "ApplicationFolderWalk.h"
#include "RelatedAppFilesScanner.h"
#include "UninstallRules.h"
#include "UninstallSizeCell.h"

#include "controls/BgTableView.h"
#include "controls/ImageTextCell.h"
#include "PopWindow/ModalPopUp.h"
#include "controls/PlainLabel.h"
#include "controls/TextImageButton.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/files/FileManager.h"

#include "platform/ui/Button.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/TextField.h"
#include "platform/ui/Window.h"
#include "platform/ui/WorkspaceIconImage.h"

using namespace platform::ui;

namespace {

const QString kCheckBox = QStringLiteral("CheckBox");
const QString kAppName = QStringLiteral("appname");
const QString kSize = QStringLiteral("Size");

} // namespace

UninstallViewController::UninstallViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

UninstallViewController::~UninstallViewController()
{
    cancelled_->store(true);
    lifetime_.end();
    if (listViewTabel_) {
        listViewTabel_->setDataSource(nullptr);
        listViewTabel_->setDelegate(nullptr);
    }
}

void UninstallViewController::loadView()
{
    UninstallViewControllerView();
}

void UninstallViewController::UninstallViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    const Rect searchFrame(12, 488, 384, 28);
    textField_ = root->addSubview(AppListParts::searchField(searchFrame));
    closeBut_ = root->addSubview(AppListParts::clearButton(searchFrame));

    auto scroll = std::make_unique<ScrollView>(Rect(12, 52, 384, 424));
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto table = std::make_unique<BgTableView>(Rect(0, 0, 384, 424));
    table->setBackgroundColor(Color::clearColor());
    listViewTabel_ = scroll->setDocumentView(std::move(table));
    listViewTabel_->setRowHeight(40);
    listViewTabel_->setIntercellSpacing({0, 0});
    listViewTabel_->setRowNum(-1);
    auto check = std::make_unique<TableColumn>(kCheckBox, 36);
    check->setEditable(false);
    check->setDataCell(makeImageOnlyCell());
    listViewTabel_->addTableColumn(std::move(check));
    auto name = std::make_unique<TableColumn>(kAppName, 258);
    name->setEditable(false);
    auto nameCell = std::make_unique<ImageTextCell>();
    nameCell->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13));
    name->setDataCell(std::move(nameCell));
    listViewTabel_->addTableColumn(std::move(name));
    auto size = std::make_unique<TableColumn>(kSize, 90);
    size->setEditable(false);
    auto sizeCell = std::make_unique<UninstallSizeCell>();
    sizeCell->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 12));
    size->setDataCell(std::move(sizeCell));
    listViewTabel_->addTableColumn(std::move(size));
    root->addSubview(std::move(scroll));

    auto selectAll = std::make_unique<Button>(Rect(20, 18, 18, 18));
    selectAll->setBordered(false);
    selectAll->setImagePosition(CellImagePosition::ImageOnly);
    selectAllBut_ = root->addSubview(std::move(selectAll));
    selectCountLabel_ = root->addSubview(AppListParts::label(
        Rect(44, 16, 240, 22), QString(), Font::fontWithName(PublicUtilities::getRegularFontName(), 13)));
    uninstallButton_ = root->addSubview(std::make_unique<TextImageButton>(Rect(300, 9, 96, 30)));
    setView(std::move(root));
}

void UninstallViewController::awakeFromNib()
{
    uninstallButton_->setImageFromFileNormalName(QStringLiteral("btn_main"), QStringLiteral("btn_main_press"),
                                                 QStringLiteral("btn_main_hover"), QStringLiteral("btn_main_disable"));
    uninstallButton_->setTextWithName(QStringLiteral("Uninstall"), 16);
    uninstallButton_->setAction([this](Button&) { uninstallAppButtonAction(); });
    uninstallButton_->setButtonEnabled(false);
    listViewTabel_->setDelegate(this);
    listViewTabel_->setDataSource(this);
    optionYes_ = Image::imageNamed(QStringLiteral("option_yes"));
    optionNo_ = Image::imageNamed(QStringLiteral("option_no"));
    selectAllBut_->setAction([this](Button&) { selectAllButtonAction(); });
    changeSelectAllButtonState();
    begimScanFile();
    textField_->setDidBeginEditing([this] { closeBut_->setHidden(false); });
    textField_->setDidChange([this] { searchTextDidChange(); });
    closeBut_->setAction([this](Button&) { closeButtonAction(); });
}

void UninstallViewController::begimScanFile()
{
    searchPaths_ = PublicUtilities::applicationPaths();
    allApplications_.clear();
    installed_.clear();
    uninsatllAppArr_.clear();
    // Set and cleared on the main thread, where the check boxes and Uninstall read it.
    isScan_ = true;
    platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
    const auto end = lifetime_.guard([this] {
        isScan_ = false;
        changeSelectAllButtonState();
    });
    dispatcher->asyncGlobal([folders = searchPaths_, dispatcher, add = handOver(), end, cancelled = cancelled_] {
        for (const QString& folder : folders)
            ApplicationFolderWalk::applicationsInPath(folder, [&](const QString& path) {
                add(path);
                return !cancelled->load();
            });
        dispatcher->asyncMain(end);
    });
}

void UninstallViewController::refButtonAction()
{
    // A rescan beside the running scan would list every application twice.
    if (isScan_)
        return;
    showListArr_.clear();
    listViewTabel_->reloadData();
    uninsatllAppArr_.clear();
    allApplications_.clear();
    installed_.clear();
    // The records that went may free addresses the new ones take.
    images_.clear();
    for (const QString& folder : std::as_const(searchPaths_))
        applicationsInPath(folder);
    changeSelectAllButtonState();
}

void UninstallViewController::applicationsInPath(const QString& folder)
{
    const auto add = handOver();
    ApplicationFolderWalk::applicationsInPath(folder, [&](const QString& path) {
        add(path);
        return true;
    });
}

std::function<void(const QString&)> UninstallViewController::handOver()
{
    platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
    const auto add = lifetime_.guard([this](const AMAppItemPtr& item, const Installed& installed) {
        addApplication(item, installed);
    });
    return [dispatcher, add](const QString& path) {
        dispatcher->asyncMain([add, item = RelatedAppFilesScanner::constructItem(path, true),
                               installed = RelatedAppFilesScanner::installedApplication(path)] { add(item, installed); });
    };
}

void UninstallViewController::addApplication(const AMAppItemPtr& item, const Installed& installed)
{
    // System applications too own their files.
    installed_.append(installed);
    if (item->isSystemApp)
        return;
    allApplications_.append(item);
    showListArr_.append(item);
    listViewTabel_->reloadData();
}

int UninstallViewController::numberOfRowsInTableView(TableView&)
{
    return int(showListArr_.size());
}

Image UninstallViewController::imageOf(const AMAppItem& item)
{
    auto known = images_.constFind(&item);
    if (known != images_.constEnd())
        return *known;
    const Image image = imageForWorkspaceIcon(item.image, 24);
    images_.insert(&item, image);
    return image;
}

void UninstallViewController::tableView(TableView&, Cell& cell, TableColumn* column, int row)
{
    if (!column || row < 0 || row >= showListArr_.size())
        return;
    const AMAppItemPtr item = showListArr_[row];
    if (column->identifier() == kAppName) {
        if (auto* nameCell = dynamic_cast<ImageTextCell*>(&cell)) {
            nameCell->setImage(imageOf(*item));
            nameCell->setNameStr(UninstallRules::displayName(item->name));
        }
    } else if (column->identifier() == kCheckBox) {
        cell.setImage(isTicked(item) ? optionYes_ : optionNo_);
        // The box ticks the record of its own row, not whichever row is selected.
        cell.setAction([this, item] { clickButtonAction(item); });
    } else if (column->identifier() == kSize) {
        cell.setEditable(false);
        if (!item->bIsGetSize) {
            item->bIsGetSize = true;
            measureSize(item);
        }
        if (auto* sizeCell = dynamic_cast<UninstallSizeCell*>(&cell))
            sizeCell->setNameStr(item->size);
    }
}

void UninstallViewController::measureSize(const AMAppItemPtr& item)
{
    platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
    // The text is written into the record on the main thread, and only while this list lives.
    const auto measured = lifetime_.guard([this, item](const QString& size) { sizeMeasured(item, size); });
    dispatcher->asyncGlobal([dispatcher, path = item->path, measured, cancelled = cancelled_] {
        if (cancelled->load())
            return;
        QString size = RelatedAppFilesScanner::getFileSizeItem(path);
        dispatcher->asyncMain([measured, size = std::move(size)] { measured(size); });
    });
}

void UninstallViewController::sizeMeasured(const AMAppItemPtr& item, const QString& size)
{
    item->size = size;
    // The record's row now, which a search may have moved.
    const int row = int(showListArr_.indexOf(item));
    const int column = listViewTabel_->columnWithIdentifier(kSize);
    if (row >= 0 && column >= 0)
        listViewTabel_->setNeedsDisplayInRect(listViewTabel_->frameOfCellAtColumn(column, row));
}

bool UninstallViewController::tableView(TableView&, int row)
{
    selectRow_ = row;
    listViewTabel_->setRowNum(row);
    listViewTabel_->setNeedsDisplay();
    return true;
}

void UninstallViewController::tableViewSelectionDidChange(TableView& tableView)
{
    if (tableView.selectedRow() < 0)
        selectRow_ = -1;
}

void UninstallViewController::clickButtonAction(const AMAppItemPtr& item)
{
    if (isScan_ || !item)
        return;
    if (!uninsatllAppArr_.removeOne(item))
        uninsatllAppArr_.append(item);
    listViewTabel_->reloadData();
    changeSelectAllButtonState();
}

void UninstallViewController::selectAllButtonAction()
{
    const qsizetype ticked = uninsatllAppArr_.size();
    uninsatllAppArr_.clear();
    if (ticked != showListArr_.size())
        uninsatllAppArr_ = showListArr_;
    listViewTabel_->reloadData();
    changeSelectAllButtonState();
}

void UninstallViewController::changeSelectAllButtonState()
{
    const std::size_t ticked = std::size_t(uninsatllAppArr_.size());
    const std::size_t shown = std::size_t(showListArr_.size());
    uninstallButton_->setButtonEnabled(ticked > 0);
    selectAllBut_->setImage(Image::imageNamed(UninstallRules::checkImageName(ticked, shown)));
    selectCountLabel_->setAttributedStringValue(UninstallRules::countLabel(
        ticked, shown, selectCountLabel_->font(), Font::fontWithName(PublicUtilities::getBoldFontName(), 13)));
}

void UninstallViewController::searchTextDidChange()
{
    const QString text = textField_->stringValue();
    showListArr_.clear();
    for (const AMAppItemPtr& item : std::as_const(allApplications_))
        if (UninstallRules::uninstallMatches(item->name, text))
            showListArr_.append(item);
    listViewTabel_->reloadData();
    changeSelectAllButtonState();
}

void UninstallViewController::closeButtonAction()
{
    closeBut_->setHidden(true);
    textField_->setStringValue(QString());
    if (Window* window = textField_->window())
        window->makeFirstResponder(textField_);
    searchTextDidChange();
}

void UninstallViewController::oneAppRemove()
{
    if (isScan_)
        return;
    isUninsatllOne_ = true;
    const int row = listViewTabel_->selectedRow();
    if (row < 0 || row >= showListArr_.size())
        return;
    if (Cell* cell = listViewTabel_->preparedCellAtColumn(listViewTabel_->columnWithIdentifier(kCheckBox), row))
        cell->setImage(Image::imageNamed(QStringLiteral("cell_uninstall_hover")));
    // Gathered and not shown: this mode has no window of its own.
    RelatedAppFilesScanner::relatedFilesToApplicationAtPath(showListArr_[row]->path, installed_);
}

void UninstallViewController::uninstallAppButtonAction()
{
    if (isScan_)
        return;
    isUninsatllOne_ = false;
    if (uninsatllAppArr_.isEmpty())
        return;
    QList<AMAppItemGroup> groups;
    for (const AMAppItemPtr& item : std::as_const(uninsatllAppArr_))
        groups.append(RelatedAppFilesScanner::relatedFilesToApplicationAtPath(item->path, installed_));
    amVC_ = std::make_unique<AMRelatedFilesViewController>();
    amVC_->setDelegate(this);
    amVC_->setAllRelaltedFiles(std::move(groups));
    runModalPopUp(*amVC_);
}

void UninstallViewController::completeCleanRelatedFiles()
{
    // Only what left the disk leaves the list; an application that stayed can be tried again.
    platform::FileManager& files = *platform::Platform::current().fileManager;
    allApplications_.removeIf([&files](const AMAppItemPtr& item) { return !files.fileExistsAtPath(item->path); });
    uninsatllAppArr_.clear();
    showListArr_ = allApplications_;
    changeSelectAllButtonState();
    listViewTabel_->reloadData();
}
