#include "CleanUpViewController.h"

#include "controls/PlainLabel.h"
#include "DownloadViewController.h"
#include "DownloadsFolder.h"
#include "FullDiskAccessAuthorizer.h"
#include "FullDiskAccessViewController.h"
#include "ProgressViewController.h"

#include "controls/CleanCellBgView.h"
#include "controls/EUHandButton.h"
#include "PopWindow/ModalPopUp.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"
#include "utilities/SystemFolder.h"

#include "platform/Platform.h"
#include "platform/bundle/Bundle.h"
#include "platform/log/SystemLog.h"
#include "platform/scripts/ScriptRunner.h"
#include "platform/trash/Trash.h"

using namespace platform::ui;

namespace {

std::unique_ptr<EUHandButton> linkButton(const Rect& frame, std::function<void()> action)
{
    auto button = std::make_unique<EUHandButton>(frame);
    button->setBordered(false);
    button->setAction([action = std::move(action)](Button&) { action(); });
    return button;
}

} // namespace

CleanUpViewController::CleanUpViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

CleanUpViewController::~CleanUpViewController() = default;

void CleanUpViewController::loadView()
{
    CleanUpViewControllerView();
}

void CleanUpViewController::CleanUpViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    const Color ink = getColor(51, 57, 81, 1);
    const Color note = getColor(122, 129, 153, 1);
    const Font heading = Font::fontWithName(PublicUtilities::getRegularFontName(), 15);
    const Font body = Font::fontWithName(PublicUtilities::getLightFontName(), 12);

    auto downloads = std::make_unique<CleanCellBgView>(Rect(12, 412, 384, 104));
    downloads->addSubview(makePlainLabel(Rect(16, 64, 280, 22), QStringLiteral("Downloads"), heading, ink));
    auto downloadsText = makePlainLabel(Rect(16, 14, 280, 46),
                                          QStringLiteral("Find the largest files in your Downloads folder and move "
                                                         "them to the Trash or erase them."),
                                          body, note);
    downloadsText->setLineBreakMode(LineBreakMode::ByWordWrapping);
    downloads->addSubview(std::move(downloadsText));
    cleanDownloadBut_ = downloads->addSubview(linkButton(Rect(304, 38, 64, 24), [this] { cleanDownload(); }));
    root->addSubview(std::move(downloads));

    auto trash = std::make_unique<CleanCellBgView>(Rect(12, 296, 384, 104));
    trash->addSubview(makePlainLabel(Rect(16, 64, 280, 22), QStringLiteral("Trash"), heading, ink));
    auto trashText = makePlainLabel(Rect(16, 14, 280, 46),
                                      QStringLiteral("Empty your Trash and the Trash of every volume."), body, note);
    trashText->setLineBreakMode(LineBreakMode::ByWordWrapping);
    trash->addSubview(std::move(trashText));
    closeTrashBut_ = trash->addSubview(linkButton(Rect(304, 38, 64, 24), [this] { emptyTrash(); }));
    cleanTrashView_ = root->addSubview(std::move(trash));
    setView(std::move(root));
}

void CleanUpViewController::awakeFromNib()
{
    if (const auto title = PublicUtilities::getOpenString(QStringLiteral("Clean")))
        cleanDownloadBut_->setAttributedTitle(*title);
    if (const auto title = PublicUtilities::getOpenString(QStringLiteral("Empty")))
        closeTrashBut_->setAttributedTitle(*title);
}

void CleanUpViewController::cleanDownload()
{
    if (!downloadWC_)
        downloadWC_ = std::make_unique<DownloadViewController>();
    if (checkingDownloads_)
        return;
    checkingDownloads_ = true;
    // The folder may be on another disk, which the window must not wait for.
    DownloadsFolderCheck::checkInBackground(lifetime_.guard([this](const DownloadsFolderCheck& found) { showDownloads(found); }));
}

void CleanUpViewController::showDownloads(const DownloadsFolderCheck& found)
{
    checkingDownloads_ = false;
    if (found.status == DownloadsFolderCheck::Status::Missing)
        return;
    DownloadViewController* controller = downloadWC_.get();
    runModalPopUp(*controller, [controller, found] { controller->scanCheckedFolder(found); });
}

void CleanUpViewController::emptyTrash()
{
    if (emptying_)
        return;
    const int version = PublicUtilities::getSystemVersion();
    if (version > 1013 && FullDiskAccessAuthorizer::sharedInstance().authorizationStatus() != FullDiskAccessAuthorizer::Authorized) {
        FullDiskAccessViewController prompt;
        runModalPopUp(prompt);
        return;
    }
    // In place of "rm -rfv ~/.Trash /Volumes/*/.Trashes": the contents of the Mac's Trash
    // folders go, the folders stay, and no shell sees a glob. The Trash area empties the Mac's
    // Trash folders and the freedesktop ones together, which covers what "RTrash" asks the
    // Finder for. A Trash of many files takes a while: the window shows the removal sheet
    // meanwhile, whose Stop has nothing to stop.
    emptying_ = true;
    emptySheet_ = std::make_unique<ProgressViewController>();
    platform::dispatchAsyncGlobal([emptied = lifetime_.guard([this, version](platform::TrashEmptying result) {
                                       endEmptying(result, version);
                                   })] {
        const auto protectedFolders = SystemFolder::protectedFolders(platform::XdgUserFolder::Download);
        platform::dispatchAsyncMain([emptied, result = platform::Platform::current().trash->emptyTrash(protectedFolders)] {
            emptied(result);
        });
    });
    ProgressViewController& sheet = *emptySheet_;
    runModalPopUp(sheet, [&sheet] {
        sheet.changeProgressValue(0, QStringLiteral("Trash"));
        sheet.stopButton()->setButtonEnabled(false);
    });
}

void CleanUpViewController::endEmptying(const platform::TrashEmptying& emptied, int version)
{
    platform::Platform& platform = platform::Platform::current();
    if (emptied.failed > 0)
        platform::NSLog(QStringLiteral("Empty Trash: %1 items could not be removed").arg(emptied.failed));
    if (version > 1013)
        platform.scripts->executeFile(platform.bundle->pathForResource(QStringLiteral("RTrash"), QStringLiteral("scpt")));
    emptying_ = false;
    emptySheet_->changeProgressValue(100, QStringLiteral("Trash")); // closes it, which ends its run
}
