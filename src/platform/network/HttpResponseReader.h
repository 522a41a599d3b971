#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// An HTTP/1.x response, read from its bytes as they arrive, within bounds: a server can make it
// hold no more than one header block of kMaximumHeaderSize bytes and a body of `maximumBodySize`.
// A success status gives the body; a redirection gives its target; everything else is refused as
// soon as it shows: an error status or a body announced too large once the headers are read, a
// header block or body that grows too large at the byte that makes it so.
class HttpResponseReader {
public:
    enum class State { Reading, Complete, Redirected, Refused };
    static constexpr qsizetype kMaximumHeaderSize = 64 * 1024;
    // A chunk-size line holds a few hex digits and perhaps an extension.
    static constexpr qsizetype kMaximumChunkLine = 1024;

    explicit HttpResponseReader(qint64 maximumBodySize) : maximumBodySize_(maximumBodySize) {}

    // Takes the next bytes of the connection; gives the state after them. Bytes after the end
    // of the response are ignored.
    State feed(QByteArray bytes);
    // The server closed the connection: a body that runs to the close is complete; any other
    // response that is still being read was cut short.
    State finish();

    State state() const { return state_; }
    const QByteArray& body() const { return body_; }
    // The Location of a redirection, as sent.
    const QByteArray& location() const { return location_; }
    // Why the response was refused, for the log.
    const QString& refusal() const { return refusal_; }

private:
    enum class Framing { Length, UntilClose }; // of a body not sent in chunks
    enum class Part { Headers, ChunkLine, ChunkData, ChunkEnd, Trailers, Body };

    State refuse(const QString& why);
    // Each takes what it can of `pending_`; false when it needs more bytes (or refused).
    bool step();
    bool readHeaderBlock();
    bool readChunked();
    // One header block ends at `end` of `pending_`; decides what follows it.
    void readHeaders(qsizetype end);
    void takeBody(QByteArray bytes);

    qint64 maximumBodySize_;
    State state_ = State::Reading;
    Part part_ = Part::Headers;
    Framing framing_ = Framing::UntilClose;
    qint64 remaining_ = 0; // of the announced length or the chunk under way; trailer bytes read
    QByteArray pending_;   // bytes not yet taken: a header block, a chunk line
    qsizetype scanned_ = 0; // of a header block, searched for its end
    QByteArray body_;
    QByteArray location_;
    QString refusal_;
};

} // namespace platform
