#pragma once

#include "access/FolderContent.h"

#include <QList>
#include <QString>

// One file that differs between two versions of a skill folder.
struct FileChange
{
    enum class Kind
    {
        added,
        removed,
        changed,
    };
    QString path; // relative to the folder
    Kind kind = Kind::changed;
    QString diff; // unified, with its "---"/"+++" header; a line saying so for binary files
};

// What differs between two versions of a folder, file by file, as `diff -u` shows it.
namespace FolderDiff {

// The changed, added and removed files, by path; `label` names the folder in the headers
// ("a/LABEL/FILE", "b/LABEL/FILE").
QList<FileChange> between(const QList<ContentFile>& before, const QList<ContentFile>& after,
                          const QString& label);
// A unified diff of two texts with three lines of context, without a header; empty when equal.
QString unified(const QString& before, const QString& after);

} // namespace FolderDiff
