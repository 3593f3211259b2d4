#pragma once

#include "model/Record.h"

#include <optional>

// The single settings record: where the central hub is and its folder bookmark.
class AppSettings : public RecordOf<AppSettings>
{
public:
    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column id{QStringLiteral("id"), QStringLiteral("TEXT")};
        static inline const Column centralRepositoryPath{QStringLiteral("central_repository_path"),
                                                         QStringLiteral("TEXT")};
        static inline const Column centralBookmarkData{QStringLiteral("central_bookmark_data"),
                                                       QStringLiteral("BLOB")};
        static inline const Column updatedAt{QStringLiteral("updated_at"), QStringLiteral("INTEGER")};
    };

    static constexpr RecordType type = RecordType::appSettings;
    static inline const TableName table{QStringLiteral("app_settings")};
    static const QList<Field<AppSettings>>& fields();

    AppSettings(const QString& centralRepositoryPath, const std::optional<QByteArray>& centralBookmarkData);

    const QUuid& id() const { return m_id; }
    const QString& centralRepositoryPath() const { return m_centralRepositoryPath; }
    const std::optional<QByteArray>& centralBookmarkData() const { return m_centralBookmarkData; }
    const QDateTime& updatedAt() const { return m_updatedAt; }

    void setId(const QUuid& id);
    void setCentralRepositoryPath(const QString& path);
    void setCentralBookmarkData(const std::optional<QByteArray>& bookmark);
    void setUpdatedAt(const QDateTime& date);

private:
    QUuid m_id = QUuid::createUuid();
    QString m_centralRepositoryPath;
    std::optional<QByteArray> m_centralBookmarkData;
    QDateTime m_updatedAt = QDateTime::currentDateTimeUtc();
};
