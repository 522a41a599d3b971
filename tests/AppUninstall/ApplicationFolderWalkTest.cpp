#include "ApplicationFolderWalk.h"

#include "PlatformTest.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using ApplicationFolderWalkTest = test::PlatformTest;

TEST_F(ApplicationFolderWalkTest, EntersLinkedFoldersOnceAndNeverLoopsOnACycle)
{
    const QString top = platform.folder() + QStringLiteral("/apps");
    for (const char* folder : {"/A.app/Contents", "/Tools/B.app", "/Tools/Deeper/C.app", "/elsewhere/D.app"})
        ASSERT_TRUE(QDir().mkpath(top + QLatin1String(folder)));
    QFile(top + QStringLiteral("/not-a-folder.app")).open(QIODevice::WriteOnly);
    // A cycle back to the top, one inside an application, and a link to a folder elsewhere.
    ASSERT_TRUE(QFile::link(top, top + QStringLiteral("/Tools/Deeper/loop")));
    ASSERT_TRUE(QFile::link(top, top + QStringLiteral("/A.app/Contents/loop")));
    ASSERT_TRUE(QFile::link(top + QStringLiteral("/elsewhere"), top + QStringLiteral("/linked")));

    QStringList found;
    ApplicationFolderWalk::applicationsInPath(top, [&](const QString& path) {
        found << path.section(QLatin1Char('/'), -1);
        return true;
    });
    found.sort(); // D.app is reached through "elsewhere" or "linked", whichever is listed first
    EXPECT_EQ(found, (QStringList{"A.app", "B.app", "C.app", "D.app"}));
}

TEST_F(ApplicationFolderWalkTest, StopsAtTheDepthLimit)
{
    QString deep = platform.folder() + QStringLiteral("/deep");
    const QString top = deep;
    for (int level = 0; level <= ApplicationFolderWalk::kMaximumDepth + 1; ++level)
        deep += QStringLiteral("/f");
    ASSERT_TRUE(QDir().mkpath(deep + QStringLiteral("/Far.app")));
    ASSERT_TRUE(QDir().mkpath(top + QStringLiteral("/f/Near.app")));
    QStringList found;
    ApplicationFolderWalk::applicationsInPath(top, [&](const QString& path) {
        found << path.section(QLatin1Char('/'), -1);
        return true;
    });
    EXPECT_EQ(found, QStringList{"Near.app"});
}

} // namespace
