#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstddef>
#include <optional>

// What the command runners share: each writes a command's standard output into its own file in
// the user's private temporary folder, removing the previous output first, and hands back the
// file's path for the caller to read as a property list.
class CommandOutput {
public:
    // Room for a formatted command line, its terminating zero included.
    static constexpr std::size_t kShellLineBufferSize = 2048;

    // A null text when there is no private temporary folder; then no command runs.
    static QString outputPath(const QString& fileName);
    // Whether `line` and its terminating zero fit a buffer of `bufferSize` bytes.
    static bool fits(const QByteArray& line, std::size_t bufferSize);
    // Runs "<command> > <output file>" through the shell. Gives the output path, or a null text
    // for no command, no output path or a line longer than its buffer, which is not run.
    static QString runShellLine(const QString& fileName, const QByteArray& command);
    // Runs the program with its arguments as they are, with no shell. Gives the output path, or
    // a null text when there is no output path (nothing runs) or the program could not be started.
    static QString runProgram(const QString& fileName, const QString& program,
                              const QStringList& arguments, int* exitStatus = nullptr);
    // The file's contents when they are a property-list dictionary.
    static std::optional<QVariantMap> readDictionary(const QString& path);
};
