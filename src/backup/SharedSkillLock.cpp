#include "backup/SharedSkillLock.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "model/StrictJson.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

using namespace Qt::StringLiterals;

namespace {

// A URL that carries credentials: a user or password, or a query naming a token or key.
bool carriesSecret(const QString& text)
{
    const QUrl url(text);
    if (!url.userName().isEmpty() || !url.password().isEmpty())
        return true;
    static const QRegularExpression secretKey(u"token|secret|key|password|auth|sig"_s,
                                              QRegularExpression::CaseInsensitiveOption);
    for (const auto& [key, value] : QUrlQuery(url).queryItems())
        if (secretKey.match(key).hasMatch())
            return true;
    return false;
}

// The URL as it may be shown: without what it carries after the host.
QString withoutSecrets(const QString& text)
{
    return QUrl(text).adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
}

QDateTime dateOf(const std::optional<QString>& text)
{
    return text ? QDateTime::fromString(*text, Qt::ISODate) : QDateTime();
}

} // namespace

bool SharedLockEntry::isGitHub() const
{
    static const QRegularExpression ownerAndRepository(u"^[A-Za-z0-9-]+/[A-Za-z0-9._-]+$"_s);
    return sourceType == u"github"_s && ownerAndRepository.match(source).hasMatch() && !folderHash.isEmpty();
}

QString SharedLockEntry::folder() const
{
    const qsizetype slash = skillPath.lastIndexOf(u'/');
    return slash < 0 ? QString() : skillPath.first(slash);
}

SkillProvenance SharedLockEntry::provenance(const QString& itemName, const QString& contentHash,
                                            const QMap<QString, QString>& files) const
{
    return {.itemName = itemName,
            .source = source,
            .repository = source,
            // Without a ref the installer took the default branch, which HEAD names.
            .ref = ref.isEmpty() ? u"HEAD"_s : ref,
            .path = folder(),
            .treeSha = folderHash,
            .contentHash = contentHash,
            .files = files,
            .installedAt = installedAt.isValid() ? installedAt : QDateTime::currentDateTimeUtc(),
            .commit = {}};
}

QString SharedSkillLock::fileIn(const QString& home)
{
    return home + u"/.agents/.skill-lock.json"_s;
}

const SharedLockEntry* SharedSkillLock::entry(const QString& name) const
{
    for (const SharedLockEntry& entry : m_entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::optional<SharedLockEntry> SharedSkillLock::find(const QString& name) const
{
    const SharedLockEntry* found = entry(name);
    return found ? std::optional(*found) : std::nullopt;
}

Result<std::optional<SharedLockEntry>, Problem> SharedSkillLock::originOf(const QString& name,
                                                                          const QString& home)
{
    const auto lock = read(fileIn(home));
    if (!lock)
        return lock.error();
    return lock.value() ? lock.value()->find(name) : std::nullopt;
}

Result<SharedSkillLock, Problem> SharedSkillLock::decode(const QByteArray& bytes)
{
    if (bytes.size() > maximumBytes)
        return Problem(Problem::Kind::largerThanAllowed, {QString::number(maximumBytes / (1024 * 1024))});
    const auto document = JsonReader::parseObject(bytes);
    if (!document)
        return document.error().problem;
    const nlohmann::json& top = document.value();
    const auto found = top.find("version");
    if (found == top.end() || !found->is_number_integer() || found->get<qint64>() != version)
        return Problem(Problem::Kind::lockVersionUnknown, {QString::number(version)});
    const auto skills = top.find("skills");
    if (skills == top.end() || !skills->is_object())
        return Problem(Problem::Kind::missingValue);
    SharedSkillLock lock;
    for (auto skill = skills->begin(); skill != skills->end(); ++skill) {
        const QString name = QString::fromStdString(skill.key());
        if (!checkItemName(name))
            return Problem(Problem::Kind::notAFolderName, {name});
        if (!skill->is_object())
            return Problem(Problem::Kind::wrongDataType);
        // Keys of other kinds and later versions are passed over.
        auto decoded = JsonReader::decode<SharedLockEntry>([&] {
            const JsonReader reader(*skill, name);
            return SharedLockEntry{.name = name,
                                   .source = reader.optionalString("source").value_or(QString()),
                                   .sourceType = reader.optionalString("sourceType").value_or(QString()),
                                   .sourceUrl = reader.optionalString("sourceUrl").value_or(QString()),
                                   .skillPath = reader.optionalString("skillPath").value_or(QString()),
                                   .ref = reader.optionalString("ref").value_or(QString()),
                                   .folderHash = reader.optionalString("skillFolderHash").value_or(QString()),
                                   .installedAt = dateOf(reader.optionalString("installedAt")),
                                   .updatedAt = dateOf(reader.optionalString("updatedAt"))};
        });
        if (!decoded)
            return decoded.error().problem;
        SharedLockEntry& entry = decoded.value();
        for (const QString* url : {&entry.sourceUrl, &entry.source})
            if (carriesSecret(*url))
                return Problem(Problem::Kind::secretInUrl, {withoutSecrets(*url)});
        // A path that climbs out of the repository names no folder in it.
        if (entry.skillPath.startsWith(u'/') || entry.skillPath.split(u'/').contains(u".."_s))
            return Problem(Problem::Kind::unusablePath, {entry.skillPath});
        lock.m_entries.append(std::move(entry));
    }
    return lock;
}

Result<std::optional<SharedSkillLock>, Problem> SharedSkillLock::read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::optional<SharedSkillLock>();
    const auto refused = [&path](Problem why) {
        return Problem(Problem::Kind::sharedLockRefused, {path}).because(std::move(why));
    };
    if (!info.isFile())
        return refused(Problem(Problem::Kind::unreadableData));
    if (info.size() > maximumBytes)
        return refused(
            Problem(Problem::Kind::largerThanAllowed, {QString::number(maximumBytes / (1024 * 1024))}));
    const auto bytes = FileSystem::readBytes(path);
    if (!bytes)
        return refused(bytes.error().shown());
    auto lock = decode(bytes.value());
    if (!lock)
        return refused(lock.error());
    return std::optional(std::move(lock).value());
}
