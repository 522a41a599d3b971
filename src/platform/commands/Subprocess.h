#pragma once

#include <QByteArray>
#include <QStringList>

#include <chrono>
#include <optional>
#include <vector>

namespace platform {

// One program started from an argument vector, through no shell. Standard input is /dev/null;
// the program starts with SIGPIPE at its default, whatever this process does with it.
struct Subprocess {
    // Where a standard stream goes. `WithOutput` (for standard error) shares standard output's
    // place, one pipe for both when that is captured.
    enum class Stream { Inherited, Discarded, Captured, WithOutput };

    struct Result {
        bool started = false; // false when the program could not be started at all
        int exitStatus = -1;  // the exit code, or -1 when it ended by a signal
        QByteArray standardOutput{};
        QByteArray standardError{};
        bool timedOut = false; // stopped after its time-out
    };

    QByteArray executable{};             // the file run: absolute, or relative to the working folder
    std::vector<QByteArray> arguments{}; // the first is the name the program sees
    std::optional<std::vector<QByteArray>> environment{}; // "NAME=value"; none keeps this process's
    QByteArray workingFolder{};          // empty: this process's own
    Stream output = Stream::Captured;
    QByteArray outputFile{};             // when given, standard output replaces this file instead
    Stream error = Stream::Inherited;
    // A program still running then is killed, with its whole process group when it has one of
    // its own, and gives what it wrote so far.
    std::optional<std::chrono::milliseconds> timeout{};
    bool ownProcessGroup = false;

    // Starts the program and waits until it has ended and closed its captured streams.
    Result run() const;
    // Starts the program in a session of its own, with this process's standard streams, and
    // does not wait for it; nothing remains to reap. False when it could not be started (no
    // such program, or no such working folder).
    bool detach() const;

    // `name` (as a file name) followed by `arguments` (in UTF-8): an argument vector.
    static std::vector<QByteArray> argumentVector(const QString& name, const QStringList& arguments);
    // This process's environment with `variables` set ("NAME=value" each), in place of any of
    // the same names.
    static std::vector<QByteArray> currentEnvironmentWith(const std::vector<QByteArray>& variables);
};

} // namespace platform
