#include "ui/UpdateSheet.h"

#include "ui/AuditTexts.h"
#include "ui/TextStyles.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString kindWord(FileChange::Kind kind)
{
    switch (kind) {
    case FileChange::Kind::added:
        return UpdateSheet::tr("new");
    case FileChange::Kind::removed:
        return UpdateSheet::tr("removed");
    case FileChange::Kind::changed:
        break;
    }
    return UpdateSheet::tr("changed");
}

bool isNew(const UpdatePreviewResult& preview, const AuditFinding& finding)
{
    return preview.newFindings.contains(finding);
}

} // namespace

UpdateSheet::UpdateSheet(const UpdatePreviewResult& preview, QWidget* parent)
    : Sheet(parent)
    , m_changes(preview.changes)
    , m_files(new QListWidget(this))
    , m_diff(new QPlainTextEdit(this))
    , m_acceptsRisk(preview.audit.hasOpenHigh())
{
    setObjectName(u"updateSheet"_s);
    setWindowTitle(tr("Update of “%1”").arg(preview.item));
    setMinimumSize(760, 480); // room for a diff to be read without scrolling sideways
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeTitle(tr("Update of “%1”").arg(preview.item)), 0, Qt::AlignHCenter);
    layout->addWidget(TextStyles::secondary(
        preview.changes.isEmpty() ? tr("The new version equals the installed one.")
                                  : tr("Changed files: %n", nullptr, int(preview.changes.size()))));

    m_files->setObjectName(u"updateFiles"_s);
    for (const FileChange& change : std::as_const(m_changes))
        m_files->addItem(u"%1 (%2)"_s.arg(change.path, kindWord(change.kind)));
    m_diff->setObjectName(u"updateDiff"_s);
    m_diff->setReadOnly(true);
    m_diff->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_diff->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* split = new QSplitter(this);
    split->addWidget(m_files);
    split->addWidget(m_diff);
    split->setStretchFactor(1, 3);
    split->setSizes({200, 560});
    layout->addWidget(split, 1);

    for (const AuditFinding& finding : preview.audit.findings) {
        if (finding.rule == u"format"_s && finding.level != AuditLevel::error)
            continue;
        QString text = AuditTexts::finding(finding);
        if (isNew(preview, finding))
            text.prepend(tr("new") + u" · "_s);
        if (finding.accepted)
            text += u' ' + tr("(accepted)");
        if (const QString shown = AuditTexts::evidence(finding); !shown.isEmpty())
            text += u'\n' + shown;
        QLabel* note = AuditTexts::label(finding, text);
        note->setObjectName(u"updateFinding"_s);
        layout->addWidget(note);
    }

    auto* confirm = new QPushButton(m_acceptsRisk ? tr("Update Anyway") : tr("Update"), this);
    confirm->setObjectName(u"updateConfirm"_s);
    confirm->setDefault(!m_acceptsRisk);
    // A risk is never agreed to by pressing Return.
    layout->addLayout(
        makeButtonRow(confirm, u"updateCancel"_s, m_acceptsRisk ? OnReturn::cancel : OnReturn::confirm));

    connect(m_files, &QListWidget::currentRowChanged, this, &UpdateSheet::showDiff);
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);
    if (!m_changes.isEmpty())
        m_files->setCurrentRow(0);
}

void UpdateSheet::showDiff(int row)
{
    m_diff->setPlainText(row >= 0 && row < m_changes.size() ? m_changes.at(row).diff : QString());
}
