#include "fuzz/FuzzTargets.h"

#include "access/FileSystem.h"
#include "access/ItemName.h"
#include "audit/SkillScanner.h"
#include "backup/BackupDocument.h"
#include "backup/LockFile.h"
#include "model/SkillManifest.h"
#include "store/GitHubTree.h"
#include "store/RemoteSkillItem.h"
#include "store/SkillDownload.h"
#include "store/SkillFolderFetch.h"

#include <QDir>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

void require(bool property)
{
    if (!property)
        std::abort();
}

} // namespace

namespace FuzzTargets {

void skillScan(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = bytes(data, size);
    const qsizetype lines = input.count('\n') + 1;
    const AuditReport report = SkillScanner::scan(
        u"fuzz"_s, {{u"SKILL.md"_s, input, false}, {u"scripts/run.sh"_s, input, true}}, true);
    require(report.contentHash.size() == 64);
    for (const AuditFinding& finding : report.findings) {
        require(!finding.rule.isEmpty());
        require(!finding.line || (*finding.line >= 1 && *finding.line <= lines + 1));
        require(finding.matched.size() <= SkillScanner::shownCharacters);
    }
}

void skillFrontmatter(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = bytes(data, size);
    const auto manifest = SkillManifest::read(input);
    if (!manifest)
        require(manifest.error().level == SkillFinding::Level::error);
    // Every finding carries what its words name; a file with a name of its own is checked
    // against it.
    using Kind = SkillFinding::Kind;
    for (const SkillFinding& finding : SkillManifest::check(std::optional(input), u"fuzz"_s)) {
        const qsizetype named =
            finding.kind == Kind::nameDiffersFromFolder                                      ? 2
            : finding.kind == Kind::fieldNotText || finding.kind == Kind::frontmatterNotYaml ? 1
                                                                                             : 0;
        require(finding.data.size() == named);
    }
}

void backupDocument(const std::uint8_t* data, std::size_t size)
{
    const auto decoded = AppBackup::decode(bytes(data, size));
    if (!decoded) {
        require(decoded.error().problem.kind != Problem::Kind::said); // every refusal is typed
        return;
    }
    // Whatever was read is written so that it reads back the same.
    const auto again = AppBackup::decode(decoded->encode());
    require(again.ok());
    AppBackup expected = decoded.value();
    expected.exportDate = expected.exportDate.addMSecs(-expected.exportDate.time().msec());
    require(again.value() == expected);
}

void searchResponse(const std::uint8_t* data, std::size_t size)
{
    const auto decoded = SkillSearchResponse::decode(bytes(data, size));
    if (!decoded) {
        require(!decoded.error().logLine().isEmpty());
        return;
    }
    for (const RemoteSkillItem& item : decoded->skills) {
        const nlohmann::json written = item.toJson();
        require(RemoteSkillItem::read(JsonReader(written)) == item);
    }
}

void treeListing(const std::uint8_t* data, std::size_t size)
{
    const QByteArray body = bytes(data, size);
    for (const std::optional<QString>& skillId : {std::optional<QString>(), std::optional(u"deploy"_s)}) {
        if (const auto path = findSkillFileInTree(body, skillId))
            require(path->endsWith(u"SKILL.md"_s));
    }
    // A folder the install accepts keeps every file inside it, within the limits.
    const auto tree = RepositoryTree::parse(body);
    const auto plan =
        tree ? SkillFolderPlan::make(tree.value(), u"pdf"_s) : Result<SkillFolderPlan, Problem>(Problem());
    if (!plan)
        return;
    require(plan->files.size() <= SkillFolderPlan::maximumFiles &&
            plan->totalBytes <= SkillFolderPlan::maximumBytes);
    for (const SkillFolderPlan::File& file : plan->files) {
        require(!file.relativePath.startsWith(u'/'));
        for (const QString& component : file.relativePath.split(u'/'))
            require(checkItemName(component).ok());
    }
}

void itemName(const std::uint8_t* data, std::size_t size)
{
    const QString name = QString::fromUtf8(bytes(data, size));
    if (!checkItemName(name))
        return;
    // An accepted name stays one entry of the folder it is joined to.
    const QString folder = u"/hub"_s;
    const QString joined = QDir::cleanPath(FileSystem::childPath(folder, name));
    require(!name.contains(u'/') && joined.startsWith(folder + u'/') &&
            joined.mid(folder.size() + 1) == name);
}

void lockFile(const std::uint8_t* data, std::size_t size)
{
    const auto decoded = LockFile::decode(bytes(data, size));
    if (!decoded) {
        require(decoded.error().shown().kind != Problem::Kind::said); // every refusal is typed
        return;
    }
    // Every name read stays one entry inside its folder, and what was read writes back the same.
    for (const LockedSkill& skill : decoded->skills) {
        require(checkItemName(skill.name).ok());
        for (const QString& app : skill.apps)
            require(!app.startsWith(u'/') && !app.split(u'/').contains(u".."_s));
    }
    const auto again = LockFile::decode(decoded->encode());
    require(again.ok() && again->encode() == decoded->encode());
}

} // namespace FuzzTargets
