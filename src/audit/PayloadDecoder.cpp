#include "audit/PayloadDecoder.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

bool isBase64Character(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
           c == '/' || c == '-' || c == '_';
}

bool isHexCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Text a person or a shell would read: printable, tabs and line ends, UTF-8 beyond ASCII.
bool isReadable(const QByteArray& bytes)
{
    if (bytes.size() < 8)
        return false;
    qsizetype readable = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        readable += (u >= 0x20 && u < 0x7f) || u == '\n' || u == '\r' || u == '\t' || u >= 0x80 ? 1 : 0;
    }
    return readable * 100 >= bytes.size() * 95;
}

// A run of literal characters, whichever kind: [begin, end).
struct Run
{
    qsizetype begin;
    qsizetype end;
};

QList<Run> runsOf(QByteArrayView text, qsizetype shortest)
{
    QList<Run> runs;
    qsizetype at = 0;
    const qsizetype size = text.size();
    while (at < size) {
        if (!isBase64Character(text[at])) {
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < size && isBase64Character(text[end]))
            ++end;
        qsizetype padded = end;
        while (padded < size && padded - end < 2 && text[padded] == '=')
            ++padded;
        if (padded - at >= shortest)
            runs.append({at, padded});
        at = padded;
    }
    return runs;
}

QByteArray decodeRun(QByteArrayView literal)
{
    // Cut at a whole group of four, which decodes on its own.
    const qsizetype kept = std::min(literal.size(), PayloadDecoder::mostLiteralBytes) / 4 * 4;
    const QByteArray bytes =
        literal.first(literal.size() <= PayloadDecoder::mostLiteralBytes ? literal.size() : kept)
            .toByteArray();
    // Hex first: every hex literal is also a base64 alphabet run.
    if (bytes.size() % 2 == 0 && std::all_of(bytes.cbegin(), bytes.cend(), isHexCharacter))
        return QByteArray::fromHex(bytes);
    const bool urlSafe = bytes.contains('-') || bytes.contains('_');
    auto decoded = QByteArray::fromBase64Encoding(
        bytes, urlSafe ? QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors
                       : QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

void decodeInto(QByteArrayView text, qsizetype outerOffset, std::optional<qsizetype> outerLength, int layer,
                QList<PayloadDecoder::Payload>& found, qsizetype& budget, const QElapsedTimer& clock)
{
    // The bounds are looked at after each literal, so the first is always read, however slow
    // the machine: what a small file is found to hide never depends on the clock.
    for (const Run& run : runsOf(text, PayloadDecoder::shortestLiteral)) {
        const QByteArray decoded = decodeRun(text.sliced(run.begin, run.end - run.begin));
        if (isReadable(decoded)) {
            budget -= decoded.size();
            const qsizetype offset = outerLength ? outerOffset : run.begin;
            const qsizetype length = outerLength ? *outerLength : run.end - run.begin;
            found.append({offset, length, decoded, layer});
            if (layer < PayloadDecoder::mostLayers)
                decodeInto(decoded, offset, length, layer + 1, found, budget, clock);
        }
        if (budget <= 0 || clock.elapsed() > PayloadDecoder::mostMilliseconds)
            return;
    }
}

} // namespace

namespace PayloadDecoder {

QList<Payload> decode(QByteArrayView text)
{
    QList<Payload> found;
    qsizetype budget = mostDecodedBytes;
    QElapsedTimer clock;
    clock.start();
    decodeInto(text, 0, std::nullopt, 1, found, budget, clock);
    return found;
}

QList<std::pair<qsizetype, qsizetype>> literals(QByteArrayView text, qsizetype length)
{
    QList<std::pair<qsizetype, qsizetype>> found;
    for (const Run& run : runsOf(text, length))
        found.append({run.begin, run.end - run.begin});
    return found;
}

} // namespace PayloadDecoder
