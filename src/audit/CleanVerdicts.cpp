#include "audit/CleanVerdicts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Beyond this many, the oldest verdicts are forgotten; an item forgotten is only audited again.
constexpr qsizetype mostVerdicts = 50'000;

// One entry's metadata, as a write would change it.
QByteArray lineOf(const struct stat& status)
{
    QByteArray line;
    for (const long long value :
         {static_cast<long long>(status.st_mode), static_cast<long long>(status.st_size),
          static_cast<long long>(status.st_ino), static_cast<long long>(status.st_mtim.tv_sec),
          static_cast<long long>(status.st_mtim.tv_nsec), static_cast<long long>(status.st_ctim.tv_sec),
          static_cast<long long>(status.st_ctim.tv_nsec)})
        line += QByteArray::number(value) + ' ';
    return line;
}

// Every entry under the open folder, as "RELATIVE-PATH METADATA" lines; links are not followed.
// Read with the folder's descriptor, one call per entry: a placement of thousands of items
// looks at each of them.
bool listInto(int folder, const QByteArray& relative, QList<QByteArray>& lines)
{
    DIR* listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return false;
    }
    bool whole = true;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat status = {};
        if (::fstatat(::dirfd(listing), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            whole = false;
            break;
        }
        lines.append(relative + '/' + name + ' ' + lineOf(status));
        if (S_ISDIR(status.st_mode)) {
            const int child =
                ::openat(::dirfd(listing), entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child < 0 || !listInto(child, relative + '/' + name, lines)) {
                whole = false;
                break;
            }
        }
    }
    ::closedir(listing);
    return whole;
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
    for (const QByteArray& line : stored.readAll().split('\n'))
        if (line.size() == 64)
            m_clean.insert(line);
}

std::optional<QByteArray> CleanVerdicts::signatureOf(const QString& path, const AuditRules& rules)
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(encoded.constData(), &status) != 0)
        return std::nullopt;
    QList<QByteArray> lines{lineOf(status)};
    if (S_ISDIR(status.st_mode)) {
        const int folder = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder < 0 || !listInto(folder, {}, lines))
            return std::nullopt;
        std::sort(lines.begin() + 1, lines.end()); // the order a folder lists its entries in means nothing
    }
    QCryptographicHash signature(QCryptographicHash::Sha256);
    signature.addData(QByteArray(rules.fingerprint() + '\n' + encoded + '\n'));
    for (const QByteArray& line : std::as_const(lines))
        signature.addData(QByteArray(line + '\n'));
    return signature.result().toHex();
}

void CleanVerdicts::remember(const QByteArray& signature)
{
    if (!m_clean.contains(signature)) {
        m_clean.insert(signature);
        m_added.append(signature);
    }
}

Outcome CleanVerdicts::save()
{
    if (m_added.isEmpty())
        return {};
    // Read again: another process may have remembered its own meanwhile.
    QList<QByteArray> lines;
    QFile stored(m_file);
    if (stored.open(QIODevice::ReadOnly))
        for (const QByteArray& line : stored.readAll().split('\n'))
            if (line.size() == 64)
                lines.append(line);
    stored.close();
    const QSet<QByteArray> known(lines.cbegin(), lines.cend());
    for (const QByteArray& added : std::as_const(m_added))
        if (!known.contains(added))
            lines.append(added);
    if (lines.size() > mostVerdicts)
        lines = lines.last(mostVerdicts);
    QDir().mkpath(QFileInfo(m_file).path());
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines.join('\n') + '\n') < 0 || !file.commit())
        return Error{u"Cannot write %1: %2"_s.arg(m_file, file.errorString())};
    m_added.clear();
    return {};
}
