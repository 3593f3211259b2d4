#include "access/WriteProbe.h"

#include "access/FileSystem.h"

#include <QUuid>

using namespace Qt::StringLiterals;

bool canWriteToFolder(const QString& folderPath)
{
    if (FileSystem::existsAsFolder(folderPath) != true)
        return false;
    if (!FileSystem::listFolder(folderPath))
        return false;

    const QString probeName =
        u".quorvane_write_probe_"_s + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    const QString probePath = FileSystem::childPath(folderPath, probeName);
    if (FileSystem::writeBytes(probePath, "probe", FileSystem::WriteMode::atomic) &&
        FileSystem::remove(probePath))
        return true;
    (void)FileSystem::remove(probePath);
    return false;
}
