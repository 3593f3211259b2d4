#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Text hidden in base64 or hex literals, decoded so the rules can read it: the largest real
// campaign hands the assistant a "prerequisite" that is one base64 line decoding to a download
// run by the shell. Literals of 16 characters and more are decoded, two layers deep, and kept
// only where they decode to readable text. Bounded in size and time, so a hostile file of one
// enormous literal costs little.
namespace PayloadDecoder {

// One literal's decoded text.
struct Payload
{
    qsizetype offset = 0; // where the outermost literal starts in the text scanned
    qsizetype length = 0; // of that literal
    QByteArray text;      // decoded, one or two layers deep
    int layers = 1;
};

constexpr qsizetype shortestLiteral = 16;
// What is decoded of a file at the most, and of one literal.
constexpr qsizetype mostDecodedBytes = 4 * 1024 * 1024;
constexpr qsizetype mostLiteralBytes = 1024 * 1024;
constexpr int mostLayers = 2;
constexpr int mostMilliseconds = 250;

// Every literal in the text that decodes to readable text, with what it decodes to.
QList<Payload> decode(QByteArrayView text);
// The literals alone, encoded, of at least `length` characters: long runs hide payloads even
// where they decode to no text.
QList<std::pair<qsizetype, qsizetype>> literals(QByteArrayView text, qsizetype length);

} // namespace PayloadDecoder
