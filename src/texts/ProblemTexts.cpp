// The words for why something failed, and for what an install did.
#include "texts/OutcomeTexts.h"

#include "texts/Saying.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace OutcomeTexts {

namespace {

QString whenLimitEnds(const QString& secondsSinceEpoch, Form form)
{
    const QTime time = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch.toLongLong()).toLocalTime().time();
    return form == Form::shown ? QLocale().toString(time, QLocale::ShortFormat) : time.toString(u"HH:mm"_s);
}

// What stood in a JSON document where another type was expected.
QString foundInJson(const QString& found, Form form)
{
    static const QHash<QString, const char*> words = {
        {u"null"_s, "null"},
        {u"text"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "a text")},
        {u"boolean"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "a truth value")},
        {u"integer"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "a whole number")},
        {u"fraction"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "a number with a fraction")},
        {u"list"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "a list")},
        {u"object"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "an object")}};
    return say(form, words.value(found, QT_TRANSLATE_NOOP("OutcomeTexts", "something else")));
}

// Where in a JSON document: "at skills[0].name", or at its top level.
QString placeInJson(const QString& path, Form form)
{
    return path.isEmpty() ? say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "at the top level"))
                          : say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "at %1")).arg(path);
}

// What failed on a file or folder: "Cannot read /x", or with a second path "Cannot move /x to /y".
QString fileOperation(const QString& operation, const QString& path, const QString& other, Form form)
{
    static const QHash<QString, const char*> sentences = {
        {u"read"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot read %1")},
        {u"create"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot create %1")},
        {u"write"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot write %1")},
        {u"set-permissions"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot set the permissions of %1")},
        {u"copy-link"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot copy the link %1")},
        {u"list"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot list the folder %1")},
        {u"read-link"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot read the link %1")},
        {u"create-link"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot create a link at %1")},
        {u"create-folder"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot create the folder %1")},
        {u"remove"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot remove %1")},
        {u"set-aside"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "Replaced %1, but could not set the old item aside")},
        {u"copy"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot copy %1 to %2")},
        {u"move"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot move %1 to %2")},
        {u"replace"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "Cannot replace %1 with %2")},
        {u"remove-original"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "Moved %1 to %2, but could not remove the original")}};
    const QString sentence = say(form, sentences.value(operation, "%1"));
    return sentence.contains(u"%2"_s) ? sentence.arg(path, other) : sentence.arg(path);
}

// Why a project's policy cannot be used, from its word and what that names.
QString policyRefusal(const QStringList& data, Form form)
{
    static const QHash<QString, const char*> sentences = {
        {u"not-a-plain-file"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "not a plain file of at most 1 MiB")},
        {u"not-an-object"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "not a JSON object")},
        {u"version-missing"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "policyVersion is missing")},
        {u"version-unknown"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "policyVersion %1 is not known here; this version knows %2")},
        {u"sources-not-a-list"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "allowedSources is not a list")},
        {u"sources-not-patterns"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "allowedSources holds something other than a pattern")},
        {u"age-not-days"_s,
         QT_TRANSLATE_NOOP("OutcomeTexts", "minimumCommitAgeDays is not a number of days")},
        {u"audit-not-boolean"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "auditMustPass is not true or false")},
        {u"rules-outside"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "rules is not a folder inside the project")},
        {u"key-unknown"_s, QT_TRANSLATE_NOOP("OutcomeTexts", "the key “%1” is not known here")}};
    QString sentence = say(form, sentences.value(data.value(0), "%1"));
    for (const QString& named : data.mid(1))
        sentence = sentence.arg(named);
    return sentence;
}

// The problem's own sentence; `beneath` is its cause's, for the kinds that embed it.
QString sentence(const Problem& problem, const QString& beneath, Form form)
{
    using Kind = Problem::Kind;
    const QStringList& data = problem.data;
    const QString first = data.value(0);
    switch (problem.kind) {
    case Kind::said:
        return first;
    case Kind::concerning:
        return first + u": "_s + beneath;
    case Kind::network:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Network error: %1")).arg(first);
    case Kind::decoding:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Decoding error: %1")).arg(first);
    case Kind::invalidUrl:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Invalid URL"));
    case Kind::invalidResponse:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Invalid server response"));
    case Kind::noSkillFile:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The SKILL.md file was not found in the GitHub repository."));
    case Kind::rateLimited:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "GitHub limit reached, possible again at %1"))
            .arg(whenLimitEnds(first, form));
    case Kind::notFound:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 not found")).arg(first);
    case Kind::searchUrlInvalid:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The search address could not be built."));
    case Kind::wrongDataType:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Wrong data type."));
    case Kind::missingValue:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Missing data value."));
    case Kind::unexpectedFormat:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Unexpected data format."));
    case Kind::unreadableData:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The data could not be read."));
    case Kind::notJson:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The data is not valid JSON."));
    case Kind::jsonWrongType:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Expected %1, found %2, %3."))
            .arg(first, foundInJson(data.value(1), form), placeInJson(data.value(2), form));
    case Kind::jsonValueMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Expected a value of type %1, found null, %2."))
            .arg(first, placeInJson(data.value(1), form));
    case Kind::jsonKeyMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "No value for the key \"%1\" %2."))
            .arg(first, placeInJson(data.value(1), form));
    case Kind::jsonNumberTooLarge:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The number %1 does not fit into Int64, %2."))
            .arg(first, placeInJson(data.value(1), form));
    case Kind::jsonValueRefused: // "<why>, at <path>."
        return (beneath.endsWith(u'.') ? beneath.chopped(1) : beneath) + u", "_s + placeInJson(first, form) +
               u'.';
    case Kind::notAUuid:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” is not a UUID")).arg(first);
    case Kind::notBase64:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The value is not valid Base64"));
    case Kind::notADate:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” is not a date in the form 2026-03-01T14:05:09Z"))
            .arg(first);
    case Kind::notALockedSource:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not [HOST/]OWNER/REPO or a git remote"));
    case Kind::notAGitRef:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not a ref git accepts"));
    case Kind::pathLeavesRepository:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a path that leaves the repository"));
    case Kind::notACommit:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not a commit SHA"));
    case Kind::noRef:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "no ref"));
    case Kind::notASha256:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not a SHA-256 in hex"));
    case Kind::appLeavesProject:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” leaves the project")).arg(first);
    case Kind::namedTwice:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "a skill is named twice"));
    case Kind::lockFileTooLarge:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The lock file is larger than %1 MiB; it is not read."))
            .arg(first);
    case Kind::notAPlainFile:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 is not a plain file.")).arg(first);
    case Kind::nameEmpty:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The name is empty."));
    case Kind::nameIsAFolderItself:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The name “%1” stands for a folder itself, not an item in it."))
            .arg(first);
    case Kind::nameHasSlash:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "The name contains “/”, which would place the item in another folder."));
    case Kind::nameHasNul:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The name contains a NUL character."));
    case Kind::nameHasControlCharacters:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The name contains control characters."));
    case Kind::fileFailed: // the system's words after the operation, or else its cause's
        return data.value(3).isEmpty()
                   ? fileOperation(first, data.value(1), data.value(2), form)
                   : fileOperation(first, data.value(1), data.value(2), form) + u": "_s + data.value(3);
    case Kind::stopped:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Stopped."));
    case Kind::notAFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” is not a folder.")).arg(first);
    case Kind::accessNotKept:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "No access to “%1” could be kept.")).arg(first);
    case Kind::isALink:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 is a link; it is not read.")).arg(first);
    case Kind::notAFileFolderOrLink:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "only files, folders and links can be copied"));
    case Kind::linkDestinationTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "its destination is too long"));
    case Kind::linkLeadsNowhere:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The destination of %1 does not exist: %2"))
            .arg(first, data.value(1));
    case Kind::tooManyLinks:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Too many levels of links at %1")).arg(first);
    case Kind::somethingElseThere:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "something else is there"));
    case Kind::doesNotExist:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "it does not exist"));
    case Kind::pathLeavesFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The path “%1” would leave the folder."))
            .arg(first);
    case Kind::pathTooLong:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The path “%1” is too long for the file system."))
            .arg(first);
    case Kind::notTheContent:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The files do not have the content hash %1."))
            .arg(first);
    case Kind::notWrittenThroughLink:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "%1 is a link or not a plain file; it is not written."))
            .arg(first);
    case Kind::linkHoldsHubOrApp:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The link leads to a folder that holds the hub or the "
                                                     "app's folder; it cannot be moved into the hub."));
    case Kind::linkAlreadyInHub:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The link already leads into the hub."));
    case Kind::notAGitHubSource:
        return say(form, QT_TRANSLATE_NOOP(
                             "OutcomeTexts",
                             "'%1' is not a GitHub source of the form [HOST/]OWNER/REPO[@REF][:PATH]."))
            .arg(first);
    case Kind::notAGitRemote:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "'%1' is not a git remote: give an https, ssh or file address, "
                                     "an absolute path or user@host:path, with @REF and #PATH if need be."))
            .arg(first);
    case Kind::plainHttpHost:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "%1 is reached over https only; plain http is for a host on this "
                                           "machine, since a token would travel unencrypted."))
            .arg(first);
    case Kind::passwordInUrl:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "%1 carries a password. Keep it in git's credential helper instead "
                                     "and give the address without it."))
            .arg(first);
    case Kind::gitMissing:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "git is not installed; git sources need it."));
    case Kind::gitAuthenticationFailed:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "%1 refused access. Check your git credentials or SSH key for it."))
            .arg(first);
    case Kind::gitUnreachable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1 cannot be reached: %2"))
            .arg(first, data.value(1));
    case Kind::gitFailed:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "git failed for %1: %2"))
            .arg(first, data.value(1));
    case Kind::notAnAddress:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'%1' is not an http(s) address.")).arg(first);
    case Kind::sourceExists:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The source '%1' is already there.")).arg(first);
    case Kind::noSuchSource:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "There is no source with the id or location “%1”."))
            .arg(first);
    case Kind::folderNotInRepository:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The folder “%1” is not in the repository."))
            .arg(first);
    case Kind::unusablePath:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The skill contains a path that is not permitted: "
                                                           "“%1”. Nothing was installed."))
            .arg(first);
    case Kind::tooManyFiles:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The skill has %1 files; at most %2 are installed. "
                                                     "Nothing was installed."))
            .arg(first, data.value(1));
    case Kind::tooLarge:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The skill is %1 MiB; at most %2 MiB are installed. "
                                                     "Nothing was installed."))
            .arg(first, data.value(1));
    case Kind::largerThanAllowed:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The skill is larger than %1 MiB. Nothing was installed."))
            .arg(first);
    case Kind::noSkillFileInFolder:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "There is no SKILL.md in the folder “%1”."))
            .arg(first);
    case Kind::listingTruncated:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "GitHub cut the repository's file list short."));
    case Kind::fileNotLoaded:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” could not be loaded: %2"))
            .arg(first, beneath);
    case Kind::changedWhileLoading:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "“%1” changed while it was being loaded. Please try again."))
            .arg(first);
    case Kind::hubUnreachable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The central hub cannot be reached."));
    case Kind::notAFolderName:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "“%1” cannot be a folder name in the hub."))
            .arg(first);
    case Kind::unknownOriginHere:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The hub already holds a folder “%1” whose origin is unknown."))
            .arg(first);
    case Kind::changedHere:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The skill “%1” was changed here.")).arg(first);
    case Kind::chooseHubFirst:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "Please choose the central folder in the hub first!"));
    case Kind::installFailed:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Installation failed:\n%1")).arg(beneath);
    case Kind::downloadFailed:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Download failed:\n%1")).arg(beneath);
    case Kind::notAPathInRepository:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'%1' is not a permitted path in the repository."))
            .arg(first);
    case Kind::highRisk:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The audit found a high risk in '%1'; nothing was installed."))
            .arg(first);
    case Kind::auditRefused:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The audit found a high risk (%1)"))
            .arg(data.join(u", "_s));
    case Kind::originUnknown:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Nothing records where '%1' came from."))
            .arg(first);
    case Kind::notInHub:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "'%1' is no longer in the hub.")).arg(first);
    case Kind::folderGone:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1: The folder “%2” is no longer in %3."))
            .arg(first, data.value(1), data.value(2));
    case Kind::notCachedWithoutSource:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "not in the cache, and without a known source"));
    case Kind::notCachedOffline:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "not in the cache; cannot be fetched without the network"));
    case Kind::differsFromLock:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "content differs from the lock file"));
    case Kind::noLockFile:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "There is no %1 in %2."))
            .arg(first, data.value(1));
    case Kind::appNotAdded:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1: the app could not be added")).arg(first);
    case Kind::policyUnreadable:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "The project's policy %1 cannot be used: %2"))
            .arg(first, beneath);
    case Kind::policyRefused:
        return policyRefusal(data, form);
    case Kind::sourceNotAllowed:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "the project's policy does not allow %1; it allows %2."))
            .arg(first, data.value(1).isEmpty() ? u"—"_s : data.value(1));
    case Kind::commitTooYoung:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts",
                                     "its commit of %1 is younger than the %2 days the project's policy "
                                     "asks for."))
            .arg(shownDate(first, form), data.value(1));
    case Kind::commitAgeUnknown:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "the date of its commit is not known, and the project's policy "
                                           "asks for %1 days; install it again to learn it."))
            .arg(first);
    case Kind::policyDemandsPass:
        return say(form, QT_TRANSLATE_NOOP(
                             "OutcomeTexts",
                             "the project's policy lets in no finding of level high, accepted or not"));
    case Kind::notRecorded:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "%1: not recorded")).arg(first);
    case Kind::sharedLockRefused:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts",
                                           "The other installers' lock file %1 is not used; nothing was "
                                           "changed"))
            .arg(first);
    case Kind::lockVersionUnknown:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "it is not of version %1")).arg(first);
    case Kind::secretInUrl:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "the address %1 carries a password or token"))
            .arg(first);
    case Kind::storeDamaged:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The file %1 is damaged or not a data store (%2)."))
            .arg(first, data.value(1));
    case Kind::storeOfNewerVersion:
        return say(form,
                   QT_TRANSLATE_NOOP("OutcomeTexts", "The file %1 comes from a newer version of Quorvane "
                                                     "(schema %2; this version knows up to %3). It stays "
                                                     "unchanged."))
            .arg(first, data.value(1), data.value(2));
    case Kind::notCarriedOut:
        return say(form, QT_TRANSLATE_NOOP("OutcomeTexts", "Not carried out: %1 %2: %3"))
            .arg(first, data.value(1), beneath);
    }
    Q_UNREACHABLE();
}

bool embedsItsCause(Problem::Kind kind)
{
    using Kind = Problem::Kind;
    return kind == Kind::concerning || kind == Kind::jsonValueRefused || kind == Kind::policyUnreadable ||
           kind == Kind::fileNotLoaded || kind == Kind::installFailed || kind == Kind::downloadFailed ||
           kind == Kind::notCarriedOut;
}

} // namespace

QString problem(const Problem& problem, Form form)
{
    const QString beneath = problem.cause ? OutcomeTexts::problem(*problem.cause, form) : QString();
    const QString own = sentence(problem, beneath, form);
    return beneath.isEmpty() || embedsItsCause(problem.kind) ? own : own + u": "_s + beneath;
}

QString problems(const QList<Problem>& problems, Form form)
{
    QStringList lines;
    for (const Problem& each : problems)
        lines.append(problem(each, form));
    return lines.join(u'\n');
}

QString installed(const InstallResult& result)
{
    return result.updated
               ? say(Form::shown, QT_TRANSLATE_NOOP("OutcomeTexts", "Skill '%1' was updated."))
                     .arg(result.name)
               : say(Form::shown, QT_TRANSLATE_NOOP("OutcomeTexts", "Skill '%1' was installed in the hub!"))
                     .arg(result.name);
}

QStringList installNotes(const InstallResult& result)
{
    QStringList notes;
    if (result.commitUnknown)
        notes.append(
            say(Form::shown, QT_TRANSLATE_NOOP("OutcomeTexts", "The commit could not be determined: "
                                                               "lock files do not hold this state.")));
    if (result.incomplete)
        notes.append(
            say(Form::shown, QT_TRANSLATE_NOOP("OutcomeTexts",
                                               "Only the SKILL.md was installed; the skill's other files are "
                                               "missing because its folder could not be read: %1"))
                .arg(problem(*result.incomplete)));
    if (!result.skipped.isEmpty())
        notes.append(
            say(Form::shown, QT_TRANSLATE_NOOP("OutcomeTexts", "Not installed (links and submodules): %1"))
                .arg(result.skipped.join(u", "_s)));
    return notes;
}

} // namespace OutcomeTexts
