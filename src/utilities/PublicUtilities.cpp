#include "PublicUtilities.h"

#include "GetColor.h"
#include "SettingsStore.h"

#include "platform/Platform.h"
#include "platform/log/SystemLog.h"
#include "platform/text/StringFormat.h"
#include "platform/version/SystemVersionSource.h"

#include <QLocale>

#include <cmath>

namespace {

const QString kFontLight = QStringLiteral("FontLight");
const QString kFontRegular = QStringLiteral("FontRegular");
const QString kFontBold = QStringLiteral("FontBold");

QString textForKey(const QString& key)
{
    const QVariant value = SettingsStore::valueForKey(key);
    return value.isValid() ? value.toString() : QString();
}

// One size text: the count in the largest unit (a power of `base`) that it reaches, the
// quotient taken in double precision and held as a 32-bit float, then formatted. Negative
// counts stay in bytes.
QString sizeText(double count, double base, const char* const (&formats)[5])
{
    double divisor = 1;
    int unit = 0;
    while (unit < 4 && count >= divisor * base) {
        divisor *= base;
        ++unit;
    }
    const float quotient = float(count / divisor);
    return platform::stringWithFormat(formats[unit], double(quotient));
}

const char* const kWholeDecimalUnits[5] = {"%.0f byte", "%0.0f KB", "%0.0f MB", "%0.0f GB", "%0.0f TB"};
const char* const kDecimalUnits[5] = {"%.0f byte", "%0.2f KB", "%0.2f MB", "%0.2f GB", "%0.2f TB"};

// The leading number of a text, as the platform's floatValue reads it: blanks, a sign, digits
// with an optional fraction and exponent; 0 when there is none.
float leadingFloat(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\n'))
        ++i;
    const qsizetype start = i;
    auto digits = [&] {
        while (i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9')
            ++i;
    };
    if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-'))
        ++i;
    digits();
    if (i < bytes.size() && bytes[i] == '.') {
        ++i;
        digits();
    }
    if (i < bytes.size() && (bytes[i] == 'e' || bytes[i] == 'E')) {
        qsizetype mark = i++;
        if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-'))
            ++i;
        const qsizetype exponentStart = i;
        digits();
        if (i == exponentStart)
            i = mark;
    }
    bool ok = false;
    const float value = QLocale::c().toFloat(QLatin1String(bytes.constData() + start, i - start), &ok);
    return ok ? value : 0.0f;
}

} // namespace

void PublicUtilities::writLightFont(const platform::ui::Font& font)
{
    SettingsStore::setValueForKey(kFontLight, font.fontName());
}

void PublicUtilities::writRegularFont(const platform::ui::Font& font)
{
    SettingsStore::setValueForKey(kFontRegular, font.fontName());
}

void PublicUtilities::writBoldFont(const platform::ui::Font& font)
{
    SettingsStore::setValueForKey(kFontBold, font.fontName());
}

QString PublicUtilities::getLightFontName()
{
    return textForKey(kFontLight);
}

QString PublicUtilities::getRegularFontName()
{
    return textForKey(kFontRegular);
}

QString PublicUtilities::getBoldFontName()
{
    return textForKey(kFontBold);
}

void PublicUtilities::writePopWindowPoint(platform::ui::Point point)
{
    SettingsStore::setValuesForKeys({{QStringLiteral("X"), platform::stringWithFormat("%.1f", point.x)},
                                     {QStringLiteral("Y"), platform::stringWithFormat("%.1f", point.y)}});
}

platform::ui::Point PublicUtilities::getPopWindowPoint()
{
    return {leadingFloat(textForKey(QStringLiteral("X"))), leadingFloat(textForKey(QStringLiteral("Y")))};
}

QVariant PublicUtilities::getIsFristLoad()
{
    return SettingsStore::valueForKey(QStringLiteral("ISFrist"));
}

void PublicUtilities::setIsFristLoad()
{
    SettingsStore::setValueForKey(QStringLiteral("ISFrist"), QStringLiteral("NO"));
}

QVariant PublicUtilities::getUpDataTimeStr()
{
    return SettingsStore::valueForKey(QStringLiteral("upDataTimeStr"));
}

void PublicUtilities::writeUpDataTimeStr(const QVariant& value)
{
    SettingsStore::setValueForKey(QStringLiteral("upDataTimeStr"), value);
}

void PublicUtilities::getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix)
{
    const auto& source = *platform::Platform::current().systemVersion;
    int32_t values[3] = {10, 0, 0};
    int32_t packed = 0;
    platform::OSErr error = source.gestalt(platform::gestaltSystemVersion, &packed);
    if (error == platform::noErr && packed < 0x1040) {
        values[0] = ((packed & 0xF000) >> 12) * 10 + ((packed & 0x0F00) >> 8);
        values[1] = (packed & 0x00F0) >> 4;
        values[2] = packed & 0x000F;
    } else if (error == platform::noErr) {
        int32_t parts[3] = {0, 0, 0};
        error = source.gestalt(platform::gestaltSystemVersionMajor, &parts[0]);
        if (error == platform::noErr)
            error = source.gestalt(platform::gestaltSystemVersionMinor, &parts[1]);
        if (error == platform::noErr)
            error = source.gestalt(platform::gestaltSystemVersionBugFix, &parts[2]);
        if (error == platform::noErr)
            std::copy(parts, parts + 3, values);
    }
    if (error != platform::noErr) {
        platform::NSLog(QStringLiteral("Unable to obtain system version: %1").arg(long(error)));
        values[0] = 10;
        values[1] = 0;
        values[2] = 0;
    }
    if (major)
        *major = unsigned(values[0]);
    if (minor)
        *minor = unsigned(values[1]);
    if (bugFix)
        *bugFix = unsigned(values[2]);
}

int PublicUtilities::getSystemVersion()
{
    unsigned major = 0;
    unsigned minor = 0;
    getSystemVersionMajor(&major, &minor, nullptr);
    const QString minorText = platform::stringWithFormat(minor < 10 ? "0%u" : "%u", minor);
    return platform::stringWithFormat("%u", major).append(minorText).toInt();
}

int PublicUtilities::getMinorVersion()
{
    unsigned minor = 0;
    getSystemVersionMajor(nullptr, &minor, nullptr);
    return int(minor);
}

QString PublicUtilities::convertVolSpace(uint64_t n)
{
    return sizeText(double(n), 1000, kWholeDecimalUnits);
}

QString PublicUtilities::longlongDiskSize(int64_t n)
{
    return sizeText(double(n), 1000, kDecimalUnits);
}

QString PublicUtilities::longlongConvertVolSpace(int64_t n)
{
    return sizeText(double(n), 1024, kDecimalUnits);
}

uint64_t PublicUtilities::volSpaceFromString(const QString& text)
{
    if (text.size() < 2)
        return 0;
    const float number = leadingFloat(text.left(text.size() - 2));
    const QString suffix = text.right(2);
    float product = 0;
    if (suffix == QLatin1String("KB"))
        product = number > 0 ? number * 1000.0f : number;
    else if (suffix == QLatin1String("MB"))
        product = number * 1e6f;
    else if (suffix == QLatin1String("GB"))
        product = number * 1e9f;
    else if (suffix == QLatin1String("TB"))
        product = number * 1e12f;
    // Anything that has no unsigned 64-bit value (negative, infinite, too large) reads as 0.
    if (!std::isfinite(product) || product <= 0 || product >= 0x1p64f)
        return 0;
    return uint64_t(product);
}

QString PublicUtilities::fileSystemTypeForInt(int code, bool isDmg)
{
    if (isDmg)
        return QStringLiteral("Disk Image");
    static const char* const names[] = {"FAT12", "FAT16", "FAT32", "NTFS", "EXT2",
                                        "EXT3",  "RAW",   "EXFAT", "HFS+", "Unknown"};
    const unsigned index = unsigned(code);
    return index < std::size(names) ? QString::fromLatin1(names[index]) : QStringLiteral("Disk");
}

std::optional<QDateTime> PublicUtilities::convertDateFromString(const QString& text)
{
    const QLocale locale = QLocale::system();
    const QString format = locale.dateFormat(QLocale::LongFormat) + QLatin1Char(' ')
        + locale.timeFormat(QLocale::ShortFormat);
    const QDateTime date = locale.toDateTime(text, format);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<platform::ui::AttributedString> PublicUtilities::getOpenString(const QString& text)
{
    if (text.isNull())
        return std::nullopt;
    platform::ui::AttributedString result(text);
    const platform::ui::TextRange whole{0, result.length()};
    result.beginEditing();
    result.addForegroundColor(getColor(0, 195, 248, 1), whole);
    // Without a light font in the settings the text keeps just its colour.
    if (const QString fontName = getLightFontName(); !fontName.isNull())
        result.addFont(platform::ui::Font::fontWithName(fontName, 12), whole);
    result.endEditing();
    return result;
}
