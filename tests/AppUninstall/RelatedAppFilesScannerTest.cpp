#include "AppUninstall/ApplicationFolderWalk.h"
#include "AppUninstall/RelatedAppFilesScanner.h"
#include "AppUninstall/RelatedFileKey.h"

#include "PlatformTest.h"
#include "TestFiles.h"

#include "platform/folders/SearchPaths.h"
#include "platform/plist/PropertyListSerialization.h"
#include "platform/simulated/SimulatedMac.h"
#include "platform/workspace/LinuxWorkspace.h"
#include "utilities/PublicUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

class RelatedAppFilesScannerTest : public test::PlatformTest {
protected:
    QString home() { return platform->searchPaths->homeDirectory(); }
    QString macRoot() { return platform->simulatedMac->root(); }

    QString makeApplication(const QString& name, const QVariantMap& info)
    {
        return test::makeBundle(macRoot() + QStringLiteral("/Applications/") + name + QStringLiteral(".app"), info);
    }

    // The group's paths after the application's, below the simulated home ("~") or root ("/").
    QStringList relatedPaths(const QString& application)
    {
        const AMAppItemGroup group = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(application);
        EXPECT_FALSE(group.isEmpty());
        QStringList paths;
        for (qsizetype i = 1; i < group.size(); ++i) {
            QString path = group.at(i)->path;
            path.replace(home(), QStringLiteral("~")).replace(macRoot(), QString());
            paths << path;
        }
        return paths;
    }
};

TEST(RelatedAppFilesMatch, KeysMatchWholeWordsIgnoringCaseAndBlanksAndShortKeysOnlyWholeNames)
{
    constexpr auto name = RelatedFileKey::Kind::Name;
    constexpr auto identifier = RelatedFileKey::Kind::Identifier;
    const struct {
        const char* entry;
        const char* key;
        RelatedFileKey::Kind kind;
        qsizetype length;
    } cases[] = {
        {"Note Pad", "Note Pad", name, 8},
        {"note pad 2.plist", "Note Pad", name, 8},
        {"NotePad.savedState", "Note Pad", name, 7},
        {"NOTEPAD-log", "Note Pad", name, 7},
        {"MyNotePad", "Note Pad", name, 0},
        {"Notes", "Note Pad", name, 0},
        {"Lum.plist", "Lum", name, 3},
        {"Luminous", "Lum", name, 0},
        {"Lum2", "Lum", name, 0},
        {"Lumé", "Lum", name, 0},                 // an accented letter goes on the word
        {"Lum\xF0\x9D\x90\x80", "Lum", name, 0},  // so does a letter beyond the first plane
        {"Lum\xF0\x9F\x98\x80", "Lum", name, 3},
        {"com.example.lum.plist", "com.example.Lum", identifier, 15},
        {"com.example.luminous.plist", "com.example.Lum", identifier, 0},
        {"anything", "", name, 0},
        {"anything", " ", name, 0},
        // Short keys: whole names, or with a file-name suffix.
        {"COM.plist", "com", identifier, 3},
        {"com.example.foo.plist", "com", identifier, 0},
        {"com.example.plist", "com.example", identifier, 11},
        {"com.example.foo.plist", "com.example.", identifier, 0},
        {"Go.savedState", "Go", name, 2},
        {"Go Tools", "Go", name, 0},
        {"go.plist.bak", "Go", name, 0},
        // A dot after a name: only a file-name suffix; a dotted name is an identifier.
        {"com.plist", "com", name, 3},
        {"com.apple.finder.plist", "com", name, 0},
        {"com.example", "com", name, 0},
        {"com.apple.plist", "com.apple", name, 9},
        // The Library's shared folders are no one's.
        {"ByHost", "ByHost", name, 0},
        {"byhost", "ByHost", identifier, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RelatedFileKey(QString::fromUtf8(c.key), c.kind).matchLength(QString::fromUtf8(c.entry)), c.length)
            << c.entry << " / " << c.key;
    }
}

// Sync (com.a.sync) beside another Sync (com.b.sync), or a second copy of that one: what both take
// as far is no one's to remove.
TEST(RelatedAppFilesMatch, AnEntryAnotherApplicationTakesAsFarIsNotListed)
{
    const auto keys = [](const char* identifier) {
        return QList<RelatedFileKey>{RelatedFileKey("Sync", RelatedFileKey::Kind::Name),
                                     RelatedFileKey(identifier, RelatedFileKey::Kind::Identifier)};
    };
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Sync", "com.a.sync", false}, {"com.a.sync.plist", "com.a.sync", true}, {"com.b.sync.plist", "com.b.sync", false}};
    for (const auto& [entry, identifier, listed] : cases) {
        bool found = false;
        for (const RelatedFileKey& key : keys(identifier)) {
            const qsizetype length = key.matchLength(entry);
            found = found || (length > 0 && !RelatedFileKey::claimedByAnother(entry, length, keys("com.b.sync")));
        }
        EXPECT_EQ(found, listed) << entry;
    }
}

TEST(RelatedAppFilesMatch, OnlyIdentifiersUnderTheSystemPrefixAreSystemApplications)
{
    EXPECT_TRUE(RelatedAppFilesScanner::isSystemBundleIdentifier(QStringLiteral("com.apple.mail")));
    for (const char* identifier : {"com.apple", "COM.APPLE.mail", "", "org.com.apple.mail"})
        EXPECT_FALSE(RelatedAppFilesScanner::isSystemBundleIdentifier(QString::fromLatin1(identifier))) << identifier;
}

TEST_F(RelatedAppFilesScannerTest, FindsEachPlaceInOrderOncePerPathAndNeverTheRealDownloads)
{
    const QString app = makeApplication(QStringLiteral("Lum"), {{QStringLiteral("CFBundleName"), QStringLiteral("Lum")},
                                                                {QStringLiteral("CFBundleIdentifier"), QStringLiteral("lum.app")}});
    for (const char* path : {"/Library/Preferences/lum.app.plist", // both keys: listed once
                             "/Library/Preferences/Luminous.plist", "/Library/Preferences/deep/Lum.plist",
                             "/Library/Caches/Lum", "/Library/Logs/Lum.log",
                             "/Library/Saved Application State/lum.app.savedState/w.plist",
                             "/Library/Application Support/Lum/data", "/Downloads/Lum 1.0.zip",
                             "/Library/Application Support/Growl/Tickets/Lum.growlTicket",
                             "/Library/Application Support/Growl/Tickets/lum.app.growlTicket"})
        test::placeFile(home() + QLatin1String(path), "12345");
    test::placeFile(macRoot() + QStringLiteral("/Library/Application Support/Lum/shared"));
    test::placeFile(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation) + QStringLiteral("/Lum real.zip"));

    EXPECT_EQ(relatedPaths(app),
              (QStringList{"~/Library/Preferences/lum.app.plist", "~/Library/Caches/Lum", "~/Library/Logs/Lum.log",
                           "~/Library/Saved Application State/lum.app.savedState",
                           "~/Library/Application Support/Lum", "/Library/Application Support/Lum",
                           "~/Downloads/Lum 1.0.zip", "~/Library/Application Support/Growl/Tickets/Lum.growlTicket"}));
    const AMAppItemGroup group = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(app);
    EXPECT_EQ(group.at(2)->size, QStringLiteral("5 byte")) << "related files are measured";
}

TEST_F(RelatedAppFilesScannerTest, FallsBackToTheExecutableAndGivesUpWithoutKeys)
{
    test::placeFile(home() + QStringLiteral("/Library/Preferences/notepadd.plist"));
    const QString name = QStringLiteral("CFBundleName"), executable = QStringLiteral("CFBundleExecutable"),
                  identifier = QStringLiteral("CFBundleIdentifier");
    const struct {
        QVariantMap info;
        int related;
    } cases[] = {
        {{{name, QString()}, {executable, QStringLiteral("notepadd")}, {identifier, QStringLiteral("x.y")}}, 1},
        {{{identifier, QStringLiteral("x.y")}}, 0},
        {{{name, QStringLiteral("notepadd")}}, 0},
        {{{name, QStringLiteral("notepadd")}, {identifier, QStringLiteral(" ")}}, 0},
        {{{name, QStringLiteral("notepadd")}, {identifier, QString()}}, 0},
    };
    int index = 0;
    for (const auto& c : cases) {
        const QString app = makeApplication(QStringLiteral("Case%1").arg(index++), c.info);
        EXPECT_EQ(relatedPaths(app).size(), c.related) << index;
    }
}

TEST_F(RelatedAppFilesScannerTest, TheSeededMacHasApplicationsWithTheirFiles)
{
    QStringList found;
    for (const QString& folder : PublicUtilities::applicationPaths()) {
        ApplicationFolderWalk::applicationsInPath(folder, [&](const QString& path) {
            const AMAppItemPtr item = RelatedAppFilesScanner::constructItem(path, true);
            found << item->name + (item->isSystemApp ? QStringLiteral(" (system)") : QString());
            return true;
        });
    }
    found.sort();
    // Display names: a search for "app" must not match every application.
    EXPECT_EQ(found, (QStringList{"Clipboard Keeper", "Disk Utility (system)", "Launchpad (system)", "Mail (system)",
                                  "Pocket Timer", "Sketchbook", "System Preferences (system)",
                                  "System Settings (system)", "Terminal (system)", "Weather Station"}));
    EXPECT_EQ(relatedPaths(macRoot() + QStringLiteral("/Applications/Sketchbook.app")).size(), 6);
}

TEST_F(RelatedAppFilesScannerTest, DesktopApplicationsBecomeSystemRecordsOfTheirEntries)
{
    const QString folder = platform.folder() + QStringLiteral("/applications");
    QDir().mkpath(folder);
    const auto entry = [&](const char* file, const char* text) {
        QFile out(folder + QLatin1Char('/') + QLatin1String(file));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    };
    entry("editor.desktop", "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor %F\nIcon=accessories-text-editor\n");
    entry("hidden.desktop", "[Desktop Entry]\nType=Application\nName=Hidden\nExec=hidden\nNoDisplay=true\n");
    platform::LinuxWorkspace::Settings settings;
    settings.applicationFolders = {folder};
    platform::LinuxWorkspace workspace(std::move(settings));

    const QList<platform::DesktopApplication> applications = workspace.desktopApplications();
    ASSERT_EQ(applications.size(), 1);
    const AMAppItemPtr item = RelatedAppFilesScanner::constructItem(applications.first());
    EXPECT_EQ(item->name, QStringLiteral("Editor"));
    EXPECT_EQ(item->path, folder + QStringLiteral("/editor.desktop"));
    EXPECT_EQ(item->image.themeName, QStringLiteral("accessories-text-editor"));
    EXPECT_TRUE(item->isSystemApp);
}

} // namespace
