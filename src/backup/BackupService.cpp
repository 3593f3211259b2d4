#include "backup/BackupService.h"

#include "access/FileSystem.h"
#include "backup/BackupDocument.h"
#include "linker/HubSettings.h"
#include "model/AppSettings.h"
#include "model/ModelContext.h"
#include "model/SkillLinkRecord.h"
#include "model/SkillProvenanceRecord.h"
#include "model/SkillSourceRecord.h"
#include "model/TargetApp.h"

using namespace Qt::StringLiterals;

namespace {

Result<AppBackup> buildBackup(ModelContext& context, const HubSettings& hub)
{
    const auto apps = context.fetch<TargetApp>();
    if (!apps)
        return apps.error();
    const auto settings = context.fetch<AppSettings>();
    if (!settings)
        return settings.error();
    const auto records = context.fetch<SkillLinkRecord>();
    if (!records)
        return records.error();

    const AppSettings* inUse = settings->isEmpty() ? nullptr : settings->first();
    const QString hubPath = inUse ? inUse->centralRepositoryPath() : hub.centralRepositoryPath();
    const std::optional<QByteArray> hubBookmark =
        inUse ? inUse->centralBookmarkData() : hub.centralBookmarkData();
    AppBackup backup;
    backup.exportDate = QDateTime::currentDateTimeUtc();
    backup.centralRepositoryPath = hubPath;
    backup.settings = BackupAppSettings{hubPath, hubBookmark};
    for (const TargetApp* app : apps.value())
        backup.targetApps.append({app->id(), app->name(), app->folderPath(), app->systemImageName(),
                                  app->bookmarkData(), placementKindName(app->placement()), app->preset(),
                                  app->project()});
    backup.linkRecords.emplace();
    for (const SkillLinkRecord* record : records.value())
        backup.linkRecords->append({record->targetAppID(), record->itemName(), record->contentHash()});
    backup.sources.emplace();
    for (const SkillSourceRecord* source : context.records<SkillSourceRecord>())
        backup.sources->append({SkillSourceRecord::kindName(source->kind()), source->location()});
    backup.provenance.emplace();
    for (const SkillProvenanceRecord* record : context.records<SkillProvenanceRecord>())
        backup.provenance->append(record->provenance());
    return backup;
}

// Replaces every record with the document's; pending until the caller saves.
Outcome replaceRecords(ModelContext& context, const AppBackup& backup, const QString& hubPathBefore)
{
    // The old records go without being read: a large configuration costs nothing to drop.
    for (RecordType type : {RecordType::targetApp, RecordType::appSettings, RecordType::skillLinkRecord})
        context.removeAll(type);

    for (const BackupTargetApp& app : backup.targetApps)
        context.insert(BackupService::appFrom(app).release());
    if (backup.settings)
        context.insert(
            new AppSettings(backup.settings->centralRepositoryPath, backup.settings->centralBookmarkData));
    else
        context.insert(new AppSettings(backup.centralRepositoryPath.value_or(hubPathBefore), std::nullopt));
    for (const BackupSkillLinkRecord& record : backup.linkRecords.value_or(QList<BackupSkillLinkRecord>()))
        context.insert(BackupService::recordFrom(record).release());
    if (backup.sources) {
        context.removeAll(RecordType::skillSource);
        for (const BackupSkillSource& source : *backup.sources) {
            // A kind this version does not know is left out rather than failing the whole import.
            if (const auto kind = SkillSourceRecord::kindNamed(source.kind))
                context.insert(new SkillSourceRecord(*kind, source.location));
        }
    }
    if (backup.provenance) {
        context.removeAll(RecordType::skillProvenance);
        for (const SkillProvenance& provenance : *backup.provenance)
            context.insert(new SkillProvenanceRecord(provenance));
    }
    return {};
}

} // namespace

BackupService::BackupService(ModelContext& context, HubSettings& hub)
    : m_context(context)
    , m_hub(hub)
{}

QString BackupService::proposedFileName()
{
    return u"Quorvane_"_s + QDateTime::currentDateTime().toString(u"yyyy-MM-dd_HH-mm-ss"_s) + u".json"_s;
}

Result<QByteArray> BackupService::exportDocument()
{
    m_hub.load();
    const auto backup = buildBackup(m_context, m_hub);
    if (!backup)
        return backup.error();
    return backup->encode();
}

Outcome BackupService::writeDocument(const QString& filePath, const QByteArray& document)
{
    return FileSystem::writeBytes(filePath, document, FileSystem::WriteMode::atomic);
}

std::unique_ptr<TargetApp> BackupService::appFrom(const BackupTargetApp& app)
{
    auto restored =
        std::make_unique<TargetApp>(app.name, app.folderPath, app.systemImageName, app.bookmarkData);
    restored->setId(app.id); // so link records keep matching their app
    // A mode this version does not know places as links do.
    restored->setPlacement(
        placementKindNamed(app.placement.value_or(QString())).value_or(PlacementKind::link));
    restored->setPreset(app.preset);
    restored->setProject(app.project);
    return restored;
}

std::unique_ptr<SkillLinkRecord> BackupService::recordFrom(const BackupSkillLinkRecord& record)
{
    auto restored = std::make_unique<SkillLinkRecord>(record.targetAppID, record.itemName);
    restored->setContentHash(record.contentHash);
    return restored;
}

Result<AppBackup> BackupService::read(const QString& filePath)
{
    const auto bytes = FileSystem::readBytes(filePath);
    if (!bytes)
        return bytes.error();
    auto backup = AppBackup::decode(bytes.value());
    if (!backup)
        return backup.error().error();
    return std::move(backup).value();
}

Result<std::shared_ptr<ModelContext::PreparedSnapshot>>
BackupService::replaceStoredRecords(const QString& storePath, const AppBackup& backup,
                                    const QString& hubPathBefore, QThread* contextThread,
                                    const std::atomic<bool>* stop)
{
    auto opened = ModelContext::open(storePath, ModelContext::Loading::onDemand);
    if (!opened)
        return opened.error();
    ModelContext& context = *opened.value();
    // All records are replaced in one save; a failure writes nothing, so nothing of the
    // old configuration is lost.
    if (Outcome replaced = replaceRecords(context, backup, hubPathBefore); !replaced)
        return replaced.error();
    if (stop && *stop)
        return Error::of(Problem::Kind::stopped);
    if (Outcome saved = context.save(); !saved)
        return saved.error();
    return context.handOverReplacedTypes(contextThread);
}
