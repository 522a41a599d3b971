#include "DiskManagerViewController.h"

#include "DiskBoxViewController.h"
#include "DiskButtonStates.h"
#include "DiskColumnLayout.h"
#include "DiskCommandRunners.h"
#include "DiskIdentifier.h"
#include "VolumeInventory.h"
#include "VolumeObj.h"
#include "VolumesInfo.h"
#include "VolumesManager.h"
#include "WatchMountUnmount.h"

#include "Format/ProgressSpinner.h"

#include "controls/PlainLabel.h"
#include "controls/TextImageButton.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/mounts/DiskutilKeys.h"
#include "platform/Platform.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"
#include "platform/notifications/UserNotificationCenter.h"
#include "platform/workspace/Workspace.h"

#include "platform/ui/ClipView.h"
#include "platform/ui/ScrollView.h"
#include "platform/ui/TextField.h"

#include <chrono>
#include <optional>
#include <utility>

using namespace platform::ui;

DiskManagerViewController::DiskManagerViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

DiskManagerViewController::~DiskManagerViewController()
{
    lifetime_.end();
    mountObservation_.reset();
    unmountObservation_.reset();
    for (const auto& made : madeBoxes_)
        if (const auto box = made.lock())
            box->setDelegate(nullptr);
    if (auto* notices = platform::Platform::current().userNotifications.get(); notices && notices->delegate() == this)
        notices->setDelegate(nullptr);
}

void DiskManagerViewController::loadView()
{
    DiskManagerViewControllerView();
}

void DiskManagerViewController::DiskManagerViewControllerView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 408, 528));
    auto scroll = std::make_unique<ScrollView>(Rect(7, 52, 394, 468));
    scroll->setDrawsBackground(false);
    scroll->setHasVerticalScroller(true);
    scrollView_ = scroll->setDocumentView(std::make_unique<View>(Rect(0, 0, 394, 520)));
    topScrollView_ = root->addSubview(std::move(scroll));
    auto spinner = std::make_unique<ProgressSpinner>(Rect(188, 270, 32, 32));
    spinner->setHidden(true);
    loadProgress_ = root->addSubview(std::move(spinner));

    struct ButtonSetup {
        const char* title;
        void (DiskManagerViewController::*action)();
        TextImageButton** outlet;
    };
    const ButtonSetup setups[] = {{"Open", &DiskManagerViewController::openButAction, &openBut_},
                          {"Mount", &DiskManagerViewController::mountButAction, &mountBut_},
                          {"Format", &DiskManagerViewController::formatButAction, &formatBut_},
                          {"Rename", &DiskManagerViewController::renameButAction, &renameBut_},
                          {"Eject", &DiskManagerViewController::ejectButAction, &ejectBut_}};
    double x = 12;
    for (const ButtonSetup& setup : setups) {
        *setup.outlet = root->addSubview(TextImageButton::withImageSet(
            Rect(x, 12, 72, 28), QStringLiteral("btn_sec"), QString::fromLatin1(setup.title), false,
            [this, action = setup.action] { (this->*action)(); }));
        x += 78;
    }
    setView(std::move(root));
}

void DiskManagerViewController::awakeFromNib()
{
    auto& platform = platform::Platform::current();
    voluManager_ = std::make_unique<VolumesManager>();
    // Its scan measures every mount, which a dead server can hold up.
    auto keep = lifetime_.guard([this](const std::shared_ptr<VolumesInfo>& info) { volumesInfo_ = info; });
    platform::dispatchAsyncGlobal([keep = std::move(keep)]() mutable {
        platform::dispatchAsyncMain([keep = std::move(keep), info = std::make_shared<VolumesInfo>()]() mutable { keep(info); });
    });
    watchMu_ = std::make_unique<WatchMountUnmount>(platform.workspace->notificationCenter());
    auto& center = platform::NotificationCenter::defaultCenter();
    const auto rebuild = [this](const platform::Notification&) { createView(); };
    mountObservation_ = center.addObserver(this, MCVolumeMountNotification, nullptr, rebuild);
    unmountObservation_ = center.addObserver(this, MCVolumeUnmountNotification, nullptr, rebuild);
    if (OSVersion() >= 9 && platform.userNotifications)
        platform.userNotifications->setDelegate(this);
}

std::vector<const Referable*> DiskManagerViewController::allVolumeViews() const
{
    std::lock_guard lock(mutex_);
    return volumeViews_;
}

bool DiskManagerViewController::isBuildingView() const
{
    std::lock_guard lock(mutex_);
    return building_;
}

int DiskManagerViewController::completedBuilds() const
{
    std::lock_guard lock(mutex_);
    return completedBuilds_;
}

void DiskManagerViewController::createView()
{
    {
        std::lock_guard lock(mutex_);
        if (building_) {
            buildWanted_ = true;
            return;
        }
        building_ = true;
    }
    platform::dispatchAsyncMain(lifetime_.guard([this] { beginBuild(); }));
}

void DiskManagerViewController::beginBuild()
{
    view();
    loadProgress_->setHidden(false);
    loadProgress_->startAnimation();
    // The background step works only on what it captures: the controller may be gone by then.
    auto finish = lifetime_.guard([this](CVolumeMgr::Outcome outcome, const VolumeInventory::Listing& listing, bool kept) {
        finishBuild(outcome, listing, kept);
    });
    platform::dispatchAsyncGlobal([finish = std::move(finish)]() mutable {
        // Read before the enumeration: a change meanwhile makes the next build enumerate again.
        const std::optional<uint64_t> generation = VolumeInventory::currentGeneration();
        auto& inventory = VolumeInventory::shared();
        std::optional<VolumeInventory::Listing> listing = generation ? inventory.kept(*generation) : std::nullopt;
        const bool kept = listing.has_value();
        CVolumeMgr::Outcome outcome = CVolumeMgr::Outcome::Listed;
        if (!kept) {
            CVolumeMgr::Enumeration enumeration = CVolumeMgr().enumDiskVolumesInfo();
            outcome = enumeration.outcome;
            listing.emplace(VolumeInventory::Listing{std::move(enumeration.volumes), {}});
            for (const QVariantMap& volume : listing->volumes)
                listing->folders.append(VolumeFolder::find(volume.value(diskkeys::kMountPoint).toString()));
            if (generation && outcome == CVolumeMgr::Outcome::Listed)
                inventory.keep(*generation, *listing);
        }
        platform::dispatchAsyncMain([finish = std::move(finish), outcome, listing = std::move(*listing), kept]() mutable {
            finish(outcome, listing, kept);
        });
    });
}

void DiskManagerViewController::finishBuild(CVolumeMgr::Outcome outcome, const VolumeInventory::Listing& listing, bool kept)
{
    loadProgress_->setHidden(true);
    loadProgress_->stopAnimation();
    if (outcome == CVolumeMgr::Outcome::Refused) {
        // The boxes shown stay; one more build follows once the second has passed.
        if (!std::exchange(trailingBuildAsked_, true))
            platform::Platform::current().dispatcher->afterMain(std::chrono::milliseconds(1000), lifetime_.guard([this] {
                trailingBuildAsked_ = false;
                createView();
            }));
    } else {
        showColumn(listing, kept);
    }
    bool again = false;
    {
        std::lock_guard lock(mutex_);
        ++completedBuilds_;
        building_ = false;
        again = std::exchange(buildWanted_, false);
    }
    if (again)
        createView();
}

void DiskManagerViewController::clearColumn()
{
    for (TextField* header : headers_)
        (void)header->removeFromSuperview();
    headers_.clear();
    for (const auto& box : boxes_)
        (void)box->view()->removeFromSuperview();
    boxes_.clear();
    std::erase_if(madeBoxes_, [](const auto& made) { return made.expired(); });
}

void DiskManagerViewController::showColumn(const VolumeInventory::Listing& listing, bool kept)
{
    clearColumn();
    std::vector<std::pair<std::shared_ptr<VolumeObj>, VolumeFolder>> internal, external;
    for (qsizetype i = 0; i < listing.volumes.size(); ++i) {
        auto record = std::make_shared<VolumeObj>(VolumeObj::fromVolumeDictionary(listing.volumes[i]));
        // Nothing changed since the boxes of the enumeration looked the type up: no diskutil runs.
        if (kept)
            record->volumeType = record->diskType.isEmpty() ? QStringLiteral("Unknow") : record->diskType;
        (record->bCanEject ? external : internal).emplace_back(std::move(record), listing.folders.value(i));
    }
    const DiskColumnLayout layout = DiskColumnLayout::forCounts(int(internal.size()), int(external.size()));
    scrollView_->setFrameSize({394, layout.height});
    addHeader(QStringLiteral("Internal"), layout.internalHeader);
    for (std::size_t i = 0; i < internal.size(); ++i) {
        addBox(internal[i].first, internal[i].second, layout.internalBoxes[qsizetype(i)]);
        if (i == 0)
            changeSelectWithVolumeInfo(*boxes_.back());
    }
    if (layout.externalHeader) {
        addHeader(QStringLiteral("External"), *layout.externalHeader);
        for (std::size_t j = 0; j < external.size(); ++j)
            addBox(external[j].first, external[j].second, layout.externalBoxes[qsizetype(j)]);
    }
    std::vector<const Referable*> shown;
    for (TextField* header : headers_)
        shown.push_back(header);
    for (const auto& box : boxes_)
        shown.push_back(box.get());
    {
        std::lock_guard lock(mutex_);
        volumeViews_ = std::move(shown);
    }
    topScrollView_->contentView()->scrollToPoint({0, 0});
    topScrollView_->setNeedsDisplay();
}

TextField* DiskManagerViewController::addHeader(const QString& title, const Rect& frame)
{
    TextField* header = scrollView_->addSubview(makePlainLabel(
        frame, title, Font::fontWithName(PublicUtilities::getLightFontName(), 12), getColor(51, 57, 81, 0.6f)));
    headers_.push_back(header);
    return header;
}

void DiskManagerViewController::addBox(std::shared_ptr<VolumeObj> record, const VolumeFolder& folder, const Rect& frame)
{
    auto box = std::make_shared<DiskBoxViewController>();
    box->setDelegate(this);
    box->view()->setFrame(frame);
    box->setVolumeInfo(std::move(record));
    box->setVolumeFolder(folder);
    scrollView_->addSubview(*box->view());
    box->changeValue();
    boxes_.push_back(box);
    madeBoxes_.push_back(box);
}

void DiskManagerViewController::changeSelectWithVolumeInfo(DiskBoxViewController& box)
{
    diskBoxVC_ = box.shared_from_this();
    for (const auto& shown : boxes_)
        shown->changeSelectButStart(shown.get() == &box);
    const VolumeObj& r = *box.volumeInfo();
    // The folder's facts found with the column set the buttons at once; they are looked at again
    // off the main thread (an erase changes the file system without a rebuild), and Rename and
    // Format follow what comes back while the box is still the selection.
    const DiskButtonStates states = DiskButtonStates::forVolume(r, !box.volumeFolder().path.isEmpty(),
                                                                box.volumeFolder().facts.type);
    openBut_->setButtonEnabled(states.open);
    mountBut_->setButtonEnabled(states.mount);
    ejectBut_->setButtonEnabled(states.eject);
    renameBut_->setButtonEnabled(states.rename);
    formatBut_->setButtonEnabled(states.format);
    if (states.mountTitle)
        mountBut_->setTextWithName(*states.mountTitle, 12);
    if (states.isMount)
        isMount_ = *states.isMount;
    auto refreshed = lifetime_.guard([this, selected = std::weak_ptr(diskBoxVC_)](const VolumeFolder& folder) {
        const auto shown = selected.lock();
        if (!shown)
            return;
        shown->setVolumeFolder(folder);
        const platform::FileSystemFacts& facts = folder.facts;
        if (!folder.path.isEmpty())
            platform::NSLog(QStringLiteral("Result:%1 Volume: %2, Removable:%3, W:%4, Unmountable:%5, Desc:%6, type:%7")
                                .arg(int(folder.factsRead))
                                .arg(folder.path)
                                .arg(int(facts.removable))
                                .arg(int(facts.writable))
                                .arg(int(facts.unmountable))
                                .arg(facts.description, facts.type));
        if (shown != diskBoxVC_)
            return;
        const DiskButtonStates now = DiskButtonStates::forVolume(*shown->volumeInfo(), !folder.path.isEmpty(), facts.type);
        renameBut_->setButtonEnabled(now.rename);
        formatBut_->setButtonEnabled(now.format);
    });
    platform::dispatchAsyncGlobal([refreshed = std::move(refreshed), mountPoint = r.volumeMountPoint]() mutable {
        platform::dispatchAsyncMain([refreshed = std::move(refreshed), folder = VolumeFolder::find(mountPoint)]() mutable {
            refreshed(folder);
        });
    });
}

void DiskManagerViewController::openButAction()
{
    if (!diskBoxVC_)
        return;
    platform::Platform::current().workspace->openFile(diskBoxVC_->volumeFolder().path);
}

void DiskManagerViewController::mountButAction()
{
    if (!diskBoxVC_)
        return;
    const QString identifier = diskBoxVC_->volumeInfo()->volumePath;
    if (identifier.isEmpty())
        return;
    const QString name = diskBoxVC_->volumeInfo()->volumeName;
    const bool unmount = std::exchange(isMount_, !isMount_);
    const QString verb = unmount ? QStringLiteral("unmount") : QStringLiteral("mount");
    // A refusal (no udisks, a busy volume) is shown with the tool's reason, not only logged.
    auto done = lifetime_.guard([this, name, verb](const std::optional<QString>& failure) {
        VolumeInventory::shared().forget();
        createView();
        if (auto* notices = platform::Platform::current().userNotifications.get(); notices && failure)
            notices->deliverNotification({QStringLiteral("Tavrin"),
                                          failure->isEmpty() ? QStringLiteral("'%1' could not be %2ed.").arg(name, verb) : *failure});
    });
    platform::dispatchAsyncGlobal([identifier, verb, done = std::move(done)]() mutable {
        std::optional<QString> failure;
        if (isDeviceIdentifier(identifier) && diskLineFits("diskutil " + verb.toUtf8() + ' ' + identifier.toUtf8(), kShortDiskLineBuffer)) {
            if (const DiskCommandResult run = renameExecCommand({verb, identifier}); !run.succeeded())
                failure = run.said;
        } else {
            failure = QString();
        }
        if (failure)
            platform::NSLog(QStringLiteral("diskutil %1 \"%2\" failed: %3").arg(verb, identifier, *failure));
        platform::dispatchAsyncMain([done = std::move(done), failure]() mutable { done(failure); });
    });
}

void DiskManagerViewController::formatButAction()
{
    if (diskBoxVC_)
        diskBoxVC_->formatButtonAction();
}

void DiskManagerViewController::renameButAction()
{
    if (diskBoxVC_)
        diskBoxVC_->renameButtonAction();
}

void DiskManagerViewController::ejectButAction()
{
    if (diskBoxVC_)
        diskBoxVC_->ejectButtonAction();
}

void DiskManagerViewController::ejectButtonActionisS(bool succeeded, const QString& volumeName)
{
    VolumeInventory::shared().forget();
    createView();
    if (OSVersion() < 9)
        return;
    auto* notices = platform::Platform::current().userNotifications.get();
    if (!notices)
        return;
    if (succeeded) {
        notices->deliverNotification({QStringLiteral("Tavrin"), QStringLiteral("The disk/device can be removed safely.")});
    } else {
        notices->deliverNotification({QStringLiteral("Disk Not Ejected Properly"),
                                      QStringLiteral("Eject '%1' before disconnecting or turning it off.").arg(volumeName)});
    }
    notices->removeAllDeliveredNotifications();
}

int32_t DiskManagerViewController::OSVersion()
{
    return PublicUtilities::getMinorVersion();
}
