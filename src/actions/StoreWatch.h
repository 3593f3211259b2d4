#pragma once

#include <QObject>
#include <QTimer>

#include <optional>

class Workspace;

// Takes in what another process (the command-line tool, a second window) committed to the
// store, within a second and without the user asking. SQLite tells no one of another
// connection's commit, so the store's files are looked at twice a second: two stat() calls
// while nothing changes, and the rows are read only when the store's revision moved on.
class StoreWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMilliseconds = 400;

    explicit StoreWatch(Workspace& workspace, QObject* parent = nullptr);

private:
    // Reads the rows another process committed; false when the store could not be read.
    bool takeInOutsideCommits();
    // Size and modification time of the store's file and its write-ahead log.
    struct FilesState
    {
        qint64 size = -1;
        qint64 modified = -1;
        qint64 logSize = -1;
        qint64 logModified = -1;
        bool operator==(const FilesState&) const = default;
    };
    FilesState filesState() const;
    void look();

    Workspace& m_workspace;
    QTimer m_timer;
    std::optional<FilesState> m_lastState;
};
