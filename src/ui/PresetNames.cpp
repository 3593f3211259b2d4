#include "ui/PresetNames.h"

#include "model/AssistantPresets.h"

#include <QCoreApplication>

// The names that are no product's, for the translation files.
[[maybe_unused]] static const char* const givenNames[] = {
    QT_TRANSLATE_NOOP("AssistantPresets", "Shared agents folder"),
};

QString shownPresetName(const AssistantPreset& preset)
{
    return QCoreApplication::translate("AssistantPresets", preset.name.toUtf8().constData());
}
