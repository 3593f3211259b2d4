#pragma once

#include <QString>

#include <functional>

// The program's one way to write a log line. The window writes to standard output,
// the command-line tool to standard error, and tests capture the lines.
namespace Log {

using Sink = std::function<void(const QString& line)>;

// Writes one line (a trailing newline is added by the sink).
void line(const QString& text);

// Replaces the sink and returns the previous one. An empty sink restores standard output.
Sink setSink(Sink sink);

// Sinks for the two standard streams.
Sink standardOutputSink();
Sink standardErrorSink();

} // namespace Log
