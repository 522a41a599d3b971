#include "platform/identity/LinuxUserIdentity.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::LinuxUserIdentity;

TEST(UserIdentityTest, NamesComeFromTheAccount)
{
    LinuxUserIdentity identity;
    const passwd* entry = getpwuid(getuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(identity.userName(), QString::fromLocal8Bit(entry->pw_name));
    EXPECT_FALSE(identity.fullName().isEmpty());
    EXPECT_TRUE(identity.accountHomes().contains(QFile::decodeName(entry->pw_dir)));
    for (const auto& [gecos, name] : {std::pair{"Ada Lovelace,Room 1,,", "Ada Lovelace"}, {",,,", ""}, {"", ""}})
        EXPECT_EQ(LinuxUserIdentity::fullNameFromGecos(gecos), name) << gecos;
}

// The face file wins over the icon; things named like a picture that are none give nothing.
TEST(UserIdentityTest, PictureIsTheFaceFileElseTheIcon)
{
    const QString home = test::makeTemporaryFolder("home");
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home));
    const QString face = home + "/.face", icon = home + "/.face.icon";
    const auto expectPicture = [&](const QString& path, const QByteArray& data) {
        EXPECT_EQ(LinuxUserIdentity().imagePath(), path);
        EXPECT_EQ(LinuxUserIdentity().imageData(), data);
    };
    expectPicture(QString(), {});
    QDir().mkpath(face);
    test::writeFile(icon, {});
    expectPicture(QString(), {}); // a folder and an empty file are no pictures
    test::writeFile(icon, "icon bytes");
    expectPicture(icon, "icon bytes");
    QDir().rmdir(face);
    test::writeFile(face, "face bytes");
    expectPicture(face, "face bytes");
    // A link to a picture is a picture; a dangling link and a FIFO are none.
    QFile::remove(face);
    test::writeFile(home + "/picture.png", "linked bytes");
    ASSERT_TRUE(QFile::link(home + "/picture.png", face));
    EXPECT_EQ(LinuxUserIdentity().imageData(), "linked bytes");
    QFile::remove(face);
    QFile::remove(icon);
    ASSERT_TRUE(QFile::link(home + "/nowhere.png", face));
    ASSERT_EQ(mkfifo(QFile::encodeName(icon).constData(), 0600), 0);
    expectPicture(QString(), {});
    qputenv("HOME", previousHome);
}
