#include "BackupService.h"

#include "AppSettings.h"
#include "BackupDocument.h"
#include "DesktopServices.h"
#include "FileLinkerService.h"
#include "Log.h"
#include "ModelContext.h"
#include "SkillLinkRecord.h"
#include "TargetApp.h"
#include "UserEnvironment.h"

using namespace Qt::StringLiterals;

namespace {

const QStringList jsonFiles = {u"JSON (*.json)"_s};

Result<AppBackup> buildBackup(ModelContext& context, const FileLinkerService& linker)
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
    const QString hubPath = inUse ? inUse->centralRepositoryPath() : linker.centralRepositoryPath();
    const std::optional<QByteArray> hubBookmark =
        inUse && inUse->centralBookmarkData() ? inUse->centralBookmarkData() : linker.centralBookmarkData();
    AppBackup backup;
    backup.exportDate = QDateTime::currentDateTimeUtc();
    backup.centralRepositoryPath = hubPath;
    backup.settings = BackupAppSettings{hubPath, hubBookmark};
    for (const TargetApp* app : apps.value())
        backup.targetApps.append(
            {app->id(), app->name(), app->folderPath(), app->systemImageName(), app->bookmarkData()});
    backup.linkRecords.emplace();
    for (const SkillLinkRecord* record : records.value())
        backup.linkRecords->append({record->targetAppID(), record->itemName()});
    return backup;
}

// Replaces every record with the document's; pending until the caller saves.
Outcome replaceRecords(ModelContext& context, const AppBackup& backup, const QString& hubPathBefore)
{
    const auto apps = context.fetch<TargetApp>();
    if (!apps)
        return apps.error();
    for (TargetApp* app : apps.value())
        context.remove(app);
    const auto settings = context.fetch<AppSettings>();
    if (!settings)
        return settings.error();
    for (AppSettings* record : settings.value())
        context.remove(record);
    const auto records = context.fetch<SkillLinkRecord>();
    if (!records)
        return records.error();
    for (SkillLinkRecord* record : records.value())
        context.remove(record);

    for (const BackupTargetApp& app : backup.targetApps) {
        auto* restored = new TargetApp(app.name, app.folderPath, app.systemImageName, app.bookmarkData);
        restored->setId(app.id); // so link records keep matching their app
        context.insert(restored);
    }
    if (backup.settings)
        context.insert(
            new AppSettings(backup.settings->centralRepositoryPath, backup.settings->centralBookmarkData));
    else
        context.insert(new AppSettings(backup.centralRepositoryPath.value_or(hubPathBefore), std::nullopt));
    for (const BackupSkillLinkRecord& record : backup.linkRecords.value_or(QList<BackupSkillLinkRecord>()))
        context.insert(new SkillLinkRecord(record.targetAppID, record.itemName));
    return {};
}

} // namespace

BackupService::BackupService(PlatformServices platform)
    : m_platform(platform)
{}

QString BackupService::proposedFileName()
{
    return u"Quorvane_"_s + QDateTime::currentDateTime().toString(u"yyyy-MM-dd_HH-mm-ss"_s) + u".json"_s;
}

bool BackupService::exportBackup(ModelContext& context, FileLinkerService& linker)
{
    linker.setModelContext(&context);
    linker.loadSettings();
    const auto backup = buildBackup(context, linker);
    if (!backup) {
        Log::line(u"Failed to export backup: "_s + backup.error().description);
        return false;
    }
    const QByteArray bytes = backup->encode();

    FilePanelRequest request;
    request.title = u"Backup exportieren"_s;
    request.prompt = u"Exportieren"_s;
    request.proposedName = proposedFileName();
    request.startFolder = m_platform.user.homeFolder();
    request.nameFilters = jsonFiles;
    const auto file = m_platform.panels.chooseFileToSave(request);
    if (!file)
        return false;
    // Atomic, so a full disk or a crash never leaves half a backup in place of an older one.
    if (const Outcome written = FileSystem::writeBytes(*file, bytes, FileSystem::WriteMode::atomic);
        !written) {
        Log::line(u"Failed to export backup: "_s + written.error().description);
        return false;
    }
    return true;
}

bool BackupService::importBackup(ModelContext& context, FileLinkerService& linker)
{
    FilePanelRequest request;
    request.title = u"Backup wiederherstellen"_s;
    request.prompt = u"Importieren"_s;
    request.startFolder = m_platform.user.homeFolder();
    request.nameFilters = jsonFiles;
    const auto file = m_platform.panels.chooseFileToOpen(request);
    if (!file)
        return false;

    const auto fail = [&](const QString& description) {
        Log::line(u"Failed to import backup: "_s + description);
        m_platform.alerts.inform(u"Import Fehlgeschlagen"_s,
                                 u"Die Backup-Datei konnte nicht gelesen werden: %1"_s.arg(description),
                                 AlertStyle::critical);
        return false;
    };
    const auto bytes = FileSystem::readBytes(*file);
    if (!bytes)
        return fail(bytes.error().description);
    const auto backup = AppBackup::decode(bytes.value());
    if (!backup)
        return fail(backup.error().description);

    // All records are replaced in one save; on any failure the context goes back to
    // what is stored, so nothing of the old configuration is lost. Views re-read once
    // at the end, not once for every record replaced.
    Outcome replaced;
    {
        const ModelContext::AnnouncementBatch batch(context);
        replaced = replaceRecords(context, backup.value(), linker.centralRepositoryPath());
        if (replaced)
            replaced = context.save();
        if (!replaced)
            (void)context.rollback();
    }
    if (!replaced)
        return fail(replaced.error().description);

    linker.setModelContext(&context);
    linker.loadSettings();
    linker.loadSettings();
    linker.scanCentralRepository();
    linker.restoreRecordedLinks();
    return true;
}
