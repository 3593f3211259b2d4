#pragma once

#include "store/GitRemote.h"
#include "store/SkillFolderFetch.h"
#include "store/SkillIndex.h"

#include <functional>
#include <optional>

class QObject;

// A git source's trees, skill folders and index, read from its mirror on a worker. Each answer
// comes once, later, on `context`'s thread, unless `context` goes first.
namespace GitSkillReader {

// The whole tree at `ref`, fetched first.
void listTree(const QString& url, const QString& ref, QObject* context,
              std::function<void(const Result<RepositoryTree, Problem>&)> done);

// A skill's folder at the origin's ref, checked as a GitHub folder is before any file is read.
void fetchFolder(const SkillOrigin& origin, QObject* context,
                 std::function<void(const Result<FetchedSkill, Problem>&)> done);

// The source's skills at its ref; SKILL.md files unchanged since `cached` are not read again.
void refreshIndex(const GitLocation& location, std::optional<SkillIndex> cached, QObject* context,
                  std::function<void(const Result<SkillIndex, Problem>&)> done);

} // namespace GitSkillReader
