#include "platform/scripts/SimulatedScriptRunner.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

using platform::SimulatedScriptRunner;

TEST(ScriptRunnerTest, ThePowerLineIsRecordedAndNothingRuns)
{
    test::TestPlatform platform;
    auto* recorded = test::install<test::RecordingCommandRunner>(platform->commandRunner);

    auto runner = std::make_unique<SimulatedScriptRunner>();
    const QString line = QStringLiteral("tell application \"Finder\" to shut down");
    const auto result = runner->executeSource(line);
    EXPECT_TRUE(result.succeeded);
    EXPECT_TRUE(result.errorInfo.isEmpty());
    ASSERT_EQ(runner->requests().size(), 1u);
    EXPECT_EQ(runner->requests()[0].kind, SimulatedScriptRunner::Request::Kind::Source);
    EXPECT_EQ(runner->requests()[0].text, line);
    EXPECT_TRUE(recorded->calls().empty());
    ASSERT_FALSE(platform.log().messages().isEmpty());
    EXPECT_TRUE(platform.log().messages().last().contains(line));
}

TEST(ScriptRunnerTest, MissingFilesAndArrangedFailuresFail)
{
    test::TestPlatform platform;
    SimulatedScriptRunner runner;
    const QString script = test::makeTemporaryFolder() + QStringLiteral("/RTrash.scpt");
    ASSERT_TRUE(test::writeFile(script, {}));

    EXPECT_TRUE(runner.executeFile(script).succeeded);
    const auto missing = runner.executeFile(script + QStringLiteral(".gone"));
    EXPECT_FALSE(missing.succeeded);
    EXPECT_EQ(missing.errorInfo.value(QStringLiteral("NSAppleScriptErrorNumber")).toInt(), -43);
    ASSERT_EQ(runner.requests().size(), 2u);
    EXPECT_EQ(runner.requests()[1].kind, SimulatedScriptRunner::Request::Kind::File);
    EXPECT_EQ(runner.requests()[1].text, script + QStringLiteral(".gone"));

    const QVariantMap error{{QStringLiteral("NSAppleScriptErrorNumber"), -1743}};
    runner.failWith(error);
    const auto failed = runner.executeSource(QStringLiteral("tell application \"Finder\" to sleep"));
    EXPECT_FALSE(failed.succeeded);
    EXPECT_EQ(failed.errorInfo, error);
    runner.succeed();
    EXPECT_TRUE(runner.executeFile(script).succeeded);
    EXPECT_EQ(runner.requests().size(), 4u);
}
