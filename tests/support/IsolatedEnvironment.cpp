#include "IsolatedEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdlib>
#include <sys/stat.h>

namespace test {

namespace {

QString base;
int folderCounter = 0;

// Tests may leave folders without permissions behind; give them back so the run can clean up.
void makeRemovable(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isDir())
        return;
    chmod(QFile::encodeName(path).constData(), 0700);
    for (const QString& entry : QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        makeRemovable(path + QLatin1Char('/') + entry);
}

} // namespace

IsolatedEnvironment::IsolatedEnvironment()
{
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/tavrin-test-XXXXXX"));
    if (!mkdtemp(pattern.data()))
        std::abort();
    base = QFile::decodeName(pattern);
    const QString home = base + QStringLiteral("/home");
    const std::pair<const char*, QString> variables[] = {
        {"HOME", home},
        {"XDG_DATA_HOME", home + QStringLiteral("/.local/share")},
        {"XDG_CONFIG_HOME", home + QStringLiteral("/.config")},
        {"XDG_CONFIG_DIRS", base + QStringLiteral("/etc/xdg")},
        {"XDG_CACHE_HOME", home + QStringLiteral("/.cache")},
        {"XDG_STATE_HOME", home + QStringLiteral("/.local/state")},
        {"XDG_RUNTIME_DIR", base + QStringLiteral("/runtime")},
        {"TMPDIR", base + QStringLiteral("/tmp")},
        {"TAVRIN_ROOT", base + QStringLiteral("/root")},
    };
    for (const auto& [name, value] : variables) {
        QDir().mkpath(value);
        qputenv(name, QFile::encodeName(value));
    }
    QFile::setPermissions(base + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const char* name : {"TAVRIN_OS_VERSION", "TAVRIN_MAC_MODEL", "TAVRIN_TOOL_LOG"})
        qunsetenv(name);
    // Without a session bus or sound server, the platform chooses only simulated back-ends.
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER"})
        qunsetenv(name);
    // The stand-in diskutil sees none of the machine's devices unless a test gives it a recording.
    qputenv("TAVRIN_REAL_VOLUMES", "0");
}

IsolatedEnvironment::~IsolatedEnvironment()
{
    makeRemovable(base);
    QDir(base).removeRecursively();
}

QString makeTemporaryFolder(const QString& prefix)
{
    const QString path = base + QStringLiteral("/cases/") + prefix + QLatin1Char('-') + QString::number(++folderCounter);
    QDir().mkpath(path);
    return path;
}

QString artifactPath(const QString& fileName)
{
    QDir().mkpath(QStringLiteral(TAVRIN_TEST_ARTIFACTS));
    return QStringLiteral(TAVRIN_TEST_ARTIFACTS "/") + fileName;
}

bool writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString fixturePath(const QString& relativePath)
{
    return QStringLiteral(TAVRIN_FIXTURES "/") + relativePath;
}

} // namespace test
