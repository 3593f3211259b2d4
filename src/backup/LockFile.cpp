#include "backup/LockFile.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "access/ProjectFolder.h"
#include "model/StrictJson.h"
#include "store/GitRemote.h"
#include "store/SkillIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Json = nlohmann::ordered_json;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

bool isHex(const QString& text, int length)
{
    static const QRegularExpression hex(u"^[0-9a-f]*$"_s);
    return text.size() == length && hex.match(text).hasMatch();
}

// An app names a preset id or a folder inside the project: never one outside it.
bool isPlainAppEntry(const QString& entry)
{
    return !entry.isEmpty() && !entry.startsWith(u'/') && isPlainRepositoryPath(entry);
}

LockedSkill readSkill(const JsonReader& skill)
{
    LockedSkill locked;
    locked.name = skill.string("name");
    if (const Outcome valid = checkItemName(locked.name); !valid)
        skill.fail("name", valid.error().shown());
    if (const auto source = skill.optionalObject("source")) {
        // A commit that could not be told is null; earlier versions wrote it empty.
        LockedSource read{source->string("repository"), source->string("ref"),
                          source->optionalString("commit").value_or(QString()), source->string("path"),
                          source->string("tree")};
        // A git remote is checked as a source's would be: a lock file comes from anyone.
        const bool remote = GitLocation::isRemote(read.repository);
        const auto onGitHub =
            remote ? Result<GitHubRepository, Problem>(Problem()) : GitHubRepository::parse(read.repository);
        if (remote ? GitLocation::refusal(read.repository).has_value()
                   : !onGitHub || onGitHub->fullName() != read.repository)
            source->fail("repository", Problem::Kind::notALockedSource);
        if (remote && !GitLocation::isUsableRef(read.ref))
            source->fail("ref", Problem::Kind::notAGitRef);
        if (!read.path.isEmpty() && !isPlainRepositoryPath(read.path))
            source->fail("path", Problem::Kind::pathLeavesRepository);
        if (!read.commit.isEmpty() && !isHex(read.commit, 40))
            source->fail("commit", Problem::Kind::notACommit);
        if (read.ref.isEmpty() || read.ref.contains(u'\0'))
            source->fail("ref", Problem::Kind::noRef);
        locked.source = read;
    }
    locked.contentSha256 = skill.string("contentSha256");
    if (!isHex(locked.contentSha256, 64))
        skill.fail("contentSha256", Problem::Kind::notASha256);
    locked.apps = skill.strings("apps");
    for (const QString& app : std::as_const(locked.apps))
        if (!isPlainAppEntry(app))
            skill.fail("apps", Problem(Problem::Kind::appLeavesProject, {app}));
    return locked;
}

} // namespace

QString LockFile::fileName()
{
    return ProjectFolder::lockFileName();
}

QStringList LockFile::unpinned() const
{
    QStringList names;
    for (const LockedSkill& skill : skills)
        if (skill.source && !skill.source->isPinned())
            names.append(skill.name);
    names.sort();
    return names;
}

QByteArray LockFile::encode() const
{
    QList<LockedSkill> sorted = skills;
    std::sort(sorted.begin(), sorted.end(),
              [](const LockedSkill& a, const LockedSkill& b) { return a.name < b.name; });
    Json list = Json::array();
    for (LockedSkill skill : sorted) {
        skill.apps.sort();
        Json apps = Json::array();
        for (const QString& app : std::as_const(skill.apps))
            apps.push_back(utf8(app));
        Json source = nullptr;
        if (skill.source)
            source = Json{
                {"repository", utf8(skill.source->repository)},
                {"ref", utf8(skill.source->ref)},
                {"commit", skill.source->commit.isEmpty() ? Json(nullptr) : Json(utf8(skill.source->commit))},
                {"path", utf8(skill.source->path)},
                {"tree", utf8(skill.source->tree)}};
        list.push_back(Json{{"name", utf8(skill.name)},
                            {"source", source},
                            {"contentSha256", utf8(skill.contentSha256)},
                            {"apps", apps}});
    }
    const Json document{{"lockVersion", lockVersion}, {"skills", list}};
    return QByteArray::fromStdString(document.dump(2)) + '\n';
}

Result<LockFile> LockFile::decode(const QByteArray& bytes)
{
    if (bytes.size() > maximumBytes)
        return Error::of(
            Problem(Problem::Kind::lockFileTooLarge, {QString::number(maximumBytes / (1024 * 1024))}));
    auto document = JsonReader::parseObject(bytes);
    if (!document)
        return document.error().error();
    auto decoded = JsonReader::decode<LockFile>([&] {
        const JsonReader top(document.value());
        if (top.int64("lockVersion") != lockVersion)
            top.fail("lockVersion",
                     Problem(Problem::Kind::lockVersionUnknown, {QString::number(lockVersion)}));
        LockFile lock;
        QStringList names;
        for (const JsonReader& skill : top.objects("skills")) {
            lock.skills.append(readSkill(skill));
            names.append(lock.skills.last().name);
        }
        names.removeDuplicates();
        if (names.size() != lock.skills.size())
            top.fail("skills", Problem::Kind::namedTwice);
        return lock;
    });
    if (!decoded)
        return decoded.error().error();
    return std::move(decoded).value();
}

Result<std::optional<LockFile>> LockFile::read(const QString& projectFolder)
{
    const QString path = QDir(projectFolder).filePath(fileName());
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::optional<LockFile>();
    if (info.isSymLink() || !info.isFile())
        return Error::of(Problem(Problem::Kind::notAPlainFile, {path}));
    if (info.size() > maximumBytes)
        return Error::of(Problem::concerning(
            path, Problem(Problem::Kind::lockFileTooLarge, {QString::number(maximumBytes / (1024 * 1024))})));
    const auto bytes = FileSystem::readBytes(path);
    if (!bytes)
        return bytes.error();
    auto lock = decode(bytes.value());
    if (!lock)
        return Error::of(Problem::concerning(path, lock.error().shown()));
    return std::optional<LockFile>(std::move(lock).value());
}

Outcome LockFile::write(const QString& projectFolder, const LockFile& lock)
{
    const QString path = ProjectFolder::lockFilePath(projectFolder);
    if (!ProjectFolder::isLockFileWritable(projectFolder))
        return Error::of(Problem(Problem::Kind::notWrittenThroughLink, {path}));
    const QByteArray bytes = lock.encode();
    if (const auto before = FileSystem::readBytes(path); before && before.value() == bytes)
        return {};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Error::of(Problem::fileFailed("write", path, file.errorString()));
    return {};
}
