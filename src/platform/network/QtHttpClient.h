#pragma once

#include "HttpClient.h"

namespace platform {

// HTTP/1.1 over Qt's sockets (TLS for https), one connection and event loop per request, so it
// works on any thread. The response is read a bounded piece at a time through an
// `HttpResponseReader`, so no server can make it hold more than its bounds; redirections are
// followed, never from https to http.
class QtHttpClient final : public HttpClient {
public:
    static constexpr int kMaximumRedirects = 10;

    explicit QtHttpClient(qint64 maximumBodySize = kMaximumBodySize) : maximumBodySize_(maximumBodySize) {}
    std::optional<QByteArray> get(const QUrl& url, int timeoutMs) override;

private:
    qint64 maximumBodySize_;
};

} // namespace platform
