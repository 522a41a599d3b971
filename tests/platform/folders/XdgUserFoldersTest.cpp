#include "platform/files/NativePath.h"
#include "platform/folders/XdgUserFolders.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(XdgUserFoldersTest, ValuesAreReadAsTheToolWritesThem)
{
    const QString home = QStringLiteral("/home/u");
    const std::pair<QByteArray, QString> cases[] = { // a null text: disabled
        {"", "/home/u/Downloads"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/Down \\$x\"\n", "/home/u/Down $x"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/a\\\"b \\\\ $(rm -rf ~)`id`\"", "/home/u/a\"b \\ $(rm -rf ~)`id`"},
        {"XDG_DOWNLOAD_DIR=\"/mnt/disk/dl/\"", "/mnt/disk/dl"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/\"", QString()},
        {"XDG_DOWNLOAD_DIR=\"$HOME/\xc3\xa9t\xff\"", pathFromNative("/home/u/\xc3\xa9t\xff")},
        // Not what the tool writes: the usual folder stands.
        {"XDG_DOWNLOAD_DIR=\"relative/dl\"", "/home/u/Downloads"},
        {"XDG_DOWNLOAD_DIR=\"\\$HOME/dl\"", "/home/u/Downloads"},
        {"XDG_DOWNLOAD_DIR=\"$HOMEdl\"", "/home/u/Downloads"},
        {"XDG_DOWNLOAD_DIR=$HOME/dl", "/home/u/Downloads"},
        {"XDG_DOWNLOAD_DIR=\"$HOME/dl\" x", "/home/u/Downloads"},
        // The last line of a key holds, as when the shell reads the file.
        {"XDG_DOWNLOAD_DIR=\"/a\"\r\nXDG_DOWNLOAD_DIR=\"/b\"\t\n", "/b"},
    };
    for (const auto& [file, download] : cases) {
        const QString read = XdgUserFolders(file, home).path(XdgUserFolder::Download);
        EXPECT_TRUE(read == download && read.isNull() == download.isNull()) << file.constData() << " " << qPrintable(read);
    }
    const XdgUserFolders each("XDG_PUBLICSHARE_DIR=\"$HOME/\"\nXDG_TEMPLATES_DIR=\"/t\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n",
                              home + QStringLiteral("/"));
    EXPECT_EQ(each.path(XdgUserFolder::Documents), QStringLiteral("/home/u/Docs"));
    EXPECT_EQ(each.path(XdgUserFolder::Templates), QStringLiteral("/t"));
    EXPECT_TRUE(each.path(XdgUserFolder::PublicShare).isNull());
    EXPECT_EQ(each.path(XdgUserFolder::Videos), QStringLiteral("/home/u/Videos"));
}
