// HTTP responses as a server sends them, within small bounds: read whole and in pieces of the
// size the first byte gives, a response must read the same.
#include "platform/network/HttpResponseReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype piece = size ? 1 + data[0] % 64 : 1;
    platform::HttpResponseReader whole(4096), pieces(4096);
    whole.feed(bytes);
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        pieces.feed(bytes.mid(i, piece));
    if (whole.finish() != pieces.finish() || whole.body() != pieces.body() || whole.body().size() > 4096)
        std::abort();
    return 0;
}
