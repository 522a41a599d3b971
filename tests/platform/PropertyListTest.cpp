#include "plist/LibplistSerialization.h"

#include "IsolatedEnvironment.h"

#include <QDateTime>
#include <QFile>
#include <QPointF>

#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::LibplistSerialization;
using Format = platform::PropertyListSerialization::Format;

namespace {

QVariantMap everyKind()
{
    return {
        {QStringLiteral("text"), QStringLiteral("Grüße \"quoted\" <tag> & $(x)\nline")},
        {QStringLiteral("negative"), qint64(-5)},
        {QStringLiteral("large"), qint64(500068036608)},
        {QStringLiteral("real"), 2.5},
        {QStringLiteral("yes"), true},
        {QStringLiteral("no"), false},
        {QStringLiteral("date"), QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC)},
        {QStringLiteral("data"), QByteArray("\x00\x01\xff", 3)},
        {QStringLiteral("list"), QVariantList{qint64(1), QStringLiteral("two"), QVariantMap{{QStringLiteral("k"), qint64(3)}}}},
    };
}

QByteArray nested(int depth)
{
    return "<plist version=\"1.0\">" + QByteArray("<array>").repeated(depth)
        + QByteArray("</array>").repeated(depth) + "</plist>";
}

} // namespace

TEST(PropertyListTest, EveryKindSurvivesXmlAndBinary)
{
    LibplistSerialization plists;
    for (Format format : {Format::Xml, Format::Binary}) {
        const QByteArray data = plists.dataFromPropertyList(everyKind(), format);
        ASSERT_FALSE(data.isEmpty());
        EXPECT_EQ(plists.propertyListFromData(data).toMap(), everyKind());
    }
}

TEST(PropertyListTest, MalformedInputGivesNothing)
{
    LibplistSerialization plists;
    const QByteArray xml = plists.dataFromPropertyList(everyKind(), Format::Xml);
    const QByteArray binary = plists.dataFromPropertyList(everyKind(), Format::Binary);
    for (const QByteArray& bad : {QByteArray(), QByteArray("not a plist"), xml.left(xml.size() / 2),
                                  binary.left(binary.size() - 9), QByteArray("bplist00\xff\xff", 10),
                                  nested(100000)}) {
        EXPECT_FALSE(plists.propertyListFromData(bad).isValid()) << bad.left(40).toStdString();
    }
}

TEST(PropertyListTest, RefusesOversizedFilesUnread)
{
    const QString path = test::makeTemporaryFolder() + QStringLiteral("/huge.plist");
    ASSERT_TRUE(test::writeFile(path, {}));
    ASSERT_TRUE(QFile::resize(path, platform::PropertyListSerialization::kMaximumSize + 1)); // sparse
    EXPECT_FALSE(LibplistSerialization().propertyListFromFile(path).isValid());
    EXPECT_FALSE(LibplistSerialization().propertyListFromFile(path + QStringLiteral(".missing")).isValid());

    // Things that are not files are not read: a FIFO would block, a device would never end.
    const QString fifo = test::makeTemporaryFolder() + QStringLiteral("/fifo.plist");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(LibplistSerialization().propertyListFromFile(fifo).isValid());
    EXPECT_FALSE(LibplistSerialization().propertyListFromFile(QStringLiteral("/dev/zero")).isValid());
}

TEST(PropertyListTest, WriteReplacesWholeFileOrLeavesItAlone)
{
    LibplistSerialization plists;
    const QString folder = test::makeTemporaryFolder();
    const QString path = folder + QStringLiteral("/settings.plist");
    ASSERT_TRUE(plists.writeToFile(QVariantMap{{QStringLiteral("a"), qint64(1)}}, path));
    ASSERT_TRUE(plists.writeToFile(QVariantMap{{QStringLiteral("b"), qint64(2)}}, path, Format::Binary));
    EXPECT_EQ(plists.propertyListFromFile(path).toMap(), (QVariantMap{{QStringLiteral("b"), qint64(2)}}));

    // Values with no property-list form are refused before the file is touched.
    EXPECT_FALSE(plists.writeToFile(QVariantMap{{QStringLiteral("c"), QVariant::fromValue(QPointF(1, 2))}}, path));
    EXPECT_EQ(plists.propertyListFromFile(path).toMap(), (QVariantMap{{QStringLiteral("b"), qint64(2)}}));
    EXPECT_FALSE(plists.writeToFile(QVariantMap{}, folder + QStringLiteral("/no/such/folder/x.plist")));
}
