#pragma once

#include <QString>

// Whether an entry can really be created and deleted in the folder: listing it alone
// does not prove that on a read-only grant or volume. Writes and removes a probe file
// ".quorvane_write_probe_<UUID>"; never logs.
bool canWriteToFolder(const QString& folderPath);
