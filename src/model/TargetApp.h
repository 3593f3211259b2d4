#pragma once

#include "model/Record.h"

#include <optional>

// How hub items stand in an app's folder ("Verknüpfungsart"): as links, or as copies for
// assistants that do not follow links.
enum class PlacementKind
{
    link,
    copy,
};
QString placementKindName(PlacementKind kind); // "link", "copy"
std::optional<PlacementKind> placementKindNamed(const QString& name);

// An assistant application whose skills folder receives links or copies.
class TargetApp : public RecordOf<TargetApp>
{
public:
    // Its table's columns, each named here once.
    struct Columns
    {
        static inline const Column id{QStringLiteral("id"), QStringLiteral("TEXT")};
        static inline const Column name{QStringLiteral("name"), QStringLiteral("TEXT")};
        static inline const Column folderPath{QStringLiteral("folder_path"), QStringLiteral("TEXT")};
        static inline const Column systemImageName{QStringLiteral("system_image_name"),
                                                   QStringLiteral("TEXT")};
        static inline const Column bookmarkData{QStringLiteral("bookmark_data"), QStringLiteral("BLOB")};
        static inline const Column placement{QStringLiteral("placement"), QStringLiteral("TEXT"), 5};
        static inline const Column preset{QStringLiteral("preset"), QStringLiteral("TEXT"), 6};
        static inline const Column project{QStringLiteral("project"), QStringLiteral("TEXT"), 6};
    };

    static constexpr RecordType type = RecordType::targetApp;
    static inline const TableName table{QStringLiteral("target_apps")};
    static const QList<Field<TargetApp>>& fields();

    TargetApp(const QString& name, const QString& folderPath, const QString& systemImageName,
              const std::optional<QByteArray>& bookmarkData);

    const QUuid& id() const { return m_id; }
    const QString& name() const { return m_name; }
    const QString& folderPath() const { return m_folderPath; }
    const QString& systemImageName() const { return m_systemImageName; }
    const std::optional<QByteArray>& bookmarkData() const { return m_bookmarkData; }
    PlacementKind placement() const { return m_placement; }
    // The known assistant it was added as, by id; nothing for a folder of the user's choice.
    const std::optional<QString>& preset() const { return m_preset; }
    // The project folder (absolute) whose repository holds the app's folder; nothing for a
    // folder of one user's own.
    const std::optional<QString>& project() const { return m_project; }

    // The name the user is shown and may call it by: a project's app carries its project's
    // folder name, "Cursor (shop)", so it is told apart from the global app of the assistant.
    QString shownName() const;

    // Apps in the order the program lists them: by name, stably.
    static QList<TargetApp*> sortedByName(QList<TargetApp*> apps);

    void setId(const QUuid& id);
    void setName(const QString& name);
    void setFolderPath(const QString& path);
    void setSystemImageName(const QString& name);
    void setBookmarkData(const std::optional<QByteArray>& bookmark);
    void setPlacement(PlacementKind kind);
    void setPreset(const std::optional<QString>& id);
    void setProject(const std::optional<QString>& folder);

private:
    QUuid m_id = QUuid::createUuid();
    QString m_name;
    QString m_folderPath;
    QString m_systemImageName;
    std::optional<QByteArray> m_bookmarkData;
    PlacementKind m_placement = PlacementKind::link;
    std::optional<QString> m_preset;
    std::optional<QString> m_project;
};
