#pragma once

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace platform {

// Synchronous HTTP, for callers on a background thread.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Larger answers are refused: nothing this program fetches comes near it.
    static constexpr qint64 kMaximumBodySize = 4 * 1024 * 1024;

    // The body of an http or https GET that answered within `timeoutMs` with a success status and at most
    // kMaximumBodySize bytes, or nothing. The local cache is neither read nor written.
    virtual std::optional<QByteArray> get(const QUrl& url, int timeoutMs) = 0;
};

} // namespace platform
