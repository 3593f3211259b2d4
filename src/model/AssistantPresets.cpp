#include "model/AssistantPresets.h"

using namespace Qt::StringLiterals;

const QList<AssistantPreset>& assistantPresets()
{
    // The global skills folders on Linux.
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
    // Links, by their sources:
    // - Claude Code follows a linked skill folder (anthropics/claude-code#68118, verified on
    //   several versions); whether a linked SKILL.md loads is not documented.
    // - Codex follows linked folders in user and repository scope (openai/codex#39805, its
    //   loader's policy) but skips a SKILL.md that is itself a link (openai/codex#11332,
    //   #15756, #31592).
    // - GitHub Copilot's command-line agent lists real folders only (github/copilot-cli#1021).
    // - Cursor does not see linked skills (vercel-labs/skills#105).
    // - OpenCode: reports disagree by version and system (anomalyco/opencode#9819, #41505), so
    //   unknown; copies are recommended all the same.
    // - The others: unknown.
    // Other folders read:
    // - Codex also loads ~/.agents/skills and shows a skill of the same name twice
    //   (openai/codex#10437; vercel-labs/skills#1056 quoting Codex's documentation).
    // - OpenCode also loads ~/.agents/skills and ~/.claude/skills (opencode.ai/docs/skills;
    //   anomalyco/opencode#18848).
    // - Claude Code reads its own folders only (its skills documentation, as quoted in
    //   open-mercato/open-mercato#4164).
    // A frontmatter name other than the folder's: the open skill format forbids it, but no
    // assistant here is documented to skip such a skill, so that is unknown for all.
    static const QList<AssistantPreset> presets = {
        {.id = u"claude-code"_s,
         .name = u"Claude Code"_s,
         .folder = u"~/.claude/skills"_s,
         .projectFolder = u".claude/skills"_s,
         .followsLinks = true},
        {.id = u"codex"_s,
         .name = u"Codex"_s,
         .folder = u"~/.codex/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .followsLinks = true,
         .followsLinkedSkillFile = false,
         .alsoReads = {u"~/.agents/skills"_s}},
        {.id = u"agents"_s,
         .name = u"Shared agents folder"_s,
         .folder = u"~/.agents/skills"_s,
         .projectFolder = u".agents/skills"_s},
        {.id = u"gemini-cli"_s,
         .name = u"Gemini CLI"_s,
         .folder = u"~/.gemini/skills"_s,
         .projectFolder = u".gemini/skills"_s},
        {.id = u"copilot"_s,
         .name = u"GitHub Copilot"_s,
         .folder = u"~/.copilot/skills"_s,
         .copyRecommended = true,
         .projectFolder = u".github/skills"_s,
         .followsLinks = false},
        {.id = u"cursor"_s,
         .name = u"Cursor"_s,
         .folder = u"~/.cursor/skills"_s,
         .copyRecommended = true,
         .projectFolder = u".cursor/skills"_s,
         .followsLinks = false},
        {.id = u"opencode"_s,
         .name = u"OpenCode"_s,
         .folder = u"~/.config/opencode/skills"_s,
         .copyRecommended = true,
         .projectFolder = u".opencode/skills"_s,
         .alsoReads = {u"~/.agents/skills"_s, u"~/.claude/skills"_s}},
        {.id = u"goose"_s, .name = u"Goose"_s, .folder = u"~/.config/goose/skills"_s},
        {.id = u"amp"_s, .name = u"Amp"_s, .folder = u"~/.config/agents/skills"_s},
        {.id = u"windsurf"_s, .name = u"Windsurf"_s, .folder = u"~/.codeium/windsurf/skills"_s},
        {.id = u"kiro"_s, .name = u"Kiro"_s, .folder = u"~/.kiro/skills"_s},
        {.id = u"roo-code"_s, .name = u"Roo Code"_s, .folder = u"~/.roo/skills"_s},
        {.id = u"cline"_s, .name = u"Cline"_s, .folder = u"~/.cline/skills"_s},
        {.id = u"continue"_s, .name = u"Continue"_s, .folder = u"~/.continue/skills"_s},
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
