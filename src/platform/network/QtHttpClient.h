#pragma once

#include "HttpClient.h"

namespace platform {

// HTTP/1.1 over Qt's sockets (TLS for https), one connection and event loop per request, so it
// works on any thread. The response is read 64 KiB at a time through an `HttpResponseReader`,
// which refuses at once a header block over 64 KiB, an error status, a body announced or
// delivered above 4 MiB, chunk lines that run on and any coding but chunked, so no server can
// make it hold more than its bounds. Redirections are followed, at most 10 and never from https
// to http. A time-out or a refusal gives nothing.
class QtHttpClient final : public HttpClient {
public:
    static constexpr int kMaximumRedirects = 10;

    explicit QtHttpClient(qint64 maximumBodySize = kMaximumBodySize) : maximumBodySize_(maximumBodySize) {}
    std::optional<QByteArray> get(const QUrl& url, int timeoutMs) override;

private:
    qint64 maximumBodySize_;
};

} // namespace platform
