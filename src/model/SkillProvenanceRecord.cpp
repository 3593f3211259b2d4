#include "model/SkillProvenanceRecord.h"

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

const RecordSchema& SkillProvenanceRecord::schema()
{
    static const RecordSchema schema{u"installed_skills"_s,
                                     {Columns::itemName, Columns::source, Columns::repository, Columns::ref,
                                      Columns::path, Columns::treeSha, Columns::contentHash, Columns::files,
                                      Columns::installedAt},
                                     4};
    return schema;
}

SkillProvenanceRecord::SkillProvenanceRecord(SkillProvenance provenance)
    : m_provenance(std::move(provenance))
{}

void SkillProvenanceRecord::setProvenance(const SkillProvenance& provenance)
{
    m_provenance = provenance;
    for (const Column& column : schema().columns)
        noteFieldChanged(column.name);
}

QString SkillProvenanceRecord::filesText(const QMap<QString, QString>& files)
{
    nlohmann::json object = nlohmann::json::object();
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        object[file.key().toStdString()] = file.value().toStdString();
    return QString::fromStdString(object.dump());
}

QMap<QString, QString> SkillProvenanceRecord::filesFromText(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const nlohmann::json object = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    QMap<QString, QString> files;
    if (!object.is_object())
        return files;
    for (const auto& [path, sha] : object.items())
        if (sha.is_string())
            files.insert(QString::fromStdString(path), QString::fromStdString(sha.get<std::string>()));
    return files;
}

QVariantList SkillProvenanceRecord::columnValues() const
{
    const SkillProvenance& p = m_provenance;
    return {p.itemName,
            p.source,
            p.repository,
            p.ref,
            p.path,
            p.treeSha,
            p.contentHash,
            filesText(p.files),
            storedDate(p.installedAt)};
}

void SkillProvenanceRecord::assignColumnValues(const QVariantMap& values)
{
    const auto text = [&](const Column& column, QString& field) {
        if (values.contains(column.name))
            field = values[column.name].toString();
    };
    SkillProvenance& p = m_provenance;
    text(Columns::itemName, p.itemName);
    text(Columns::source, p.source);
    text(Columns::repository, p.repository);
    text(Columns::ref, p.ref);
    text(Columns::path, p.path);
    text(Columns::treeSha, p.treeSha);
    text(Columns::contentHash, p.contentHash);
    if (values.contains(Columns::files.name))
        p.files = filesFromText(values[Columns::files.name].toString());
    if (values.contains(Columns::installedAt.name))
        p.installedAt = dateFromStored(values[Columns::installedAt.name]);
    noteFieldChanged(Columns::treeSha.name);
}
