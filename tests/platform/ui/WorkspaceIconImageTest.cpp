#include "platform/ui/WorkspaceIconImage.h"

#include "IsolatedEnvironment.h"
#include "TestPlatform.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

using platform::WorkspaceIcon;
using platform::ui::Size;
using platform::ui::imageForWorkspaceIcon;

TEST(WorkspaceIconImageTest, FileThenThemeNameThenFallback)
{
    test::TestPlatform platform;
    const QString folder = test::makeTemporaryFolder();
    // A large picture comes at the size asked for, keeping its proportions; a small one as it is.
    QImage wide(200, 100, QImage::Format_ARGB32);
    wide.fill(QColor(10, 20, 30));
    ASSERT_TRUE(wide.save(folder + QStringLiteral("/wide.png")));
    EXPECT_EQ(imageForWorkspaceIcon({folder + QStringLiteral("/wide.png"), {}, {}}).size(), (Size{48, 24}));
    EXPECT_EQ(imageForWorkspaceIcon({folder + QStringLiteral("/wide.png"), {}, {}}, 20).size(), (Size{20, 10}));
    QImage small(16, 16, QImage::Format_ARGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(folder + QStringLiteral("/small.png")));
    const auto image = imageForWorkspaceIcon({folder + QStringLiteral("/small.png"), QStringLiteral("x-none"), {}});
    EXPECT_EQ(image.size(), (Size{16, 16}));
    EXPECT_EQ(image.toQImage().pixelColor(8, 8), QColor(Qt::red));
    // A drawing is drawn at the size asked for.
    ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/big.svg"),
                                "<svg xmlns='http://www.w3.org/2000/svg' width='512' height='256'/>"));
    EXPECT_EQ(imageForWorkspaceIcon({folder + QStringLiteral("/big.svg"), {}, {}}).size(), (Size{48, 24}));
    // Missing, empty or unreadable files, and theme names that the theme lacks: no image.
    ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/broken.png"), "\x89PNG not really"));
    ASSERT_TRUE(test::writeFile(folder + QStringLiteral("/empty.svg"), ""));
    for (const QString& file : {folder + QStringLiteral("/missing.png"), folder + QStringLiteral("/broken.png"),
                                folder + QStringLiteral("/empty.svg"), folder, QString()})
        EXPECT_TRUE(imageForWorkspaceIcon({file, QStringLiteral("tavrin-no-such-icon"),
                                           QStringLiteral("tavrin-no-such-fallback")})
                        .isNull())
            << file.toStdString();
    EXPECT_TRUE(imageForWorkspaceIcon({}).isNull());
    // Last, the picture that stands in when the theme has neither name.
    EXPECT_EQ(imageForWorkspaceIcon({folder + QStringLiteral("/missing.png"), QStringLiteral("tavrin-no-such-icon"), {},
                                     folder + QStringLiteral("/small.png")}).size(),
              (Size{16, 16}));
}
