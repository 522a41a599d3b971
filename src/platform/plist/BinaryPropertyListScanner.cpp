#include "BinaryPropertyListScanner.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr quint64 kHeaderSize = 8;
constexpr quint64 kTrailerSize = 32;

quint64 readBigEndian(const uchar* bytes, int width)
{
    quint64 value = 0;
    for (int i = 0; i < width; ++i)
        value = value << 8 | bytes[i];
    return value;
}

enum class Text : uchar { None, Plain, WithZero };

// What the walk needs of one object.
struct Object {
    quint64 references = 0; // offset of the first reference of a container
    quint64 referenceCount = 0; // a dictionary's keys, then its values
    quint64 keyCount = 0;
    quint64 payload = 0; // bytes of text or data
    Text text = Text::None;
};

// The object at `offset`; nothing when it is not one that libplist knows or reaches past `end`.
std::optional<Object> readObject(const uchar* bytes, quint64 end, quint64 offset, int referenceSize)
{
    if (offset < kHeaderSize || offset >= end)
        return std::nullopt;
    const int kind = bytes[offset] >> 4;
    quint64 count = bytes[offset] & 0x0f;
    quint64 at = offset + 1;
    // A count of 15 or more follows the marker as an integer object.
    const auto readCount = [&] {
        if (count != 0x0f)
            return true;
        if (at >= end || bytes[at] >> 4 != 0x1 || (bytes[at] & 0x0f) > 3)
            return false;
        const int width = 1 << (bytes[at] & 0x0f);
        if (end - at - 1 < quint64(width))
            return false;
        count = readBigEndian(bytes + at + 1, width);
        at += 1 + width;
        return true;
    };
    Object object;
    quint64 size = 0;
    switch (kind) {
    case 0x0: // null, false, true, fill
        if (count != 0x0 && count != 0x8 && count != 0x9 && count != 0xf)
            return std::nullopt;
        break;
    case 0x1: // integer, real
    case 0x2:
        if (count > 4)
            return std::nullopt;
        size = quint64(1) << count;
        break;
    case 0x3: // date
        size = 8;
        break;
    case 0x8: // UID
        size = count + 1;
        break;
    case 0x4: // data, ASCII text, UTF-16 text
    case 0x5:
    case 0x6:
        if (!readCount() || count > end)
            return std::nullopt;
        size = kind == 0x6 ? count * 2 : count;
        break;
    case 0xa: // array, ordered set, set, dictionary
    case 0xb:
    case 0xc:
    case 0xd:
        if (!readCount() || count > end)
            return std::nullopt;
        object.keyCount = kind == 0xd ? count : 0;
        object.referenceCount = count + object.keyCount;
        object.references = at;
        size = object.referenceCount * quint64(referenceSize);
        break;
    default:
        return std::nullopt;
    }
    if (size > end - at)
        return std::nullopt;
    if (kind == 0x4)
        object.payload = size;
    if (kind == 0x5 || kind == 0x6) {
        bool zero = false;
        if (kind == 0x5)
            zero = std::memchr(bytes + at, 0, size) != nullptr;
        for (quint64 i = 0; kind == 0x6 && !zero && i < size; i += 2)
            zero = bytes[at + i] == 0 && bytes[at + i + 1] == 0;
        object.text = zero ? Text::WithZero : Text::Plain;
        object.payload = size;
    }
    return object;
}

// An object's size once expanded.
struct Expanded {
    quint64 nodes = 0;
    quint64 bytes = 0;
    int height = 0;
};

enum class State : uchar { Unseen, Open, Done };

struct Memo {
    Expanded expanded;
    State state = State::Unseen;
    Text text = Text::None;
};

struct Frame {
    quint64 index;
    Object object;
    Expanded expanded;
    quint64 next = 0;
};

} // namespace

PropertyListVerdict BinaryPropertyListScanner::scan(const QByteArray& data, const PropertyListBounds& bounds)
{
    const quint64 size = quint64(data.size());
    if (size < kHeaderSize + kTrailerSize || !data.startsWith("bplist00"))
        return PropertyListVerdict::Malformed;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const uchar* trailer = bytes + size - kTrailerSize;
    const int offsetSize = trailer[6];
    const int referenceSize = trailer[7];
    const quint64 objectCount = readBigEndian(trailer + 8, 8);
    const quint64 top = readBigEndian(trailer + 16, 8);
    const quint64 table = readBigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || referenceSize < 1 || referenceSize > 8 || top >= objectCount)
        return PropertyListVerdict::Malformed;
    // Every object stands in the table, so this also bounds the memo below.
    if (objectCount > quint64(bounds.nodes))
        return PropertyListVerdict::TooManyNodes;
    if (table < kHeaderSize || table > size - kTrailerSize
        || objectCount * offsetSize > size - kTrailerSize - table)
        return PropertyListVerdict::Malformed;

    const auto objectAt = [&](quint64 index) {
        return readObject(bytes, table, readBigEndian(bytes + table + index * offsetSize, offsetSize),
                          referenceSize);
    };
    const auto add = [&](Expanded& into, const Expanded& child) {
        into.nodes += child.nodes;
        into.bytes += child.bytes;
        into.height = std::max(into.height, child.height + 1);
        if (into.height > bounds.depth)
            return PropertyListVerdict::TooDeep;
        if (into.nodes > quint64(bounds.nodes))
            return PropertyListVerdict::TooManyNodes;
        if (into.bytes > quint64(bounds.bytes))
            return PropertyListVerdict::TooLarge;
        return PropertyListVerdict::Accepted;
    };

    std::vector<Memo> memos(objectCount);
    std::vector<Frame> path;
    const std::optional<Object> root = objectAt(top);
    if (!root)
        return PropertyListVerdict::Malformed;
    memos[top].state = State::Open;
    path.push_back({top, *root, {1, root->payload, 0}});
    for (;;) {
        Frame& frame = path.back();
        if (frame.next == frame.object.referenceCount) {
            Memo& memo = memos[frame.index];
            memo.expanded = frame.expanded;
            memo.state = State::Done;
            path.pop_back();
            if (path.empty())
                return PropertyListVerdict::Accepted;
            if (const PropertyListVerdict verdict = add(path.back().expanded, memo.expanded);
                verdict != PropertyListVerdict::Accepted)
                return verdict;
            continue;
        }
        const bool key = frame.next < frame.object.keyCount;
        const quint64 child = readBigEndian(bytes + frame.object.references + frame.next * referenceSize,
                                            referenceSize);
        ++frame.next;
        if (child >= objectCount)
            return PropertyListVerdict::Malformed;
        Memo& memo = memos[child];
        if (memo.state == State::Open)
            return PropertyListVerdict::Cyclic;
        std::optional<Object> object;
        if (memo.state == State::Unseen) {
            object = objectAt(child);
            if (!object)
                return PropertyListVerdict::Malformed;
            memo.text = object->text;
        }
        if (key && memo.text != Text::Plain)
            return memo.text == Text::WithZero ? PropertyListVerdict::ZeroCharacter
                                               : PropertyListVerdict::Malformed;
        if (object && object->referenceCount > 0) {
            if (path.size() >= quint64(bounds.depth) + 1)
                return PropertyListVerdict::TooDeep;
            memo.state = State::Open;
            path.push_back({child, *object, {1, object->payload, 0}});
            continue;
        }
        if (object) {
            memo.expanded = {1, object->payload, 0};
            memo.state = State::Done;
        }
        if (const PropertyListVerdict verdict = add(frame.expanded, memo.expanded);
            verdict != PropertyListVerdict::Accepted)
            return verdict;
    }
}

} // namespace platform
