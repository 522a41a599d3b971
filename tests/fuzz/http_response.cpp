// HTTP responses as a server sends them, read within small bounds. The first byte sets the size of
// the pieces the rest arrives in; read whole or in pieces, a response must read the same.
#include "platform/network/HttpResponseReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    constexpr qint64 kBound = 4096;
    const qsizetype piece = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size) - 1);
    platform::HttpResponseReader whole(kBound), pieces(kBound);
    whole.feed(bytes);
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        pieces.feed(bytes.mid(i, piece));
    whole.finish();
    pieces.finish();
    if (whole.state() != pieces.state() || whole.body() != pieces.body() || whole.body().size() > kBound)
        std::abort();
    return 0;
}
