#include "AboutThisMacViewController.h"

#include "utilities/ObjcPrintln.h"

#include "utilities/GetColor.h"
#include "utilities/PublicUtilities.h"

#include "platform/Platform.h"
#include "platform/ioregistry/IORegistry.h"
#include "platform/kernel/KernelValues.h"
#include "platform/process/ProcessInfo.h"
#include "platform/version/SystemVersionSource.h"

#include "platform/ui/Button.h"
#include "platform/ui/TextField.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

using namespace platform::ui;

namespace {

std::unique_ptr<AboutThisMacViewController>& sharedInstance()
{
    static std::unique_ptr<AboutThisMacViewController> instance;
    return instance;
}

// A text value of the kernel: its size first, then the value into a buffer of that size, up to
// its terminating zero. Empty when the kernel has none.
QByteArray kernelText(platform::KernelValues& kernel, const char* name)
{
    std::size_t size = 0;
    if (kernel.sysctlbyname(name, nullptr, &size) != 0 || size == 0)
        return {};
    QByteArray buffer(qsizetype(size), '\0');
    if (kernel.sysctlbyname(name, buffer.data(), &size) != 0)
        return {};
    return QByteArray(buffer.constData(), qsizetype(qstrnlen(buffer.constData(), size)));
}

Font labelFont(const QString& name, double size)
{
    return name.isNull() ? Font::systemFontOfSize(size) : Font::fontWithName(name, size);
}

} // namespace

AboutThisMacViewController::AboutThisMacViewController(QString nibName)
    : PopViewController(std::move(nibName))
{
}

AboutThisMacViewController::~AboutThisMacViewController() = default;

AboutThisMacViewController& AboutThisMacViewController::shareInstall()
{
    std::unique_ptr<AboutThisMacViewController>& instance = sharedInstance();
    if (!instance) {
        instance = std::make_unique<AboutThisMacViewController>();
        instance->printSysctlInfo();
    }
    return *instance;
}

void AboutThisMacViewController::discardSharedInstance()
{
    sharedInstance().reset();
}

bool AboutThisMacViewController::getMacModel() const
{
    return macModel_.toLower().contains(QLatin1String("mini"));
}

QString AboutThisMacViewController::osNameForMinorVersion(int minorVersion)
{
    static const std::array<const char*, 10> names = {
        "Mac OS X Snow Leopard", "OS X Lion",          "OS X Mountain Lion", "OS X Mavericks", "OS X Yosemite",
        "OS X El Capitan",       "macOS Sierra",       "macOS High Sierra",  "macOS Mojave",   "macOS Catalina",
    };
    const auto index = unsigned(minorVersion) - 6u;
    return QString::fromLatin1(index < names.size() ? names[index] : "macOS Catalina");
}

int AboutThisMacViewController::OSVersion()
{
    int32_t minor = 0;
    if (platform::Platform::current().systemVersion->gestalt(platform::gestaltSystemVersionMinor, &minor)
        != platform::noErr)
        return 0;
    return int(minor);
}

void AboutThisMacViewController::setLabel(TextField* label, const QString& text)
{
    if (label)
        label->setStringValue(text);
}

void AboutThisMacViewController::awakeFromNib()
{
    if (nibName() != QLatin1String(kInterfaceFile))
        return; // the plain instance has no panel to fill
    setLabel(versionName_, osNameForMinorVersion(PublicUtilities::getMinorVersion()));
    loadMacInfo();
    (void)PublicUtilities::getMacInfo();
}

void AboutThisMacViewController::loadMacInfo()
{
    platform::Platform& platform = platform::Platform::current();
    const platform::ProcessInfo& info = *platform.processInfo;

    objc_println("Beginning system data collection...");
    objc_println("NSProcessInfo:");
    objc_println("\tProcess Name: %s", qUtf8Printable(info.processName()));
    objc_println("\tPID: %d", info.processIdentifier());
    objc_println("\tProcess GUID: %s", qUtf8Printable(info.globallyUniqueString()));
    const QString osVersion = info.operatingSystemVersionString();
    objc_println("\tOS Version: %s", qUtf8Printable(osVersion));
    setLabel(version_, osVersion);

    objc_println("\tTotal Processors: %d", int(info.processorCount()));
    objc_println("\tActive Processors: %d", int(info.activeProcessorCount()));
    const uint64_t memory = info.physicalMemory();
    objc_println("\tTotal RAM: %llu bytes", static_cast<unsigned long long>(memory));
    setLabel(memorySize_, QStringLiteral("MemorySize: ") + PublicUtilities::longlongConvertVolSpace(int64_t(memory)));

    printSysctlInfo();

    objc_println("IOKit:");
    std::vector<platform::IORegistryEntry> services;
    const platform::kern_return_t result = platform.ioRegistry->getMatchingServicesByName(QStringLiteral("processor"), &services);
    if (result != 0) {
        writeReport(ReportStream::Output, platform::stringWithFormat("IOServiceGetMatchingServices failed: %d\n", result));
    } else {
        // A dictionary by name: a later processor of the same name replaces an earlier one.
        std::vector<std::pair<QString, uint32_t>> identifiers;
        for (const platform::IORegistryEntry& service : services) {
            const QVariant value = service.searchProperty(QStringLiteral("IOCPUID"));
            if (!value.isValid())
                continue;
            const auto identifier = uint32_t(value.toLongLong());
            const auto same = std::find_if(identifiers.begin(), identifiers.end(),
                                           [&](const auto& entry) { return entry.first == service.name; });
            if (same != identifiers.end())
                same->second = identifier;
            else
                identifiers.emplace_back(service.name, identifier);
        }
        std::stable_sort(identifiers.begin(), identifiers.end(), [](const auto& a, const auto& b) {
            return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
        });
        for (const auto& [name, identifier] : identifiers)
            objc_println("\t%s has ID: 0x%8.8x", qUtf8Printable(name), unsigned(identifier));
    }

    const std::optional<QString> serial = getPlatformSerialNumber();
    const QByteArray serialText = serial ? serial->toUtf8() : QByteArray();
    objc_println("\tSerial Number: %s", serial ? serialText.constData() : "(null)");
    setLabel(serName_, QStringLiteral("Serial Number: ") + (serial ? *serial : QStringLiteral("(null)")));
}

void AboutThisMacViewController::printSysctlInfo()
{
    platform::KernelValues& kernel = *platform::Platform::current().kernelValues;
    objc_println("sysctl:");
    objc_println("\tkern.ostype: %s", kernelText(kernel, "kern.ostype").constData());
    objc_println("\tkern.osrelease: %s", kernelText(kernel, "kern.osrelease").constData());
    objc_println("\tkern.osversion: %s", kernelText(kernel, "kern.osversion").constData());

    const QByteArray model = kernelText(kernel, "hw.model");
    objc_println("\thw.model: %s", model.constData());
    macModel_ = QString::fromUtf8(model);
    setLabel(compterVerion_, macModel_);

    const QByteArray brand = kernelText(kernel, "machdep.cpu.brand_string");
    objc_println("\tmachdep.cpu.brand_string: %s", brand.constData());
    setLabel(cpuName_, QString::fromUtf8(brand));

    uint32_t frequency = 0;
    std::size_t size = sizeof frequency;
    if (kernel.sysctlbyname("hw.cpufrequency", &frequency, &size) != 0)
        frequency = 0;
    objc_println("\thw.cpufrequency: %u", unsigned(frequency));
}

void AboutThisMacViewController::loadView()
{
    if (nibName() == QLatin1String(kInterfaceFile))
        AboutThisMacView();
    else
        PopViewController::loadView();
}

void AboutThisMacViewController::AboutThisMacView()
{
    auto root = std::make_unique<View>(Rect(0, 0, 380, 250));
    const Color text = getColor(51, 57, 81, 1);
    const QString regular = PublicUtilities::getRegularFontName();
    const QString light = PublicUtilities::getLightFontName();
    auto label = [&](double y, double height, const Font& font) {
        auto field = std::make_unique<TextField>(Rect(24, y, 332, height));
        field->setEditable(false);
        field->setSelectable(false);
        field->setBordered(false);
        field->setDrawsBackground(false);
        field->setTextColor(text);
        field->setFont(font);
        return root->addSubview(std::move(field));
    };
    versionName_ = label(206, 26, labelFont(PublicUtilities::getBoldFontName(), 20));
    version_ = label(184, 18, labelFont(light, 12));
    compterVerion_ = label(150, 18, labelFont(regular, 13));
    cpuName_ = label(128, 18, labelFont(regular, 13));
    memorySize_ = label(106, 18, labelFont(regular, 13));
    grpName_ = label(84, 18, labelFont(regular, 13));
    serName_ = label(62, 18, labelFont(regular, 13));

    auto close = Button::buttonWithTitle(QStringLiteral("OK"), [this](Button&) { closeWindow(); });
    close->setFrame(Rect(276, 16, 80, 28));
    root->addSubview(std::move(close));
    setView(std::move(root));
}

std::optional<QString> getPlatformSerialNumber()
{
    const std::optional<platform::IORegistryEntry> root =
        platform::Platform::current().ioRegistry->entryFromPath(QStringLiteral("IOService:/"));
    if (!root)
        return std::nullopt;
    const QVariant value = root->properties.value(QStringLiteral("IOPlatformSerialNumber"));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

QString osver()
{
    const platform::SystemVersionSource& source = *platform::Platform::current().systemVersion;
    int32_t parts[3] = {0, 0, 0};
    const platform::OSType selectors[3] = {platform::gestaltSystemVersionMajor, platform::gestaltSystemVersionMinor,
                                           platform::gestaltSystemVersionBugFix};
    for (int i = 0; i < 3; ++i) {
        if (source.gestalt(selectors[i], &parts[i]) != platform::noErr)
            parts[i] = 0;
    }
    return platform::stringWithFormat("%d.%d.%d", int(parts[0]), int(parts[1]), int(parts[2]));
}
