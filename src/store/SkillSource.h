#pragma once

#include "base/Problem.h"
#include "base/Result.h"
#include "store/RemoteSkillItem.h"
#include "store/SkillFolderFetch.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// The hits of a search, or the message the user sees instead.
using SearchAnswer = Result<QList<RemoteSkillItem>, Problem>;
// A downloaded SKILL.md and where it was found.
struct FoundSkillFile
{
    QString text;
    QString branch;
    QString path; // inside the repository, as it was asked for
};
using DownloadAnswer = Result<FoundSkillFile, Problem>;
// A skill's folder as fetched, or the user's message why not.
using FetchAnswer = Result<FetchedSkill, Problem>;

// Where skills are found and fetched from. Every answer comes later on the calling
// thread, once, unless `context` is destroyed first: that cancels the request.
class SkillSource
{
public:
    virtual ~SkillSource() = default;

    // How the source is named to the user.
    virtual QString displayName() const = 0;
    // The host a skill's files come from, as the install note names it.
    virtual QString downloadHost() const = 0;

    // Fails when no part of the source could answer; hits from some parts are an answer.
    virtual void search(const QString& query, QObject* context,
                        std::function<void(const SearchAnswer&)> done) = 0;
    // The parts that could not answer the last search, each with why.
    virtual QList<Problem> lastFailures() const { return {}; }
    // False when there is nothing to search at all.
    virtual bool isConfigured() const { return true; }
    // The hit's whole folder, or its SKILL.md alone where the folder cannot be listed.
    virtual void fetch(const RemoteSkillItem& item, QObject* context,
                       std::function<void(const FetchAnswer&)> done) = 0;

    // A GitHub repository's whole tree at a ref, in one listing: how installed skills learn
    // whether their folder changed.
    virtual void listRepository(const QString& repository, const QString& ref, QObject* context,
                                std::function<void(const Result<RepositoryTree, Problem>&)> done) = 0;

    // Reads again what the source searches locally (all of it, or only where it has grown
    // old); `done` gets the user's message for each part that failed, on the calling
    // thread, unless `context` goes first.
    virtual void refreshLists(bool staleOnly, QObject* context,
                              std::function<void(const QList<Problem>&)> done);
};
