#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <nlohmann/json.hpp>

#include <optional>

// Strict reading of JSON documents: a missing key, a null where a value is required or a
// value of the wrong type fails the whole document, with the key path where it happened.
// Integers stay exact 64-bit values and are told apart from fractions and strings.

struct DecodingError
{
    enum class Kind
    {
        typeMismatch,
        valueNotFound,
        keyNotFound,
        dataCorrupted
    };

    Kind kind = Kind::dataCorrupted;
    QString expectedType; // "String", "Int64", ... (type mismatch, value not found)
    QString key;          // the missing key (key not found)
    QString codingPath;   // where it happened, e.g. "skills[0].installs"; empty at the top
    Problem problem;      // what the window and the tool tell

    // The line the search logs for it.
    QString logLine() const;
    // As an error of the layers above: the problem, and its log text.
    Error error() const { return Error::of(problem); }
};

class JsonReader
{
public:
    // Parses a whole document; its top level must be an object.
    static Result<nlohmann::json, DecodingError> parseObject(const QByteArray& bytes);

    // A reader of one object; `path` names it in error messages. An element of an array
    // has the array's path and its index, joined only when a message needs them.
    JsonReader(const nlohmann::json& object, QString path = {},
               std::optional<std::size_t> index = std::nullopt);

    // Each throws DecodingError when the value is missing, null (for required values)
    // or of another type.
    QString string(const char* key) const;
    std::optional<QString> optionalString(const char* key) const; // absent or null: nothing
    qint64 int64(const char* key) const;
    QList<JsonReader> objects(const char* key) const; // an array of objects
    QStringList strings(const char* key) const;       // an array of strings
    std::optional<QList<JsonReader>> optionalObjects(const char* key) const;
    JsonReader object(const char* key) const;
    std::optional<JsonReader> optionalObject(const char* key) const;

    // Runs a decoder that throws DecodingError and turns the throw into a result.
    template <typename T, typename Decode> static Result<T, DecodingError> decode(Decode&& decode)
    {
        try {
            return decode();
        } catch (const DecodingError& error) {
            return error;
        }
    }

    QString path() const;
    // Fails because of what the value of `key` holds: `why` says what is wrong with it.
    [[noreturn]] void fail(const char* key, Problem why) const;

private:
    const nlohmann::json& required(const char* key, const char* expectedType) const;
    QString pathOf(const char* key) const;

    const nlohmann::json* m_object;
    QString m_path; // of the object, or of its array when it has an index
    std::optional<std::size_t> m_index;
};
