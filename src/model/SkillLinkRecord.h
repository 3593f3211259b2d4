#pragma once

#include "model/Record.h"

#include <optional>

// Remembers that a hub item was placed into a target app, so a vanished placement can be
// made again, and for a copy what was copied, so a copy changed here is told apart. (targetAppID, itemName)
// is its logical key; the linker keeps it unique.
class SkillLinkRecord : public RecordOf<SkillLinkRecord>
{
public:
    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column id{QStringLiteral("id"), QStringLiteral("TEXT")};
        static inline const Column targetAppID{QStringLiteral("target_app_id"), QStringLiteral("TEXT")};
        static inline const Column itemName{QStringLiteral("item_name"), QStringLiteral("TEXT")};
        static inline const Column createdAt{QStringLiteral("created_at"), QStringLiteral("INTEGER")};
        static inline const Column contentHash{QStringLiteral("content_hash"), QStringLiteral("TEXT"), 5};
    };

    static constexpr RecordType type = RecordType::skillLinkRecord;
    static inline const TableName table{QStringLiteral("skill_link_records")};
    static const QList<Field<SkillLinkRecord>>& fields();

    SkillLinkRecord(const QUuid& targetAppID, const QString& itemName);

    const QUuid& id() const { return m_id; }
    const QUuid& targetAppID() const { return m_targetAppID; }
    const QString& itemName() const { return m_itemName; }
    const QDateTime& createdAt() const { return m_createdAt; }
    // For a copy, the content hash of what was copied; nothing for a link.
    const std::optional<QString>& contentHash() const { return m_contentHash; }

    void setId(const QUuid& id);
    void setTargetAppID(const QUuid& id);
    void setItemName(const QString& name);
    void setCreatedAt(const QDateTime& date);
    void setContentHash(const std::optional<QString>& hash);

private:
    QUuid m_id = QUuid::createUuid();
    QUuid m_targetAppID;
    QString m_itemName;
    QDateTime m_createdAt = QDateTime::currentDateTimeUtc();
    std::optional<QString> m_contentHash;
};
