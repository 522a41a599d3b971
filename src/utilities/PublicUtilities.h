#pragma once

#include "platform/files/FileCatalog.h"
#include "platform/ui/AttributedString.h"
#include "platform/ui/Font.h"
#include "platform/ui/Geometry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <optional>

// The helpers every part of the program uses. Nothing here keeps state: each call reads the
// settings store, the OS version or the disk afresh, on the caller's thread.
class PublicUtilities {
public:
    // Font names in the settings store.
    static void writLightFont(const platform::ui::Font& font);
    static void writRegularFont(const platform::ui::Font& font);
    static void writBoldFont(const platform::ui::Font& font);
    static QString getLightFontName();
    static QString getRegularFontName();
    static QString getBoldFontName();

    // The remembered pop-window origin, kept as "%.1f" texts under "X" and "Y".
    static void writePopWindowPoint(platform::ui::Point point);
    static platform::ui::Point getPopWindowPoint(); // kept: named by the design, no caller yet

    static QVariant getIsFristLoad(); // kept: named by the design, no caller yet
    static void setIsFristLoad(); // kept: named by the design, no caller yet
    static QVariant getUpDataTimeStr(); // kept: named by the design, no caller yet
    static void writeUpDataTimeStr(const QVariant& value); // kept: named by the design, no caller yet

    // The OS version as major × 100 + minor (10.9 is 1009, 11.2 is 1102); 1000 when the
    // version cannot be read.
    static int getSystemVersion();
    static int getMinorVersion();
    // Any of the three may be null.
    static void getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix);

    // Size texts: steps of 1000 without decimals, of 1000 with two, of 1024 with two.
    static QString convertVolSpace(uint64_t bytes);
    static QString longlongDiskSize(int64_t bytes);
    static QString longlongConvertVolSpace(int64_t bytes);
    // Parses "12 KB", "1.5 GB", … back into bytes; 0 for anything it does not recognise.
    static uint64_t volSpaceFromString(const QString& text);

    static QString fileSystemTypeForInt(int code, bool isDmg); // kept: named by the design, no caller yet
    static std::optional<QDateTime> convertDateFromString(const QString& text); // kept: named by the design, no caller yet
    // The text in the link colour and the light font at 12 points; nothing for no text.
    static std::optional<platform::ui::AttributedString> getOpenString(const QString& text);

    // `diskutil info -plist` of a volume name or disk identifier.
    static std::optional<QVariantMap> EUGetDiskInfo(const QString& disk);
    // Whether `diskutil rename` renamed the volume.
    static bool renameDiskWithGuid(const QString& guid, const QString& newName);
    static std::optional<QVariantMap> getMacInfo();
    static std::optional<QVariantMap> getMavVersInfo(); // kept: named by the design, no caller yet

    // Whether a well-known web site answers within 5 seconds. Blocks the calling thread.
    static bool isCanBeUseNetWork();

    // The sum of the data-fork sizes of a file, or of everything in a folder, links not followed.
    static uint64_t sizeOfFileRef(const platform::FSRef& ref);

    // The application folders of every domain, then the local developer-applications folder.
    static QStringList applicationPaths();
};
