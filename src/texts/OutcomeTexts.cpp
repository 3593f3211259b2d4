#include "texts/OutcomeTexts.h"

#include <QCoreApplication>

namespace OutcomeTexts {

namespace {

QString say(Form form, const char* english)
{
    return form == Form::shown ? QCoreApplication::translate("OutcomeTexts", english)
                               : QString::fromUtf8(english);
}

} // namespace

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
    }
    Q_UNREACHABLE();
}

} // namespace OutcomeTexts
