#include "audit/CleanVerdicts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Beyond this many, the oldest verdicts are forgotten; an item forgotten is only audited again.
constexpr qsizetype mostVerdicts = 50'000;
// Up to this many items at once, each one's lines are searched for in the file as read;
// beyond, the file is indexed first.
constexpr qsizetype searchedUpTo = 16;
// A keyed BLAKE2b of 160 bits, in hex: a few times cheaper than SHA-256 over an item's facts.
constexpr qsizetype signatureLength = 40;

// The key of the signatures, kept beside the verdicts: a signature cannot be made without it,
// so a verdict cannot be forged for an item by anyone who cannot read the user's cache anyway.
// Where it cannot be kept, this run's own key only makes every item audited again next time.
struct SignatureKey
{
    quint64 first = 0, second = 0;
};

SignatureKey signatureKey()
{
    static const SignatureKey key = [] {
        const QString file = CleanVerdicts::defaultFile() + u".key"_s;
        SignatureKey made;
        QFile stored(file);
        if (stored.open(QIODevice::ReadOnly) &&
            stored.read(reinterpret_cast<char*>(&made), sizeof made) == qint64(sizeof made))
            return made;
        stored.close();
        made = {QRandomGenerator::system()->generate64(), QRandomGenerator::system()->generate64()};
        QDir().mkpath(QFileInfo(file).path());
        QSaveFile written(file);
        if (written.open(QIODevice::WriteOnly))
            (void)(written.write(reinterpret_cast<const char*>(&made), sizeof made) && written.commit());
        return made;
    }();
    return key;
}

// One entry's metadata, as a write would change it, in a fixed binary form.
struct EntryFacts
{
    qint64 mode, size, inode, modifiedSeconds, modifiedNanoseconds, changedSeconds, changedNanoseconds;
};

EntryFacts factsOf(const struct stat& status)
{
    return {qint64(status.st_mode),        qint64(status.st_size),         qint64(status.st_ino),
            qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec), qint64(status.st_ctim.tv_sec),
            qint64(status.st_ctim.tv_nsec)};
}

struct Entry
{
    QByteArray relativePath;
    EntryFacts facts;
};

// Closes the descriptor it was given, if any, whatever happens.
struct FolderHandle
{
    int descriptor;
    ~FolderHandle()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
};

// Every entry under the open folder; links are not followed. The folder is read with raw
// directory reads into a buffer on the stack and each entry looked at through the folder's
// descriptor: a placement of thousands of items looks at each of them, so nothing here
// allocates a listing of its own.
bool listInto(int folder, const QByteArray& relative, bool readsWhole, std::vector<Entry>& entries)
{
    const FolderHandle handle{folder};
    alignas(dirent64) char buffer[8192];
    for (bool more = true; more;) {
        const ssize_t filled = ::getdents64(folder, buffer, sizeof buffer);
        if (filled < 0)
            return false;
        if (filled == 0)
            return true;
        // Room left for the longest entry: the folder has no more, and the read that would
        // say so is saved.
        more = !readsWhole || filled + ssize_t(sizeof(dirent64)) > ssize_t(sizeof buffer);
        for (ssize_t at = 0; at < filled;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            struct stat status = {};
            if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                return false;
            const QByteArray path = relative + '/' + name;
            entries.push_back({path, factsOf(status)});
            if (S_ISDIR(status.st_mode)) {
                const int child = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (child < 0 || !listInto(child, path, readsWhole, entries))
                    return false;
            }
        }
    }
    return true;
}

// Nanoseconds since the epoch before which a change time can be trusted at `now`.
qint64 settledBefore(const QDateTime& now)
{
    return (now.toMSecsSinceEpoch() - CleanVerdicts::settlingMilliseconds) * 1'000'000;
}

// Whether a read of a folder on this file system gives every entry that fits in the buffer, so
// a read with room to spare was the last: true of the local file systems the kernel lists in
// one pass. Network and user-space file systems may answer a page at a time.
bool readsWholeFolders(const QString& path)
{
    struct statfs system = {};
    if (::statfs(QFile::encodeName(path).constData(), &system) != 0)
        return false;
    switch (system.f_type) {
    case TMPFS_MAGIC:
    case EXT4_SUPER_MAGIC: // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// A folder's names as found clean, one line each: "@" and its path, a blank, then its entries'
// relative paths, comma-separated; all percent-encoded but for the slashes, so any byte a
// name may hold keeps to its place in the line. Versions that know no such lines pass over
// them. Kept encoded until an item is looked up.
QByteArray escaped(const QByteArray& name)
{
    return name.toPercentEncoding("/");
}

QByteArray namesField(const QByteArrayList& names)
{
    QByteArrayList parts;
    parts.reserve(names.size());
    for (const QByteArray& name : names)
        parts.append(escaped(name));
    return parts.join(',');
}

QByteArrayList namesIn(const QByteArray& field)
{
    QByteArrayList names;
    for (const QByteArray& part : field.split(','))
        names.append(QByteArray::fromPercentEncoding(part));
    return names;
}

// Calls `visit` with each line of the verdicts file, as a view into it.
template <typename Visit> void forEachLine(const QByteArray& text, Visit visit)
{
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0)
            end = text.size();
        visit(QByteArrayView(text).sliced(at, end - at));
        at = end + 1;
    }
}

// The escaped path and the names field of a names line, or nothing.
std::optional<std::pair<QByteArrayView, QByteArrayView>> namesLine(QByteArrayView line)
{
    const qsizetype blank = line.indexOf(' ');
    if (!line.startsWith('@') || blank < 2 || blank + 1 >= line.size())
        return std::nullopt;
    return std::pair(line.sliced(1, blank - 1), line.sliced(blank + 1));
}

} // namespace

QString CleanVerdicts::defaultFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           u"/Quorvane/clean-skills"_s;
}

CleanVerdicts::CleanVerdicts(QString file)
    : m_file(std::move(file))
{
    QFile stored(m_file);
    if (!stored.open(QIODevice::ReadOnly))
        return;
    // Kept as read: a placement of one item looks for its lines, one of thousands indexes them.
    m_stored = stored.readAll();
}

void CleanVerdicts::index()
{
    if (m_indexed)
        return;
    m_indexed = true;
    // The index points into what was read: copying thousands of lines would take longer than
    // reading them.
    const auto kept = [](QByteArrayView part) {
        return QByteArray::fromRawData(part.data(), part.size());
    };
    m_storedClean.reserve(m_stored.size() / (signatureLength + 1));
    forEachLine(m_stored, [&](QByteArrayView line) {
        if (const auto names = namesLine(line))
            m_storedNames.insert(kept(names->first), kept(names->second));
        else if (line.size() == signatureLength)
            m_storedClean.insert(kept(line));
    });
}

bool CleanVerdicts::isClean(const QByteArray& signature) const
{
    if (m_clean.contains(signature))
        return true;
    if (m_indexed)
        return m_storedClean.contains(signature);
    for (qsizetype at = m_stored.indexOf(signature); at >= 0; at = m_stored.indexOf(signature, at + 1)) {
        const qsizetype end = at + signature.size();
        if ((at == 0 || m_stored[at - 1] == '\n') && (end == m_stored.size() || m_stored[end] == '\n'))
            return true;
    }
    return false;
}

std::optional<QByteArray> CleanVerdicts::namesOf(const QByteArray& item) const
{
    if (const auto known = m_names.constFind(item); known != m_names.cend())
        return *known;
    if (m_indexed) {
        const auto stored = m_storedNames.constFind(item);
        return stored != m_storedNames.cend() ? std::optional(*stored) : std::nullopt;
    }
    // The last line of the item counts, as in the index.
    const QByteArray start = '@' + item + ' ';
    for (qsizetype at = m_stored.lastIndexOf(start); at >= 0;
         at = at > 0 ? m_stored.lastIndexOf(start, at - 1) : -1) {
        if (at > 0 && m_stored[at - 1] != '\n')
            continue;
        const qsizetype from = at + start.size();
        const qsizetype end = m_stored.indexOf('\n', from);
        return m_stored.mid(from, (end < 0 ? m_stored.size() : end) - from);
    }
    return std::nullopt;
}

std::optional<QByteArray> CleanVerdicts::signatureOf(const QString& path, const AuditRules& rules,
                                                     const QDateTime& now)
{
    return look(path, rules, Parent{.settled = settledBefore(now)}).signature;
}

CleanVerdicts::Look CleanVerdicts::look(const QString& path, const AuditRules& rules, Parent parent,
                                        const QByteArrayList* knownNames)
{
    const QByteArray encoded = QFile::encodeName(path);
    // Through the parent's descriptor, the kernel looks up one name rather than the whole path.
    const int at = parent.descriptor >= 0 ? parent.descriptor : AT_FDCWD;
    const QByteArray name = parent.descriptor >= 0 ? encoded.mid(encoded.lastIndexOf('/') + 1) : encoded;
    struct stat status = {};
    std::vector<Entry> entries;
    if (knownNames) {
        // Each name the folder held when it was found clean, looked at by its path.
        if (::fstatat(at, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(status.st_mode))
            return {};
        entries.reserve(size_t(knownNames->size()));
        QByteArray entryPath = name;
        for (const QByteArray& relative : *knownNames) {
            entryPath.truncate(name.size());
            entryPath.append(relative);
            struct stat entryStatus = {};
            if (::fstatat(at, entryPath.constData(), &entryStatus, AT_SYMLINK_NOFOLLOW) != 0)
                return {};
            entries.push_back({relative, factsOf(entryStatus)});
        }
    } else if (const int folder =
                   ::openat(at, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
               folder >= 0) {
        // Most items are folders: opened once, and looked at through the open descriptor.
        if (::fstat(folder, &status) != 0) {
            ::close(folder);
            return {};
        }
        if (!listInto(folder, {}, parent.readsWhole, entries))
            return {.listed = true};
        // The order a folder lists its entries in means nothing.
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return a.relativePath < b.relativePath; });
    } else if (::fstatat(at, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
               S_ISDIR(status.st_mode)) {
        return {};
    }
    const auto changedAt = [](const EntryFacts& facts) {
        return facts.changedSeconds * 1'000'000'000 + facts.changedNanoseconds;
    };
    const EntryFacts own = factsOf(status);
    const bool listed = !knownNames && S_ISDIR(status.st_mode);
    // A folder listed now needs no settled times of its own to be signed; but its names can
    // stand in for a listing later only when its times tell every change after this one.
    const bool ownSettled = changedAt(own) < parent.settled;
    if ((!ownSettled && (!S_ISDIR(status.st_mode) || knownNames)) ||
        std::any_of(entries.cbegin(), entries.cend(),
                    [&](const Entry& entry) { return changedAt(entry.facts) >= parent.settled; }))
        return {.listed = listed};
    // The key, then everything a write would change, in one buffer. A folder's own times
    // change with every entry added, removed or renamed in it.
    const SignatureKey key = signatureKey();
    QByteArray facts(reinterpret_cast<const char*>(&key), sizeof key);
    facts.append(rules.fingerprint());
    facts.append(encoded.constData(), encoded.size() + 1); // with its terminator
    facts.append(reinterpret_cast<const char*>(&own), sizeof own);
    Look found{.listed = listed};
    for (const Entry& entry : entries) {
        facts.append(entry.relativePath.constData(), entry.relativePath.size() + 1);
        facts.append(reinterpret_cast<const char*>(&entry.facts), sizeof entry.facts);
        if (!knownNames && ownSettled)
            found.names.append(entry.relativePath);
    }
    found.signature = QCryptographicHash::hash(facts, QCryptographicHash::Blake2b_160).toHex();
    return found;
}

QList<std::optional<QByteArray>> CleanVerdicts::signaturesOf(const QStringList& paths,
                                                             const AuditRules& rules, const QDateTime& now)
{
    QList<std::optional<QByteArray>> signatures(paths.size());
    if (paths.isEmpty())
        return signatures;
    // The items of one folder (a hub) share it and its file system.
    const QString parentPath = QFileInfo(paths.first()).path();
    const bool oneParent = std::all_of(paths.cbegin(), paths.cend(), [&parentPath](const QString& path) {
        return QFileInfo(path).path() == parentPath;
    });
    const FolderHandle parentFolder{
        oneParent ? ::open(QFile::encodeName(parentPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1};
    const Parent parent{parentFolder.descriptor,
                        parentFolder.descriptor >= 0 && readsWholeFolders(parentPath), settledBefore(now)};
    if (paths.size() > searchedUpTo)
        index();
    std::vector<Look> looks(size_t(paths.size()));
    std::vector<QByteArray> items(size_t(paths.size())); // each path as the names lines hold it
    const auto lookAt = [&](qsizetype i) {
        QByteArray& item = items[size_t(i)];
        item = escaped(QFile::encodeName(paths[i]));
        if (const auto known = namesOf(item)) {
            const QByteArrayList names = namesIn(*known);
            Look byNames = look(paths[i], rules, parent, &names);
            if (byNames.signature && isClean(*byNames.signature))
                return byNames;
        }
        return look(paths[i], rules, parent);
    };
    // Many items are looked at on every core: the time goes to waiting on the file system.
    const qsizetype workers =
        std::min<qsizetype>(std::max(1u, std::thread::hardware_concurrency()), paths.size() / 64 + 1);
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype i = next++; i < paths.size(); i = next++)
            looks[size_t(i)] = lookAt(i);
    };
    {
        std::vector<std::jthread> helpers;
        for (qsizetype i = 1; i < workers; ++i)
            helpers.emplace_back(work);
        work();
    }
    m_listed = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        Look& found = looks[size_t(i)];
        m_listed += found.listed ? 1 : 0;
        signatures[i] = std::move(found.signature);
        if (!found.names.isEmpty())
            m_looked.insert(items[size_t(i)], namesField(found.names));
    }
    return signatures;
}

void CleanVerdicts::remember(const QString& path, const QByteArray& signature)
{
    if (!isClean(signature)) {
        m_clean.insert(signature);
        m_added.append(signature);
    }
    const QByteArray item = escaped(QFile::encodeName(path));
    if (const auto looked = m_looked.constFind(item); looked != m_looked.cend() && namesOf(item) != *looked) {
        m_names.insert(item, *looked);
        m_namesAdded.insert(item, *looked);
    }
}

Outcome CleanVerdicts::save()
{
    if (m_added.isEmpty() && m_namesAdded.isEmpty())
        return {};
    // Read again: another process may have remembered its own meanwhile.
    QList<QByteArray> lines;
    QList<QByteArray> namesLines;
    QFile stored(m_file);
    if (stored.open(QIODevice::ReadOnly))
        forEachLine(stored.readAll(), [&](QByteArrayView line) {
            if (const auto names = namesLine(line)) {
                if (!m_namesAdded.contains(names->first.toByteArray()))
                    namesLines.append(line.toByteArray());
            } else if (line.size() == signatureLength) {
                lines.append(line.toByteArray());
            }
        });
    stored.close();
    const QSet<QByteArray> known(lines.cbegin(), lines.cend());
    for (const QByteArray& added : std::as_const(m_added))
        if (!known.contains(added))
            lines.append(added);
    for (auto added = m_namesAdded.cbegin(); added != m_namesAdded.cend(); ++added)
        namesLines.append('@' + added.key() + ' ' + added.value());
    if (lines.size() > mostVerdicts)
        lines = lines.last(mostVerdicts);
    if (namesLines.size() > mostVerdicts)
        namesLines = namesLines.last(mostVerdicts);
    QDir().mkpath(QFileInfo(m_file).path());
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) || file.write((lines + namesLines).join('\n') + '\n') < 0 ||
        !file.commit())
        return Error::of(Problem::fileFailed("write", m_file, file.errorString()));
    m_added.clear();
    m_namesAdded.clear();
    return {};
}
