#include "cli/AuditOutput.h"

#include "cli/CliSession.h"
#include "texts/OutcomeTexts.h"

#include <QSet>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// Where a finding is: the item's file, or the item itself when it is a single file.
QString location(const AuditFinding& finding, bool withItem)
{
    // A folder audited with --path: a skill folder in it is an item named by its path there.
    if (!withItem)
        return finding.item.contains(u'/') ? finding.item.section(u'/', 1) + u'/' + finding.file
                                           : finding.file;
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

// The rule's own words, in German where it has them, as the tool's other findings read.
QString message(const AuditFinding& finding)
{
    return OutcomeTexts::auditMessage(finding);
}

} // namespace

int AuditOutput::refuse(const CliSession& session, const QList<AuditReport>& risks, Step step)
{
    QStringList items;
    for (const AuditReport& risk : risks) {
        items.append(risk.item);
        for (const AuditFinding& finding : risk.findings)
            QTextStream(stderr) << line(finding) << '\n';
    }
    return session.fail(step == Step::installing
                            ? Cli::tr("%1: the audit found risks of level high, nothing was installed; "
                                      "--accept-risk installs it all the same")
                                  .arg(items.join(u", "_s))
                            : Cli::tr("%1: the audit found risks of level high, nothing was placed; "
                                      "--accept-risk places it all the same")
                                  .arg(items.join(u", "_s)));
}

QString AuditOutput::line(const AuditFinding& finding)
{
    const QString where = (finding.file == finding.item ? QString() : finding.item + u'/') + finding.place();
    return u"%1 %2 %3 %4%5"_s.arg(auditLevelName(finding.level), where, finding.rule, message(finding),
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
                        {"level", utf8(auditLevelName(finding.level))},
                        {"message", utf8(OutcomeTexts::auditMessage(finding, OutcomeTexts::Form::english))},
                        {"matched", finding.matched.isEmpty() ? Output::Json(nullptr)
                                                              : Output::Json(utf8(finding.matched))},
                        {"decoded", finding.decoded},
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
        Json result = {
            {"ruleId", utf8(finding.rule)},
            {"level", sarifLevel(finding.level)},
            {"message", {{"text", utf8(OutcomeTexts::auditMessage(finding, OutcomeTexts::Form::english))}}},
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
