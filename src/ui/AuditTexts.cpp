#include "ui/AuditTexts.h"

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

QString AuditTexts::message(const AuditFinding& finding)
{
    return finding.messageDe.isEmpty() ? finding.message : finding.messageDe;
}

QString AuditTexts::family(const QString& rule)
{
    static const QHash<QString, const char*> words{
        {u"remote-code"_s, QT_TRANSLATE_NOOP("AuditTexts", "Code aus dem Netz")},
        {u"exfiltration"_s, QT_TRANSLATE_NOOP("AuditTexts", "Daten nach außen")},
        {u"credential-access"_s, QT_TRANSLATE_NOOP("AuditTexts", "Zugriff auf Zugangsdaten")},
        {u"prompt-injection"_s, QT_TRANSLATE_NOOP("AuditTexts", "Untergeschobene Anweisungen")},
        {u"hidden-unicode"_s, QT_TRANSLATE_NOOP("AuditTexts", "Unsichtbare Zeichen")},
        {u"obfuscated-code"_s, QT_TRANSLATE_NOOP("AuditTexts", "Verschleierter Code")},
        {u"binary-executable"_s, QT_TRANSLATE_NOOP("AuditTexts", "Ausführbares Programm")},
        {u"destructive"_s, QT_TRANSLATE_NOOP("AuditTexts", "Zerstörerische Änderungen")},
        {u"unexpected-executable"_s, QT_TRANSLATE_NOOP("AuditTexts", "Ausführbare Datei")},
        {u"oversized-skill"_s, QT_TRANSLATE_NOOP("AuditTexts", "Überlanger Skill")},
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
    return (finding.decoded ? Texts::tr("entschlüsselt: %1") : Texts::tr("gefunden: %1"))
        .arg(finding.matched);
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
