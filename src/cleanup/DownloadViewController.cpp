#include "DownloadViewController.h"

#include "controls/PlainLabel.h"
#include "Controller.h"
#include "DownloadsFolder.h"
#include "Progress.h"
#include "ProgressViewController.h"

#include "controls/AImageAndTextCell.h"
#include "controls/DowndLoadOutLineView.h"
#include "controls/DownloadTableHeaderView.h"
#include "controls/EUProgressView.h"
#include "PopWindow/ModalPopUp.h"
#include "controls/TableViewBgView.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"
#include "platform/text/StringFormat.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/ButtonCell.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TableColumn.h"
#include "platform/ui/TextField.h"
#include "platform/ui/WorkspaceIconImage.h"

using namespace platform::ui;

namespace {

const QString kCheckBox = QStringLiteral("CheckBox");
const QString kName = QStringLiteral("Name");
const QString kSize = QStringLiteral("Size");
const QString kOpenFinder = QStringLiteral("OpenFinder");

FileNode* nodeOf(OutlineItem item)
{
    return static_cast<FileNode*>(item);
}

} // namespace

DownloadViewController::DownloadViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

DownloadViewController::~DownloadViewController()
{
    lifetime_.end();
    sortTimer_.reset();
    progressTimer_.reset();
    Controller& controller = Controller::getController();
    if (scanActive_)
        controller.stopScan();
    if (isRemove_)
        controller.stopRemove();
    if (controller.aDelegate() == this)
        controller.setADelegate(nullptr);
    if (outlineView_) {
        outlineView_->setDataSource(nullptr);
        outlineView_->setDelegate(nullptr);
    }
}

void DownloadViewController::loadView()
{
    DownloadViewControllerView();
}

void DownloadViewController::DownloadViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 560, 440));
    const Color ink = getColor(51, 57, 81, 1);

    auto close = std::make_unique<Button>(Rect(14, 414, 14, 14));
    close->setBordered(false);
    close->setImagePosition(CellImagePosition::ImageOnly);
    close->setImage(Image::imageNamed(QStringLiteral("window-button-close-active")));
    close->setAlternateImage(Image::imageNamed(QStringLiteral("window-button-close-hover")));
    close->setAction([this](Button&) { closeWindowAction(); });
    root->addSubview(std::move(close));

    selectPathView_ = root->addSubview(makePlainLabel(Rect(32, 370, 336, 18), QString(),
                                                        Font::fontWithName(PublicUtilities::getLightFontName(), 12),
                                                        getColor(122, 129, 153, 1)));
    scanProgressView_ = root->addSubview(std::make_unique<View>(Rect(16, 362, 352, 40)));
    progressLable_ = root->addSubview(makePlainLabel(Rect(32, 386, 160, 16), QString(), Font::systemFontOfSize(12), ink));
    pauseButton_ = root->addSubview(
        TextImageButton::withImageSet(Rect(384, 366, 76, 28), QStringLiteral("btn_sec"), QString(), true, [this] { pauseButtonAction(); }));
    stopScanButton_ = root->addSubview(TextImageButton::withImageSet(Rect(468, 366, 76, 28), QStringLiteral("btn_sec"), QString(), true,
                                                  [this] { stopScanButtonAction(); }));

    auto below = std::make_unique<View>(Rect(16, 48, 528, 312));
    auto header = std::make_unique<DownloadTableHeaderView>(Rect(0, 286, 528, 26));
    const Font headerFont = Font::fontWithName(PublicUtilities::getRegularFontName(), 12);
    header->addSubview(makePlainLabel(Rect(36, 6, 200, 17), kName, headerFont, ink));
    header->addSubview(makePlainLabel(Rect(392, 6, 100, 17), kSize, headerFont, ink));
    headerView_ = below->addSubview(std::move(header));
    auto card = std::make_unique<TableViewBgView>(Rect(0, 5, 528, 286));
    auto scroll = std::make_unique<ScrollView>(Rect(0, 0, 528, 286));
    scroll->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto outline = std::make_unique<DowndLoadOutLineView>(Rect(0, 0, 528, 286));
    outline->setBackgroundColor(Color::clearColor());
    outline->setRowHeight(24);
    outline->setIntercellSpacing({0, 0});
    outline->setRowNum(-1);
    outlineView_ = scroll->setDocumentView(std::move(outline));

    auto check = std::make_unique<TableColumn>(kCheckBox, 30);
    check->setDataCell(makeImageOnlyCell());
    selectButton_ = static_cast<ButtonCell*>(check->dataCell());
    outlineView_->addTableColumn(std::move(check));
    auto name = std::make_unique<TableColumn>(kName, 355);
    name->setEditable(false);
    auto nameCell = std::make_unique<AImageAndTextCell>();
    nameCell->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13));
    nameCell->setLineBreakMode(LineBreakMode::ByTruncatingMiddle);
    name->setDataCell(std::move(nameCell));
    outlineView_->setOutlineTableColumn(outlineView_->addTableColumn(std::move(name)));
    auto size = std::make_unique<TableColumn>(kSize, 110);
    size->setEditable(false);
    size->dataCell()->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 12));
    outlineView_->addTableColumn(std::move(size));
    auto open = std::make_unique<TableColumn>(kOpenFinder, 33);
    open->setDataCell(makeImageOnlyCell());
    openFinder_ = static_cast<ButtonCell*>(open->dataCell());
    outlineView_->addTableColumn(std::move(open));
    card->addSubview(std::move(scroll));
    outlineBgView_ = below->addSubview(std::move(card));
    outlineBlowView_ = root->addSubview(std::move(below));
    noFolderLabel_ = root->addSubview(makePlainLabel(Rect(16, 200, 528, 20), QStringLiteral("There is no Downloads folder to clean."),
                                                     Font::fontWithName(PublicUtilities::getLightFontName(), 14),
                                                     getColor(122, 129, 153, 1), TextAlignment::Center));
    noFolderLabel_->setHidden(true);

    auto selectAll = std::make_unique<Button>(Rect(22, 17, 18, 18));
    selectAll->setBordered(false);
    selectAll->setImagePosition(CellImagePosition::ImageOnly);
    selectAll->setAction([this](Button&) { setAllSelectOrNoSelect(); });
    selectAllButton_ = root->addSubview(std::move(selectAll));
    root->addSubview(makePlainLabel(Rect(46, 16, 80, 20), QStringLiteral("Select All"),
                                      Font::fontWithName(PublicUtilities::getRegularFontName(), 12), ink));
    root->addSubview(TextImageButton::withImageSet(Rect(136, 10, 76, 30), QStringLiteral("btn_sec"), QStringLiteral("Rescan"), true,
                                [this] { reScanButtonAction(); }));
    moveToTrashButton_ = root->addSubview(TextImageButton::withImageSet(Rect(296, 10, 120, 30), QStringLiteral("btn_secl"), QString(), false,
                                                     [this] { moveFileToTarsh(); }));
    deleteButton_ = root->addSubview(TextImageButton::withImageSet(Rect(424, 10, 120, 30), QStringLiteral("btn_secl"), QString(), false,
                                                [this] { deleteFiles(); }));
    setView(std::move(root));
}

void DownloadViewController::awakeFromNib()
{
    outlineView_->setDataSource(this);
    outlineView_->setDelegate(this);
    Controller::getController().setADelegate(this);

    if (!titleLabel_) {
        auto title = makePlainLabel(Rect(80, 412, 400, 22), QStringLiteral("Tavrin"),
                                      Font::fontWithName(PublicUtilities::getLightFontName(), 14),
                                      Color::blackColor(), TextAlignment::Center);
        title->setBackgroundColor(Color::controlBackgroundColor());
        titleLabel_ = view()->addSubview(std::move(title));
    }
    pauseButton_->setTextWithName(QStringLiteral("Pause"), 12);
    stopScanButton_->setTextWithName(QStringLiteral("Stop Scan"), 12);
    moveToTrashButton_->setTextWithName(QStringLiteral("Move to Trash"), 12);
    deleteButton_->setTextWithName(QStringLiteral("Completely Erase"), 12);

    auto bar = std::make_unique<EUProgressView>(Rect(16, 17, 336, 6));
    bar->changeProgressValue(0);
    bar->setAutoresizingMask(ViewWidthSizable);
    scanProgress_ = scanProgressView_->addSubview(std::move(bar));

    optionYes_ = Image::imageNamed(QStringLiteral("option_yes"));
    optionA_ = Image::imageNamed(QStringLiteral("option_a"));
    optionNo_ = Image::imageNamed(QStringLiteral("option_no"));
    openFinder_->setImage(Image::imageNamed(QStringLiteral("ic_open")));
    selectAllButton_->setImage(optionNo_);
}

bool DownloadViewController::isExpandableNode(const QByteArray& name, bool hasChildren)
{
    return hasChildren && !name.endsWith(".app") && !name.endsWith(".framework");
}

void DownloadViewController::doScanWithPath(const QString& path)
{
    view();
    filePath_ = path;
    noFolderLabel_->setHidden(true);
    selectPathView_->setHidden(true);
    scanProgressView_->setHidden(false);
    pauseButton_->setHidden(false);
    stopScanButton_->setHidden(false);
    progressLable_->setHidden(false);
    scanProgress_->changeProgressValue(0);
    Progress::isPause(false);
    changeOutlineViewScanFrame();
    if (!sortTimer_ && !progressTimer_) {
        platform::Dispatcher& dispatcher = *platform::Platform::current().dispatcher;
        sortTimer_ = dispatcher.scheduledTimer(kReloadInterval, true, lifetime_.guard([this] { timerToReloadTreeList(); }));
        progressTimer_ = dispatcher.scheduledTimer(kProgressInterval, true, lifetime_.guard([this] { getProgress(); }));
    }
    getRootNodeListWithPath(path);
}

void DownloadViewController::scanCheckedFolder(const DownloadsFolderCheck& found)
{
    Controller::getController().setProtectedFolders(found.protectedFolders);
    if (found.status == DownloadsFolderCheck::Status::Usable)
        return doScanWithPath(found.path);
    platform::NSLog(QStringLiteral("Downloads cleaner: nothing to clean at \"%1\": %2")
                        .arg(found.path, found.reason.isEmpty() ? QStringLiteral("nothing is there") : found.reason));
    view();
    filePath_ = found.path;
    rootNodeArr_.clear();
    icons_.clear();
    endScan();
    changeOutlineViewEndScanFrame();
    changeSelectAllButtonState(0);
    noFolderLabel_->setHidden(false);
}

void DownloadViewController::getRootNodeListWithPath(const QString& path)
{
    isScan_ = true;
    scanActive_ = true;
    rootNodeArr_.clear();
    icons_.clear();
    outlineView_->reloadData();
    updateRemoveButtons();
    Controller::getController().eumeAllRootFileNodeWithRootArr(rootNodeArr_, path);
}

void DownloadViewController::reScanButtonAction()
{
    if (isRemove_ || checkingFolder_)
        return;
    // The scan under way (running or paused) ends before the new one starts.
    if (scanActive_) {
        endScan();
        Controller::getController().stopScan();
    }
    setPauseTitle(QStringLiteral("Pause"));
    checkingFolder_ = true;
    updateRemoveButtons();
    DownloadsFolderCheck::checkInBackground(lifetime_.guard([this](const DownloadsFolderCheck& found) {
        checkingFolder_ = false;
        scanCheckedFolder(found);
    }));
}

void DownloadViewController::timerToReloadTreeList()
{
    if (isScan_)
        outlineView_->reloadData();
}

void DownloadViewController::getProgress()
{
    if (!isScan_)
        return;
    const float progress = Controller::getController().getProgress();
    scanProgress_->changeProgressValue(progress);
    progressLable_->setStringValue(platform::stringWithFormat("%.1f%%", double(progress)));
    if (progress >= 100 || progress == -1)
        endProScan();
}

void DownloadViewController::endProScan()
{
    // The controller hands the end over on the main thread.
    endScan();
    changeOutlineViewEndScanFrame();
    // All, unless boxes were cleared while the scan was paused.
    Controller::getController().changeSelectAllButtonState();
}

void DownloadViewController::endScan()
{
    outlineView_->reloadData();
    sortTimer_.reset();
    progressTimer_.reset();
    isScan_ = false;
    scanActive_ = false;
    progressLable_->setHidden(true);
    pauseButton_->setHidden(true);
    stopScanButton_->setHidden(true);
    scanProgressView_->setHidden(true);
    updateRemoveButtons();
}

void DownloadViewController::changeOutlineViewScanFrame()
{
    outlineBgView_->setFrame(Rect(0, 5, 528, 286));
    outlineBlowView_->setFrame(Rect(16, 48, 528, 312));
    headerView_->setFrame(Rect(0, 286, 528, 26));
}

void DownloadViewController::changeOutlineViewEndScanFrame()
{
    isFrist_ = false;
    outlineBgView_->setFrame(Rect(0, 5, 528, 326));
    outlineBlowView_->setFrame(Rect(16, 48, 528, 352));
    headerView_->setFrame(Rect(0, 326, 528, 26));
}

void DownloadViewController::setPauseTitle(const QString& title)
{
    pauseButton_->setTextWithName(title, 12);
    pauseButton_->setNeedsDisplay();
}

void DownloadViewController::pauseButtonAction()
{
    if (!scanActive_)
        return;
    outlineView_->reloadData();
    isScan_ = !isScan_;
    setPauseTitle(isScan_ ? QStringLiteral("Pause") : QStringLiteral("Continue"));
    Controller& controller = Controller::getController();
    controller.pauseScan();
    // While paused the buttons follow the selection.
    if (isScan_)
        updateRemoveButtons();
    else
        controller.changeSelectAllButtonState();
}

void DownloadViewController::stopScanButtonAction()
{
    const bool active = scanActive_;
    endScan();
    Controller& controller = Controller::getController();
    if (active)
        controller.stopScan();
    changeOutlineViewEndScanFrame();
    setPauseTitle(QStringLiteral("Pause"));
    // What was ticked, also while paused, may go now.
    controller.changeSelectAllButtonState();
}

void DownloadViewController::closeWindowAction()
{
    if (!isScan_) {
        setPauseTitle(QStringLiteral("Pause"));
        isScan_ = true;
    }
    const bool active = scanActive_;
    endScan();
    Controller& controller = Controller::getController();
    if (active)
        controller.stopScan();
    if (isRemove_) {
        isRemove_ = false;
        controller.stopRemove();
    }
    rootNodeArr_.clear();
    outlineView_->reloadData();
    changeSelectAllButtonState(0);
    changeOutlineViewScanFrame();
    NSApp().stopModal();
}

void DownloadViewController::setAllSelectOrNoSelect()
{
    if (isScan_ || isRemove_ || rootNodeArr_.empty())
        return;
    const bool all = selectAllButSt_ != 1;
    selectAllButSt_ = all ? 1 : 0;
    selectAllButton_->setImage(all ? optionYes_ : optionNo_);
    Controller::getController().selectAllFileNode(all);
    updateRemoveButtons();
}

void DownloadViewController::changeSelectAllButtonState(int32_t state)
{
    selectAllButSt_ = rootNodeArr_.empty() ? 0 : state;
    selectAllButton_->setImage(selectAllButSt_ == 1 ? optionYes_ : selectAllButSt_ == 2 ? optionA_ : optionNo_);
    updateRemoveButtons();
}

bool DownloadViewController::canRemove() const
{
    return !isScan_ && !isRemove_ && !checkingFolder_ && selectAllButSt_ != 0 && !Controller::getController().isScanRunning();
}

void DownloadViewController::updateRemoveButtons()
{
    const bool enabled = canRemove();
    moveToTrashButton_->setButtonEnabled(enabled);
    deleteButton_->setButtonEnabled(enabled);
}

void DownloadViewController::moveFileToTarsh()
{
    if (!canRemove())
        return;
    if (!Controller::getController().moveFileToTarshWithDic(rootNodeArr_))
        return;
    doRemoveAction();
}

void DownloadViewController::deleteFiles()
{
    if (!canRemove())
        return;
    if (!Controller::getController().deleteFilesWithDic(rootNodeArr_))
        return;
    doRemoveAction();
}

void DownloadViewController::doRemoveAction()
{
    isRemove_ = true;
    updateRemoveButtons();
    titleLabel_->setStringValue(QStringLiteral("Tavrin"));
    progressView_ = std::make_unique<ProgressViewController>();
    progressView_->setDelegate(this);
    runModalPopUp(*progressView_);
}

void DownloadViewController::changeRemoveProgressWithPoint(int32_t percent, const QString& path)
{
    if (progressView_)
        progressView_->changeProgressValue(percent, path);
    if (percent >= 100) {
        isRemove_ = false;
        updateRemoveButtons();
    }
}

Color DownloadViewController::getFileColor(uint64_t size)
{
    if (size >= 1000000000000)
        return Color::colorWithRed(1, 0, 0, 1);
    if (size >= 1000000000)
        return Color::colorWithRed(1, 0.5, 0, 1); // the platform's orange
    if (size >= 1000000)
        return Color::colorWithDeviceRed(85 / 255.0, 215 / 255.0, 135 / 255.0, 1);
    return Color::blackColor();
}

QString DownloadViewController::removalEndText(int32_t failed)
{
    if (failed <= 0)
        return QStringLiteral("Tavrin");
    return failed == 1 ? QStringLiteral("1 item could not be removed")
                       : QStringLiteral("%1 items could not be removed").arg(failed);
}

void DownloadViewController::endRemoveWithFailedCount(int32_t failed)
{
    titleLabel_->setStringValue(removalEndText(failed));
}

void DownloadViewController::stopRemove()
{
    isRemove_ = false;
    Controller::getController().stopRemove();
}

void DownloadViewController::reloadTreeList()
{
    outlineView_->reloadData();
}

int DownloadViewController::numberOfChildrenOfItem(OutlineView&, OutlineItem item)
{
    return int(item ? nodeOf(item)->children().size() : rootNodeArr_.size());
}

OutlineItem DownloadViewController::outlineView(OutlineView&, int index, OutlineItem item)
{
    const FileNodeList& list = item ? nodeOf(item)->children() : rootNodeArr_;
    if (index < 0 || std::size_t(index) >= list.size()) {
        platform::NSLog(QStringLiteral("-------Error children"));
        return nullptr;
    }
    return list[std::size_t(index)].get();
}

bool DownloadViewController::isItemExpandable(OutlineView&, OutlineItem item)
{
    const FileNode* node = nodeOf(item);
    // At every reload for every row shown: the name is looked at only for a folder with contents.
    return node && !node->children().empty() && isExpandableNode(node->nativeName(), true);
}

QVariant DownloadViewController::outlineView(OutlineView&, TableColumn* column, OutlineItem item)
{
    const FileNode* node = nodeOf(item);
    if (!node || !column)
        return {};
    if (column->identifier() == kName)
        return node->displayName();
    if (column->identifier() == kSize)
        return PublicUtilities::longlongDiskSize(int64_t(node->size()));
    return {};
}

void DownloadViewController::outlineView(OutlineView&, const QVariant&, TableColumn* column, OutlineItem item)
{
    FileNode* node = nodeOf(item);
    if (!node || !column)
        return;
    Controller& controller = Controller::getController();
    if (column->identifier() == kCheckBox) {
        if (isScan_ || isRemove_ || node->isSystemFile(controller.protectedFolders()))
            return;
        node->setState(node->state() == 1 ? 0 : 1);
        if (outlineView_->isItemExpanded(node))
            controller.changeSelectWithNode(node, node->state() == 1);
        controller.changeFatherNodeSelectStateWithFileNode(node, node->state() == 1);
    } else if (column->identifier() == kOpenFinder) {
        controller.openFileWithFileNode(node);
    }
}

void DownloadViewController::outlineView(OutlineView&, Cell& cell, TableColumn* column, OutlineItem item)
{
    const FileNode* node = nodeOf(item);
    if (!node || !column)
        return;
    if (column->identifier() == kCheckBox) {
        const bool protectedPath = node->isSystemFile(Controller::getController().protectedFolders());
        cell.setEditable(!protectedPath);
        cell.setImage(protectedPath ? Image() : node->state() == 1 ? optionYes_ : node->state() == 2 ? optionA_ : optionNo_);
    } else if (column->identifier() == kName) {
        cell.setImage(iconImage(node->icon()));
    } else if (column->identifier() == kOpenFinder) {
        cell.setImage(openFinder_->image());
    }
}

Image DownloadViewController::iconImage(const platform::WorkspaceIcon& icon)
{
    const QString key = icon.filePath + QLatin1Char('\n') + icon.themeName + QLatin1Char('\n') + icon.fallbackThemeName;
    auto known = icons_.constFind(key);
    if (known != icons_.constEnd())
        return *known;
    const Image image = imageForWorkspaceIcon(icon, 16);
    icons_.insert(key, image);
    return image;
}

void DownloadViewController::outlineViewItemDidExpand(OutlineView&, OutlineItem item)
{
    FileNode* node = nodeOf(item);
    node->setIsExpand(true);
    if (node->state() != 2)
        Controller::getController().changeSelectWithNode(node, node->state() == 1);
}

void DownloadViewController::outlineViewItemDidCollapse(OutlineView&, OutlineItem item)
{
    nodeOf(item)->setIsExpand(false);
}
