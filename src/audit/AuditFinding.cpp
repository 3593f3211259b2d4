#include "audit/AuditFinding.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const std::pair<AuditLevel, QString> levelNames[] = {
    {AuditLevel::high, u"high"_s},       {AuditLevel::error, u"error"_s}, {AuditLevel::medium, u"medium"_s},
    {AuditLevel::warning, u"warning"_s}, {AuditLevel::info, u"info"_s},
};

} // namespace

QString auditLevelName(AuditLevel level)
{
    for (const auto& [known, name] : levelNames)
        if (known == level)
            return name;
    return u"info"_s;
}

std::optional<AuditLevel> auditLevelNamed(const QString& name)
{
    for (const auto& [level, known] : levelNames)
        if (known == name)
            return level;
    return std::nullopt;
}

QString AuditFinding::place() const
{
    return line ? file + u':' + QString::number(*line) : file;
}

bool AuditReport::hasOpenHigh() const
{
    return std::any_of(findings.cbegin(), findings.cend(), [](const AuditFinding& finding) {
        return finding.level == AuditLevel::high && !finding.accepted;
    });
}

QList<AuditFinding> AuditReport::openHigh() const
{
    QList<AuditFinding> open;
    std::copy_if(
        findings.cbegin(), findings.cend(), std::back_inserter(open),
        [](const AuditFinding& finding) { return finding.level == AuditLevel::high && !finding.accepted; });
    return open;
}
