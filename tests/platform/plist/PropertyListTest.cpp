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
    return {{"text", "Grüße \"quoted\" <tag> & $(x)\nline"}, {"negative", qint64(-5)}, {"large", qint64(500068036608)},
            {"real", 2.5}, {"yes", true}, {"no", false}, {"date", QDateTime::fromSecsSinceEpoch(1700000000, Qt::UTC)},
            {"data", QByteArray("\x00\x01\xff", 3)}, {"list", QVariantList{qint64(1), "two", QVariantMap{{"k", qint64(3)}}}}};
}

QByteArray nested(int depth)
{
    return "<plist version=\"1.0\">" + QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth) + "</plist>";
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
    return test::readFile(test::fixturePath(QString("plist/hostile/") + name));
}

PropertyListVerdict scan(const QByteArray& data, const PropertyListBounds& bounds = {})
{
    return data.startsWith("bplist00") ? platform::BinaryPropertyListScanner::scan(data, bounds)
                                       : platform::XmlPropertyListScanner::scan(data, bounds);
}

// Reading logs what it refuses or leaves out, so a platform with a log is installed.
class PropertyListTest : public ::testing::Test {
protected:
    PropertyListTest() { platform_.log.reset(log_); }
    test::RecordingLog* log_ = new test::RecordingLog;
    platform::Platform platform_;
    platform::ScopedPlatform scope_{platform_};
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
    using enum PropertyListVerdict;
    const struct {
        QByteArray data;
        PropertyListBounds bounds;
        PropertyListVerdict verdict;
    } bounded[] = {
        {shared, {256, 4, 3000}, Accepted}, {shared, {256, 3, 3000}, TooManyNodes}, {shared, {256, 4, 2999}, TooLarge},
        {sharedTwice, {256, 9, 6000}, Accepted}, {sharedTwice, {256, 9, 5999}, TooLarge},
        {sharedTwice, {1, 9, 6000}, TooDeep}, {nested(3), {256, 3, 0}, Accepted}, // <plist> is no value
        {nested(3), {256, 2, 0}, TooManyNodes}, {nested(3), {2, 3, 0}, Accepted}, {nested(3), {1, 3, 0}, TooDeep}};
    for (const auto& c : bounded)
        EXPECT_EQ(scan(c.data, c.bounds), c.verdict) << c.data.left(8).toStdString() << " " << c.bounds.nodes;
    // A volume list of 5 000 disks, its keys shared by the binary writer: 25 001 values.
    QVariantList volumes;
    for (int i = 0; i < 5000; ++i)
        volumes.append(QVariantMap{{"VolumeName", QString("Disk %1").arg(i)}, {"Size", qint64(i)}});
    for (Format format : {Format::Xml, Format::Binary})
        EXPECT_EQ(plists.propertyListFromData(plists.dataFromPropertyList(volumes, format)).toList().size(), 5000);
}

// libplist fails an assertion on such a string; it is left out as if it were missing.
TEST_F(PropertyListTest, StringWithZeroCharacterIsLeftOut)
{
    EXPECT_EQ(LibplistSerialization().propertyListFromData(hostile("utf16-zero-string.bplist")).toMap(),
              (QVariantMap{{"identifier", "com.example.ok"}, {"list", QVariantList{"kept"}}}));
    EXPECT_EQ(log_->messages().size(), 2);
}

// Things that are not files are not read: a FIFO would block, a device would never end.
TEST_F(PropertyListTest, RefusesOversizedFilesAndNonFilesUnread)
{
    const QString folder = test::makeTemporaryFolder();
    ASSERT_TRUE(test::writeFile(folder + "/huge.plist", {}));
    ASSERT_TRUE(QFile::resize(folder + "/huge.plist", platform::PropertyListSerialization::kMaximumSize + 1)); // sparse
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/fifo.plist").constData(), 0600), 0);
    for (const QString& path : {folder + "/huge.plist", folder + "/missing", folder + "/fifo.plist", QString("/dev/zero")})
        EXPECT_FALSE(LibplistSerialization().propertyListFromFile(path).isValid()) << qPrintable(path);
}

TEST_F(PropertyListTest, WriteReplacesWholeFileOrLeavesItAlone)
{
    LibplistSerialization plists;
    const QString folder = test::makeTemporaryFolder(), path = folder + "/settings.plist";
    const QVariantMap kept{{"b", qint64(2)}};
    ASSERT_TRUE(plists.writeToFile(QVariantMap{{"a", qint64(1)}}, path));
    ASSERT_TRUE(plists.writeToFile(kept, path, Format::Binary));
    EXPECT_EQ(plists.propertyListFromFile(path).toMap(), kept);
    // Values with no property-list form are refused before the file is touched.
    // So are a text and a key with a zero character, which libplist would cut (the key onto "b").
    const QString zero = QString("b") + QChar(0) + "x";
    for (const QVariantMap& bad : {QVariantMap{{"c", QVariant::fromValue(QPointF(1, 2))}},
                                   QVariantMap{{"c", QVariantList{zero}}}, QVariantMap{{zero, qint64(3)}}}) {
        EXPECT_FALSE(plists.writeToFile(bad, path));
        EXPECT_EQ(plists.propertyListFromFile(path).toMap(), kept);
    }
    EXPECT_FALSE(plists.writeToFile(QVariantMap{}, folder + "/no/such/folder/x.plist"));
}
