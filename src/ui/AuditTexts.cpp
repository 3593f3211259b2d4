#include "ui/AuditTexts.h"
#include "texts/OutcomeTexts.h"

#include <QCoreApplication>
#include <QHash>
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
        return Texts::tr("High");
    case AuditLevel::medium:
        return Texts::tr("Medium");
    case AuditLevel::error:
        return Texts::tr("Error");
    case AuditLevel::warning:
        return Texts::tr("Warning");
    case AuditLevel::info:
        break;
    }
    return Texts::tr("Info");
}

QString AuditTexts::message(const AuditFinding& finding)
{
    return OutcomeTexts::auditMessage(finding);
}

QString AuditTexts::family(const QString& rule)
{
    static const QHash<QString, const char*> words{
        {u"remote-code"_s, QT_TRANSLATE_NOOP("AuditTexts", "Code from the network")},
        {u"exfiltration"_s, QT_TRANSLATE_NOOP("AuditTexts", "Data sent out")},
        {u"credential-access"_s, QT_TRANSLATE_NOOP("AuditTexts", "Access to credentials")},
        {u"prompt-injection"_s, QT_TRANSLATE_NOOP("AuditTexts", "Smuggled instructions")},
        {u"hidden-unicode"_s, QT_TRANSLATE_NOOP("AuditTexts", "Invisible characters")},
        {u"obfuscated-code"_s, QT_TRANSLATE_NOOP("AuditTexts", "Obfuscated code")},
        {u"binary-executable"_s, QT_TRANSLATE_NOOP("AuditTexts", "Executable program")},
        {u"destructive"_s, QT_TRANSLATE_NOOP("AuditTexts", "Destructive changes")},
        {u"unexpected-executable"_s, QT_TRANSLATE_NOOP("AuditTexts", "Executable file")},
        {u"oversized-skill"_s, QT_TRANSLATE_NOOP("AuditTexts", "Oversized skill")},
        {u"format"_s, QT_TRANSLATE_NOOP("AuditTexts", "Format")},
    };
    const auto found = words.constFind(rule);
    return found == words.cend() ? rule : Texts::tr(found.value());
}

QString AuditTexts::finding(const AuditFinding& finding)
{
    return u"%1 · %2 – %3"_s.arg(level(finding.level), finding.place(), message(finding));
}

QString AuditTexts::evidence(const AuditFinding& finding)
{
    if (finding.matched.isEmpty())
        return {};
    return (finding.decoded ? Texts::tr("decoded: %1") : Texts::tr("found: %1")).arg(finding.matched);
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
