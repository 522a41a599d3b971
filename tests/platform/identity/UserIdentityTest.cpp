#include "platform/identity/LinuxUserIdentity.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::LinuxUserIdentity;

namespace {

// HOME for one test, put back afterwards.
class HomeFolder {
public:
    HomeFolder()
        : path_(test::makeTemporaryFolder(QStringLiteral("home")))
        , previous_(qgetenv("HOME"))
    {
        qputenv("HOME", QFile::encodeName(path_));
    }
    ~HomeFolder() { qputenv("HOME", previous_); }

    QString file(const char* name) const { return path_ + QLatin1Char('/') + QLatin1String(name); }

    void write(const char* name, const QByteArray& contents) const { ASSERT_TRUE(test::writeFile(file(name), contents)); }

private:
    QString path_;
    QByteArray previous_;
};

} // namespace

TEST(UserIdentityTest, NamesComeFromTheAccount)
{
    LinuxUserIdentity identity;
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(identity.userName(), QString::fromLocal8Bit(entry->pw_name));
    EXPECT_FALSE(identity.fullName().isEmpty());

    EXPECT_EQ(LinuxUserIdentity::fullNameFromGecos(QStringLiteral("Ada Lovelace,Room 1,,")), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(LinuxUserIdentity::fullNameFromGecos(QStringLiteral(",,,")), QString());
    EXPECT_EQ(LinuxUserIdentity::fullNameFromGecos(QString()), QString());
}

// The face file wins over the icon; things named like a picture that are none give nothing.
TEST(UserIdentityTest, PictureIsTheFaceFileElseTheIcon)
{
    HomeFolder home;
    LinuxUserIdentity identity;
    EXPECT_TRUE(identity.imagePath().isEmpty());
    QDir().mkpath(home.file(".face"));
    home.write(".face.icon", QByteArray());
    EXPECT_TRUE(identity.imagePath().isEmpty()) << "a folder and an empty file are no pictures";

    home.write(".face.icon", "icon bytes");
    EXPECT_EQ(identity.imagePath(), home.file(".face.icon"));
    EXPECT_EQ(identity.imageData(), QByteArray("icon bytes"));
    QDir().rmdir(home.file(".face"));
    home.write(".face", "face bytes");
    EXPECT_EQ(identity.imagePath(), home.file(".face"));
    EXPECT_EQ(identity.imageData(), QByteArray("face bytes"));

    // A link to a picture is a picture; a dangling link and a FIFO are none.
    QFile::remove(home.file(".face"));
    home.write("picture.png", "linked bytes");
    ASSERT_TRUE(QFile::link(home.file("picture.png"), home.file(".face")));
    EXPECT_EQ(identity.imageData(), QByteArray("linked bytes"));
    QFile::remove(home.file(".face"));
    QFile::remove(home.file(".face.icon"));
    ASSERT_TRUE(QFile::link(home.file("nowhere.png"), home.file(".face")));
    ASSERT_EQ(mkfifo(QFile::encodeName(home.file(".face.icon")).constData(), 0600), 0);
    EXPECT_TRUE(identity.imagePath().isEmpty());
    EXPECT_TRUE(identity.imageData().isEmpty());
}
