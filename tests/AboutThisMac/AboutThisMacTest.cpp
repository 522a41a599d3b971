#include "AboutThisMac/AboutThisMacViewController.h"
#include "utilities/ObjcPrintln.h"
#include "Fakes.h"
#include "ProbeFakes.h"
#include "ShellFakes.h"
#include "TestPlatform.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

// Takes the report streams for the length of a test.
struct ReportCapture {
    QByteArray error, output;
    ReportSink previous = setReportSink(
        [this](ReportStream stream, const QByteArray& utf8) { (stream == ReportStream::Error ? error : output) += utf8; });
    ~ReportCapture() { setReportSink(std::move(previous)); }
    QStringList errorLines() const { return QString::fromUtf8(error).split(QLatin1Char('\n')); }
};

class AboutThisMacTest : public testing::Test {
protected:
    AboutThisMacTest()
    {
        kernel_ = test::install<test::FakeKernelValues>(platform_->kernelValues);
        registry_ = test::install<test::FakeIORegistry>(platform_->ioRegistry);
        info_ = test::install<test::FakeProcessInfo>(platform_->processInfo);
        version_ = test::install<test::FakeSystemVersion>(platform_->systemVersion);
        version_->setVersion(QStringLiteral("10.13.6"));
        AboutThisMacViewController::discardSharedInstance();
    }
    ~AboutThisMacTest() override { AboutThisMacViewController::discardSharedInstance(); }

    static platform::IORegistryEntry processor(const char* name, QVariantMap properties = {})
    {
        platform::IORegistryEntry entry;
        entry.name = QString::fromLatin1(name);
        entry.properties = std::move(properties);
        return entry;
    }

    test::TestPlatform platform_;
    test::FakeKernelValues* kernel_ = nullptr;
    test::FakeIORegistry* registry_ = nullptr;
    test::FakeProcessInfo* info_ = nullptr;
    test::FakeSystemVersion* version_ = nullptr;
    ReportCapture report_;
};

} // namespace

TEST_F(AboutThisMacTest, MacMiniRuleIgnoresCase)
{
    const std::pair<const char*, bool> cases[] = {
        {"MACMINI9,1", true}, {"miniMac", true}, {"iMac20,1", false}, {"Mac mni", false}, {nullptr, false}};
    for (const auto& [model, mini] : cases) {
        if (model)
            kernel_->setText("hw.model", model);
        else
            kernel_->values.remove("hw.model"); // a kernel that answers no model
        AboutThisMacViewController controller;
        controller.printSysctlInfo();
        EXPECT_EQ(controller.getMacModel(), mini) << (model ? model : "none");
    }
}

TEST_F(AboutThisMacTest, SharedInstanceReadsTheMacOnceAndKeepsWhatItRead)
{
    kernel_->setText("hw.model", "Macmini8,1");
    AboutThisMacViewController::shareInstall();
    kernel_->setText("hw.model", "MacBookPro15,1");
    EXPECT_TRUE(AboutThisMacViewController::shareInstall().getMacModel()) << "the first reading";
    EXPECT_EQ(report_.errorLines().count(QStringLiteral("sysctl:")), 1);
    AboutThisMacViewController::discardSharedInstance();
    EXPECT_FALSE(AboutThisMacViewController::shareInstall().getMacModel());
}

TEST_F(AboutThisMacTest, SysctlReportOfMissingAndOddKernelValues)
{
    kernel_->values.insert("hw.model", QByteArray("Mac\0mini", 8));        // cut at the first zero
    kernel_->values.insert("kern.ostype", QByteArray("Darwin", 6));        // no terminating zero
    kernel_->setText("kern.osversion", "19H2026");
    kernel_->setInteger("hw.cpufrequency", uint64_t(4000000000ull)); // wider than the four bytes read
    AboutThisMacViewController controller;
    controller.printSysctlInfo();
    EXPECT_EQ(report_.error, QByteArray("sysctl:\n"
                                        "\tkern.ostype: Darwin\n"
                                        "\tkern.osrelease: \n"
                                        "\tkern.osversion: 19H2026\n"
                                        "\thw.model: Mac\n"
                                        "\tmachdep.cpu.brand_string: \n"
                                        "\thw.cpufrequency: 0\n"));
    EXPECT_FALSE(controller.getMacModel());
    kernel_->setInteger("hw.cpufrequency", uint32_t(2200000000u));
    report_.error.clear();
    controller.printSysctlInfo();
    EXPECT_TRUE(report_.errorLines().contains(QStringLiteral("\thw.cpufrequency: 2200000000")));
}

TEST_F(AboutThisMacTest, ProcessorIdentifiersSortedWithoutRegardToCase)
{
    const QString id = QStringLiteral("IOCPUID");
    platform::IORegistryEntry nested = processor("CPU0");
    nested.children.push_back(processor("core", {{id, 7}}));
    registry_->processors = {processor("cpu1", {{id, 0x1f}}), processor("cpu2"), // no identifier, no line
                             nested, processor("big", {{id, qlonglong(0x1deadbeefll)}})};
    registry_->serialNumber = QStringLiteral("C02XG0FDH7JY");
    info_->memory = 8589934592ull;
    AboutThisMacViewController controller;
    controller.loadMacInfo();
    EXPECT_TRUE(report_.error.contains("IOKit:\n\tbig has ID: 0xdeadbeef\n\tCPU0 has ID: 0x00000007\n"
                                       "\tcpu1 has ID: 0x0000001f\n\tSerial Number: C02XG0FDH7JY\n"))
        << report_.error.constData();
    EXPECT_TRUE(report_.errorLines().contains(QStringLiteral("\tTotal RAM: 8589934592 bytes")));
    EXPECT_TRUE(report_.output.isEmpty());
}

TEST_F(AboutThisMacTest, RegistryFailuresAndMissingSerialNumber)
{
    registry_->matchingFailure = 5;
    registry_->processors = {processor("cpu0", {{QStringLiteral("IOCPUID"), 1}})};
    AboutThisMacViewController controller;
    controller.loadMacInfo();
    EXPECT_EQ(report_.output, QByteArray("IOServiceGetMatchingServices failed: 5\n"));
    EXPECT_FALSE(report_.error.contains("has ID"));
    EXPECT_TRUE(report_.errorLines().contains(QStringLiteral("\tSerial Number: (null)")));
    EXPECT_EQ(getPlatformSerialNumber(), std::nullopt);
}

TEST_F(AboutThisMacTest, VersionsAndTheirNames)
{
    // Out of the table's range it is the latest name.
    const std::pair<int, const char*> names[] = {{6, "Mac OS X Snow Leopard"}, {9, "OS X Mavericks"},
                                                 {15, "macOS Catalina"}, {16, "macOS Catalina"},
                                                 {5, "macOS Catalina"}, {INT_MIN, "macOS Catalina"}};
    for (const auto& [minor, name] : names)
        EXPECT_EQ(AboutThisMacViewController::osNameForMinorVersion(minor), QString::fromLatin1(name)) << minor;
    // Parts the system does not answer are zero.
    EXPECT_EQ(osver(), QStringLiteral("10.13.6"));
    EXPECT_EQ(AboutThisMacViewController::OSVersion(), 13);
    version_->failSelector(platform::gestaltSystemVersionBugFix, platform::gestaltUndefSelectorErr);
    EXPECT_EQ(osver(), QStringLiteral("10.13.0"));
    auto silent = std::make_unique<test::FakeSystemVersion>();
    silent->failWith(platform::gestaltUndefSelectorErr);
    platform_->systemVersion = std::move(silent);
    EXPECT_EQ(osver(), QStringLiteral("0.0.0"));
    EXPECT_EQ(AboutThisMacViewController::OSVersion(), 0);
}
