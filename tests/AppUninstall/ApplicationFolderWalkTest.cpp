#include "AppUninstall/ApplicationFolderWalk.h"

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

} // namespace
