#include "platform/scripts/SimulatedScriptRunner.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <gtest/gtest.h>

using platform::SimulatedScriptRunner;

// Scripts are recorded and logged, never run; a test arranges failures.
TEST(ScriptRunnerTest, ScriptsAreRecordedNothingRunsAndArrangedFailuresFail)
{
    test::TestPlatform platform;
    auto* recorded = test::install<test::RecordingCommandRunner>(platform->commandRunner);
    SimulatedScriptRunner runner;
    const QString line = "tell application \"Finder\" to shut down";
    EXPECT_TRUE(runner.executeSource(line).succeeded);
    EXPECT_TRUE(platform.log().messages().last().contains(line));
    const QString script = test::makeTemporaryFolder() + "/RTrash.scpt";
    ASSERT_TRUE(test::writeFile(script, {}));
    EXPECT_TRUE(runner.executeFile(script).succeeded);
    EXPECT_EQ(runner.executeFile(script + ".gone").errorInfo.value("NSAppleScriptErrorNumber").toInt(), -43);
    const QVariantMap error{{"NSAppleScriptErrorNumber", -1743}};
    runner.failWith(error);
    EXPECT_EQ(runner.executeSource(line).errorInfo, error);
    runner.succeed();
    EXPECT_TRUE(runner.executeFile(script).succeeded);
    ASSERT_EQ(runner.requests().size(), 5u); // failed ones too
    EXPECT_EQ(runner.requests()[2].kind, SimulatedScriptRunner::Request::Kind::File);
    EXPECT_EQ(runner.requests()[2].text, script + ".gone");
    EXPECT_TRUE(recorded->calls().empty());
}
