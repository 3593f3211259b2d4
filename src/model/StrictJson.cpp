#include "model/StrictJson.h"

using namespace Qt::StringLiterals;

namespace {

QString foundKind(const nlohmann::json& value)
{
    switch (value.type()) {
    case nlohmann::json::value_t::null:
        return u"null"_s;
    case nlohmann::json::value_t::string:
        return u"einen Text"_s;
    case nlohmann::json::value_t::boolean:
        return u"einen Wahrheitswert"_s;
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
        return u"eine ganze Zahl"_s;
    case nlohmann::json::value_t::number_float:
        return u"eine Zahl mit Nachkommastellen"_s;
    case nlohmann::json::value_t::array:
        return u"eine Liste"_s;
    case nlohmann::json::value_t::object:
        return u"ein Objekt"_s;
    default:
        return u"etwas anderes"_s;
    }
}

// Where in the document, for the user (in German, as the alerts that show it).
QString where(const QString& path)
{
    return path.isEmpty() ? u"auf oberster Ebene"_s : u"bei "_s + path;
}

// The same for a log line, which keeps its English form.
QString whereInLog(const QString& path)
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
        return u"Data corrupted "_s + whereInLog(codingPath) + u": "_s + description;
    }
    return description;
}

Result<nlohmann::json, DecodingError> JsonReader::parseObject(const QByteArray& bytes)
{
    nlohmann::json document = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (document.is_discarded())
        return DecodingError{
            DecodingError::Kind::dataCorrupted, {}, {}, {}, u"Die Daten sind kein gültiges JSON."_s};
    if (!document.is_object())
        return DecodingError{DecodingError::Kind::typeMismatch,
                             u"Dictionary"_s,
                             {},
                             {},
                             u"Erwartet war Dictionary, gefunden "_s + foundKind(document) +
                                 u", auf oberster Ebene."_s};
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

void JsonReader::fail(DecodingError::Kind kind, const char* key, const QString& problem) const
{
    throw DecodingError{
        kind, {}, QString::fromUtf8(key), pathOf(key), problem + u", "_s + where(pathOf(key)) + u'.'};
}

const nlohmann::json& JsonReader::required(const char* key, const char* expectedType) const
{
    const auto found = m_object->find(key);
    if (found == m_object->end())
        throw DecodingError{
            DecodingError::Kind::keyNotFound, QString::fromUtf8(expectedType), QString::fromUtf8(key), path(),
            u"Kein Wert zum Schlüssel \"%1\" %2."_s.arg(QString::fromUtf8(key), where(path()))};
    if (found->is_null())
        throw DecodingError{DecodingError::Kind::valueNotFound,
                            QString::fromUtf8(expectedType),
                            {},
                            pathOf(key),
                            u"Erwartet war ein Wert vom Typ %1, gefunden null, %2."_s.arg(
                                QString::fromUtf8(expectedType), where(pathOf(key)))};
    return *found;
}

namespace {

[[noreturn]] void mismatch(const QString& type, const nlohmann::json& value, const QString& path)
{
    throw DecodingError{DecodingError::Kind::typeMismatch,
                        type,
                        {},
                        path,
                        u"Erwartet war %1, gefunden %2, %3."_s.arg(type, foundKind(value), where(path))};
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
                            u"Die Zahl %1 passt nicht in Int64, %2."_s.arg(
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
                throw DecodingError{
                    DecodingError::Kind::valueNotFound,
                    u"Dictionary"_s,
                    {},
                    path,
                    u"Erwartet war ein Wert vom Typ Dictionary, gefunden null, %1."_s.arg(where(path))};
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
