#include "model/StrictJson.h"

using namespace Qt::StringLiterals;

namespace {

// What stood where a value of another type was expected, as a word the texts know.
QString foundKind(const nlohmann::json& value)
{
    switch (value.type()) {
    case nlohmann::json::value_t::null:
        return u"null"_s;
    case nlohmann::json::value_t::string:
        return u"text"_s;
    case nlohmann::json::value_t::boolean:
        return u"boolean"_s;
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
        return u"integer"_s;
    case nlohmann::json::value_t::number_float:
        return u"fraction"_s;
    case nlohmann::json::value_t::array:
        return u"list"_s;
    case nlohmann::json::value_t::object:
        return u"object"_s;
    default:
        return u"other"_s;
    }
}

} // namespace

QString DecodingError::logLine() const
{
    switch (kind) {
    case Kind::typeMismatch:
        return u"Type '"_s + expectedType + u"' mismatch: "_s + problem.logText();
    case Kind::valueNotFound:
        return u"Value '"_s + expectedType + u"' not found: "_s + problem.logText();
    case Kind::keyNotFound:
        return u"Key '"_s + key + u"' not found: "_s + problem.logText();
    case Kind::dataCorrupted:
        return u"Data corrupted "_s + (codingPath.isEmpty() ? u"at the top level"_s : u"at "_s + codingPath) +
               u": "_s + problem.logText();
    }
    return problem.logText();
}

Result<nlohmann::json, DecodingError> JsonReader::parseObject(const QByteArray& bytes)
{
    nlohmann::json document = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (document.is_discarded())
        return DecodingError{DecodingError::Kind::dataCorrupted, {}, {}, {}, Problem::Kind::notJson};
    if (!document.is_object())
        return DecodingError{
            DecodingError::Kind::typeMismatch,
            u"Dictionary"_s,
            {},
            {},
            {Problem::Kind::jsonWrongType, {u"Dictionary"_s, foundKind(document), QString()}}};
    return document;
}

JsonReader::JsonReader(const nlohmann::json& object, QString path, std::optional<std::size_t> index)
    : m_object(&object)
    , m_path(std::move(path))
    , m_index(index)
{}

QString JsonReader::path() const
{
    return m_index ? m_path + u"[%1]"_s.arg(*m_index) : m_path;
}

QString JsonReader::pathOf(const char* key) const
{
    const QString name = QString::fromUtf8(key);
    const QString base = path();
    return base.isEmpty() ? name : base + u'.' + name;
}

void JsonReader::fail(const char* key, Problem why) const
{
    throw DecodingError{DecodingError::Kind::dataCorrupted,
                        {},
                        QString::fromUtf8(key),
                        pathOf(key),
                        Problem(Problem::Kind::jsonValueRefused, {pathOf(key)}).because(std::move(why))};
}

const nlohmann::json& JsonReader::required(const char* key, const char* expectedType) const
{
    const auto found = m_object->find(key);
    if (found == m_object->end())
        throw DecodingError{DecodingError::Kind::keyNotFound,
                            QString::fromUtf8(expectedType),
                            QString::fromUtf8(key),
                            path(),
                            {Problem::Kind::jsonKeyMissing, {QString::fromUtf8(key), path()}}};
    if (found->is_null())
        throw DecodingError{
            DecodingError::Kind::valueNotFound,
            QString::fromUtf8(expectedType),
            {},
            pathOf(key),
            {Problem::Kind::jsonValueMissing, {QString::fromUtf8(expectedType), pathOf(key)}}};
    return *found;
}

namespace {

[[noreturn]] void mismatch(const QString& type, const nlohmann::json& value, const QString& path)
{
    throw DecodingError{DecodingError::Kind::typeMismatch,
                        type,
                        {},
                        path,
                        {Problem::Kind::jsonWrongType, {type, foundKind(value), path}}};
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
        throw DecodingError{
            DecodingError::Kind::dataCorrupted,
            u"Int64"_s,
            {},
            pathOf(key),
            {Problem::Kind::jsonNumberTooLarge, {QString::number(value.get<std::uint64_t>()), pathOf(key)}}};
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

QStringList JsonReader::strings(const char* key) const
{
    const nlohmann::json& value = required(key, "Array");
    if (!value.is_array())
        mismatch(u"Array"_s, value, pathOf(key));
    QStringList texts;
    const QString arrayPath = pathOf(key);
    for (std::size_t index = 0; index < value.size(); ++index) {
        if (!value[index].is_string())
            mismatch(u"String"_s, value[index], arrayPath + u"[%1]"_s.arg(index));
        texts.append(QString::fromStdString(value[index].get<std::string>()));
    }
    return texts;
}

QList<JsonReader> JsonReader::objects(const char* key) const
{
    const nlohmann::json& value = required(key, "Array");
    if (!value.is_array())
        mismatch(u"Array"_s, value, pathOf(key));
    QList<JsonReader> readers;
    readers.reserve(static_cast<qsizetype>(value.size()));
    const QString arrayPath = pathOf(key);
    for (std::size_t index = 0; index < value.size(); ++index) {
        if (!value[index].is_object()) {
            const QString path = arrayPath + u"[%1]"_s.arg(index);
            if (value[index].is_null())
                throw DecodingError{DecodingError::Kind::valueNotFound,
                                    u"Dictionary"_s,
                                    {},
                                    path,
                                    {Problem::Kind::jsonValueMissing, {u"Dictionary"_s, path}}};
            mismatch(u"Dictionary"_s, value[index], path);
        }
        readers.append(JsonReader(value[index], arrayPath, index));
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
