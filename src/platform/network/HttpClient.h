#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace platform {

// Synchronous HTTP, for callers on a background thread.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // The body of a GET that answered within `timeoutMs`, or nothing. The local cache is
    // neither read nor written.
    virtual std::optional<QByteArray> get(const QUrl& url, int timeoutMs) = 0;
};

} // namespace platform
