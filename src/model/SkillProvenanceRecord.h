#pragma once

#include "base/Result.h"
#include "model/Record.h"

#include <QDateTime>
#include <QMap>
#include <QString>

// Where an installed hub item came from, and what was installed: enough to tell whether
// its repository moved on and whether it was edited here since.
struct SkillProvenance
{
    QString itemName = {};             // the folder in the hub
    QString source = {};               // the source that found it, as the user knows it
    QString repository = {};           // "owner/repository" on GitHub
    QString ref = {};                  // branch, tag or commit it was installed from
    QString path = {};                 // the skill folder inside the repository ("" for its root)
    QString treeSha = {};              // the folder's tree as installed; empty when no tree could be listed
    QString contentHash = {};          // SHA-256 over the installed files, as SkillFolderContent computes it
    QMap<QString, QString> files = {}; // relative path -> git blob SHA of what was installed
    QDateTime installedAt = {};
    QString commit = {};        // the commit the folder was fetched at; empty where unknown
    QDateTime committedAt = {}; // when that commit was made; invalid where unknown

    bool operator==(const SkillProvenance&) const = default;
};

class SkillProvenanceRecord : public RecordOf<SkillProvenanceRecord>
{
public:
    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column itemName{QStringLiteral("item_name"), QStringLiteral("TEXT"), 4};
        static inline const Column source{QStringLiteral("source"), QStringLiteral("TEXT"), 4};
        static inline const Column repository{QStringLiteral("repository"), QStringLiteral("TEXT"), 4};
        static inline const Column ref{QStringLiteral("ref"), QStringLiteral("TEXT"), 4};
        static inline const Column path{QStringLiteral("path"), QStringLiteral("TEXT"), 4};
        static inline const Column treeSha{QStringLiteral("tree_sha"), QStringLiteral("TEXT"), 4};
        static inline const Column contentHash{QStringLiteral("content_hash"), QStringLiteral("TEXT"), 4};
        static inline const Column files{QStringLiteral("files"), QStringLiteral("TEXT"), 4};
        static inline const Column installedAt{QStringLiteral("installed_at"), QStringLiteral("INTEGER"), 4};
        static inline const Column commit{QStringLiteral("commit_sha"), QStringLiteral("TEXT"), 6};
        static inline const Column committedAt{QStringLiteral("committed_at"), QStringLiteral("INTEGER"), 8};
    };

    static constexpr RecordType type = RecordType::skillProvenance;
    static inline const TableName table{QStringLiteral("installed_skills"), 4};
    static const QList<Field<SkillProvenanceRecord>>& fields();

    explicit SkillProvenanceRecord(SkillProvenance provenance);

    const SkillProvenance& provenance() const { return m_provenance; }
    const QString& itemName() const { return m_provenance.itemName; }
    // A new install of the same item replaces what was known of it.
    void setProvenance(const SkillProvenance& provenance);
    // Records where the item came from in the context, replacing what was known of it, and saves.
    static Outcome record(ModelContext& context, const SkillProvenance& provenance);

    // The file list as the store and the backup keep it: a JSON object of path -> SHA.
    static QString filesText(const QMap<QString, QString>& files);
    static QMap<QString, QString> filesFromText(const QString& text);

private:
    SkillProvenance m_provenance;
};
