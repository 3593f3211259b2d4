#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace TestFiles {

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(content) == content.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool makeFolder(const QString& path)
{
    return QDir().mkpath(path);
}

bool makeLink(const QString& linkPath, const QString& destination)
{
    return ::symlink(QFile::encodeName(destination).constData(), QFile::encodeName(linkPath).constData()) ==
           0;
}

QStringList entryNames(const QString& folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QStringList treeSnapshot(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString relative = QDir(root).relativeFilePath(path);
        if (info.isSymLink()) // the stored text, not where it leads
            lines.append(relative + u" -> "_s +
                         QString::fromStdString(std::filesystem::read_symlink(path.toStdString()).string()));
        else if (info.isDir())
            lines.append(relative + u"/"_s);
        else if (info.isFile())
            lines.append(relative + u": "_s + QString::fromUtf8(readFile(path).toBase64()));
        else // a pipe or device: never opened, it could block
            lines.append(relative + u" (special)"_s);
    }
    lines.sort();
    return lines;
}

} // namespace TestFiles
