#pragma once

#include "backup/BackupDocument.h"
#include "base/Result.h"
#include "model/ModelContext.h"
#include "model/ModelStore.h"
#include "model/SkillLinkRecord.h"
#include "model/TargetApp.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

class HubSettings;
class ModelContext;

// The whole configuration (hub, target apps, link records) as a JSON document, and the
// way back. Holds nothing between calls; asks nobody: the caller names the file.
class BackupService
{
public:
    BackupService(ModelContext& context, HubSettings& hub);

    // The backup document of the configuration as stored now.
    Result<QByteArray> exportDocument();
    // Writes a document atomically, so a full disk or a crash never leaves half a
    // backup in place of an older one.
    static Outcome writeDocument(const QString& filePath, const QByteArray& document);

    // Replacing every record with a checked backup's, safe on a worker thread: it goes through
    // a connection of its own to the store file and returns the records as saved, for the
    // context on `contextThread` to take in. `hubPathBefore` stands in for a document
    // without a hub. A stop before the write leaves the store untouched.
    static Result<std::shared_ptr<ModelContext::PreparedSnapshot>>
    replaceStoredRecords(const QString& storePath, const AppBackup& backup, const QString& hubPathBefore,
                         QThread* contextThread, const std::atomic<bool>* stop = nullptr);

    // The file's document, checked; the store is not touched.
    static Result<AppBackup> read(const QString& filePath);
    // The records a document's entries become, not yet in any store.
    static std::unique_ptr<TargetApp> appFrom(const BackupTargetApp& app);
    static std::unique_ptr<SkillLinkRecord> recordFrom(const BackupSkillLinkRecord& record);

    // The file name a save panel proposes, from the local date and time.
    static QString proposedFileName();

private:
    ModelContext& m_context;
    HubSettings& m_hub;
};
