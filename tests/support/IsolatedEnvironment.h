#pragma once

#include <QString>

namespace test {

// Points HOME, the XDG folders, TMPDIR and TAVRIN_ROOT into one fresh temporary folder for
// the whole test run, and removes it at the end, so no test reads or writes the real home.
class IsolatedEnvironment {
public:
    IsolatedEnvironment();
    ~IsolatedEnvironment();
    IsolatedEnvironment(const IsolatedEnvironment&) = delete;
    IsolatedEnvironment& operator=(const IsolatedEnvironment&) = delete;
};

// A fresh, empty folder inside the isolated environment.
QString makeTemporaryFolder(const QString& prefix = QStringLiteral("case"));
// Where a test keeps what a person may want to look at afterwards (rendered images).
QString artifactPath(const QString& fileName);
// False when the file cannot be written whole.
bool writeFile(const QString& path, const QByteArray& contents);
// Empty when the file cannot be read.
QByteArray readFile(const QString& path);
// A file of tests/fixtures.
QString fixturePath(const QString& relativePath);

} // namespace test
