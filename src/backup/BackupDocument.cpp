#include "backup/BackupDocument.h"

#include <QRegularExpression>
#include <QTimeZone>

using namespace Qt::StringLiterals;
using Json = nlohmann::ordered_json;

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

std::string uuidText(const QUuid& uuid)
{
    return uuid.toString(QUuid::WithoutBraces).toUpper().toStdString();
}

std::string base64(const QByteArray& bytes)
{
    return bytes.toBase64().toStdString();
}

std::string dateText(const QDateTime& date)
{
    return date.toUTC().toString(u"yyyy-MM-ddTHH:mm:ss'Z'"_s).toStdString();
}

// 8-4-4-4-12 hex digits, nothing around them; checked by hand, as a backup holds thousands.
bool isCanonicalUuid(QStringView text)
{
    if (text.size() != 36)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool hyphenPlace = i == 8 || i == 13 || i == 18 || i == 23;
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (hyphenPlace ? c != u'-' : !hex)
            return false;
    }
    return true;
}

QUuid readUuid(const JsonReader& reader, const char* key)
{
    const QString text = reader.string(key);
    if (!isCanonicalUuid(text))
        reader.fail(key, Problem(Problem::Kind::notAUuid, {text}));
    return QUuid::fromString(text);
}

std::optional<QByteArray> readBytes(const JsonReader& reader, const char* key)
{
    const std::optional<QString> text = reader.optionalString(key);
    if (!text)
        return std::nullopt;
    // Only canonical standard Base64 with padding: it must encode back to the same text.
    auto decoded = QByteArray::fromBase64Encoding(text->toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.toBase64() != text->toLatin1())
        reader.fail(key, Problem::Kind::notBase64);
    return decoded.decoded;
}

QDateTime readDate(const JsonReader& reader, const char* key)
{
    // An internet date-time to the second: a fraction of a second is refused.
    static const QRegularExpression internetDateTime(
        u"^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}(Z|[+-]\\d{2}:\\d{2})$"_s);
    const QString text = reader.string(key);
    const QDateTime date = QDateTime::fromString(text, Qt::ISODate);
    if (!internetDateTime.match(text).hasMatch() || !date.isValid())
        reader.fail(key, Problem(Problem::Kind::notADate, {text}));
    return date.toUTC();
}

} // namespace

QByteArray AppBackup::encode() const
{
    Json document;
    document["formatVersion"] = formatVersion;
    document["exportDate"] = dateText(exportDate);
    if (centralRepositoryPath)
        document["centralRepositoryPath"] = utf8(*centralRepositoryPath);
    if (settings) {
        Json object{{"centralRepositoryPath", utf8(settings->centralRepositoryPath)}};
        if (settings->centralBookmarkData)
            object["centralBookmarkData"] = base64(*settings->centralBookmarkData);
        document["settings"] = object;
    }
    document["targetApps"] = Json::array();
    for (const BackupTargetApp& app : targetApps) {
        Json object{{"id", uuidText(app.id)},
                    {"name", utf8(app.name)},
                    {"folderPath", utf8(app.folderPath)},
                    {"systemImageName", utf8(app.systemImageName)}};
        if (app.bookmarkData)
            object["bookmarkData"] = base64(*app.bookmarkData);
        if (app.placement)
            object["placement"] = utf8(*app.placement);
        if (app.preset)
            object["preset"] = utf8(*app.preset);
        if (app.project)
            object["project"] = utf8(*app.project);
        document["targetApps"].push_back(object);
    }
    if (linkRecords) {
        document["linkRecords"] = Json::array();
        for (const BackupSkillLinkRecord& record : *linkRecords) {
            Json object{{"targetAppID", uuidText(record.targetAppID)}, {"itemName", utf8(record.itemName)}};
            if (record.contentHash)
                object["contentHash"] = utf8(*record.contentHash);
            document["linkRecords"].push_back(object);
        }
    }
    if (sources) {
        document["sources"] = Json::array();
        for (const BackupSkillSource& source : *sources)
            document["sources"].push_back({{"kind", utf8(source.kind)}, {"location", utf8(source.location)}});
    }
    if (provenance) {
        document["provenance"] = Json::array();
        for (const SkillProvenance& skill : *provenance) {
            Json files = Json::array();
            for (auto file = skill.files.cbegin(); file != skill.files.cend(); ++file)
                files.push_back({{"path", utf8(file.key())}, {"sha", utf8(file.value())}});
            Json entry{{"itemName", utf8(skill.itemName)},
                       {"source", utf8(skill.source)},
                       {"repository", utf8(skill.repository)},
                       {"ref", utf8(skill.ref)},
                       {"path", utf8(skill.path)},
                       {"treeSha", utf8(skill.treeSha)},
                       {"contentHash", utf8(skill.contentHash)},
                       {"files", files}};
            if (skill.installedAt.isValid())
                entry["installedAt"] = dateText(skill.installedAt);
            if (!skill.commit.isEmpty())
                entry["commit"] = utf8(skill.commit);
            document["provenance"].push_back(entry);
        }
    }
    return QByteArray::fromStdString(document.dump(2)) + '\n';
}

Result<AppBackup, DecodingError> AppBackup::decode(const QByteArray& bytes)
{
    auto document = JsonReader::parseObject(bytes);
    if (!document)
        return document.error();
    return JsonReader::decode<AppBackup>([&] {
        const JsonReader top(document.value());
        AppBackup backup;
        backup.formatVersion = top.int64("formatVersion");
        backup.exportDate = readDate(top, "exportDate");
        backup.centralRepositoryPath = top.optionalString("centralRepositoryPath");
        if (const auto settings = top.optionalObject("settings"))
            backup.settings = BackupAppSettings{settings->string("centralRepositoryPath"),
                                                readBytes(*settings, "centralBookmarkData")};
        for (const JsonReader& app : top.objects("targetApps"))
            backup.targetApps.append({readUuid(app, "id"), app.string("name"), app.string("folderPath"),
                                      app.string("systemImageName"), readBytes(app, "bookmarkData"),
                                      app.optionalString("placement"), app.optionalString("preset"),
                                      app.optionalString("project")});
        if (const auto records = top.optionalObjects("linkRecords")) {
            backup.linkRecords.emplace();
            for (const JsonReader& record : *records)
                backup.linkRecords->append({readUuid(record, "targetAppID"), record.string("itemName"),
                                            record.optionalString("contentHash")});
        }
        if (const auto sources = top.optionalObjects("sources")) {
            backup.sources.emplace();
            for (const JsonReader& source : *sources)
                backup.sources->append({source.string("kind"), source.string("location")});
        }
        if (const auto provenance = top.optionalObjects("provenance")) {
            backup.provenance.emplace();
            for (const JsonReader& skill : *provenance) {
                QMap<QString, QString> files;
                for (const JsonReader& file : skill.objects("files"))
                    files.insert(file.string("path"), file.string("sha"));
                backup.provenance->append(
                    {skill.string("itemName"), skill.string("source"), skill.string("repository"),
                     skill.string("ref"), skill.string("path"), skill.string("treeSha"),
                     skill.string("contentHash"), files,
                     skill.optionalString("installedAt") ? readDate(skill, "installedAt") : QDateTime(),
                     skill.optionalString("commit").value_or(QString())});
            }
        }
        return backup;
    });
}
