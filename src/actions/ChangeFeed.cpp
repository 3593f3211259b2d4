#include "actions/ChangeFeed.h"

#include "model/ModelContext.h"

ChangeFeed::ChangeFeed(ModelContext& context, QObject* parent)
    : QObject(parent)
{
    connect(&context, &ModelContext::recordsChanged, this, [this](RecordType type) {
        switch (type) {
        case RecordType::targetApp:
            Q_EMIT appsChanged();
            return;
        case RecordType::skillLinkRecord:
            Q_EMIT linkRecordsChanged();
            return;
        case RecordType::skillSource:
            Q_EMIT sourcesChanged();
            return;
        case RecordType::skillProvenance:
            Q_EMIT provenanceChanged();
            return;
        case RecordType::auditAcceptance:
            Q_EMIT auditAcceptancesChanged();
            return;
        case RecordType::appSettings:
            return; // the hub's items are announced once they have been scanned again
        }
    });
}
