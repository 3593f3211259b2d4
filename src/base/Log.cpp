#include "base/Log.h"

#include <cstdio>

namespace Log {
namespace {

Sink streamSink(std::FILE* stream)
{
    return [stream](const QString& text) {
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
        std::fputc('\n', stream);
        std::fflush(stream);
    };
}

Sink& currentSink()
{
    static Sink sink = streamSink(stdout);
    return sink;
}

} // namespace

Sink standardOutputSink()
{
    return streamSink(stdout);
}

Sink standardErrorSink()
{
    return streamSink(stderr);
}

void line(const QString& text)
{
    currentSink()(text);
}

Sink setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = sink ? std::move(sink) : standardOutputSink();
    return previous;
}

} // namespace Log
