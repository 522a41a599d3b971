#include "NativePath.h"

namespace platform {

namespace {

// Length of the valid UTF-8 sequence at `i`, or 0 when the bytes there are not one.
int validSequenceLength(const QByteArray& bytes, qsizetype i)
{
    const auto byte = [&bytes](qsizetype at) { return uchar(bytes.at(at)); };
    const uchar lead = byte(i);
    if (lead < 0x80)
        return 1;
    int length = 0;
    char32_t minimum = 0;
    char32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and values beyond Unicode are not valid UTF-8.
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

QString decode(const QByteArray& native, bool escape)
{
    qsizetype valid = 0;
    while (valid < native.size()) {
        const int length = validSequenceLength(native, valid);
        if (length == 0)
            break;
        valid += length;
    }
    if (valid == native.size())
        return QString::fromUtf8(native);
    QString text;
    text.reserve(native.size());
    for (qsizetype i = 0; i < native.size();) {
        const int length = validSequenceLength(native, i);
        if (length == 0) {
            text.append(escape ? QChar(ushort(0xDC00 + uchar(native.at(i)))) : QChar(QChar::ReplacementCharacter));
            ++i;
            continue;
        }
        text.append(QString::fromUtf8(native.constData() + i, length));
        i += length;
    }
    return text;
}

} // namespace

QString pathFromNative(const QByteArray& native)
{
    return decode(native, true);
}

QString displayTextFromNative(const QByteArray& native)
{
    return decode(native, false);
}

QByteArray nativeFromPath(const QString& path)
{
    QByteArray native;
    native.reserve(path.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const bool escaped = i < path.size() && path.at(i).unicode() >= 0xDC80 && path.at(i).unicode() <= 0xDCFF
            && !(i > 0 && path.at(i - 1).isHighSurrogate());
        if (i == path.size() || escaped) {
            native.append(QStringView(path).mid(start, i - start).toUtf8());
            if (escaped)
                native.append(char(path.at(i).unicode() - 0xDC00));
            start = i + 1;
        }
    }
    return native;
}

QByteArray zeroTerminated(const QByteArray& bytes)
{
    return QByteArray(bytes.constData(), bytes.size());
}

} // namespace platform
