#pragma once

#include "access/FolderContent.h"
#include "base/Result.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// Skill folders kept by their content hash, so a restore needs no network for what was
// installed, updated or fetched on this machine before, even after the hub item was
// deleted. Bounded: the oldest entries go first once it holds more than its limit.
class ContentCache
{
public:
    static constexpr qint64 defaultLimit = 500LL * 1024 * 1024;

    struct Entry
    {
        QString contentHash;
        qint64 bytes = 0;
        QDateTime keptAt;
    };

    explicit ContentCache(QString folder = defaultFolder(), qint64 limit = defaultLimit);
    // $XDG_CACHE_HOME/Quorvane/content
    static QString defaultFolder();
    const QString& folder() const { return m_folder; }

    // Where the entry of that hash is (or would be) kept.
    QString pathOf(const QString& contentHash) const { return m_folder + u'/' + contentHash; }
    // Whether an entry is kept under that hash (not read, so not checked).
    bool holds(const QString& contentHash) const;
    // The files kept under that hash, checked against it; nothing when absent or damaged.
    std::optional<QList<ContentFile>> find(const QString& contentHash) const;
    // Keeps the files under their hash (written beside, then moved in), then trims.
    Outcome keep(const QString& contentHash, const QList<ContentFile>& files);
    // Newest first.
    QList<Entry> entries() const;
    qint64 size() const;
    Outcome clear();

private:
    void trim();

    QString m_folder;
    qint64 m_limit;
};
