#pragma once

#include "HttpClient.h"

namespace platform {

// Qt Network, with a private access manager and event loop per request, so it works on any thread.
class QtHttpClient final : public HttpClient {
public:
    std::optional<QByteArray> get(const QUrl& url, int timeoutMs) override;
};

} // namespace platform
