#include "model/RecordTypes.h"

#include "model/AppSettings.h"
#include "model/AuditAcceptanceRecord.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "model/SkillSourceRecord.h"
#include "model/TargetApp.h"

#include <algorithm>

namespace {

const RecordTypeEntry entries[] = {
    {TargetApp::type, &TargetApp::schema,
     []() -> Record* {
         return new TargetApp({}, {}, {}, std::nullopt);
     }},
    {AppSettings::type, &AppSettings::schema,
     []() -> Record* {
         return new AppSettings({}, std::nullopt);
     }},
    {SkillLinkRecord::type, &SkillLinkRecord::schema,
     []() -> Record* {
         return new SkillLinkRecord({}, {});
     }},
    {SkillSourceRecord::type, &SkillSourceRecord::schema,
     []() -> Record* {
         return new SkillSourceRecord(SkillSourceRecord::Kind::github, {});
     }},
    {SkillProvenanceRecord::type, &SkillProvenanceRecord::schema,
     []() -> Record* {
         return new SkillProvenanceRecord({});
     }},
    {AuditAcceptanceRecord::type, &AuditAcceptanceRecord::schema,
     []() -> Record* {
         return new AuditAcceptanceRecord({}, {});
     }},
};

} // namespace

std::span<const RecordTypeEntry> recordTypes()
{
    return entries;
}

const RecordTypeEntry& recordTypeEntry(RecordType type)
{
    const auto* entry =
        std::find_if(std::begin(entries), std::end(entries),
                     [type](const RecordTypeEntry& candidate) { return candidate.type == type; });
    Q_ASSERT(entry != std::end(entries));
    return *entry;
}
