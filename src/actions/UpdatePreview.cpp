#include "actions/UpdatePreview.h"

#include "actions/HubAudit.h"
#include "actions/SkillInstall.h"
#include "actions/Workspace.h"
#include "audit/AuditGate.h"
#include "model/ModelContext.h"
#include "model/SkillProvenanceRecord.h"
#include "store/SkillSource.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Whether the installed version had a finding of this rule in this file (lines move with edits).
bool wasThere(const AuditReport& installed, const AuditFinding& finding)
{
    return std::any_of(installed.findings.cbegin(), installed.findings.cend(), [&](const AuditFinding& old) {
        return old.file == finding.file && old.rule == finding.rule && old.message == finding.message &&
               old.format == finding.format;
    });
}

} // namespace

UpdatePreview::UpdatePreview(Workspace& workspace, SkillSource& source, const QString& item,
                             std::function<void(const UpdatePreviewResult&)> done)
    : QObject(&workspace)
    , m_workspace(workspace)
    , m_source(source)
    , m_item(item)
    , m_done(std::move(done))
{}

UpdatePreview* UpdatePreview::start(Workspace& workspace, SkillSource& source, const QString& item,
                                    std::function<void(const UpdatePreviewResult&)> done)
{
    auto* preview = new UpdatePreview(workspace, source, item, std::move(done));
    QTimer::singleShot(0, preview, &UpdatePreview::begin);
    return preview;
}

void UpdatePreview::begin()
{
    std::optional<SkillProvenance> provenance;
    for (const SkillProvenanceRecord* record : m_workspace.context().records<SkillProvenanceRecord>())
        if (record->itemName() == m_item)
            provenance = record->provenance();
    if (!provenance)
        return finish({m_item, {}, {}, {}, Problem(Problem::Kind::originUnknown, {m_item})});
    m_source.fetch(SkillInstall::hitFor(*provenance), this, [this](const FetchAnswer& answer) {
        if (!answer)
            return finish(
                {m_item, {}, {}, {}, Problem(Problem::Kind::downloadFailed).because(answer.error())});
        compare(answer.value());
    });
}

void UpdatePreview::compare(const FetchedSkill& fetched)
{
    const QList<ContentFile>& upstream = fetched.files;
    const auto installedItem = m_workspace.hubCatalog().itemNamed(m_item);
    if (!installedItem)
        return finish({m_item, {}, {}, {}, Problem(Problem::Kind::notInHub, {m_item})});
    // The preview belongs to the workspace, which awaits its workers before it goes.
    m_workspace.runInBackground([this, folder = installedItem->path, upstream, fetched] {
        UpdatePreviewResult result{m_item, {}, {}, {}, {}};
        AuditReport before;
        auto installed = FolderContent::readFiles(folder);
        if (!installed) {
            result.error = installed.error().shown();
        } else {
            result.changes = FolderDiff::between(installed.value(), upstream, m_item);
            result.audit = SkillScanner::scan(m_item, upstream, true);
            before = SkillScanner::scan(m_item, installed.value(), true);
        }
        // What the user accepted is read here; the new findings are picked from the marked ones.
        QMetaObject::invokeMethod(
            this,
            [this, result, before, fetched]() mutable {
                AuditGate::markAccepted(m_workspace.context(), result.audit);
                if (!result.error)
                    result.fetched = fetched;
                for (const AuditFinding& finding : std::as_const(result.audit.findings))
                    if (!wasThere(before, finding))
                        result.newFindings.append(finding);
                finish(result);
            },
            Qt::QueuedConnection);
    });
}

void UpdatePreview::finish(const UpdatePreviewResult& result)
{
    m_done(result);
    deleteLater();
}
