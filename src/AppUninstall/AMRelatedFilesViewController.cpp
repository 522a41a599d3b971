#include "AMRelatedFilesViewController.h"

#include "AppListParts.h"
#include "AsMDeleteExecutor.h"
#include "RelatedFilesCleanDelegate.h"
#include "RelatedFilesOutlineView.h"
#include "UninstallProgressViewController.h"
#include "UninstallRules.h"

#include "controls/AImageAndTextCell.h"
#include "PopWindow/ModalPopUp.h"
#include "controls/PlainLabel.h"
#include "controls/TableViewBgView.h"
#include "controls/TextImageButton.h"

#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"

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

} // namespace

AMRelatedFilesViewController::AMRelatedFilesViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

AMRelatedFilesViewController::~AMRelatedFilesViewController()
{
    lifetime_.end();
    removeTimer_.reset();
    // Waits for the record under way; nothing it reports reaches this window any more.
    deleteExecutor_.reset();
    if (outlineView_) {
        outlineView_->setDataSource(nullptr);
        outlineView_->setDelegate(nullptr);
    }
}

void AMRelatedFilesViewController::setAllRelaltedFiles(QList<AMAppItemGroup> groups)
{
    allRelaltedFiles_.assign(groups.begin(), groups.end());
}

void AMRelatedFilesViewController::loadView()
{
    AMRelatedFilesViewControllerView();
}

void AMRelatedFilesViewController::AMRelatedFilesViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 560, 400));
    root->addSubview(AppListParts::label(Rect(24, 360, 512, 22), QStringLiteral("Uninstall"),
                                         Font::fontWithName(PublicUtilities::getRegularFontName(), 15),
                                         TextAlignment::Center));
    auto card = std::make_unique<TableViewBgView>(Rect(16, 56, 528, 292));
    auto scroll = std::make_unique<ScrollView>(Rect(0, 0, 528, 292));
    scroll->setAutoresizingMask(ViewWidthSizable | ViewHeightSizable);
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    auto outline = std::make_unique<RelatedFilesOutlineView>(Rect(0, 0, 528, 292));
    outline->setBackgroundColor(Color::clearColor());
    outline->setRowHeight(24);
    outline->setIntercellSpacing({0, 0});
    outline->setRowNum(-1);
    outlineView_ = scroll->setDocumentView(std::move(outline));
    auto check = std::make_unique<TableColumn>(kCheckBox, 30);
    check->setEditable(false);
    check->setDataCell(makeImageOnlyCell());
    outlineView_->addTableColumn(std::move(check));
    auto name = std::make_unique<TableColumn>(kName, 388);
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
    card->addSubview(std::move(scroll));
    root->addSubview(std::move(card));

    const QString set = QStringLiteral("btn_sec");
    cancelButton_ = root->addSubview(
        TextImageButton::withImageSet(Rect(340, 14, 96, 30), set, QString(), true, [this] { clickedCancelBtn(); }));
    uninstallButton_ = root->addSubview(
        TextImageButton::withImageSet(Rect(448, 14, 96, 30), set, QString(), true, [this] { clickedDeleteBtn(); }));
    setView(std::move(root));
}

void AMRelatedFilesViewController::awakeFromNib()
{
    selectedRelatedFiles_.clear();
    selectDeletePath_.clear();
    for (const AMAppItemGroup& group : allRelaltedFiles_)
        selectDeletePath_.append(group);
    outlineView_->setDataSource(this);
    outlineView_->setDelegate(this);
    if (!allRelaltedFiles_.empty())
        outlineView_->reloadData();
    outlineView_->setDoubleAction([this](int row) { openOrClose(row); });
    cancelButton_->setTextWithName(QStringLiteral("Cancel"), 12);
    uninstallButton_->setTextWithName(QStringLiteral("Uninstall"), 12);
    if (OutlineItem first = outlineView_->itemAtRow(0))
        outlineView_->expandItem(first, true);
}

const AMAppItemGroup* AMRelatedFilesViewController::groupOf(OutlineItem item) const
{
    for (const AMAppItemGroup& group : allRelaltedFiles_)
        if (&group == item)
            return &group;
    return nullptr;
}

AMAppItemPtr AMRelatedFilesViewController::recordOf(OutlineItem item) const
{
    for (const AMAppItemGroup& group : allRelaltedFiles_)
        for (const AMAppItemPtr& record : group)
            if (record.get() == item)
                return record;
    return nullptr;
}

bool AMRelatedFilesViewController::isTicked(const AMAppItem* item) const
{
    return std::any_of(selectDeletePath_.begin(), selectDeletePath_.end(),
                       [item](const AMAppItemPtr& ticked) { return ticked.get() == item; });
}

qsizetype AMRelatedFilesViewController::tickedCount(const AMAppItemGroup& group) const
{
    return std::count_if(group.begin(), group.end(), [this](const AMAppItemPtr& record) { return isTicked(record.get()); });
}

int AMRelatedFilesViewController::numberOfChildrenOfItem(OutlineView&, OutlineItem item)
{
    if (!item)
        return int(allRelaltedFiles_.size());
    const AMAppItemGroup* group = groupOf(item);
    return group ? int(group->size()) : 0;
}

OutlineItem AMRelatedFilesViewController::outlineView(OutlineView&, int index, OutlineItem item)
{
    if (!item) {
        if (index < 0 || std::size_t(index) >= allRelaltedFiles_.size())
            return nullptr;
        return &allRelaltedFiles_[std::size_t(index)];
    }
    const AMAppItemGroup* group = groupOf(item);
    if (!group || index < 0 || index >= group->size())
        return nullptr;
    return group->at(index).get();
}

bool AMRelatedFilesViewController::isItemExpandable(OutlineView&, OutlineItem item)
{
    return groupOf(item) != nullptr;
}

QVariant AMRelatedFilesViewController::outlineView(OutlineView&, TableColumn* column, OutlineItem item)
{
    if (!column || column->identifier() == kCheckBox)
        return {};
    if (const AMAppItemGroup* group = groupOf(item)) {
        if (group->isEmpty())
            return {};
        if (column->identifier() == kName)
            return group->first()->name;
        uint64_t bytes = 0;
        for (const AMAppItemPtr& record : *group)
            bytes += PublicUtilities::volSpaceFromString(record->size);
        return PublicUtilities::convertVolSpace(bytes);
    }
    const AMAppItemPtr record = recordOf(item);
    if (!record)
        return {};
    if (column->identifier() == kName)
        return record->name;
    if (column->identifier() == kSize)
        return record->size;
    return {};
}

Image AMRelatedFilesViewController::imageOf(const AMAppItem& item)
{
    auto known = images_.constFind(&item);
    if (known != images_.constEnd())
        return *known;
    const Image image = imageForWorkspaceIcon(item.image, 16);
    images_.insert(&item, image);
    return image;
}

void AMRelatedFilesViewController::outlineView(OutlineView&, Cell& cell, TableColumn* column, OutlineItem item)
{
    if (!column)
        return;
    const AMAppItemGroup* group = groupOf(item);
    const AMAppItemPtr record = group ? (group->isEmpty() ? nullptr : group->first()) : recordOf(item);
    if (column->identifier() == kName) {
        if (record)
            cell.setImage(imageOf(*record));
    } else if (column->identifier() == kCheckBox) {
        const QString image = group ? UninstallRules::checkImageName(std::size_t(tickedCount(*group)), std::size_t(group->size()))
                                    : UninstallRules::checkImageName(isTicked(record.get()) ? 1 : 0, 1);
        cell.setImage(Image::imageNamed(image));
        // The box acts on the item of its own row.
        cell.setAction([this, item] { selectRemoveLanguage(item); });
    } else {
        cell.setEnabled(false);
    }
}

bool AMRelatedFilesViewController::shouldSelectItem(OutlineView&, OutlineItem item)
{
    outlineView_->setRowNum(outlineView_->rowForItem(item));
    outlineView_->setNeedsDisplay();
    return true;
}

bool AMRelatedFilesViewController::outlineView(OutlineView&, TableColumn*)
{
    selectCell_ = outlineView_->itemAtRow(outlineView_->selectedRow());
    return false;
}

void AMRelatedFilesViewController::selectRemoveLanguage(OutlineItem item)
{
    selectCell_ = item;
    if (const AMAppItemGroup* group = groupOf(item)) {
        if (tickedCount(*group) < group->size()) {
            for (const AMAppItemPtr& record : *group)
                if (!isTicked(record.get()))
                    selectDeletePath_.append(record);
        } else {
            for (const AMAppItemPtr& record : *group)
                selectDeletePath_.removeOne(record);
        }
    } else if (const AMAppItemPtr record = recordOf(item)) {
        if (!selectDeletePath_.removeOne(record))
            selectDeletePath_.append(record);
    }
    uninstallButton_->setButtonEnabled(!selectDeletePath_.isEmpty());
    outlineView_->reloadData();
}

void AMRelatedFilesViewController::openOrClose(int row)
{
    OutlineItem item = outlineView_->itemAtRow(row);
    if (!item)
        return;
    if (outlineView_->isItemExpanded(item))
        outlineView_->collapseItem(item);
    else
        outlineView_->expandItem(item);
}

void AMRelatedFilesViewController::clickedDeleteBtn()
{
    closeWindow();
    removeTimer_ = platform::Platform::current().dispatcher->scheduledTimer(kRemoveDelay, false,
                                                                            lifetime_.guard([this] { doRemove(); }));
}

void AMRelatedFilesViewController::doRemove()
{
    isFail_ = false;
    if (selectDeletePath_.isEmpty())
        return;
    if (!deleteExecutor_) {
        deleteExecutor_ = std::make_unique<AsMDeleteExecutor>();
        deleteExecutor_->setDelegate(this);
        platform::Dispatcher* dispatcher = platform::Platform::current().dispatcher.get();
        const auto guarded = lifetime_.guard([this](const AMAppItemPtr& item, bool removed) { reported(item, removed); });
        report_ = [dispatcher, guarded](const AMAppItemPtr& item, bool removed) {
            dispatcher->asyncMain([guarded, item, removed] { guarded(item, removed); });
        };
    }
    selectedRelatedFiles_ = selectDeletePath_;
    deleteExecutor_->executeDelete(selectedRelatedFiles_);
    showProgress();
}

void AMRelatedFilesViewController::showProgress()
{
    tally_ = RemovalTally(int32_t(selectDeletePath_.size()));
    uninstallPVC_ = std::make_unique<UninstallProgressViewController>();
    uninstallPVC_->setDelegate(this);
    runModalPopUp(*uninstallPVC_);
}

void AMRelatedFilesViewController::sohwSystemNode()
{
    uninstallButton_->setButtonEnabled(false);
}

void AMRelatedFilesViewController::deleteRelatedFile(const AMAppItemPtr& item)
{
    report_(item, true);
}

void AMRelatedFilesViewController::deleteRelatedFileFail(const AMAppItemPtr& item)
{
    report_(item, false);
}

void AMRelatedFilesViewController::reported(const AMAppItemPtr& item, bool removed)
{
    if (!uninstallPVC_)
        return;
    if (!removed)
        isFail_ = true;
    const int32_t percent = tally_.record(removed, item->path, item->size);
    if (percent >= 100)
        uninstallPVC_->changeLabel(PublicUtilities::convertVolSpace(tally_.totalSize()), tally_.failedCount());
    uninstallPVC_->changeProgressValue(percent, item->path);
}

void AMRelatedFilesViewController::uninstallEnd()
{
    selectDeletePath_.clear();
    selectedRelatedFiles_.clear();
    allRelaltedFiles_.clear();
    images_.clear();
    outlineView_->reloadData();
    if (delegate_)
        delegate_->completeCleanRelatedFiles();
    clickedCancelBtn();
}
