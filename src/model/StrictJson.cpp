#include "model/StrictJson.h"

using namespace Qt::StringLiterals;

namespace {

QString foundKind(const nlohmann::json& value)
{
    switch (value.type()) {
    case nlohmann::json::value_t::null:
        return u"null"_s;
    case nlohmann::json::value_t::string:
        return u"a string"_s;
    case nlohmann::json::value_t::boolean:
        return u"a bool"_s;
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
        return u"an integer"_s;
    case nlohmann::json::value_t::number_float:
        return u"a number with a fraction"_s;
    case nlohmann::json::value_t::array:
        return u"an array"_s;
    case nlohmann::json::value_t::object:
        return u"a dictionary"_s;
    default:
        return u"something else"_s;
    }
}

QString where(const QString& path)
{
    return path.isEmpty() ? u"at the top level"_s : u"at "_s + path;
}

} // namespace

QString DecodingError::logLine() const
{
    switch (kind) {
    case Kind::typeMismatch:
        return u"Type '"_s + expectedType + u"' mismatch: "_s + description;
    case Kind::valueNotFound:
        return u"Value '"_s + expectedType + u"' not found: "_s + description;
    case Kind::keyNotFound:
        return u"Key '"_s + key + u"' not found: "_s + description;
    case Kind::dataCorrupted:
        return u"Data corrupted "_s + where(codingPath) + u": "_s + description;
    }
    return description;
}

Result<nlohmann::json, DecodingError> JsonReader::parseObject(const QByteArray& bytes)
{
    nlohmann::json document = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (document.is_discarded())
        return DecodingError{
            DecodingError::Kind::dataCorrupted, {}, {}, {}, u"The given data was not valid JSON."_s};
    if (!document.is_object())
        return DecodingError{DecodingError::Kind::typeMismatch,
                             u"Dictionary"_s,
                             {},
                             {},
                             u"Expected to decode Dictionary but found "_s + foundKind(document) +
                                 u" instead, at the top level."_s};
    return document;
}

JsonReader::JsonReader(const nlohmann::json& object, QString path)
    : m_object(&object)
    , m_path(std::move(path))
{}

QString JsonReader::pathOf(const char* key) const
{
    const QString name = QString::fromUtf8(key);
    return m_path.isEmpty() ? name : m_path + u'.' + name;
}

void JsonReader::fail(DecodingError::Kind kind, const char* key, const QString& problem) const
{
    throw DecodingError{
        kind, {}, QString::fromUtf8(key), pathOf(key), problem + u", "_s + where(pathOf(key)) + u'.'};
}

const nlohmann::json& JsonReader::required(const char* key, const char* expectedType) const
{
    const QString type = QString::fromUtf8(expectedType);
    const auto found = m_object->find(key);
    if (found == m_object->end())
        throw DecodingError{
            DecodingError::Kind::keyNotFound, type, QString::fromUtf8(key), m_path,
            u"No value associated with key \"%1\" %2."_s.arg(QString::fromUtf8(key), where(m_path))};
    if (found->is_null())
        throw DecodingError{DecodingError::Kind::valueNotFound,
                            type,
                            {},
                            pathOf(key),
                            u"Expected %1 value but found null instead, %2."_s.arg(type, where(pathOf(key)))};
    return *found;
}

namespace {

[[noreturn]] void mismatch(const QString& type, const nlohmann::json& value, const QString& path)
{
    throw DecodingError{
        DecodingError::Kind::typeMismatch,
        type,
        {},
        path,
        u"Expected to decode %1 but found %2 instead, %3."_s.arg(type, foundKind(value), where(path))};
}

} // namespace

QString JsonReader::string(const char* key) const
{
    const nlohmann::json& value = required(key, "String");
    if (!value.is_string())
        mismatch(u"String"_s, value, pathOf(key));
    return QString::fromStdString(value.get<std::string>());
}

std::optional<QString> JsonReader::optionalString(const char* key) const
{
    const auto found = m_object->find(key);
    if (found == m_object->end() || found->is_null())
        return std::nullopt;
    if (!found->is_string())
        mismatch(u"String"_s, *found, pathOf(key));
    return QString::fromStdString(found->get<std::string>());
}

qint64 JsonReader::int64(const char* key) const
{
    const nlohmann::json& value = required(key, "Int64");
    if (value.is_number_unsigned() &&
        value.get<std::uint64_t>() > std::uint64_t(std::numeric_limits<qint64>::max()))
        throw DecodingError{DecodingError::Kind::dataCorrupted,
                            u"Int64"_s,
                            {},
                            pathOf(key),
                            u"Parsed JSON number %1 does not fit in Int64, %2."_s.arg(
                                QString::number(value.get<std::uint64_t>()), where(pathOf(key)))};
    if (!value.is_number_integer())
        mismatch(u"Int64"_s, value, pathOf(key));
    return value.get<qint64>();
}

JsonReader JsonReader::object(const char* key) const
{
    const nlohmann::json& value = required(key, "Dictionary");
    if (!value.is_object())
        mismatch(u"Dictionary"_s, value, pathOf(key));
    return JsonReader(value, pathOf(key));
}

QList<JsonReader> JsonReader::objects(const char* key) const
{
    const nlohmann::json& value = required(key, "Array");
    if (!value.is_array())
        mismatch(u"Array"_s, value, pathOf(key));
    QList<JsonReader> readers;
    for (std::size_t index = 0; index < value.size(); ++index) {
        const QString path = pathOf(key) + u"[%1]"_s.arg(index);
        if (!value[index].is_object()) {
            if (value[index].is_null())
                throw DecodingError{
                    DecodingError::Kind::valueNotFound,
                    u"Dictionary"_s,
                    {},
                    path,
                    u"Expected Dictionary value but found null instead, %1."_s.arg(where(path))};
            mismatch(u"Dictionary"_s, value[index], path);
        }
        readers.append(JsonReader(value[index], path));
    }
    return readers;
}

std::optional<JsonReader> JsonReader::optionalObject(const char* key) const
{
    const auto found = m_object->find(key);
    if (found == m_object->end() || found->is_null())
        return std::nullopt;
    return object(key);
}

std::optional<QList<JsonReader>> JsonReader::optionalObjects(const char* key) const
{
    const auto found = m_object->find(key);
    if (found == m_object->end() || found->is_null())
        return std::nullopt;
    return objects(key);
}
