#include "platform/authorization/PrivilegedRemovalRule.h"
#include "platform/authorization/SimulatedAuthorization.h"

#include "PlatformTest.h"

#include "platform/files/FileManager.h"
#include "platform/folders/SearchPaths.h"
#include "platform/simulated/SimulatedMac.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <functional>

namespace {

using platform::SimulatedAuthorization;

class SimulatedAuthorizationTest : public test::PlatformTest {
protected:
    // A session holding the administrator right.
    platform::AuthorizationRef grantedSession()
    {
        platform::AuthorizationRef ref = 0;
        EXPECT_EQ(authorization.AuthorizationCreate(platform::kAuthorizationFlagDefaults, &ref), 0);
        EXPECT_EQ(authorization.AuthorizationCopyRights(ref, {platform::kAuthorizationRightExecute}, 0x13), 0);
        return ref;
    }
    // A location of the path, whose parts the rule never looks at.
    static platform::ItemLocation at(const QString& path)
    {
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        return {path.left(slash).toUtf8(), {}, {}, path.mid(slash + 1).toUtf8(), {}};
    }
    // What removing the item found below `root` printed, once `meanwhile` has run.
    QByteArray removeFound(platform::AuthorizationRef session, const QString& path, const QString& root,
                           const std::function<void()>& meanwhile = {})
    {
        const auto location = platform->fileManager->locationOfItemAtPath(path, root, nullptr);
        if (meanwhile)
            meanwhile();
        QByteArray output;
        EXPECT_EQ(authorization.removeItemWithPrivileges(session, *location, {}, &output), 0);
        return output;
    }

    SimulatedAuthorization authorization{platform->simulatedMac, platform->searchPaths, platform->fileManager};
};

TEST_F(SimulatedAuthorizationTest, NeverRemovesAStandardFolderAnUnsafePathOrThroughASwappedFolder)
{
    const QString home = platform->searchPaths->homeDirectory();
    const QString root = platform->simulatedMac->root();
    const QStringList refused{
        QString(), QStringLiteral("relative/item"), home + QStringLiteral("/Library/../Library"),
        QStringLiteral("/"), QStringLiteral("//"), root, root + QStringLiteral("/"), home, home + QStringLiteral("//./"),
        home + QStringLiteral("/Downloads"), QDir::homePath(), home + QStringLiteral("/Library"),
        home + QStringLiteral("/Library/Caches"), root + QStringLiteral("/Applications"),
        root + QStringLiteral("/Library/Application Support"),
        QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)};
    QDir().mkpath(refused.last());
    const platform::AuthorizationRef session = grantedSession();
    for (const QString& path : refused) {
        QByteArray output;
        EXPECT_EQ(authorization.removeItemWithPrivileges(session, at(path), {}, &output),
                  platform::errAuthorizationToolExecuteFailure)
            << path.toStdString();
        if (path.startsWith(QLatin1Char('/'))) {
            EXPECT_TRUE(QDir(path).exists()) << path.toStdString();
        }
    }

    const QString item = home + QStringLiteral("/Library/Caches/org.example.gone");
    ASSERT_TRUE(QDir().mkpath(item + QStringLiteral("/inner")));
    const QString library = home + QStringLiteral("/Library");
    EXPECT_TRUE(removeFound(session, item, library).isEmpty());
    EXPECT_FALSE(QDir(item).exists());
    EXPECT_EQ(authorization.requests().last(),
              (SimulatedAuthorization::Request{QStringLiteral("rm -rf --"), item, 0}));

    // Caches swapped for a link since the item was found: what the link leads to stays.
    const QString caches = library + QStringLiteral("/Caches"), elsewhere = platform.folder() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(item) && QDir().mkpath(elsewhere + QStringLiteral("/org.example.gone")));
    EXPECT_FALSE(removeFound(session, item, library, [&] {
                     QDir().rename(caches, caches + QStringLiteral(".old"));
                     QFile::link(elsewhere, caches);
                 }).isEmpty());
    EXPECT_TRUE(QDir(elsewhere + QStringLiteral("/org.example.gone")).exists());
}

TEST_F(SimulatedAuthorizationTest, AnswersAsTheSimulatedMacIsConfigured)
{
    platform->simulatedMac->setStateValue(QStringLiteral("Mac"), QStringLiteral("AdministratorRightsGranted"), false);
    platform::AuthorizationRef ref = 0;
    authorization.AuthorizationCreate(0, &ref);
    EXPECT_EQ(authorization.AuthorizationCopyRights(ref, {platform::kAuthorizationRightExecute}, 0x13),
              platform::errAuthorizationCanceled);
    QByteArray output;
    EXPECT_EQ(authorization.removeItemWithPrivileges(ref, at(platform.folder()), {}, &output),
              platform::errAuthorizationDenied);
    EXPECT_TRUE(QDir(platform.folder()).exists());
}

TEST_F(SimulatedAuthorizationTest, ASessionFromTheExternalFormSharesTheRights)
{
    const platform::AuthorizationRef held = grantedSession();
    platform::AuthorizationExternalForm form;
    ASSERT_EQ(authorization.AuthorizationMakeExternalForm(held, &form), 0);
    platform::AuthorizationRef fresh = 0;
    ASSERT_EQ(authorization.AuthorizationCreateFromExternalForm(form, &fresh), 0);
    // Asked for again, the rights are there whatever the Mac would answer now.
    platform->simulatedMac->setStateValue(QStringLiteral("Mac"), QStringLiteral("AdministratorRightsGranted"), false);
    EXPECT_EQ(authorization.AuthorizationCopyRights(fresh, {platform::kAuthorizationRightExecute}, 3), 0);
    const QString item = platform.folder() + QStringLiteral("/item");
    ASSERT_TRUE(QDir().mkpath(item));
    EXPECT_TRUE(removeFound(fresh, item, platform.folder()).isEmpty());
    EXPECT_FALSE(QDir(item).exists());
}

} // namespace
