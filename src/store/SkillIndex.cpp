#include "store/SkillIndex.h"

#include "access/FileSystem.h"
#include "model/StrictJson.h"
#include "store/GitHubHosts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

namespace {

bool isPlainComponent(const QString& component)
{
    return !component.isEmpty() && component != u"."_s && component != u".."_s;
}

} // namespace

bool isPlainRepositoryPath(const QString& path)
{
    const QStringList components = path.split(u'/');
    return std::all_of(components.cbegin(), components.cend(), isPlainComponent);
}

QString jsonText(const nlohmann::json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() && found->is_string() ? QString::fromStdString(found->get<std::string>())
                                                       : QString();
}

Result<GitHubRepository, Problem> GitHubRepository::parse(const QString& location)
{
    static const QRegularExpression form(
        u"^([A-Za-z0-9-]+)/([A-Za-z0-9._-]+)(?:@([^:\\s]+))?(?::(\\S*))?$"_s);
    const Problem invalid(Problem::Kind::notAGitHubSource, {location});
    QString rest = location.trimmed();
    GitHubRepository repository;
    // Another host comes first. A GitHub owner holds neither a dot nor a colon, a host does.
    QString scheme = u"https"_s;
    const qsizetype schemeEnd = rest.indexOf(u"://"_s);
    if (schemeEnd >= 0) {
        scheme = rest.left(schemeEnd).toLower();
        rest = rest.mid(schemeEnd + 3);
        if (scheme != u"https"_s && scheme != u"http"_s)
            return invalid;
    }
    const QString first = rest.section(u'/', 0, 0);
    if (schemeEnd >= 0 || first.contains(u'.') || first.contains(u':')) {
        const QUrl base(scheme + u"://"_s + first, QUrl::StrictMode);
        if (!base.isValid() || base.host().isEmpty() || !base.userInfo().isEmpty())
            return invalid;
        if (scheme == u"http"_s && !GitHubHosts::isLoopback(base.authority()))
            return Problem(Problem::Kind::plainHttpHost, {base.authority()});
        rest = rest.mid(first.size() + 1);
        if (base.host() != u"github.com"_s || base.port() != -1) {
            repository.host = base.authority();
            repository.plainHttp = scheme == u"http"_s;
        }
    }
    const auto match = form.match(rest);
    if (!match.hasMatch() || !isPlainComponent(match.captured(2)))
        return invalid;
    repository.owner = match.captured(1);
    repository.name = match.captured(2);
    if (match.hasCaptured(3))
        repository.ref = match.captured(3);
    if (repository.ref.contains(u".."_s))
        return invalid;
    const QStringList components = match.captured(4).split(u'/', Qt::SkipEmptyParts);
    if (!std::all_of(components.cbegin(), components.cend(), isPlainComponent))
        return invalid;
    repository.path = components.join(u'/');
    return repository;
}

QString GitHubRepository::fullName() const
{
    const QString ownerAndName = owner + u'/' + name;
    return host.isEmpty() ? ownerAndName : host + u'/' + ownerAndName;
}

QString GitHubRepository::hostBase() const
{
    return host.isEmpty() ? QString() : (plainHttp ? u"http://"_s : u"https://"_s) + host;
}

QString GitHubRepository::text() const
{
    QString text = (plainHttp ? u"http://"_s : QString()) + fullName();
    if (ref != u"HEAD"_s)
        text += u'@' + ref;
    if (!path.isEmpty())
        text += u':' + path;
    return text;
}

bool GitHubRepository::contains(const QString& treePath) const
{
    return path.isEmpty() || treePath.startsWith(path + u'/');
}

QString SkillIndex::cacheFilePath(const QString& location)
{
    const QByteArray key = QCryptographicHash::hash(location.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u"/sources/"_s +
           QString::fromLatin1(key) + u".json"_s;
}

std::optional<SkillIndex> SkillIndex::load(const QString& location)
{
    const auto bytes = FileSystem::readBytes(cacheFilePath(location));
    if (!bytes)
        return std::nullopt;
    const nlohmann::json document = nlohmann::json::parse(bytes->cbegin(), bytes->cend(), nullptr, false);
    if (!document.is_object())
        return std::nullopt;
    SkillIndex index;
    index.treeSha = jsonText(document, "treeSha");
    const QDateTime refreshed = QDateTime::fromString(jsonText(document, "refreshedAt"), Qt::ISODate);
    if (refreshed.isValid())
        index.refreshedAt = refreshed;
    index.truncated = document.value("truncated", false);
    const auto skills = document.find("skills");
    if (skills == document.end() || !skills->is_array())
        return std::nullopt;
    for (const nlohmann::json& skill : *skills) {
        if (skill.is_object())
            index.skills.append({jsonText(skill, "path"), jsonText(skill, "blobSha"), jsonText(skill, "name"),
                                 jsonText(skill, "description")});
    }
    return index;
}

Outcome SkillIndex::save(const QString& location) const
{
    nlohmann::json skillList = nlohmann::json::array();
    for (const IndexedSkill& skill : skills)
        skillList.push_back({{"path", skill.path.toStdString()},
                             {"blobSha", skill.blobSha.toStdString()},
                             {"name", skill.name.toStdString()},
                             {"description", skill.description.toStdString()}});
    const nlohmann::json document = {
        {"location", location.toStdString()},
        {"treeSha", treeSha.toStdString()},
        {"refreshedAt",
         refreshedAt ? refreshedAt->toUTC().toString(Qt::ISODate).toStdString() : std::string()},
        {"truncated", truncated},
        {"skills", skillList}};
    const QString file = cacheFilePath(location);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return Error::of(Problem::fileFailed("create-folder", QFileInfo(file).absolutePath()));
    return FileSystem::writeBytes(file, QByteArray::fromStdString(document.dump()),
                                  FileSystem::WriteMode::atomic);
}

bool SkillIndex::isOlderThan(std::chrono::hours age, const QDateTime& now) const
{
    return !refreshedAt ||
           refreshedAt->secsTo(now) > std::chrono::duration_cast<std::chrono::seconds>(age).count();
}

QList<IndexedSkill> SkillIndex::search(const QString& query) const
{
    const QStringList words = query.toCaseFolded().split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const auto holdsAll = [&](const QString& text) {
        const QString folded = text.toCaseFolded();
        return std::all_of(words.cbegin(), words.cend(),
                           [&](const QString& word) { return folded.contains(word); });
    };
    QList<IndexedSkill> byName;
    QList<IndexedSkill> elsewhere;
    for (const IndexedSkill& skill : skills) {
        if (holdsAll(skill.name))
            byName.append(skill);
        else if (holdsAll(skill.name + u'\n' + skill.description + u'\n' + skill.path))
            elsewhere.append(skill);
    }
    const auto byNameOrder = [](const IndexedSkill& a, const IndexedSkill& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    };
    std::stable_sort(byName.begin(), byName.end(), byNameOrder);
    std::stable_sort(elsewhere.begin(), elsewhere.end(), byNameOrder);
    return byName + elsewhere;
}
