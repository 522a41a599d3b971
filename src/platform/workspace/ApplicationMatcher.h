#pragma once

#include "platform/xdg/ApplicationEntry.h"
#include "ProcessRecord.h"

#include <QHash>

#include <vector>

namespace platform {

// Finds the application entry that names a process: by the program of the entry's Exec line
// (or its TryExec) against the process's executable and first argument, by the script that an
// interpreter runs (python3 tool.py), and by StartupWMClass against the program's name.
// Shells, interpreters and launchers (sh, python3, flatpak, env ...) never match by their own
// name, or every script would look like one application.
class ApplicationMatcher {
public:
    // `entries` in order of precedence: the first of equally good matches wins.
    explicit ApplicationMatcher(std::vector<ApplicationEntry> entries = {});

    const ApplicationEntry* match(const ProcessRecord& process) const;
    const std::vector<ApplicationEntry>& entries() const { return entries_; }

private:
    struct Candidate {
        int entry = 0;
        int strength = 0;
    };
    void addKey(QHash<QString, std::vector<Candidate>>& index, const QString& key, int entry, int strength);
    void consider(const QHash<QString, std::vector<Candidate>>& index, const QString& key, int strength,
                  const Candidate*& best, int& bestStrength) const;

    std::vector<ApplicationEntry> entries_;
    QHash<QString, std::vector<Candidate>> byProgram_;   // program file name
    QHash<QString, std::vector<Candidate>> byPath_;      // absolute program path
    QHash<QString, std::vector<Candidate>> byScript_;    // interpreter + "\n" + script file name
    QHash<QString, std::vector<Candidate>> byWindowClass_;
};

} // namespace platform
