#include "model/AssistantPresets.h"

using namespace Qt::StringLiterals;

const QList<AssistantPreset>& assistantPresets()
{
    // The global skills folders on Linux. Users report that Cursor and OpenCode ignore
    // linked entries; the others follow links.
    static const QList<AssistantPreset> presets = {
        {u"claude-code"_s, u"Claude Code"_s, u"~/.claude/skills"_s, false},
        {u"codex"_s, u"Codex"_s, u"~/.codex/skills"_s, false},
        {u"agents"_s, u"Gemeinsamer Agents-Ordner"_s, u"~/.agents/skills"_s, false},
        {u"gemini-cli"_s, u"Gemini CLI"_s, u"~/.gemini/skills"_s, false},
        {u"copilot"_s, u"GitHub Copilot"_s, u"~/.copilot/skills"_s, false},
        {u"cursor"_s, u"Cursor"_s, u"~/.cursor/skills"_s, true},
        {u"opencode"_s, u"OpenCode"_s, u"~/.config/opencode/skills"_s, true},
        {u"goose"_s, u"Goose"_s, u"~/.config/goose/skills"_s, false},
        {u"amp"_s, u"Amp"_s, u"~/.config/agents/skills"_s, false},
        {u"windsurf"_s, u"Windsurf"_s, u"~/.codeium/windsurf/skills"_s, false},
        {u"kiro"_s, u"Kiro"_s, u"~/.kiro/skills"_s, false},
        {u"roo-code"_s, u"Roo Code"_s, u"~/.roo/skills"_s, false},
        {u"cline"_s, u"Cline"_s, u"~/.cline/skills"_s, false},
        {u"continue"_s, u"Continue"_s, u"~/.continue/skills"_s, false},
    };
    return presets;
}

const AssistantPreset* assistantPreset(const QString& id)
{
    for (const AssistantPreset& preset : assistantPresets())
        if (preset.id == id)
            return &preset;
    return nullptr;
}
