#include "ui/SkillDetailView.h"

#include "actions/HubAudit.h"
#include "actions/LinkActions.h"
#include "actions/SkillInstall.h"
#include "actions/SkillUpdates.h"
#include "actions/Workspace.h"
#include "base/Log.h"
#include "model/ModelContext.h"
#include "model/TargetApp.h"
#include "texts/OutcomeTexts.h"
#include "ui/AuditTexts.h"
#include "ui/InstallReport.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"
#include "ui/UpdateSheet.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QFrame* separator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QFrame* roundedBlock(QPalette::ColorRole background)
{
    auto* block = new QFrame;
    block->setAutoFillBackground(true);
    block->setBackgroundRole(background);
    block->setFrameShape(QFrame::StyledPanel);
    return block;
}

} // namespace

using TextStyles::caption;
using TextStyles::monospaced;

SkillDetailView::SkillDetailView(const Skill& skill, Workspace& workspace, DesktopServices desktop,
                                 SkillUpdates& updates, const HubAudit& audit, QWidget* parent)
    : QScrollArea(parent)
    , m_skill(skill)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_updates(updates)
    , m_audit(audit)
    , m_findings(new QVBoxLayout)
    , m_linkRows(new QVBoxLayout)
    , m_origin(new QVBoxLayout)
{
    setObjectName(u"skillDetail"_s);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setSpacing(16);
    column->setContentsMargins(16, 16, 16, 16);
    QLabel* title = TextStyles::title(tr("Skill Details"));
    title->setObjectName(u"detailTitle"_s);
    column->addWidget(title);

    auto* header = new QHBoxLayout;
    auto* symbol = new QLabel;
    symbol->setPixmap((skill.isDirectory ? tintedSymbolIcon(u"folder.fill"_s, SymbolColors::folder)
                                         : tintedSymbolIcon(u"doc.text"_s, SymbolColors::file))
                          .pixmap(40, 40));
    auto* name = new QLabel(skill.name);
    name->setObjectName(u"skillName"_s);
    name->setTextFormat(Qt::PlainText);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    header->addWidget(symbol);
    header->addWidget(name, 1);
    column->addLayout(header);
    if (!skill.description.isEmpty()) {
        QLabel* description = TextStyles::secondary(skill.description);
        description->setObjectName(u"skillDescription"_s);
        description->setTextFormat(Qt::PlainText);
        description->setAlignment(Qt::AlignLeft);
        column->addWidget(description);
    }
    for (const SkillFinding& finding : skill.findings) {
        auto* note =
            new QLabel((finding.level == SkillFinding::Level::error ? tr("Error: %1") : tr("Note: %1"))
                           .arg(OutcomeTexts::skillFinding(finding)));
        note->setObjectName(u"skillFinding"_s);
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        note->setStyleSheet(finding.level == SkillFinding::Level::error ? u"color: #b3261e;"_s
                                                                        : u"color: #8a5a00;"_s);
        column->addWidget(note);
    }
    m_findings->setSpacing(4);
    column->addLayout(m_findings);
    m_origin->setSpacing(6);
    column->addLayout(m_origin);
    column->addWidget(separator());

    QFrame* links = roundedBlock(QPalette::AlternateBase);
    auto* linksLayout = new QVBoxLayout(links);
    linksLayout->setSpacing(8);
    auto* heading = new QLabel(tr("Linked with:"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    linksLayout->addWidget(heading);
    linksLayout->addLayout(m_linkRows);
    column->addWidget(links);
    column->addWidget(separator());
    column->addWidget(makePathBlock());

    if (!skill.isDirectory) {
        auto* preview = new QVBoxLayout;
        preview->setSpacing(4);
        preview->addWidget(caption(tr("Preview (first lines)")));
        QFrame* box = roundedBlock(QPalette::Base);
        auto* boxLayout = new QVBoxLayout(box);
        QLabel* snippet = monospaced(skill.contentSnippet);
        snippet->setObjectName(u"skillPreview"_s);
        boxLayout->addWidget(snippet);
        preview->addWidget(box);
        column->addLayout(preview);
    }
    column->addStretch();
    setWidget(page);

    connect(&m_workspace.changes(), &ChangeFeed::targetFolderChanged, this,
            &SkillDetailView::rebuildLinkRows);
    connect(&m_workspace.changes(), &ChangeFeed::appsChanged, this, &SkillDetailView::rebuildLinkRows);
    // Another process's link or unlink comes as its records, taken in from the store.
    connect(&m_workspace.changes(), &ChangeFeed::linkRecordsChanged, this, &SkillDetailView::rebuildLinkRows);
    rebuildLinkRows();
    connect(&m_workspace.changes(), &ChangeFeed::provenanceChanged, this, &SkillDetailView::rebuildOrigin);
    connect(&m_updates, &SkillUpdates::statusesChanged, this, &SkillDetailView::rebuildOrigin);
    rebuildOrigin();
    connect(&m_audit, &HubAudit::changed, this, &SkillDetailView::rebuildFindings);
    rebuildFindings();
}

void SkillDetailView::rebuildFindings()
{
    while (QLayoutItem* item = m_findings->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const AuditReport* report = m_audit.report(m_skill.fileName());
    if (!report)
        return;
    for (const AuditFinding& finding : report->findings) {
        if (finding.rule == u"format"_s)
            continue; // shown above, as the format check words it
        QString text = AuditTexts::finding(finding) + u" ("_s + AuditTexts::family(finding.rule) + u')';
        if (finding.accepted)
            text += u' ' + tr("(accepted)");
        if (const QString shown = AuditTexts::evidence(finding); !shown.isEmpty())
            text += u'\n' + shown;
        QLabel* note = AuditTexts::label(finding, text);
        note->setObjectName(u"auditFinding"_s);
        m_findings->addWidget(note);
    }
    const bool accepted =
        std::any_of(report->findings.cbegin(), report->findings.cend(),
                    [](const AuditFinding& f) { return f.accepted && f.level == AuditLevel::high; });
    if (accepted) {
        auto* withdraw = new QPushButton(tr("Withdraw Acceptance"));
        withdraw->setObjectName(u"withdrawAcceptance"_s);
        connect(withdraw, &QPushButton::clicked, this, [this, item = report->item] {
            if (const Outcome saved = HubAudit::withdraw(m_workspace.context(), item); !saved)
                Log::line(u"Failed to withdraw the acceptance of "_s + item + u": "_s +
                          OutcomeTexts::problem(saved.error().shown()));
        });
        m_findings->addWidget(withdraw, 0, Qt::AlignLeft);
    }
    if (!report->hasOpenHigh())
        return;
    auto* accept = new QPushButton(tr("Accept Risk"));
    accept->setObjectName(u"acceptRisk"_s);
    accept->setToolTip(tr("The findings count as checked until the content changes."));
    connect(accept, &QPushButton::clicked, this, [this, open = *report] {
        // Asked once, naming what is accepted.
        QStringList found;
        for (const AuditFinding& finding : open.openHigh())
            found.append(u"• "_s + AuditTexts::finding(finding));
        if (!m_desktop.alerts.confirmDestructive(
                tr("Accept the findings in '%1'?").arg(open.item),
                found.join(u'\n') + u"\n\n"_s +
                    tr("They then hold up neither installing nor linking until the content changes."),
                tr("Cancel"), tr("Accept Risk")))
            return;
        if (const Outcome saved = HubAudit::accept(m_workspace.context(), open); !saved)
            Log::line(u"Failed to record the acceptance of "_s + open.item + u": "_s +
                      OutcomeTexts::problem(saved.error().shown()));
    });
    m_findings->addWidget(accept, 0, Qt::AlignLeft);
}

void SkillDetailView::rebuildOrigin()
{
    while (QLayoutItem* item = m_origin->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QString name = m_skill.fileName();
    std::optional<SkillProvenance> provenance;
    for (const SkillProvenanceRecord* record : m_workspace.context().records<SkillProvenanceRecord>())
        if (record->itemName() == name)
            provenance = record->provenance();
    QLabel* origin = caption(
        provenance ? tr("Origin: %1 · %2 @ %3, installed on %4")
                         .arg(provenance->repository, provenance->path.isEmpty() ? u"/"_s : provenance->path,
                              provenance->ref,
                              QLocale().toString(provenance->installedAt.toLocalTime(), QLocale::ShortFormat))
                   : tr("Origin unknown: imported or created by hand."));
    origin->setObjectName(u"skillOrigin"_s);
    origin->setTextFormat(Qt::PlainText);
    origin->setWordWrap(true);
    m_origin->addWidget(origin);
    const auto status = m_updates.status(name);
    if (!provenance || !status)
        return;
    if (status->state == UpdateState::modified) {
        QLabel* changed =
            caption(tr("Changed here since installation: %1").arg(status->changedFiles.join(u", "_s)));
        changed->setObjectName(u"skillChangedHere"_s);
        changed->setTextFormat(Qt::PlainText);
        changed->setWordWrap(true);
        m_origin->addWidget(changed);
    }
    if (status->state == UpdateState::updateAvailable || status->state == UpdateState::modified) {
        auto* button = new QPushButton(symbolIcon(u"square.and.arrow.down"_s),
                                       status->state == UpdateState::modified ? tr("Restore from Source")
                                                                              : tr("Install Update"));
        button->setObjectName(u"updateSkill"_s);
        connect(button, &QPushButton::clicked, this, &SkillDetailView::update);
        m_origin->addWidget(button, 0, Qt::AlignLeft);
    }
}

void SkillDetailView::update()
{
    for (QPushButton* button : findChildren<QPushButton*>(u"updateSkill"_s))
        button->setEnabled(false);
    // What the update changes is shown first; the view may be gone by the time it is known.
    m_updates.preview(m_skill.fileName(), [view = QPointer(this)](const UpdatePreviewResult& preview) {
        if (view)
            view->confirmUpdate(preview);
    });
}

void SkillDetailView::confirmUpdate(const UpdatePreviewResult& preview)
{
    if (preview.error) {
        m_desktop.alerts.inform(tr("Update"), OutcomeTexts::problem(*preview.error), AlertStyle::critical);
        return rebuildOrigin();
    }
    UpdateSheet sheet(preview, this);
    if (sheet.exec() != QDialog::Accepted)
        return rebuildOrigin();
    const QString name = m_skill.fileName();
    // The version the preview fetched is the one the user saw and agreed to.
    SkillInstall* running = m_updates.update(name, false, sheet.acceptsRisk(), preview.fetched);
    if (!running)
        return rebuildOrigin();
    connect(running, &SkillInstall::finished, this, &SkillDetailView::rebuildOrigin);
    // Reported by the long-lived updates, not this view, which may be gone by then.
    reportInstall(running, &m_updates, m_desktop, tr("Update"),
                  [updates = &m_updates, name, acceptRisk = sheet.acceptsRisk(),
                   fetched = preview.fetched](bool replaceChanged) {
                      return updates->update(name, replaceChanged, acceptRisk, fetched);
                  });
}

QWidget* SkillDetailView::makePathBlock()
{
    auto* block = new QWidget;
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(caption(tr("Central path")));
    const QString path = m_skill.path;
    QLabel* pathLabel = monospaced(path);
    pathLabel->setObjectName(u"skillPath"_s);
    pathLabel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pathLabel, &QLabel::customContextMenuRequested, this,
            [this, pathLabel, path](const QPoint& position) {
                QMenu menu(this);
                menu.addAction(tr("Copy Path"), this, [this, path] { m_desktop.clipboard.copyText(path); });
                menu.addAction(tr("Show in File Manager"), this,
                               [this, path] { m_desktop.reveal.reveal(path); });
                menu.exec(pathLabel->mapToGlobal(position));
            });
    layout->addWidget(pathLabel);
    return block;
}

void SkillDetailView::rebuildLinkRows()
{
    while (QLayoutItem* item = m_linkRows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<TargetApp*> apps = m_workspace.apps();
    if (apps.isEmpty()) {
        QLabel* none = caption(tr("No target apps set up yet."));
        none->setObjectName(u"noTargetApps"_s);
        m_linkRows->addWidget(none);
        return;
    }
    for (TargetApp* app : std::as_const(apps)) {
        auto* row = new QWidget;
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 4, 0, 4);
        // A project's app is told apart from the global one of the same assistant by its project.
        auto* name = new QLabel(app->shownName());
        name->setTextFormat(Qt::PlainText);
        layout->addWidget(name, 1);
        auto* toggle = new QCheckBox;
        toggle->setObjectName(u"linkSwitch"_s);
        toggle->setAccessibleName(app->shownName());
        toggle->setChecked(m_workspace.linker().links.isSkillLinked(m_skill, *app));
        // Queued: the switch rows are rebuilt by the change this causes.
        connect(
            toggle, &QCheckBox::toggled, this,
            [this, id = app->id()](bool linked) {
                const TargetApp* current = m_workspace.app(id);
                if (!current)
                    return;
                // The switch flips back with the refresh; the log says why.
                const LinkToggle toggled = LinkActions(m_workspace)
                                               .setLinked(m_skill, *current, linked, false,
                                                          riskQuestion(m_desktop.alerts, RiskStep::linking));
                if (toggled.refusal)
                    Log::line(u"Failed to toggle the copy at "_s + toggled.refusal->path + u": "_s +
                              PlanConflict::kindName(toggled.refusal->kind));
                if (toggled.problem) // a project's policy: the user is told which rule keeps it out
                    m_desktop.alerts.inform(tr("Not Linked"), OutcomeTexts::problem(*toggled.problem),
                                            AlertStyle::critical);
            },
            Qt::QueuedConnection);
        layout->addWidget(toggle);
        m_linkRows->addWidget(row);
    }
}
