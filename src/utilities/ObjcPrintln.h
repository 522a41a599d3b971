#pragma once

#include "platform/text/StringFormat.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The two streams a diagnostic report can go to.
enum class ReportStream { Output, Error };

// Where report lines go: the process's standard output and error, unless something (a test)
// takes them. Gives back the sink that was in place; an empty sink restores the streams.
using ReportSink = std::function<void(ReportStream stream, const QByteArray& utf8)>;
ReportSink setReportSink(ReportSink sink);

// Writes UTF-8 text to one of the report streams as it is.
void writeReport(ReportStream stream, const QString& text);

// `text` is `format` already formatted: a line feed is added unless the format ends with one.
void printReportLine(const char* format, const QString& text);

// One line of the diagnostic report on standard error, formatted as the platform's string
// formatting does (C values, as with printf).
template <typename... Arguments>
void objc_println(const char* format, Arguments... arguments)
{
    printReportLine(format, platform::stringWithFormat(format, arguments...));
}
