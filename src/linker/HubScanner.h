#pragma once

#include "Skill.h"

#include <QString>

// Turning hub entries into skills with their previews.
namespace HubScanner {

// A skill for one hub entry: name and extension, folder flag (following links) and preview.
Skill makeSkill(const QString& entryPath);

// The first three lines of `text` that hold more than spaces and tabs, joined by line
// feeds and kept as they are (indentation included). Every Unicode line break ends a line.
QString contentSnippet(const QString& text);

// Whether the entry name is hidden: such entries are never listed.
bool isHiddenName(const QString& name);

} // namespace HubScanner
