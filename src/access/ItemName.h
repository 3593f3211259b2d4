#pragma once

#include "base/Result.h"

#include <QString>

// Item names that come from outside (backup files, search hits, the command line) are
// used as one path component inside the hub or a target folder. A name that is empty,
// "." or "..", holds a "/" or a NUL, or holds control characters would reach outside
// that folder or make an unusable entry; this check refuses it with a reason.
Outcome checkItemName(const QString& name);
