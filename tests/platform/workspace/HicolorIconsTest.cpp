#include "platform/workspace/HicolorIcons.h"

#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(HicolorIconsTest, TheDrawingFirstThenTheNearestSizeThenPixmaps)
{
    const QString user = test::makeTemporaryFolder(u"user"_s);
    const QString system = test::makeTemporaryFolder(u"system"_s);
    for (const QString& file : {user + u"/icons/hicolor/16x16/apps/editor.png"_s, system + u"/icons/hicolor/scalable/apps/editor.svg"_s,
                                system + u"/icons/hicolor/256x256/apps/mail.png"_s, user + u"/icons/hicolor/48x48/mimetypes/mail.png"_s,
                                system + u"/icons/hicolor/48x48/apps/mail.png"_s, system + u"/pixmaps/old-tool.xpm"_s,
                                system + u"/icons/hicolor/48x48/apps/.hidden.png"_s, system + u"/icons/hicolor/48x48/apps/dir.png/x"_s}) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        ASSERT_TRUE(test::writeFile(file, "picture"));
    }
    platform::HicolorIcons icons({user, system, u"/nonexistent"_s});
    const std::pair<QString, QString> cases[] = {
        {u"editor"_s, system + u"/icons/hicolor/scalable/apps/editor.svg"_s},
        {u"mail"_s, system + u"/icons/hicolor/48x48/apps/mail.png"_s}, // applications before document kinds
        {u"old-tool"_s, system + u"/pixmaps/old-tool.xpm"_s},
        {u"dir"_s, {}}, {u".hidden"_s, {}}, {u"../scalable/apps/editor"_s, {}}, {u"missing"_s, {}}, {{}, {}},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(icons.fileFor(name), expected) << name.toStdString();
}
