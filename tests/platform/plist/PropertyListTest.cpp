#include "platform/plist/BinaryPropertyListScanner.h"
#include "platform/plist/LibplistSerialization.h"
#include "platform/plist/XmlPropertyListScanner.h"

#include "Fakes.h"
#include "IsolatedEnvironment.h"
#include "platform/Platform.h"

#include <QDateTime>
#include <QFile>
#include <QPointF>

#include <gtest/gtest.h>

#include <sys/stat.h>

using platform::LibplistSerialization;
using platform::PropertyListBounds;
using platform::PropertyListVerdict;
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

QByteArray bigEndian(quint64 value, int width)
{
    QByteArray bytes(width, 0);
    for (int i = width - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xff);
    return bytes;
}

// A binary list of encoded objects, the first one at the top; offsets and references are 4 bytes.
QByteArray binaryList(const QList<QByteArray>& objects)
{
    QByteArray data("bplist00");
    QByteArray table;
    for (const QByteArray& object : objects) {
        table += bigEndian(quint64(data.size()), 4);
        data += object;
    }
    const quint64 tableOffset = quint64(data.size());
    return data + table + QByteArray(6, 0) + char(4) + char(4) + bigEndian(quint64(objects.size()), 8)
        + bigEndian(0, 8) + bigEndian(tableOffset, 8);
}

QByteArray binaryArray(const QList<int>& references)
{
    QByteArray object(1, char(0xa0 | references.size()));
    for (int reference : references)
        object += bigEndian(quint64(reference), 4);
    return object;
}

QByteArray nestedBinary(int depth)
{
    QList<QByteArray> objects;
    for (int i = 1; i < depth; ++i)
        objects.append(binaryArray({i}));
    objects.append(binaryArray({}));
    return binaryList(objects);
}

QByteArray hostile(const char* name)
{
    return test::readFile(test::fixturePath(QStringLiteral("plist/hostile/") + QLatin1String(name)));
}

PropertyListVerdict scan(const QByteArray& data, const PropertyListBounds& bounds = {})
{
    return data.startsWith("bplist00") ? platform::BinaryPropertyListScanner::scan(data, bounds)
                                       : platform::XmlPropertyListScanner::scan(data, bounds);
}

// Reading logs what it refuses or leaves out, so a platform with a log is installed.
class PropertyListTest : public ::testing::Test {
protected:
    PropertyListTest()
    {
        auto log = std::make_unique<test::RecordingLog>();
        log_ = log.get();
        platform_.log = std::move(log);
    }

    platform::Platform platform_;
    platform::ScopedPlatform scope_{platform_};
    test::RecordingLog* log_ = nullptr;
};

} // namespace

TEST_F(PropertyListTest, EveryKindSurvivesXmlAndBinaryAndMalformedInputGivesNothing)
{
    LibplistSerialization plists;
    const QByteArray xml = plists.dataFromPropertyList(everyKind(), Format::Xml);
    const QByteArray binary = plists.dataFromPropertyList(everyKind(), Format::Binary);
    for (const QByteArray& data : {xml, binary})
        EXPECT_EQ(plists.propertyListFromData(data).toMap(), everyKind());
    for (const QByteArray& bad : {QByteArray(), QByteArray("not a plist"), xml.left(xml.size() / 2),
                                  binary.left(binary.size() - 9), QByteArray("bplist00\xff\xff", 10)}) {
        EXPECT_FALSE(plists.propertyListFromData(bad).isValid()) << bad.left(40).toStdString();
    }
}

// Each would abort libplist, overflow its stack or expand past memory if it reached it.
TEST_F(PropertyListTest, HostileListsAreRefusedBeforeParsing)
{
    const struct {
        const char* name;
        QByteArray data;
        PropertyListVerdict verdict;
    } cases[] = {
        {"XML 200 000 deep", nested(200000), PropertyListVerdict::TooDeep},
        {"binary 60 000 deep", nestedBinary(60000), PropertyListVerdict::TooDeep},
        {"shared references, 2^48 values", hostile("shared-exponential.bplist"), PropertyListVerdict::TooManyNodes},
        {"an array holding itself", hostile("cycle.bplist"), PropertyListVerdict::Cyclic},
        {"binary key with a zero", hostile("zero-key.bplist"), PropertyListVerdict::ZeroCharacter},
        {"XML zero byte", hostile("zero-byte-key.xml"), PropertyListVerdict::ZeroCharacter},
        {"nesting behind a single quote, which libplist does not honour",
         "<plist version=\"1.0\"><array x='>" + nested(300) + "'></array></plist>", PropertyListVerdict::TooDeep},
        {"reference past the objects", binaryList({binaryArray({1})}), PropertyListVerdict::Malformed},
        {"count past the end", binaryList({"\xaf\x13" + bigEndian(~0ull, 8)}), PropertyListVerdict::Malformed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scan(c.data), c.verdict) << c.name;
        const qsizetype logged = log_->messages().size();
        EXPECT_FALSE(LibplistSerialization().propertyListFromData(c.data).isValid()) << c.name;
        EXPECT_EQ(log_->messages().size() - logged, c.verdict == PropertyListVerdict::Malformed ? 0 : 1) << c.name;
    }
}

// The scanners refuse exactly what the reader would: the same depth, every value counted once.
TEST_F(PropertyListTest, BoundsAreExactAndLargeRealListsPass)
{
    LibplistSerialization plists;
    const int deepest = platform::PropertyListSerialization::kMaximumDepth + 1; // arrays, root included
    for (const QByteArray& data : {nested(deepest), nestedBinary(deepest)})
        EXPECT_TRUE(plists.propertyListFromData(data).isValid()) << data.left(8).toStdString();
    for (const QByteArray& data : {nested(deepest + 1), nestedBinary(deepest + 1)})
        EXPECT_EQ(scan(data), PropertyListVerdict::TooDeep) << data.left(8).toStdString();

    // One text of 1000 bytes, shared: by an array three times, by that array twice.
    const QByteArray text = "\x5f\x11\x03\xe8" + QByteArray(1000, 'x');
    const QByteArray shared = binaryList({binaryArray({1, 1, 1}), text});
    const QByteArray sharedTwice = binaryList({binaryArray({1, 1}), binaryArray({2, 2, 2}), text});
    const struct {
        QByteArray data;
        PropertyListBounds bounds;
        PropertyListVerdict verdict;
    } bounded[] = {
        {shared, {256, 4, 3000}, PropertyListVerdict::Accepted},
        {shared, {256, 3, 3000}, PropertyListVerdict::TooManyNodes},
        {shared, {256, 4, 2999}, PropertyListVerdict::TooLarge},
        {sharedTwice, {256, 9, 6000}, PropertyListVerdict::Accepted},
        {sharedTwice, {256, 9, 5999}, PropertyListVerdict::TooLarge},
        {sharedTwice, {1, 9, 6000}, PropertyListVerdict::TooDeep},
        {nested(3), {256, 3, 0}, PropertyListVerdict::Accepted}, // <plist> is no value
        {nested(3), {256, 2, 0}, PropertyListVerdict::TooManyNodes},
        {nested(3), {2, 3, 0}, PropertyListVerdict::Accepted},
        {nested(3), {1, 3, 0}, PropertyListVerdict::TooDeep},
    };
    for (const auto& c : bounded)
        EXPECT_EQ(scan(c.data, c.bounds), c.verdict) << c.data.left(8).toStdString() << " " << c.bounds.nodes;

    // A volume list of 5 000 disks, its keys shared by the binary writer: 25 001 values.
    QVariantList volumes;
    for (int i = 0; i < 5000; ++i)
        volumes.append(QVariantMap{{QStringLiteral("VolumeName"), QStringLiteral("Disk %1").arg(i)},
                                   {QStringLiteral("Size"), qint64(i)}});
    for (Format format : {Format::Xml, Format::Binary})
        EXPECT_EQ(plists.propertyListFromData(plists.dataFromPropertyList(volumes, format)).toList().size(), 5000);

    const QVariantMap info
        = plists.propertyListFromFile(test::fixturePath(QStringLiteral("plist/Info.plist"))).toMap();
    EXPECT_EQ(info.value(QStringLiteral("CFBundleName")).toString(), QStringLiteral("Notes <Beta>"));
    EXPECT_EQ(info.value(QStringLiteral("CFBundleDocumentTypes")).toList().size(), 1);
    EXPECT_EQ(plists.propertyListFromData(plists.dataFromPropertyList(info, Format::Binary)).toMap(), info);
}

// libplist fails an assertion on such a string; it is left out as if it were missing.
TEST_F(PropertyListTest, StringWithZeroCharacterIsLeftOut)
{
    const QVariantMap map
        = LibplistSerialization().propertyListFromData(hostile("utf16-zero-string.bplist")).toMap();
    EXPECT_EQ(map, (QVariantMap{{QStringLiteral("identifier"), QStringLiteral("com.example.ok")},
                                {QStringLiteral("list"), QVariantList{QStringLiteral("kept")}}}));
    EXPECT_EQ(log_->messages().size(), 2);
}

TEST_F(PropertyListTest, RefusesOversizedFilesUnread)
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

TEST_F(PropertyListTest, WriteReplacesWholeFileOrLeavesItAlone)
{
    LibplistSerialization plists;
    const QString folder = test::makeTemporaryFolder();
    const QString path = folder + QStringLiteral("/settings.plist");
    ASSERT_TRUE(plists.writeToFile(QVariantMap{{QStringLiteral("a"), qint64(1)}}, path));
    ASSERT_TRUE(plists.writeToFile(QVariantMap{{QStringLiteral("b"), qint64(2)}}, path, Format::Binary));
    EXPECT_EQ(plists.propertyListFromFile(path).toMap(), (QVariantMap{{QStringLiteral("b"), qint64(2)}}));

    // Values with no property-list form are refused before the file is touched.
    // So are a text and a key with a zero character, which libplist would cut (the key onto "b").
    const QString zero = QStringLiteral("b") + QChar(0) + QStringLiteral("x");
    for (const QVariantMap& bad : {QVariantMap{{QStringLiteral("c"), QVariant::fromValue(QPointF(1, 2))}},
                                   QVariantMap{{QStringLiteral("c"), QVariantList{zero}}},
                                   QVariantMap{{zero, qint64(3)}}}) {
        EXPECT_FALSE(plists.writeToFile(bad, path));
        EXPECT_EQ(plists.propertyListFromFile(path).toMap(), (QVariantMap{{QStringLiteral("b"), qint64(2)}}));
    }
    EXPECT_FALSE(plists.writeToFile(QVariantMap{}, folder + QStringLiteral("/no/such/folder/x.plist")));
}
