#include "utilities/CommandOutput.h"
#include "utilities/EUExecCommand.h"
#include "utilities/PublicUtilities.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A test platform whose stand-in tools record every call into a file.
struct RecordedTools {
    QString logPath;
    std::unique_ptr<test::TestPlatform> platform;
    RecordedTools()
    {
        logPath = test::makeTemporaryFolder() + "/tools.log";
        qputenv("TAVRIN_TOOL_LOG", QFile::encodeName(logPath));
        platform = std::make_unique<test::TestPlatform>();
        qunsetenv("TAVRIN_TOOL_LOG");
    }
    // One JSON array of words a line.
    QList<QStringList> calls() const
    {
        QList<QStringList> result;
        for (const QByteArray& line : test::readFile(logPath).split('\n'))
            if (!line.isEmpty())
                result << QJsonDocument::fromJson(line).toVariant().toStringList();
        return result;
    }
};

const QStringList kHostileNames = {"a\"; touch pwned; echo \"", "$(touch pwned)", "`touch pwned`",
                                   "line\ntouch pwned", "Bäckup Ümlaut ✓", "-plist"};

} // namespace

TEST(CommandProbesTest, RunnerRemovesThePreviousOutputFirst)
{
    test::TestPlatform p;
    const QString path = EUExecCommand("printf '<plist><dict/></plist>'");
    ASSERT_TRUE(path.endsWith(QString("/brenlow.plist")));
    struct stat st {};
    ASSERT_EQ(lstat(QFile::encodeName(QFileInfo(path).path()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "output lives in a private folder";
    EXPECT_TRUE(CommandOutput::readDictionary(path).has_value());
    EXPECT_EQ(EUExecCommand(":"), path);
    EXPECT_EQ(test::readFile(path), QByteArray()) << "a command without output leaves an empty file";
    EXPECT_FALSE(CommandOutput::readDictionary(path).has_value());
    EXPECT_TRUE(EUExecCommand(QByteArray()).isNull());
    // A command that writes nothing at all (here: one that never runs) leaves no stale output.
    auto* runner = test::install<test::RecordingCommandRunner>(p->commandRunner);
    EXPECT_EQ(EUExecCommand("printf x"), path);
    EXPECT_EQ(runner->calls().size(), 1u);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(CommandProbesTest, NothingRunsWithoutAPrivateTemporaryFolder)
{
    test::TestPlatform p;
    auto* runner = test::install<test::RecordingCommandRunner>(p->commandRunner);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", "."); // output would land wherever the program happens to stand
    EXPECT_TRUE(EUExecCommand(":").isNull());
    EXPECT_TRUE(CommandOutput::runProgram(QString("brenlow.plist"), QString("sw_vers"), {}).isNull());
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("TMPDIR", tmp);
    EXPECT_TRUE(runner->calls().empty());
    EXPECT_TRUE(p.log().messages().last().contains(QString("not run")));
}

TEST(CommandProbesTest, LinesLongerThanTheBufferAreNotRun)
{
    test::TestPlatform p;
    auto* runner = test::install<test::RecordingCommandRunner>(p->commandRunner);
    const QString output = CommandOutput::outputPath(QString("brenlow.plist"));
    const int room = int(CommandOutput::kShellLineBufferSize) - 1 - 3 - 2 - int(QFile::encodeName(output).size());
    EXPECT_FALSE(EUExecCommand(QByteArray(room, 'x')).isNull());
    EXPECT_TRUE(EUExecCommand(QByteArray(room + 1, 'x')).isNull());
    EXPECT_EQ(runner->calls().size(), 1u);
}

// Hostile names reach diskutil as one argument; a name past 104 bytes is not looked up.
TEST(CommandProbesTest, DiskInformationComesFromDiskutilNamesAsOneArgument)
{
    RecordedTools tools;
    QDir::setCurrent(test::makeTemporaryFolder());
    const auto info = PublicUtilities::EUGetDiskInfo("Backup");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->value("DeviceIdentifier").toString(), "disk2s1");
    // Two bytes a letter in UTF-8: 53 letters are 106 bytes.
    for (const QString& unasked : {QString(), QString(105, 'd'), QString(53, QChar(0x00E4))})
        EXPECT_FALSE(PublicUtilities::EUGetDiskInfo(unasked).has_value());
    const QStringList names = QStringList{"No Such Disk", QString(104, 'd')} + kHostileNames;
    for (const QString& name : names)
        EXPECT_FALSE(PublicUtilities::EUGetDiskInfo(name).has_value());
    const auto calls = tools.calls();
    ASSERT_EQ(calls.size(), names.size() + 1);
    EXPECT_EQ(calls[0], (QStringList{"diskutil", "info", "-plist", "Backup"}));
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(calls[i + 1].last(), names[i]);
    EXPECT_FALSE(QFile::exists("pwned"));
    EXPECT_FALSE(QFile::exists(QDir::homePath() + "/pwned"));
}

TEST(CommandProbesTest, RenameTellsWhetherItHappened)
{
    RecordedTools tools;
    const QString uuid = "3A9B7C5D-1E2F-4A6B-8C0D-2E4F6A8B0C1D";
    const QString hostile = "New \"Name\" $(touch pwned) `x`;\nä";
    EXPECT_TRUE(PublicUtilities::renameDiskWithGuid(uuid, hostile));
    EXPECT_EQ(PublicUtilities::EUGetDiskInfo(uuid).value_or(QVariantMap()).value("VolumeName").toString(), hostile);
    EXPECT_FALSE(PublicUtilities::renameDiskWithGuid("NO-SUCH-UUID", "X"));
    const auto callsBefore = tools.calls().size();
    // Identifier and name together may take 108 bytes.
    for (const auto& [id, name] : {std::pair{uuid, QString()}, {QString(), QString("X")}, {uuid, QString(109 - uuid.size(), 'n')}})
        EXPECT_FALSE(PublicUtilities::renameDiskWithGuid(id, name));
    EXPECT_EQ(tools.calls().size(), callsBefore);
    EXPECT_TRUE(PublicUtilities::renameDiskWithGuid(uuid, QString(108 - uuid.size(), 'n')));
}
