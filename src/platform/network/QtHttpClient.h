#pragma once

#include "HttpClient.h"

namespace platform {

// Qt Network, with a private access manager and event loop per request, so it works on any thread.
class QtHttpClient final : public HttpClient {
public:
    explicit QtHttpClient(qint64 maximumBodySize = kMaximumBodySize) : maximumBodySize_(maximumBodySize) {}
    std::optional<QByteArray> get(const QUrl& url, int timeoutMs) override;

private:
    qint64 maximumBodySize_;
};

} // namespace platform
