#include "HttpResponseReader.h"

#include <QList>

#include <algorithm>

namespace platform {

namespace {

bool isDigits(const QByteArray& text, bool hex, qsizetype maximumLength)
{
    if (text.isEmpty() || text.size() > maximumLength)
        return false;
    return std::all_of(text.begin(), text.end(), [hex](char c) {
        return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    });
}

QByteArray withoutReturn(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

HttpResponseReader::State HttpResponseReader::refuse(const QString& why)
{
    refusal_ = why;
    body_.clear();
    pending_.clear();
    return state_ = State::Refused;
}

HttpResponseReader::State HttpResponseReader::feed(QByteArray bytes)
{
    if (state_ != State::Reading)
        return state_;
    if (part_ == Part::Body) {
        takeBody(std::move(bytes));
        return state_;
    }
    pending_ += bytes;
    while (state_ == State::Reading && step()) {
    }
    return state_;
}

bool HttpResponseReader::step()
{
    switch (part_) {
    case Part::Headers:
        return readHeaderBlock();
    case Part::Body:
        if (pending_.isEmpty())
            return false;
        takeBody(std::exchange(pending_, {}));
        return true;
    default:
        return readChunked();
    }
}

bool HttpResponseReader::readHeaderBlock()
{
    // The blank line that ends the block: "\r\n\r\n", or bare line feeds. The search resumes where
    // it stopped, so a server that sends a byte at a time costs no more than one pass.
    qsizetype end = -1;
    for (qsizetype i = pending_.indexOf('\n', scanned_); i >= 0 && end < 0; i = pending_.indexOf('\n', i + 1)) {
        if (i + 1 < pending_.size() && pending_[i + 1] == '\n')
            end = i + 2;
        else if (i + 2 < pending_.size() && pending_[i + 1] == '\r' && pending_[i + 2] == '\n')
            end = i + 3;
        else if (i + 2 >= pending_.size())
            break;
        else
            scanned_ = i + 1;
    }
    if (end < 0 && pending_.size() <= kMaximumHeaderSize)
        return false;
    if (end < 0 || end > kMaximumHeaderSize) {
        refuse(QStringLiteral("the headers run past %1 bytes").arg(kMaximumHeaderSize));
        return false;
    }
    readHeaders(end);
    return true;
}

void HttpResponseReader::readHeaders(qsizetype end)
{
    const QList<QByteArray> lines = pending_.left(end).split('\n');
    pending_.remove(0, end);
    scanned_ = 0;
    const QByteArray statusLine = withoutReturn(lines.value(0));
    if (!statusLine.startsWith("HTTP/1.") || statusLine.size() < 12 || statusLine[8] != ' '
        || !isDigits(statusLine.mid(9, 3), false, 3) || (statusLine.size() > 12 && statusLine[12] != ' ')) {
        refuse(QStringLiteral("no HTTP status line"));
        return;
    }
    const int status = statusLine.mid(9, 3).toInt();
    if (status >= 100 && status < 200 && status != 101)
        return; // an interim answer; the real one follows

    qint64 length = -1;
    bool chunked = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = withoutReturn(lines[i]);
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            refuse(QStringLiteral("a malformed header"));
            return;
        }
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            if (!isDigits(value, false, 18) || (length >= 0 && length != value.toLongLong())) {
                refuse(QStringLiteral("a malformed Content-Length"));
                return;
            }
            length = value.toLongLong();
        } else if (name == "transfer-encoding") {
            // Only identity is asked for; chunked framing is all a server may add.
            if (value.toLower() != "chunked" || chunked) {
                refuse(QStringLiteral("the transfer coding \"%1\"").arg(QString::fromLatin1(value)));
                return;
            }
            chunked = true;
        } else if (name == "location") {
            location_ = value;
        }
    }
    if (status >= 300 && status < 400 && status != 304 && !location_.isEmpty())
        state_ = State::Redirected;
    else if (status < 200 || status >= 300)
        refuse(QStringLiteral("the status %1").arg(status));
    else if (status == 204 || status == 205 || (!chunked && length == 0))
        state_ = State::Complete;
    else if (chunked)
        part_ = Part::ChunkLine;
    else if (length > maximumBodySize_)
        refuse(QStringLiteral("an announced body of %1 bytes").arg(length));
    else {
        framing_ = length >= 0 ? Framing::Length : Framing::UntilClose;
        remaining_ = length;
        part_ = Part::Body;
    }
}

void HttpResponseReader::takeBody(QByteArray bytes)
{
    if (framing_ == Framing::Length) {
        bytes.truncate(qsizetype(std::min<qint64>(remaining_, bytes.size())));
        remaining_ -= bytes.size();
    }
    if (body_.size() + bytes.size() > maximumBodySize_) {
        refuse(QStringLiteral("a body of more than %1 bytes").arg(maximumBodySize_));
        return;
    }
    body_ += bytes;
    if (framing_ == Framing::Length && remaining_ == 0)
        state_ = State::Complete;
}

bool HttpResponseReader::readChunked()
{
    if (pending_.isEmpty())
        return false;
    if (part_ == Part::ChunkData) {
        const qsizetype taken = qsizetype(std::min<qint64>(remaining_, pending_.size()));
        body_ += pending_.left(taken);
        pending_.remove(0, taken);
        remaining_ -= taken;
        if (remaining_ == 0)
            part_ = Part::ChunkEnd;
        return true;
    }
    if (part_ == Part::ChunkEnd) {
        if (pending_ == "\r")
            return false;
        if (!pending_.startsWith("\r\n") && !pending_.startsWith('\n')) {
            refuse(QStringLiteral("a chunk without its line end"));
            return false;
        }
        pending_.remove(0, pending_.startsWith('\n') ? 1 : 2);
        part_ = Part::ChunkLine;
        return true;
    }
    // A chunk-size line, or a trailer line; the trailers together are bounded as headers are.
    const qsizetype end = pending_.indexOf('\n');
    const qsizetype bound = part_ == Part::Trailers ? kMaximumHeaderSize - remaining_ : kMaximumChunkLine;
    if ((end < 0 && pending_.size() > bound) || end >= bound) {
        refuse(QStringLiteral("a chunk line or trailers that run on"));
        return false;
    }
    if (end < 0)
        return false;
    const QByteArray line = withoutReturn(pending_.left(end));
    pending_.remove(0, end + 1);
    if (part_ == Part::Trailers) {
        remaining_ += end + 1;
        if (line.isEmpty())
            state_ = State::Complete;
        return true;
    }
    const qsizetype extension = line.indexOf(';');
    const QByteArray size = (extension < 0 ? line : line.left(extension)).trimmed();
    if (!isDigits(size, true, 15)) {
        refuse(QStringLiteral("a malformed chunk size"));
        return false;
    }
    remaining_ = size.toLongLong(nullptr, 16);
    if (remaining_ == 0)
        part_ = Part::Trailers;
    else if (body_.size() + remaining_ > maximumBodySize_)
        refuse(QStringLiteral("a body of more than %1 bytes").arg(maximumBodySize_));
    else
        part_ = Part::ChunkData;
    return true;
}

HttpResponseReader::State HttpResponseReader::finish()
{
    if (state_ != State::Reading)
        return state_;
    if (part_ == Part::Body && framing_ == Framing::UntilClose)
        return state_ = State::Complete;
    return refuse(QStringLiteral("the connection closed before the answer's end"));
}

} // namespace platform
