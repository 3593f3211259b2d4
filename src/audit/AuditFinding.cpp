#include "audit/AuditFinding.h"

#include "base/EnumNames.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr EnumName<AuditLevel> levelNames[] = {
    {AuditLevel::high, u"high"},       {AuditLevel::error, u"error"}, {AuditLevel::medium, u"medium"},
    {AuditLevel::warning, u"warning"}, {AuditLevel::info, u"info"},
};

} // namespace

QString auditLevelName(AuditLevel level)
{
    return nameIn<AuditLevel>(levelNames, level);
}

std::optional<AuditLevel> auditLevelNamed(const QString& name)
{
    return valueNamed<AuditLevel>(levelNames, name);
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
