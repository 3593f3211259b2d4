#include "model/AssistantPresets.h"

using namespace Qt::StringLiterals;

const QList<AssistantPreset>& assistantPresets()
{
    // The global skills folders on Linux. Users report that Cursor and OpenCode ignore
    // linked entries; the others follow links.
    // Project folders, by their sources:
    // - Claude Code: ".claude/skills" in the project root (Claude Code's skills documentation;
    //   GitHub Copilot's documentation reads the same folder).
    // - Codex: repository skills in ".agents/skills" (developers.openai.com/codex/skills).
    // - The shared agents folder: ".agents/skills", read at project scope by Codex, Gemini CLI,
    //   GitHub Copilot and OpenCode (each one's skills documentation).
    // - Gemini CLI: workspace skills in ".gemini/skills" (geminicli.com, "Managing Agent Skills").
    // - GitHub Copilot: project skills in ".github/skills" (docs.github.com, "About agent skills").
    // - Cursor: ".cursor/skills" in the project (public guides to Cursor's skills; Cursor's own
    //   page could not be checked).
    // - OpenCode: ".opencode/skills" (opencode.ai/docs/skills).
    // - The others: no project folder confirmed, so none is offered.
    static const QList<AssistantPreset> presets = {
        {u"claude-code"_s, u"Claude Code"_s, u"~/.claude/skills"_s, false, u".claude/skills"_s},
        {u"codex"_s, u"Codex"_s, u"~/.codex/skills"_s, false, u".agents/skills"_s},
        {u"agents"_s, u"Gemeinsamer Agents-Ordner"_s, u"~/.agents/skills"_s, false, u".agents/skills"_s},
        {u"gemini-cli"_s, u"Gemini CLI"_s, u"~/.gemini/skills"_s, false, u".gemini/skills"_s},
        {u"copilot"_s, u"GitHub Copilot"_s, u"~/.copilot/skills"_s, false, u".github/skills"_s},
        {u"cursor"_s, u"Cursor"_s, u"~/.cursor/skills"_s, true, u".cursor/skills"_s},
        {u"opencode"_s, u"OpenCode"_s, u"~/.config/opencode/skills"_s, true, u".opencode/skills"_s},
        {u"goose"_s, u"Goose"_s, u"~/.config/goose/skills"_s, false, std::nullopt},
        {u"amp"_s, u"Amp"_s, u"~/.config/agents/skills"_s, false, std::nullopt},
        {u"windsurf"_s, u"Windsurf"_s, u"~/.codeium/windsurf/skills"_s, false, std::nullopt},
        {u"kiro"_s, u"Kiro"_s, u"~/.kiro/skills"_s, false, std::nullopt},
        {u"roo-code"_s, u"Roo Code"_s, u"~/.roo/skills"_s, false, std::nullopt},
        {u"cline"_s, u"Cline"_s, u"~/.cline/skills"_s, false, std::nullopt},
        {u"continue"_s, u"Continue"_s, u"~/.continue/skills"_s, false, std::nullopt},
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
