#pragma once

#include "audit/AuditRules.h"
#include "base/Result.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Hub items the audit found without a finding of level high, remembered by what their files
// look like on disk, so a placement reads again only what changed since: linking two thousand
// items then costs a look at each file's metadata, not an audit of every file. A write changes
// a file's change time, which no tool can set back, so a changed file is never taken for clean.
class CleanVerdicts
{
public:
    // $XDG_CACHE_HOME/Quorvane/clean-skills
    static QString defaultFile();
    // Reads the remembered verdicts; a missing or damaged file remembers nothing.
    explicit CleanVerdicts(QString file = defaultFile());

    // The item as it stands: its own and each entry's relative path, kind, size, inode and
    // modification and change times, with the rules' fingerprint. Nothing when the item cannot
    // be read, nor while an entry changed within `settlingMilliseconds` of `now`: a file system
    // keeps times at the grain of its clock, so a second write in that grain would leave them as
    // they are. Such an item is audited each time until its times settle.
    static std::optional<QByteArray> signatureOf(const QString& path, const AuditRules& rules,
                                                 const QDateTime& now = QDateTime::currentDateTimeUtc());
    // The same for many items at once, in their order. A folder remembered clean is looked at
    // by the names it held then, without listing it: an entry added, removed or renamed changes
    // the times of the folder it is in, and those are part of the signature, so the names can
    // only be trusted when the signature is one found clean. Otherwise it is listed again.
    QList<std::optional<QByteArray>> signaturesOf(const QStringList& paths, const AuditRules& rules,
                                                  const QDateTime& now = QDateTime::currentDateTimeUtc());
    // Two seconds: the coarsest grain of the file systems a hub lives on (FAT's).
    static constexpr qint64 settlingMilliseconds = 2000;

    bool isClean(const QByteArray& signature) const;
    // How many folders the last `signaturesOf` had to list.
    qsizetype foldersListed() const { return m_listed; }
    // The item at `path` found clean with this signature, and the names it held when it was made.
    void remember(const QString& path, const QByteArray& signature);
    // Writes the verdicts back when something was remembered; the newest are kept.
    Outcome save();

private:
    // The folder all items are in, open, or -1; `readsWhole`: its file system lists a folder in
    // one read where it fits (see the source); `settled`: the change time, in nanoseconds since
    // the epoch, before which an entry's times can be trusted.
    struct Parent
    {
        int descriptor = -1;
        bool readsWhole = false;
        qint64 settled = 0;
    };
    // A signature and the relative paths of the entries it was made of.
    struct Look
    {
        std::optional<QByteArray> signature = {};
        QByteArrayList names = {};
        bool listed = false;
    };
    static Look look(const QString& path, const AuditRules& rules, Parent parent,
                     const QByteArrayList* knownNames = nullptr);
    // The file's verdicts and names in hashes, for many lookups.
    void index();
    // The names of the item (its escaped path) as last found clean, escaped.
    std::optional<QByteArray> namesOf(const QByteArray& item) const;

    QString m_file;
    QByteArray m_stored; // the file as read: the index points into it
    bool m_indexed = false;
    QSet<QByteArray> m_storedClean;
    QHash<QByteArray, QByteArray> m_storedNames;
    QSet<QByteArray> m_clean; // remembered since
    QList<QByteArray> m_added;
    // An item's path -> its entries' relative paths, both escaped, as found clean since; as
    // the last look found them; and those still to be written.
    QHash<QByteArray, QByteArray> m_names;
    QHash<QByteArray, QByteArray> m_looked;
    QHash<QByteArray, QByteArray> m_namesAdded;
    qsizetype m_listed = 0;
};
