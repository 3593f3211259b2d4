#include "model/SkillProvenanceRecord.h"

#include "model/ModelContext.h"

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

const QList<Field<SkillProvenanceRecord>>& SkillProvenanceRecord::fields()
{
    using R = SkillProvenanceRecord;
    static const QList<Field<R>> fields{
        {Columns::itemName, [](const R& r) { return QVariant(r.m_provenance.itemName); },
         [](R& r, const QVariant& v) {
             r.m_provenance.itemName = v.toString();
         }},
        {Columns::source, [](const R& r) { return QVariant(r.m_provenance.source); },
         [](R& r, const QVariant& v) {
             r.m_provenance.source = v.toString();
         }},
        {Columns::repository, [](const R& r) { return QVariant(r.m_provenance.repository); },
         [](R& r, const QVariant& v) {
             r.m_provenance.repository = v.toString();
         }},
        {Columns::ref, [](const R& r) { return QVariant(r.m_provenance.ref); },
         [](R& r, const QVariant& v) {
             r.m_provenance.ref = v.toString();
         }},
        {Columns::path, [](const R& r) { return QVariant(r.m_provenance.path); },
         [](R& r, const QVariant& v) {
             r.m_provenance.path = v.toString();
         }},
        {Columns::treeSha, [](const R& r) { return QVariant(r.m_provenance.treeSha); },
         [](R& r, const QVariant& v) {
             r.m_provenance.treeSha = v.toString();
         }},
        {Columns::contentHash, [](const R& r) { return QVariant(r.m_provenance.contentHash); },
         [](R& r, const QVariant& v) {
             r.m_provenance.contentHash = v.toString();
         }},
        {Columns::files, [](const R& r) { return QVariant(filesText(r.m_provenance.files)); },
         [](R& r, const QVariant& v) {
             r.m_provenance.files = filesFromText(v.toString());
         }},
        {Columns::installedAt, [](const R& r) { return storedDate(r.m_provenance.installedAt); },
         [](R& r, const QVariant& v) {
             r.m_provenance.installedAt = dateFromStored(v);
         }},
        {Columns::commit, [](const R& r) { return QVariant(r.m_provenance.commit); },
         [](R& r, const QVariant& v) {
             r.m_provenance.commit = v.toString();
         }},
        {Columns::committedAt,
         [](const R& r) {
             return r.m_provenance.committedAt.isValid() ? storedDate(r.m_provenance.committedAt)
                                                         : QVariant();
         },
         [](R& r, const QVariant& v) {
             r.m_provenance.committedAt = v.isNull() ? QDateTime() : dateFromStored(v);
         }},
    };
    return fields;
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

Outcome SkillProvenanceRecord::record(ModelContext& context, const SkillProvenance& provenance)
{
    SkillProvenanceRecord* known = nullptr;
    for (SkillProvenanceRecord* candidate : context.records<SkillProvenanceRecord>())
        if (candidate->itemName() == provenance.itemName)
            known = candidate;
    if (known)
        known->setProvenance(provenance);
    else
        context.insert(new SkillProvenanceRecord(provenance));
    return context.save();
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
