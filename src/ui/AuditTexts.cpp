#include "ui/AuditTexts.h"

#include <QCoreApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(AuditTexts)
};

} // namespace

QString AuditTexts::level(AuditLevel level)
{
    switch (level) {
    case AuditLevel::high:
        return Texts::tr("Hoch");
    case AuditLevel::medium:
        return Texts::tr("Mittel");
    case AuditLevel::error:
        return Texts::tr("Fehler");
    case AuditLevel::warning:
        return Texts::tr("Hinweis");
    case AuditLevel::info:
        break;
    }
    return Texts::tr("Info");
}

QString AuditTexts::finding(const AuditFinding& finding)
{
    return u"%1 · %2 – %3"_s.arg(level(finding.level), finding.place(), finding.message);
}

QLabel* AuditTexts::label(const AuditFinding& finding, const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    if (finding.level == AuditLevel::high && !finding.accepted)
        label->setStyleSheet(u"color: #b3261e;"_s);
    return label;
}
