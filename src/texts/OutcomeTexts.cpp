#include "texts/OutcomeTexts.h"

#include "texts/Saying.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace OutcomeTexts {

QString conflict(const PlanConflict& conflict, Form form)
{
    using Kind = PlanConflict::Kind;
    switch (conflict.kind) {
    case Kind::foreignLink:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a link to %1 that Quorvane did not make"))
            .arg(conflict.subject);
    case Kind::foreignFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a folder that Quorvane did not make"));
    case Kind::foreignFile:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a file that Quorvane did not make"));
    case Kind::changedCopy:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a copy that was changed here"));
    case Kind::invalidName:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not a permitted name"));
    case Kind::folderUnreadable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "the folder cannot be read"));
    case Kind::folderUnreachable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "the folder cannot be reached"));
    case Kind::leavesProject:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a link that leads out of the project"));
    case Kind::lockFileNotRegular:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "the lock file is a link or not an ordinary file"));
    case Kind::hubHoldsOtherVersion:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "the hub holds another version than the lock file"));
    case Kind::noProjectFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” has no skills folder in the project"))
            .arg(conflict.subject);
    case Kind::notFetchableOffline:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "not in the cache; cannot be fetched without the network"));
    case Kind::differsFromLock:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "content differs from the lock file"));
    case Kind::noKnownSource:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not in the hub, and without a known source"));
    case Kind::notAllowedByPolicy:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "the project's policy does not allow its source %1"))
            .arg(conflict.subject);
    case Kind::policyUnreadable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "the project's policy cannot be read"));
    case Kind::tooYoungForPolicy:
        if (conflict.subject.isEmpty())
            return say(form,
                       QT_TRANSLATE_NOOP("OutcomeTexts",
                                         "the date of its commit is not known, and the project's policy "
                                         "asks for one"));
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "its commit of %1 is younger than the project's policy allows"))
            .arg(shownDate(conflict.subject, form));
    }
    Q_UNREACHABLE();
}

QString skillFinding(const SkillFinding& finding, Form form)
{
    using Kind = SkillFinding::Kind;
    const QString first = finding.data.value(0);
    switch (finding.kind) {
    case Kind::noSkillFile:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "No SKILL.md in the folder."));
    case Kind::noFrontmatter:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "No frontmatter: the SKILL.md does not begin with a '---' block."));
    case Kind::frontmatterTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The frontmatter is longer than 64 KiB."));
    case Kind::frontmatterTooDeep:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The frontmatter is nested too deeply."));
    case Kind::frontmatterNotYaml:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The frontmatter is not valid YAML (line %1)."))
            .arg(first);
    case Kind::frontmatterNotMapping:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The frontmatter is not a mapping of keys to values."));
    case Kind::fieldNotText:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'%1' must be text.")).arg(first);
    case Kind::nameMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'name' is missing."));
    case Kind::nameTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'name' is longer than 64 characters."));
    case Kind::nameCharacters:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'name' may contain only a–z, 0–9 and '-'."));
    case Kind::nameHyphens:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "'name' must not begin or end with '-' or contain '--'."));
    case Kind::nameDiffersFromFolder:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "'name' ('%1') differs from the folder's name '%2'."))
            .arg(first, finding.data.value(1));
    case Kind::descriptionMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'description' is missing."));
    case Kind::descriptionTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'description' is longer than 1024 characters."));
    case Kind::compatibilityTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'compatibility' is longer than 500 characters."));
    }
    Q_UNREACHABLE();
}

QString doctorFinding(const DoctorFinding& finding, Form form)
{
    using Says = DoctorFinding::Says;
    const QStringList& data = finding.data;
    switch (finding.says) {
    case Says::hubMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The central hub cannot be reached."));
    case Says::folderMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The folder %1 cannot be reached."))
            .arg(data.value(0));
    case Says::folderUnwritable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The folder %1 cannot be written to."))
            .arg(data.value(0));
    case Says::brokenLinkRepairable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The link leads nowhere; the hub has an item of this name."));
    case Says::brokenLink:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The link leads nowhere."));
    case Says::outdatedCopy:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The copy is older than the item in the hub."));
    case Says::modifiedCopy:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The copy was changed here."));
    case Says::unmanaged:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Not placed by Quorvane."));
    case Says::openRisk:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The audit found a high risk that you have not accepted."));
    case Says::linkNotFollowed:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "%1 does not follow links: the skill stays invisible."))
            .arg(data.value(0));
    case Says::linkedSkillFile:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "%1 does not load a SKILL.md that is itself a link."))
            .arg(data.value(0));
    case Says::noSkillFile:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "No SKILL.md: the assistant does not load the folder."));
    case Says::nameOrDescriptionMissing:
        return say(form, QT_TRANSLATE_NOOP(
                             "OutcomeTexts",
                             "Without a name or a description the assistant does not load the skill."));
    case Says::nameDiffersFromFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The name “%1” differs from the folder."))
            .arg(data.value(0));
    case Says::skillFormat:
        return finding.format ? skillFinding(*finding.format, form) : QString();
    case Says::duplicateInFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The name “%1” occurs more than once in this folder: %2."))
            .arg(data.value(0), data.value(1));
    case Says::alsoLoadedFrom:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 also loads “%2” from %3."))
            .arg(data.value(0), data.value(1), data.value(2));
    case Says::listingBudget:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "%1 lists %3 characters of names and descriptions, %4 more than its "
                                     "budget of %2; left out: %5."))
            .arg(data.value(0), number(data.value(1), form), number(data.value(2), form),
                 number(QString::number(data.value(2).toLongLong() - data.value(1).toLongLong()), form),
                 data.value(3));
    case Says::frontmatterRejected:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "%1 refuses the frontmatter key(s) %2; it accepts %3."))
            .arg(data.value(0), data.value(1), data.value(2));
    case Says::overridesUserSkill:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "“%2” here overrides the skill of the same name in %3: %1 lets a "
                                           "project's skills win over the user's."))
            .arg(data.value(0), data.value(1), data.value(2));
    case Says::overriddenInProject:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "In %3, %1 uses the project's “%2” instead of this one: a project's "
                                     "skills win over the user's."))
            .arg(data.value(0), data.value(1), data.value(2));
    case Says::shadowedByOther:
        return say(form, data.value(3) == u"own-wins"_s
                             ? QT_TRANSLATE_NOOP("OutcomeTexts", "%1 also finds “%2” in %3; this one wins.")
                         : data.value(3) == u"other-wins"_s
                             ? QT_TRANSLATE_NOOP("OutcomeTexts",
                                                 "%1 also finds “%2” in %3, and that one wins over this one.")
                             : QT_TRANSLATE_NOOP("OutcomeTexts",
                                                 "%1 also finds “%2” in %3; which one it uses is not known."))
            .arg(data.value(0), data.value(1), data.value(2));
    case Says::notReadHere:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 does not read this folder: it reads %2."))
            .arg(data.value(0), data.value(1));
    case Says::linkLeavesRepository:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The link leads out of the repository, to %2: %1 then drops every "
                                           "skill of the repository."))
            .arg(data.value(0), data.value(1));
    }
    Q_UNREACHABLE();
}

QString task(const BackgroundTask::Work& work, qint64 total)
{
    switch (work.kind) {
    case BackgroundTask::Work::Kind::changingEntries:
        return QCoreApplication::translate("OutcomeTexts", "Changing entries (%n)...", nullptr, int(total));
    case BackgroundTask::Work::Kind::importingItem:
        // Several at once are an adoption.
        return work.subject.isEmpty()
                   ? QCoreApplication::translate("OutcomeTexts", "Adopting skills...")
                   : QCoreApplication::translate("OutcomeTexts", "Importing '%1'...").arg(work.subject);
    case BackgroundTask::Work::Kind::importingBackup:
        return QCoreApplication::translate("OutcomeTexts", "Importing backup...");
    }
    Q_UNREACHABLE();
}

QString presetName(const AssistantPreset& preset)
{
    // The names that are no product's, for the translation file.
    [[maybe_unused]] static const char* const givenNames[] = {
        QT_TRANSLATE_NOOP("AssistantPresets", "Shared agents folder"),
    };
    return QCoreApplication::translate("AssistantPresets", preset.name.toUtf8().constData());
}

namespace {

// The words of the checks written in code, by the check's name.
QString ownCheck(const QString& check, Form form)
{
    static const QHash<QString, const char*> words{
        {u"execute-bit"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Executable, but not under scripts/")},
        {u"nul-byte"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "A NUL byte in a text file hides what follows from viewers")},
        {u"hidden-character"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Invisible character")},
        {u"tag-characters"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Text hidden in invisible tag characters")},
        {u"long-skill-file"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "SKILL.md has more than 500 lines")},
        {u"encoded-run"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Contains long encoded data")},
        {u"typosquat"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "Installs a package named like a popular one, one letter apart")},
    };
    const char* english = words.value(check);
    return english ? say(form, english) : check;
}

} // namespace

QString auditMessage(const AuditFinding& finding, Form form)
{
    if (finding.format)
        return skillFinding(*finding.format, form);
    if (finding.message.isEmpty())
        return ownCheck(finding.ruleName, form);
    const bool german = form == Form::shown && QLocale().language() == QLocale::German;
    return german && !finding.messageDe.isEmpty() ? finding.messageDe : finding.message;
}

} // namespace OutcomeTexts
