#include "TaskManager/TaskManagerViewController.h"
#include "utilities/ObjcPrintln.h"
#include "platform/process/LinuxProcessListing.h"
#include "IsolatedEnvironment.h"
#include "TestPlatform.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A /proc with three processes: one with an executable, one without (a kernel thread), and
// one whose link is cut; and entries that are no process.
QString fakeProc()
{
    const QString root = test::makeTemporaryFolder(QStringLiteral("proc"));
    for (const char* folder : {"1", "2", "37", "self", "sys"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    QFile::link(QStringLiteral("/usr/bin/some program"), root + QStringLiteral("/1/exe"));
    QFile::link(QString(5000, QLatin1Char('x')).prepend(QLatin1Char('/')), root + QStringLiteral("/37/exe"));
    return root;
}

} // namespace

TEST(ProcessListingTest, GetProPrintsThePathOfEveryNumberedProcessThatHasOne)
{
    const QString proc = fakeProc();
    platform::LinuxProcessListing listing(proc);
    std::vector<int> pids = listing.listPids();
    std::sort(pids.begin(), pids.end());
    EXPECT_EQ(pids, (std::vector<int>{1, 2, 37}));
    EXPECT_TRUE(listing.pidPath(99).isEmpty());
    test::TestPlatform p;
    p->processListing = std::make_unique<platform::LinuxProcessListing>(proc);
    QByteArray output;
    ReportSink previous = setReportSink([&](ReportStream stream, const QByteArray& text) {
        if (stream == ReportStream::Output)
            output += text;
    });
    TaskManagerViewController::getPro();
    setReportSink(previous);
    EXPECT_EQ(output, QByteArray("path: /usr/bin/some program\n"));
}
