#include "audit/CleanVerdicts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Beyond this many, the oldest verdicts are forgotten; an item forgotten is only audited again.
constexpr qsizetype mostVerdicts = 50'000;

// One entry's metadata, as a write would change it.
std::optional<QByteArray> statOf(const QString& path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    QByteArray line;
    for (const long long value :
         {static_cast<long long>(status.st_mode), static_cast<long long>(status.st_size),
          static_cast<long long>(status.st_ino), static_cast<long long>(status.st_mtim.tv_sec),
          static_cast<long long>(status.st_mtim.tv_nsec), static_cast<long long>(status.st_ctim.tv_sec),
          static_cast<long long>(status.st_ctim.tv_nsec)})
        line += QByteArray::number(value) + ' ';
    return line;
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
    QCryptographicHash signature(QCryptographicHash::Sha256);
    signature.addData(QByteArray(rules.fingerprint() + '\n' + QFile::encodeName(path) + '\n'));
    const auto own = statOf(path);
    if (!own)
        return std::nullopt;
    signature.addData(QByteArray(*own + '\n'));
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink()) {
        QStringList entries;
        QDirIterator walk(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
        while (walk.hasNext())
            entries.append(walk.next());
        entries.sort(); // the order a folder lists its entries in is no part of its content
        for (const QString& entry : std::as_const(entries)) {
            const auto status = statOf(entry);
            if (!status)
                return std::nullopt;
            signature.addData(QByteArray(QFile::encodeName(entry.mid(path.size())) + ' ' + *status + '\n'));
        }
    }
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
