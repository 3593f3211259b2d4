#pragma once

#include <QString>

struct AssistantPreset;

// A known assistant's name as the window shows it: product names as they are, the names
// Quorvane gave (the shared folder) in the user's language.
QString shownPresetName(const AssistantPreset& preset);
