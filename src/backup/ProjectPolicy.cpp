#include "backup/ProjectPolicy.h"

#include "access/FileSystem.h"
#include "store/SkillIndex.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 maximumBytes = 1024 * 1024;

bool matches(const QString& pattern, const QString& repository)
{
    QString expression = QRegularExpression::escape(pattern);
    expression.replace(u"\\*"_s, u".*"_s);
    return QRegularExpression(QRegularExpression::anchoredPattern(expression)).match(repository).hasMatch();
}

} // namespace

QString ProjectPolicy::fileName()
{
    return u"quorvane-policy.json"_s;
}

Result<ProjectPolicy, Problem> ProjectPolicy::decode(const QByteArray& bytes)
{
    const auto refused = [](const QString& why, const QStringList& more = {}) {
        return Problem(Problem::Kind::policyUnreadable, {fileName()})
            .because(Problem(Problem::Kind::policyRefused, QStringList{why} + more));
    };
    const nlohmann::json document = nlohmann::json::parse(bytes.cbegin(), bytes.cend(), nullptr, false);
    if (!document.is_object())
        return refused(u"not-an-object"_s);
    ProjectPolicy policy;
    const auto given = document.find("policyVersion");
    if (given == document.end() || !given->is_number_integer())
        return refused(u"version-missing"_s);
    if (given->get<qint64>() != version)
        return refused(u"version-unknown"_s,
                       {QString::number(given->get<qint64>()), QString::number(version)});
    for (auto entry = document.begin(); entry != document.end(); ++entry) {
        const std::string& key = entry.key();
        const nlohmann::json& value = entry.value();
        if (key == "policyVersion")
            continue;
        if (key == "allowedSources") {
            if (!value.is_array())
                return refused(u"sources-not-a-list"_s);
            QStringList patterns;
            for (const nlohmann::json& pattern : value) {
                if (!pattern.is_string() || pattern.get<std::string>().empty())
                    return refused(u"sources-not-patterns"_s);
                patterns.append(QString::fromStdString(pattern.get<std::string>()));
            }
            policy.allowedSources = patterns;
        } else if (key == "minimumCommitAgeDays") {
            if (!value.is_number_integer() || value.get<qint64>() < 0 || value.get<qint64>() > 36500)
                return refused(u"age-not-days"_s);
            policy.minimumCommitAgeDays = int(value.get<qint64>());
        } else if (key == "auditMustPass") {
            if (!value.is_boolean())
                return refused(u"audit-not-boolean"_s);
            policy.auditMustPass = value.get<bool>();
        } else if (key == "rules") {
            // Inside the project: a policy from anyone names no folder elsewhere.
            policy.rules = value.is_string() ? QString::fromStdString(value.get<std::string>()) : QString();
            if (!isPlainRepositoryPath(policy.rules))
                return refused(u"rules-outside"_s);
        } else {
            return refused(u"key-unknown"_s, {QString::fromStdString(key)});
        }
    }
    return policy;
}

Result<std::optional<ProjectPolicy>, Problem> ProjectPolicy::read(const QString& projectFolder)
{
    const QString path = QDir(projectFolder).filePath(fileName());
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::optional<ProjectPolicy>();
    if (info.isSymLink() || !info.isFile() || info.size() > maximumBytes)
        return Problem(Problem::Kind::policyUnreadable, {path})
            .because(Problem(Problem::Kind::policyRefused, {u"not-a-plain-file"_s}));
    const auto bytes = FileSystem::readBytes(path);
    if (!bytes)
        return Problem(Problem::Kind::policyUnreadable, {path}).because(bytes.error().shown());
    auto policy = decode(bytes.value());
    if (!policy) {
        Problem unusable = policy.error(); // named by the file's name alone; here by its path
        unusable.data = {path};
        return unusable;
    }
    return std::optional<ProjectPolicy>(std::move(policy).value());
}

std::optional<Problem> ProjectPolicy::refusalOfSource(const QString& skill, const QString& repository) const
{
    if (!allowedSources || repository.isEmpty())
        return std::nullopt;
    for (const QString& pattern : *allowedSources)
        if (matches(pattern, repository))
            return std::nullopt;
    return Problem::concerning(
        skill, {Problem::Kind::sourceNotAllowed, {repository, allowedSources->join(u", "_s)}});
}

std::optional<Problem> ProjectPolicy::refusalOfAge(const QString& skill, const QDateTime& madeAt,
                                                   const QDateTime& now) const
{
    if (!minimumCommitAgeDays)
        return std::nullopt;
    if (!madeAt.isValid())
        return Problem::concerning(
            skill, {Problem::Kind::commitAgeUnknown, {QString::number(*minimumCommitAgeDays)}});
    if (madeAt.addDays(*minimumCommitAgeDays) <= now)
        return std::nullopt;
    return Problem::concerning(
        skill, {Problem::Kind::commitTooYoung,
                {madeAt.toUTC().toString(Qt::ISODate), QString::number(*minimumCommitAgeDays)}});
}
