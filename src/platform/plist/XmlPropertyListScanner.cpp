#include "XmlPropertyListScanner.h"

#include <QByteArrayView>

#include <utility>

namespace platform {

namespace {

// Element depth 1 is <plist>, 2 the root value: depth 0 of the list.
constexpr int kElementsAboveRoot = 2;

// Where a start tag ends: its '>' outside double-quoted attribute values, or -1. libplist takes
// single quotes as no quotes, and the scan must see the tags that libplist sees.
qsizetype endOfTag(const QByteArray& data, qsizetype from)
{
    bool quoted = false;
    for (qsizetype at = from; at < data.size(); ++at) {
        if (data[at] == '"')
            quoted = !quoted;
        else if (data[at] == '>' && !quoted)
            return at;
    }
    return -1;
}

} // namespace

PropertyListVerdict XmlPropertyListScanner::scan(const QByteArray& data, const PropertyListBounds& bounds)
{
    if (data.contains('\0'))
        return PropertyListVerdict::ZeroCharacter;
    // Markup that opens no element, with what ends it.
    static constexpr std::pair<QByteArrayView, QByteArrayView> kSkipped[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}, {"</", ">"}};
    qint64 depth = 0;
    qint64 elements = 0;
    qsizetype at = 0;
    while ((at = data.indexOf('<', at)) >= 0) {
        const QByteArrayView rest = QByteArrayView(data).sliced(at);
        bool skipped = false;
        for (const auto& [opening, closing] : kSkipped) {
            if (!rest.startsWith(opening))
                continue;
            const qsizetype end = data.indexOf(closing, at + opening.size());
            if (end < 0)
                return PropertyListVerdict::Malformed;
            if (opening == "</" && --depth < 0)
                return PropertyListVerdict::Malformed;
            at = end + closing.size();
            skipped = true;
            break;
        }
        if (skipped)
            continue;
        const qsizetype end = endOfTag(data, at + 1);
        if (end < 0)
            return PropertyListVerdict::Malformed;
        // The <plist> element holds no value.
        if (++elements > bounds.nodes + 1)
            return PropertyListVerdict::TooManyNodes;
        if (data[end - 1] != '/' && ++depth > bounds.depth + kElementsAboveRoot)
            return PropertyListVerdict::TooDeep;
        at = end + 1;
    }
    return PropertyListVerdict::Accepted;
}

} // namespace platform
