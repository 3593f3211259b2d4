#pragma once

#include "model/Record.h"

#include <span>

// Every record type the store keeps, in the one list the context and the store walk
// instead of switching on the type.
struct RecordTypeEntry
{
    RecordType type;
    const RecordSchema& (*schema)();
    Record* (*makeBlank)(); // a record to assign stored values to
};

// In the order the store lists its tables.
std::span<const RecordTypeEntry> recordTypes();
const RecordTypeEntry& recordTypeEntry(RecordType type);
