#include "platform/network/HttpResponseReader.h"

#include <gtest/gtest.h>

using platform::HttpResponseReader;
using State = HttpResponseReader::State;

// Every response reads alike whole and a byte at a time, so nothing depends on where the
// connection happens to split it. The body bound is 100 bytes.
TEST(HttpResponseReaderTest, ResponsesReadTheSameWholeAndByteByByte)
{
    const QByteArray ok = "HTTP/1.1 200 OK\r\n", chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        bool closed;
        State state;
        QByteArray body;
    } cases[] = {
        {"length, extra bytes ignored", ok + "Content-Length: 5\r\n\r\nhelloEXTRA", false, State::Complete, "hello"},
        {"until the close", "HTTP/1.0 200 OK\r\n\r\nabc", true, State::Complete, "abc"},
        {"chunks, an extension, a trailer", chunked + "5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nX-T: 1\r\n\r\n", false, State::Complete, "hello world"},
        {"interim answer first", "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 1\r\n\r\nx", false, State::Complete, "x"},
        {"redirection", "HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 3\r\n\r\n", false, State::Redirected, {}},
        {"announced over the bound, nothing sent", ok + "Content-Length: 10000000000\r\n\r\n", false, State::Refused, {}},
        {"announced at the bound", ok + "Content-Length: 100\r\n\r\n" + QByteArray(100, 'b'), false, State::Complete, QByteArray(100, 'b')},
        {"delivered over the bound", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray(101, 'b'), false, State::Refused, {}},
        {"chunk announced over the bound", chunked + "65\r\n", false, State::Refused, {}},
        {"endless headers", ok + QByteArray("X-Filler: yyyyyyyyyyyyyyyyyyyy\r\n").repeated(2200), false, State::Refused, {}},
        {"endless chunk line", chunked + QByteArray(1100, '0'), false, State::Refused, {}},
        {"endless trailers", chunked + "0\r\n" + QByteArray("T: x\r\n").repeated(11000), false, State::Refused, {}},
        {"chunk without its line end", chunked + "1\r\nab", false, State::Refused, {}},
        {"a coding not asked for", ok + "Transfer-Encoding: gzip\r\n\r\n", false, State::Refused, {}},
        {"two lengths", ok + "Content-Length: 1\r\nContent-Length: 2\r\n\r\nab", false, State::Refused, {}},
        {"cut short", ok + "Content-Length: 5\r\n\r\nhel", true, State::Refused, {}},
    };
    for (const auto& c : cases) {
        for (const qsizetype piece : {c.bytes.size(), qsizetype(1)}) {
            SCOPED_TRACE(std::string(c.name) + (piece == 1 ? ", byte by byte" : ", whole"));
            HttpResponseReader reader(100);
            for (qsizetype i = 0; i < c.bytes.size(); i += piece)
                reader.feed(c.bytes.mid(i, piece));
            EXPECT_EQ(c.closed ? reader.finish() : reader.state(), c.state);
            EXPECT_EQ(reader.body(), c.body);
        }
    }
}
