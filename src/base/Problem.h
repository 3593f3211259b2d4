#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// What went wrong, as a kind with the data its sentence needs. The core never words it: the
// window and the tool do, each in the user's language.
struct Problem
{
    Q_GADGET

public:
    enum class Kind
    {
        said,       // a lower layer's own words (the file system's, the network stack's): data[0]
        concerning, // data[0] is what it concerns (an item, a repository); the cause says what
        // Servers and their answers
        network,  // data[0]: the network stack's words
        decoding, // data[0]: the decoder's words
        invalidUrl,
        invalidResponse,
        noSkillFile, // the repository holds no SKILL.md where the hit says
        rateLimited, // data[0]: when the limit ends, in seconds since the epoch
        notFound,    // data[0]: what was asked for
        searchUrlInvalid,
        wrongDataType,
        missingValue,
        unexpectedFormat,
        unreadableData,
        // Documents read strictly (backups, lock files): where, and what stood there
        notJson,
        jsonWrongType,      // data: the type expected, what was found (a word: text, integer, …), the path
        jsonValueMissing,   // data: the type expected, the path; null was found
        jsonKeyMissing,     // data: the key, the path of its object
        jsonNumberTooLarge, // data: the number, the path
        jsonValueRefused,   // data[0]: the path; the cause says why
        notAUuid,           // data[0]: the text
        notBase64,
        notADate,         // data[0]: the text
        notALockedSource, // a repository that is neither [HOST/]OWNER/REPO nor a git remote
        notAGitRef,
        pathLeavesRepository,
        notACommit,
        noRef,
        notASha256,
        appLeavesProject, // data[0]: the app's folder in the project
        namedTwice,
        lockFileTooLarge, // data[0]: the most allowed in MiB
        notAPlainFile,    // data[0]: the path
        // Names of items
        nameEmpty,
        nameIsAFolderItself, // data[0]: the name ("." or "..")
        nameHasSlash,
        nameHasNul,
        nameHasControlCharacters,
        // Sources
        notAGitHubSource, // data[0]: the location given
        notAnAddress,     // data[0]: the location given for a directory
        sourceExists,     // data[0]: the location, as it would be kept
        noSuchSource,     // data[0]: the id or location asked for
        // Git sources
        notAGitRemote,           // data[0]: the location given
        passwordInUrl,           // data[0]: the URL, without its password
        plainHttpHost,           // data[0]: a GitHub host named with http that is not this machine
        gitMissing,              // the git program is not installed
        gitAuthenticationFailed, // data[0]: the remote
        gitUnreachable,          // data: the remote, git's words
        gitFailed,               // data: the remote, git's words
        // A skill's folder in a repository
        folderNotInRepository, // data[0]: the folder
        unusablePath,          // data[0]: the path inside the skill
        tooManyFiles,          // data: the count, the most allowed
        tooLarge,              // data: the size in MiB, the most allowed in MiB
        largerThanAllowed,     // data[0]: the most allowed in MiB
        noSkillFileInFolder,   // data[0]: the folder
        listingTruncated,      // the host cut the repository's file list short
        fileNotLoaded,         // data[0]: the file; the cause says why
        changedWhileLoading,   // data[0]: the file
        // The hub
        hubUnreachable,
        notAFolderName,    // data[0]: the name
        unknownOriginHere, // data[0]: the folder in the hub that nothing records
        changedHere,       // data[0]: the skill changed in the hub
        chooseHubFirst,
        // Installs and updates
        installFailed,        // the cause says why
        downloadFailed,       // the cause says why
        notAPathInRepository, // data[0]: the path given
        highRisk,             // data[0]: the skill in which the audit found a high risk
        auditRefused,         // data: each open high finding, as "place rule"
        originUnknown,        // data[0]: the hub item
        notInHub,             // data[0]: the hub item
        folderGone,           // data: the item, its folder, the repository at its ref
        // Lock files and restores
        notCachedWithoutSource,
        notCachedOffline,
        differsFromLock,
        noLockFile,  // data: the lock file's name, the project
        appNotAdded, // data[0]: the app's folder
        notRecorded, // data[0]: the path kept in the project
        // Other installers' lock files
        sharedLockRefused,  // data[0]: the file; the cause says why
        lockVersionUnknown, // data[0]: the version this one reads
        secretInUrl,        // data[0]: the URL, without what it carries
        // A project's policy
        policyUnreadable,  // data[0]: the policy file; the cause says why
        policyRefused,     // data: why, as ProjectPolicy's word, then what that word names
        sourceNotAllowed,  // data: the repository, the allowed patterns
        commitTooYoung,    // data: the commit's date (ISO 8601, UTC), the minimum age in days
        commitAgeUnknown,  // data[0]: the minimum age in days a project's policy asks for
        policyDemandsPass, // no acceptance lets a high finding in here; the cause names them
        // Files and folders
        fileFailed, // data: the operation (FileSystem's word), the path, the other path or "", the
                    // system's words or ""; else the cause says why
        stopped,
        notAFolder,    // data[0]: the path
        accessNotKept, // data[0]: the folder
        isALink,       // data[0]: the path
        notAFileFolderOrLink,
        linkDestinationTooLong,
        linkLeadsNowhere, // data: the link, where on its way nothing is
        tooManyLinks,     // data[0]: the path
        somethingElseThere,
        doesNotExist,
        pathLeavesFolder,      // data[0]: the path inside the folder
        pathTooLong,           // data[0]: the path inside the folder
        notTheContent,         // data[0]: the content hash the files do not have
        notWrittenThroughLink, // data[0]: the path
        // Imports
        linkHoldsHubOrApp,
        linkAlreadyInHub,
        // The store of records
        storeDamaged,        // data: the file, what the database said
        storeOfNewerVersion, // data: the file, its schema, the newest this version knows
        // Placements
        notCarriedOut, // data: the plan's word for the action, its path; the cause says why
    };
    Q_ENUM(Kind)

    Kind kind = Kind::said;
    QStringList data;
    std::shared_ptr<const Problem> cause; // what lay beneath, told after it

    Problem() = default;
    Problem(Kind what, QStringList facts = {})
        : kind(what)
        , data(std::move(facts))
    {}

    // `operation` on `path` (and `other`) failed; `why` is the system's words, if it said any.
    static Problem fileFailed(const char* operation, const QString& path, const QString& why = {},
                              const QString& other = {})
    {
        return {Kind::fileFailed, {QString::fromLatin1(operation), path, other, why}};
    }
    // A lower layer's own words, passed on as they are.
    static Problem said(const QString& words) { return {Kind::said, {words}}; }
    // This problem, with `beneath` as its cause.
    Problem because(Problem beneath) const
    {
        Problem problem = *this;
        problem.cause = std::make_shared<const Problem>(std::move(beneath));
        return problem;
    }
    // For the log, which is the program's own and always in one language: the kind's name,
    // its data and its causes ("fileNotLoaded(a.md): network(Connection refused)").
    QString logText() const;
    // Several, one to a line.
    static QString logText(const QList<Problem>& problems);

    // `what` went wrong for `subject`.
    static Problem concerning(const QString& subject, Problem what)
    {
        return Problem(Kind::concerning, {subject}).because(std::move(what));
    }
};
