#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// File names are bytes. A path text carries them exactly: valid UTF-8 as its letters, and each
// byte of an invalid sequence as the lone surrogate U+DC00 + byte, which no decoded name holds.
QString pathFromNative(const QByteArray& native);
QByteArray nativeFromPath(const QString& path);
// The path as a person reads it: invalid bytes shown as U+FFFD.
QString displayTextFromNative(const QByteArray& native);
// The bytes in a buffer of their own that ends in a zero byte, as a system call reads a name:
// bytes made over raw data (QByteArray::fromRawData) need not end in one.
QByteArray zeroTerminated(const QByteArray& bytes);

} // namespace platform
