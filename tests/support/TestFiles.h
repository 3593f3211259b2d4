#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Small helpers to lay out and inspect real folders in tests. They fail the test via
// QTest's verification only in the calling test; here they just report success.
namespace TestFiles {

// Makes the folders on the way.
bool writeFile(const QString& path, const QByteArray& content);
QByteArray readFile(const QString& path);
bool makeFolder(const QString& path);
bool makeLink(const QString& linkPath, const QString& destination);
// Entry names of a folder, sorted, hidden ones included.
QStringList entryNames(const QString& folder);
// A description of a whole tree (relative paths with kind and content or link text),
// to compare a tree before and after an operation.
QStringList treeSnapshot(const QString& root);

} // namespace TestFiles
