#include "platform/network/HttpResponseReader.h"

#include <gtest/gtest.h>

using platform::HttpResponseReader;
using State = HttpResponseReader::State;

namespace {

struct Outcome {
    State state;
    QByteArray body;
};

// The reader's outcome for `bytes` fed in pieces of `piece` bytes, then the close if `closed`.
Outcome read(const QByteArray& bytes, qsizetype piece, bool closed, qint64 maximum)
{
    HttpResponseReader reader(maximum);
    for (qsizetype i = 0; i < bytes.size() && reader.state() == State::Reading; i += piece)
        reader.feed(bytes.mid(i, piece));
    if (closed)
        reader.finish();
    return {reader.state(), reader.body()};
}

const QByteArray ok = "HTTP/1.1 200 OK\r\n";

} // namespace

// Every response is read alike whole and a byte at a time, so nothing depends on where the
// connection happens to split it.
TEST(HttpResponseReaderTest, ResponsesReadTheSameWholeAndByteByByte)
{
    const QByteArray chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const QByteArray longHeaders = ok + QByteArray("X-Filler: yyyyyyyyyyyyyyyyyyyy\r\n").repeated(2200);
    const struct {
        const char* name;
        QByteArray bytes;
        bool closed;
        State state;
        QByteArray body;
    } cases[] = {
        {"length, extra bytes ignored", ok + "Content-Length: 5\r\n\r\nhelloEXTRA", false, State::Complete, "hello"},
        {"bare line feeds", "HTTP/1.1 200 OK\nContent-Length: 2\n\nok", false, State::Complete, "ok"},
        {"until the close", "HTTP/1.0 200 OK\r\n\r\nabc", true, State::Complete, "abc"},
        {"until a close not yet come", "HTTP/1.0 200 OK\r\n\r\nabc", false, State::Reading, "abc"},
        {"chunks with an extension and a trailer", chunked + "5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nX-T: 1\r\n\r\n", false, State::Complete, "hello world"},
        {"interim answer first", "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 1\r\n\r\nx", false, State::Complete, "x"},
        {"no content", "HTTP/1.1 204 No Content\r\n\r\n", false, State::Complete, ""},
        {"redirection", "HTTP/1.1 302 Found\r\nLocation: /next?a=1\r\nContent-Length: 3\r\n\r\n", false, State::Redirected, {}},
        {"redirection without a target", "HTTP/1.1 301 Moved\r\n\r\n", false, State::Refused, {}},
        {"error status", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 2\r\n\r\nno", false, State::Refused, {}},
        {"announced beyond the bound, nothing sent", ok + "Content-Length: 10000000000\r\n\r\n", false, State::Refused, {}},
        {"announced at the bound", ok + "Content-Length: 100\r\n\r\n" + QByteArray(100, 'b'), false, State::Complete, QByteArray(100, 'b')},
        {"delivered beyond the bound", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(101, 'b'), false, State::Refused, {}},
        {"chunk announced beyond the bound", chunked + "65\r\n", false, State::Refused, {}},
        {"endless headers", longHeaders, false, State::Refused, {}},
        {"endless chunk line", chunked + QByteArray(1100, '0'), false, State::Refused, {}},
        {"endless trailers", chunked + "0\r\n" + QByteArray("T: x\r\n").repeated(11000), false, State::Refused, {}},
        {"malformed chunk size", chunked + "0x5\r\nhello\r\n", false, State::Refused, {}},
        {"chunk without its line end", chunked + "1\r\nab", false, State::Refused, {}},
        {"a coding not asked for", ok + "Transfer-Encoding: gzip\r\n\r\n", false, State::Refused, {}},
        {"two lengths", ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\nab", false, State::Refused, {}},
        {"negative length", ok + "Content-Length: -1\r\n\r\n", false, State::Refused, {}},
        {"not HTTP", "SSH-2.0-OpenSSH_9.2\r\n\r\n", false, State::Refused, {}},
        {"cut short", ok + "Content-Length: 5\r\n\r\nhel", true, State::Refused, {}},
        {"closed inside the headers", ok + "Content-Le", true, State::Refused, {}},
    };
    for (const auto& c : cases) {
        for (const qsizetype piece : {c.bytes.size(), qsizetype(1)}) {
            SCOPED_TRACE(std::string(c.name) + (piece == 1 ? ", byte by byte" : ", whole"));
            const Outcome outcome = read(c.bytes, piece, c.closed, 100);
            EXPECT_EQ(outcome.state, c.state);
            EXPECT_EQ(outcome.body, c.body);
        }
    }
}

TEST(HttpResponseReaderTest, ARedirectionGivesItsTargetAndARefusalItsReason)
{
    HttpResponseReader redirected(100);
    redirected.feed("HTTP/1.1 308 Permanent Redirect\r\nlocation:  https://example.org/a b \r\n\r\n");
    EXPECT_EQ(redirected.location(), "https://example.org/a b");
    HttpResponseReader refused(100);
    refused.feed(ok + "Content-Length: 10000000000\r\n\r\n");
    EXPECT_EQ(refused.refusal(), "an announced body of 10000000000 bytes");
    // Nothing more is taken once it has decided.
    EXPECT_EQ(refused.feed("HTTP/1.1 200 OK\r\n\r\n"), State::Refused);
}
