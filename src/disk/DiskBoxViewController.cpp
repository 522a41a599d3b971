#include "DiskBoxViewController.h"

#include "DiskCommandRunners.h"
#include "DiskIdentifier.h"
#include "ErasePlan.h"
#include "VolumeInventory.h"

#include "Format/FormatEndViewController.h"
#include "Format/MakeSureFormatViewController.h"

#include "controls/PlainLabel.h"
#include "controls/TableViewBgView.h"
#include "controls/TextImageButton.h"

#include "PopWindow/ModalPopUp.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/mounts/DiskutilKeys.h"
#include "platform/Platform.h"
#include "platform/commands/CommandRunner.h"
#include "platform/dispatch/Dispatcher.h"
#include "platform/log/SystemLog.h"
#include "platform/notifications/UserNotificationCenter.h"

#include "platform/ui/Image.h"
#include "platform/ui/ImageView.h"
#include "platform/ui/TextField.h"

#include <chrono>

using namespace platform::ui;

namespace {

const QString kChangedVolume = QStringLiteral("The volume is not the one that was listed; nothing was done.");

} // namespace

DiskBoxViewController::DiskBoxViewController(QString nibName)
    : ViewController(std::move(nibName))
{
}

DiskBoxViewController::~DiskBoxViewController()
{
    if (card_)
        card_->setDelegate(nullptr);
}

void DiskBoxViewController::loadView()
{
    DiskBoxViewControllerView();
}

void DiskBoxViewController::DiskBoxViewControllerView()
{
    const Color ink = getColor(51, 57, 81, 1);
    auto card = std::make_unique<TableViewBgView>(Rect(0, 0, 384, 40));
    card->setDelegate(this);
    card_ = card.get();
    iconImageView_ = card->addSubview(std::make_unique<ImageView>(Rect(8, 6, 28, 28)));
    nameLabel_ = card->addSubview(makePlainLabel(Rect(44, 12, 170, 17), {},
                                                 Font::fontWithName(PublicUtilities::getRegularFontName(), 13), ink));
    usedLabel_ = card->addSubview(makePlainLabel(Rect(200, 12, 144, 17), {},
                                                 Font::fontWithName(PublicUtilities::getLightFontName(), 12),
                                                 getColor(51, 57, 81, 0.8f), TextAlignment::Right));
    auto mark = std::make_unique<ImageView>(Rect(354, 12, 16, 16));
    mark->setImage(Image::imageNamed(QStringLiteral("option_no")));
    selectBut_ = card->addSubview(std::move(mark));

    auto editor = std::make_unique<View>(Rect(44, 6, 304, 28));
    auto field = std::make_unique<TextField>(Rect(0, 2, 156, 24));
    field->setBordered(true);
    field->setEditable(true);
    field->setFont(Font::fontWithName(PublicUtilities::getLightFontName(), 12));
    renameTextField_ = editor->addSubview(std::move(field));
    saveButton_ = editor->addSubview(TextImageButton::withImageSet(Rect(162, 0, 66, 28), QStringLiteral("btn_sec"),
                                                                   QStringLiteral("Save"), true,
                                                                   [this] { renameOkButtonAction(); }));
    cancelButton_ = editor->addSubview(TextImageButton::withImageSet(Rect(234, 0, 66, 28), QStringLiteral("btn_sec"),
                                                                     QStringLiteral("Cancel"), true,
                                                                     [this] { renameCancelButtonAction(); }));
    editor->setHidden(true);
    renameView_ = card->addSubview(std::move(editor));
    setView(std::move(card));
}

void DiskBoxViewController::changeValue()
{
    view();
    if (volumeInfo_->volumeType.isEmpty())
        getTypeForVoluem();
    const VolumeObj& r = *volumeInfo_;
    const QString used = PublicUtilities::longlongDiskSize(r.volumeTotalSizeNum - r.volumeFreeSizeNum);
    nameLabel_->setStringValue(r.volumeName);
    AttributedString usage(QStringLiteral("%1/%2").arg(used, r.volumeFreeSize));
    usage.addFont(Font::fontWithName(PublicUtilities::getRegularFontName(), 12), {0, used.size()});
    ParagraphStyle right;
    right.alignment = TextAlignment::Right;
    usage.addParagraphStyle(right, {0, usage.length()});
    usedLabel_->setAttributedStringValue(usage);
    iconName_ = r.bCanEject                             ? QStringLiteral("ic_disk_usb_but")
        : r.volRootDir && *r.volRootDir == QLatin1String("/") ? QStringLiteral("ic_disk_os_but")
                                                        : QStringLiteral("ic_disk_but");
    iconImageView_->setImage(Image::imageNamed(iconName_));
}

void DiskBoxViewController::changeSelectButStart(bool selected)
{
    selected_ = selected;
    selectBut_->setImage(Image::imageNamed(selected ? QStringLiteral("option_yes") : QStringLiteral("option_no")));
}

void DiskBoxViewController::getTypeForVoluem()
{
    platform::dispatchAsyncGlobal([self = shared_from_this(), identifier = volumeInfo_->volumePath]() mutable {
        const auto info = getDisjInfo(identifier);
        const QString type = info ? info->value(diskkeys::kFilesystemName).toString() : QString();
        platform::dispatchAsyncMain([self = std::move(self), type] {
            self->volumeInfo_->volumeType = type.isEmpty() ? QStringLiteral("Unknow") : type;
        });
    });
}

std::optional<QVariantMap> DiskBoxViewController::getDisjInfo(const QString& identifier)
{
    if (!isDeviceIdentifier(identifier)
        || !diskLineFits("diskutil info -plist \"" + identifier.toUtf8() + '"', kShortDiskLineBuffer))
        return std::nullopt;
    return aepairExecCommand({QStringLiteral("info"), QStringLiteral("-plist"), identifier}).dictionary;
}

std::optional<QString> DiskBoxViewController::identityProblem(const std::optional<QVariantMap>& info) const
{
    const QString listed = volumeInfo_->identity();
    if (!info)
        return QStringLiteral("no information for %1").arg(volumeInfo_->volumePath);
    if (listed.isEmpty() || VolumeObj::identityOf(*info) != listed)
        return QStringLiteral("%1 no longer holds the volume %2").arg(volumeInfo_->volumePath, listed);
    return std::nullopt;
}

void DiskBoxViewController::mouseDownAction()
{
    if (delegate_)
        delegate_->changeSelectWithVolumeInfo(*this);
}

void DiskBoxViewController::showLabels(bool shown)
{
    nameLabel_->setHidden(!shown);
    usedLabel_->setHidden(!shown);
    renameView_->setHidden(shown);
}

void DiskBoxViewController::renameButtonAction()
{
    showLabels(false);
}

void DiskBoxViewController::renameCancelButtonAction()
{
    showLabels(true);
}

void DiskBoxViewController::renameOkButtonAction()
{
    renameView_->setHidden(true);
    showLabels(true);
    QString name = renameTextField_->stringValue();
    if (name.isEmpty() || name == QLatin1String(" "))
        return;
    // diskutil answers for a drive of this machine only when udisks does: never on the main thread.
    platform::dispatchAsyncGlobal([self = shared_from_this(), identifier = volumeInfo_->volumePath,
                                   shownName = volumeInfo_->volumeName, type = volumeInfo_->volumeType,
                                   name = std::move(name)]() mutable {
        const auto info = getDisjInfo(identifier);
        const std::optional<QString> problem = self->identityProblem(info);
        bool renamed = false;
        if (!problem) {
            if (info->value(diskkeys::kFilesystemName).toString() == QLatin1String("MS-DOS FAT32")
                || type == QLatin1String("MS-DOS FAT32"))
                name = name.toUpper();
            renamed = PublicUtilities::renameDiskWithGuid(identifier, name);
        }
        platform::dispatchAsyncMain([self = std::move(self), identifier, shownName, name, problem, renamed] {
            if (renamed) {
                VolumeInventory::shared().forget();
                self->volumeInfo_->volumeName = name;
                self->nameLabel_->setStringValue(name);
                return;
            }
            platform::NSLog(problem ? QStringLiteral("Not renaming: %1").arg(*problem)
                                    : QStringLiteral("Renaming %1 failed").arg(identifier));
            if (auto* notices = platform::Platform::current().userNotifications.get())
                notices->deliverNotification({QStringLiteral("Tavrin"), problem ? kChangedVolume
                                                                                : QStringLiteral("'%1' could not be renamed.").arg(shownName)});
        });
    });
}

void DiskBoxViewController::ejectButtonAction()
{
    platform::dispatchAsyncGlobal([self = shared_from_this(), identifier = volumeInfo_->volumePath,
                                   name = volumeInfo_->volumeName]() mutable {
        bool ejected = false;
        if (isDeviceIdentifier(identifier) && diskLineFits("diskutil eject " + identifier.toUtf8(), kShortDiskLineBuffer))
            ejected = aepairExecCommand({QStringLiteral("eject"), identifier}).exitStatus == 0;
        else
            platform::NSLog(QStringLiteral("Not ejecting \"%1\": not a device identifier").arg(identifier));
        platform::dispatchAsyncMain([self = std::move(self), ejected, name] {
            if (self->delegate_)
                self->delegate_->ejectButtonActionisS(ejected, name);
        });
    });
}

MakeSureFormatViewController& DiskBoxViewController::prepareFormatConfirmation()
{
    makeSureFormatVC_ = std::make_unique<MakeSureFormatViewController>();
    makeSureFormatVC_->setDelegate(this);
    makeSureFormatVC_->view();
    return *makeSureFormatVC_;
}

void DiskBoxViewController::formatButtonAction()
{
    auto keep = shared_from_this();
    MakeSureFormatViewController& confirmation = prepareFormatConfirmation();
    runModalPopUp(confirmation, [&] { confirmation.setName(volumeInfo_->volumeName, volumeInfo_->diskType); });
}

void DiskBoxViewController::makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type)
{
    const VolumeObj& r = *volumeInfo_;
    const ErasePlan plan = ErasePlan::choose(r.diskType, name, type, r.volumePath);
    if (plan.kind == ErasePlan::Kind::Refused) {
        platform::NSLog(QStringLiteral("format volume refused: %1").arg(plan.refusal));
        finishFormat({false, plan.refusal});
        return;
    }
    if (plan.kind == ErasePlan::Kind::Reformat && makeSureFormatVC_)
        makeSureFormatVC_->closeWindow(); // the reformat goes on by itself
    platform::dispatchAsyncGlobal([self = shared_from_this(), plan]() mutable {
        FormatOutcome outcome;
        if (const auto problem = self->identityProblem(getDisjInfo(self->volumeInfo_->volumePath))) {
            platform::NSLog(QStringLiteral("Not erasing: %1").arg(*problem));
            outcome = {false, kChangedVolume};
        } else {
            const bool reformat = plan.kind == ErasePlan::Kind::Reformat;
            const DiskCommandResult erased = reformat ? runTelling(QStringLiteral("/usr/sbin/diskutil"), plan.arguments)
                                                      : eraserExecCommand(plan.arguments);
            if (!reformat)
                platform::NSLog(QStringLiteral("format volume : %1").arg(erased.path));
            outcome.succeeded = erased.succeeded();
            if (!outcome.succeeded)
                outcome.detail = erased.said; // the tool's own reason, such as a device it never erases
        }
        if (!outcome.succeeded && outcome.detail.isEmpty())
            outcome.detail = QStringLiteral("diskutil could not erase the volume.");
        else if (outcome.succeeded)
            outcome.detail = QStringLiteral("The volume has been formatted.");
        platform::dispatchAsyncMain([self = std::move(self), outcome] { self->finishFormat(outcome); });
    });
}

void DiskBoxViewController::finishFormat(FormatOutcome outcome)
{
    VolumeInventory::shared().forget();
    if (makeSureFormatVC_)
        makeSureFormatVC_->closeWindow();
    lastFormatOutcome_ = outcome;
    platform::Platform::current().dispatcher->afterMain(std::chrono::milliseconds(1000),
                                                         [self = shared_from_this(), outcome] {
                                                             self->showFormatEndWindow(outcome);
                                                         });
}

void DiskBoxViewController::showFormatEndWindow(FormatOutcome outcome)
{
    platform::dispatchAsyncMain([self = shared_from_this(), outcome] {
        self->formatEndVC_ = std::make_unique<FormatEndViewController>();
        FormatEndViewController& end = *self->formatEndVC_;
        runModalPopUp(end, [&] { end.setOutcome(outcome.succeeded, outcome.detail); });
    });
}

void DiskBoxViewController::formatContinueAction()
{
    const auto info = getDisjInfo(volumeInfo_->volumePath);
    const QString node = info ? info->value(diskkeys::kDeviceNode).toString() : QString();
    if (!node.startsWith(QLatin1String("/dev/")) || !isDeviceIdentifier(node.mid(5)))
        return;
    platform::dispatchAsyncGlobal([node] {
        platform::Platform::current().commandRunner->run(QStringLiteral("/usr/sbin/diskutil"), {QStringLiteral("reformat"), node});
    });
}

AttributedString DiskBoxViewController::getStringColor(const QString& text)
{
    AttributedString result(text);
    result.addForegroundColor(Color::blackColor(), {0, result.length()});
    result.addFont(Font::fontWithName(PublicUtilities::getLightFontName(), 13), {0, result.length()});
    return result;
}
