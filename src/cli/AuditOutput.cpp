#include "cli/AuditOutput.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Where a finding is: the item's file, or the item itself when it is a single file.
QString location(const AuditFinding& finding, bool withItem)
{
    if (!withItem)
        return finding.file;
    return finding.file == finding.item ? finding.item : finding.item + u'/' + finding.file;
}

const char* sarifLevel(AuditLevel level)
{
    switch (level) {
    case AuditLevel::high:
    case AuditLevel::error:
        return "error";
    case AuditLevel::medium:
    case AuditLevel::warning:
        return "warning";
    case AuditLevel::info:
        break;
    }
    return "note";
}

} // namespace

QString AuditOutput::line(const AuditFinding& finding)
{
    const QString where = (finding.file == finding.item ? QString() : finding.item + u'/') + finding.place();
    return u"%1 %2 %3 %4%5"_s.arg(SkillAudit::levelName(finding.level), where, finding.rule, finding.message,
                                  finding.accepted ? u" [accepted]"_s : QString());
}

void AuditOutput::print(const QList<AuditFinding>& findings)
{
    for (const AuditFinding& finding : findings)
        Output::print(line(finding));
}

Output::Json AuditOutput::json(const QList<AuditFinding>& findings)
{
    using Output::utf8;
    Output::Json list = Output::Json::array();
    for (const AuditFinding& finding : findings)
        list.push_back({{"item", utf8(finding.item)},
                        {"file", utf8(finding.file)},
                        {"line", finding.line ? Output::Json(*finding.line) : Output::Json(nullptr)},
                        {"rule", utf8(finding.rule)},
                        {"level", utf8(SkillAudit::levelName(finding.level))},
                        {"message", utf8(finding.message)},
                        {"accepted", finding.accepted}});
    return list;
}

QByteArray AuditOutput::sarif(const QList<AuditFinding>& findings, bool withItem)
{
    using Output::Json;
    using Output::utf8;
    Json rules = Json::array();
    QSet<QString> ruleIds;
    Json results = Json::array();
    for (const AuditFinding& finding : findings) {
        if (!ruleIds.contains(finding.rule)) {
            ruleIds.insert(finding.rule);
            rules.push_back({{"id", utf8(finding.rule)}});
        }
        Json region = Json::object();
        if (finding.line)
            region["startLine"] = *finding.line;
        Json physical = {{"artifactLocation", {{"uri", utf8(location(finding, withItem))}}}};
        if (!region.empty())
            physical["region"] = region;
        Json result = {{"ruleId", utf8(finding.rule)},
                       {"level", sarifLevel(finding.level)},
                       {"message", {{"text", utf8(finding.message)}}},
                       {"locations", Json::array({{{"physicalLocation", physical}}})}};
        if (finding.accepted)
            result["suppressions"] = Json::array({{{"kind", "external"}, {"justification", "accepted"}}});
        results.push_back(result);
    }
    const Json log = {
        {"version", "2.1.0"},
        {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
        {"runs",
         Json::array(
             {{{"tool",
                {{"driver", {{"name", "quorvane-cli"}, {"version", QUORVANE_VERSION}, {"rules", rules}}}}},
               {"results", results}}})}};
    return QByteArray::fromStdString(log.dump(2)) + '\n';
}
