// The command-line and system probes of PublicUtilities.
#include "PublicUtilities.h"

#include "CommandOutput.h"
#include "EUExecCommand.h"

#include "platform/Platform.h"
#include "platform/files/FileCatalog.h"
#include "platform/folders/SearchPaths.h"
#include "platform/log/SystemLog.h"
#include "platform/network/HttpClient.h"

#include <QDebug>
#include <QUrl>

#include <memory>
#include <new>
#include <vector>

namespace {

const QString kOutputFile = QStringLiteral("brenlow.plist");
constexpr std::size_t kDiskCommandBufferSize = 128;
constexpr std::size_t kBatchSize = 40;
constexpr int kNetworkTimeoutMs = 5000;

// The diskutil line as the shell would have seen it: its length decides whether it may run.
bool diskLineFits(const QByteArray& line)
{
    return CommandOutput::fits(line, kDiskCommandBufferSize);
}

} // namespace

std::optional<QVariantMap> PublicUtilities::EUGetDiskInfo(const QString& disk)
{
    if (disk.isNull())
        return std::nullopt;
    if (!diskLineFits("diskutil info -plist \"" + disk.toUtf8() + '"'))
        return std::nullopt;
    // The name is one argument, never part of a shell line.
    const QString path = CommandOutput::runProgram(
        kOutputFile, QStringLiteral("diskutil"), {QStringLiteral("info"), QStringLiteral("-plist"), disk});
    return CommandOutput::readDictionary(path);
}

bool PublicUtilities::renameDiskWithGuid(const QString& guid, const QString& newName)
{
    if (newName.isEmpty() || guid.isEmpty())
        return false;
    if (!diskLineFits("diskutil rename " + guid.toUtf8() + " \"" + newName.toUtf8() + '"'))
        return false;
    int exitStatus = -1;
    const QString path = CommandOutput::runProgram(
        kOutputFile, QStringLiteral("diskutil"), {QStringLiteral("rename"), guid, newName}, &exitStatus);
    return !path.isNull() && exitStatus == 0;
}

std::optional<QVariantMap> PublicUtilities::getMacInfo()
{
    const auto info = CommandOutput::readDictionary(
        EUExecCommand("system_profiler SPDisplaysDataType |grep Chipset\\ Model"));
    QString description = QStringLiteral("(null)");
    if (info) {
        description.clear();
        QDebug(&description).noquote() << *info;
    }
    platform::NSLog(QStringLiteral("==:%1").arg(description));
    return info;
}

std::optional<QVariantMap> PublicUtilities::getMavVersInfo()
{
    return CommandOutput::readDictionary(EUExecCommand("sw_vers"));
}

bool PublicUtilities::isCanBeUseNetWork()
{
    const auto body = platform::Platform::current().httpClient->get(
        QUrl(QStringLiteral("https://www.apple.com/")), kNetworkTimeoutMs);
    return body && !body->isEmpty();
}

uint64_t PublicUtilities::sizeOfFileRef(const platform::FSRef& ref)
{
    const auto& catalog = *platform::Platform::current().fileCatalog;
    std::unique_ptr<platform::FSIterator> iterator;
    const platform::OSErr opened = catalog.openIterator(ref, &iterator);
    if (opened == platform::errFSNotAFolder) {
        platform::FSCatalogInfo info;
        if (catalog.getCatalogInfo(ref, platform::kFSCatInfoGettableInfo, &info) != platform::noErr)
            return 0;
        return info.dataLogicalSize;
    }
    if (opened != platform::noErr)
        return 0;

    std::unique_ptr<platform::FSRef[]> refs(new (std::nothrow) platform::FSRef[kBatchSize]);
    std::unique_ptr<platform::FSCatalogInfo[]> infos(new (std::nothrow) platform::FSCatalogInfo[kBatchSize]);
    if (!refs || !infos)
        return 0;

    // A folder being measured: its listing and the subfolders of its last batch still to measure.
    struct Level {
        explicit Level(std::unique_ptr<platform::FSIterator> listing) : iterator(std::move(listing)) {}
        std::unique_ptr<platform::FSIterator> iterator;
        std::vector<platform::FSRef> subfolders;
        platform::FSCatalogInfoBitmap whichInfo = platform::kFSCatInfoGettableInfo;
        bool listed = false;
    };
    std::vector<Level> levels;
    levels.emplace_back(std::move(iterator));
    uint64_t total = 0;
    std::size_t unread = 0;
    // A loop, not recursion, over a catalog that keeps few folders open: any depth is measured.
    while (!levels.empty()) {
        Level& level = levels.back();
        if (!level.subfolders.empty()) {
            const platform::FSRef folder = std::move(level.subfolders.back());
            level.subfolders.pop_back();
            std::unique_ptr<platform::FSIterator> inner;
            const platform::OSErr status = catalog.openIterator(folder, &inner);
            if (status == platform::noErr)
                levels.emplace_back(std::move(inner));
            else if (status != platform::fnfErr) // gone since it was listed counts as nothing
                ++unread;
            continue;
        }
        if (level.listed) {
            levels.pop_back(); // leaving the folder, which reopens its parent if it was closed
            continue;
        }
        std::size_t count = 0;
        const platform::OSErr status =
            level.iterator->getCatalogInfoBulk(kBatchSize, &count, level.whichInfo, infos.get(), refs.get());
        for (std::size_t i = 0; i < count && i < kBatchSize; ++i) {
            if (infos[i].nodeFlags & platform::kFSNodeIsDirectoryMask)
                level.subfolders.push_back(std::move(refs[i]));
            else
                total += infos[i].dataLogicalSize;
        }
        if (status != platform::noErr) {
            level.listed = true;
            if (status != platform::errFSNoMoreItems)
                ++unread;
        }
        level.whichInfo = platform::kFSCatInfoNodeFlags | platform::kFSCatInfoDataSizes
            | platform::kFSCatInfoRsrcSizes;
    }
    if (unread)
        platform::NSLog(QStringLiteral("sizeOfFileRef: %1 folders could not be read; %2 bytes is a partial sum")
                            .arg(unread)
                            .arg(total));
    return total;
}

QStringList PublicUtilities::applicationPaths()
{
    const auto& paths = *platform::Platform::current().searchPaths;
    QStringList result = paths.searchPathsForDirectory(platform::SearchPathDirectory::Applications,
                                                       platform::SearchPathDomain::All, true);
    result += paths.searchPathsForDirectory(platform::SearchPathDirectory::DeveloperApplications,
                                            platform::SearchPathDomain::Local, true);
    return result;
}
