#include "ObjcPrintln.h"

#include <cstdio>
#include <cstring>

namespace {

ReportSink& currentSink()
{
    static ReportSink sink; // main thread, like the report itself
    return sink;
}

} // namespace

ReportSink setReportSink(ReportSink sink)
{
    ReportSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void writeReport(ReportStream stream, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    if (const ReportSink& sink = currentSink()) {
        sink(stream, utf8);
        return;
    }
    std::FILE* file = stream == ReportStream::Output ? stdout : stderr;
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), file);
    std::fflush(file);
}

void printReportLine(const char* format, const QString& text)
{
    const std::size_t length = format ? std::strlen(format) : 0;
    const bool endsWithLineFeed = length > 0 && format[length - 1] == '\n';
    writeReport(ReportStream::Error, endsWithLineFeed ? text : text + QLatin1Char('\n'));
}
