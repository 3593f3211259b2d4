#include "model/AssistantPresets.h"

#include "base/EnumNames.h"

using namespace Qt::StringLiterals;

namespace {

// The most used skill installer's table of assistants: each one's global and project skills
// folder on Linux.
const QString installerTable =
    u"https://github.com/vercel-labs/skills/blob/007a533297755fc506d18c15e5667b997e4387eb/src/agents.ts"_s;
// The same table before it moved Cline to the shared folder and Cursor's projects to .agents/skills.
const QString earlierInstallerTable =
    u"https://github.com/vercel-labs/skills/blob/271196b0afe8cca74a173fb26b61ef36ab51124e/src/agents.ts"_s;

QList<PresetSource> folders(const QString& url)
{
    return {{u"folder"_s, url}, {u"projectFolder"_s, url}};
}

} // namespace

QStringList AssistantPreset::foldersRead(bool inProject) const
{
    QStringList read{folder};
    if (inProject && projectFolder)
        read.append(*projectFolder);
    for (const OtherSkillFolder& other : alsoReads)
        if (inProject || !other.isProjectFolder())
            read.append(other.folder);
    return read;
}

QString precedenceName(FolderPrecedence precedence)
{
    static constexpr EnumName<FolderPrecedence> names[] = {{FolderPrecedence::unknown, u"unknown"},
                                                           {FolderPrecedence::ownWins, u"own-wins"},
                                                           {FolderPrecedence::otherWins, u"other-wins"},
                                                           {FolderPrecedence::bothListed, u"both-listed"}};
    return nameIn<FolderPrecedence>(names, precedence);
}

const QList<AssistantPreset>& assistantPresets()
{
    // Every fact names its source in `sources`; a fact without one is unknown. Beyond them:
    // - The open skill format's guide for clients: a project's skills override the user's of
    //   the same name (agentskills.io/client-implementation), so a project folder wins over
    //   the user's folders of the same assistant.
    // - A frontmatter name other than the folder's: the open skill format forbids it, but no
    //   assistant here is documented to skip such a skill, so that is unknown for all.
    static const QString claudeSkills = u"https://code.claude.com/docs/en/skills"_s;
    // Claude Code follows a linked skill folder, verified on several versions.
    static const QString claudeLinks = u"https://github.com/anthropics/claude-code/issues/68118"_s;
    // Claude Code's listing: 1 % of a 200,000-token window at four characters a token.
    static const QString claudeBudget = u"https://github.com/JuliusBrussee/caveman/pull/898"_s;
    static const QString codexSkills = u"https://developers.openai.com/codex/skills"_s;
    // Codex follows linked folders in user and repository scope (its loader's policy) ...
    static const QString codexLinks = u"https://github.com/openai/codex/issues/39805"_s;
    // ... but skips a SKILL.md that is itself a link (also #15756, #31592).
    static const QString codexLinkedFile = u"https://github.com/openai/codex/issues/11332"_s;
    // Codex lists a skill of ~/.agents/skills beside one of the same name in its own folder.
    static const QString codexTwice = u"https://github.com/openai/codex/issues/10437"_s;
    // Codex bounds its listing at 2 % of the context window, 8,000 characters when unknown.
    static const QString codexBudget = u"https://github.com/openai/codex/pull/18213"_s;
    // Codex's validator: "Allowed properties are: allowed-tools, description, license, metadata, name".
    static const QString codexKeys = u"https://github.com/mattpocock/skills/issues/360"_s;
    // GitHub Copilot: project skills in .github/skills, .claude/skills and .agents/skills, the
    // user's in ~/.copilot/skills and ~/.agents/skills.
    static const QString copilotSkills =
        u"https://docs.github.com/en/copilot/concepts/agents/about-agent-skills"_s;
    // Copilot's command-line agent lists real folders only.
    static const QString copilotLinks = u"https://github.com/github/copilot-cli/issues/1021"_s;
    // Copilot's code review drops every skill of a repository when one link leads out of it.
    static const QString copilotReview = u"https://github.com/XRPLF/XRPL-Standards/pull/629"_s;
    // Cursor does not see linked skills.
    static const QString cursorLinks = u"https://github.com/vercel-labs/skills/issues/105"_s;
    // OpenCode also loads ~/.agents/skills and ~/.claude/skills, and .claude/skills and
    // .agents/skills in a project; whether it follows links differs by version and system
    // (anomalyco/opencode#9819, #41505), so unknown, with copies recommended all the same.
    static const QString opencodeSkills = u"https://opencode.ai/docs/skills"_s;

    static const QList<AssistantPreset> presets = {
        {.id = u"claude-code"_s,
         .name = u"Claude Code"_s,
         .folder = u"~/.claude/skills"_s,
         .projectFolder = u".claude/skills"_s,
         .followsLinks = true,
         .listingBudget = 8000,
         .sources = folders(claudeSkills) + QList<PresetSource>{{u"followsLinks"_s, claudeLinks},
                                                                {u"listingBudget"_s, claudeBudget}}},
        {.id = u"codex"_s,
         .name = u"Codex"_s,
         .folder = u"~/.codex/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .followsLinks = true,
         .followsLinkedSkillFile = false,
         .alsoReads = {{u"~/.agents/skills"_s, FolderPrecedence::bothListed}},
         .acceptedFrontmatter =
             QStringList{u"name"_s, u"description"_s, u"license"_s, u"allowed-tools"_s, u"metadata"_s},
         .listingBudget = 8000,
         .sources = folders(codexSkills) + QList<PresetSource>{{u"followsLinks"_s, codexLinks},
                                                               {u"followsLinkedSkillFile"_s, codexLinkedFile},
                                                               {u"alsoReads"_s, codexTwice},
                                                               {u"acceptedFrontmatter"_s, codexKeys},
                                                               {u"listingBudget"_s, codexBudget}}},
        {.id = u"agents"_s,
         .name = u"Shared agents folder"_s,
         .folder = u"~/.agents/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .sources = folders(codexSkills)},
        {.id = u"gemini-cli"_s,
         .name = u"Gemini CLI"_s,
         .folder = u"~/.gemini/skills"_s,
         .projectFolder = u".gemini/skills"_s,
         .sources = folders(earlierInstallerTable)},
        {.id = u"copilot"_s,
         .name = u"GitHub Copilot"_s,
         .folder = u"~/.copilot/skills"_s,
         .projectFolder = u".github/skills"_s,
         .followsLinks = false,
         .dropsSkillsForLinkOutside = true,
         .alsoReads = {{u"~/.agents/skills"_s}, {u".claude/skills"_s}, {u".agents/skills"_s}},
         .recommendedPlacement = PlacementKind::copy,
         .sources =
             folders(copilotSkills) + QList<PresetSource>{{u"followsLinks"_s, copilotLinks},
                                                          {u"alsoReads"_s, copilotSkills},
                                                          {u"dropsSkillsForLinkOutside"_s, copilotReview}}},
        {.id = u"cursor"_s,
         .name = u"Cursor"_s,
         .folder = u"~/.cursor/skills"_s,
         .projectFolder = u".cursor/skills"_s,
         .followsLinks = false,
         .recommendedPlacement = PlacementKind::copy,
         .sources = folders(earlierInstallerTable) + QList<PresetSource>{{u"followsLinks"_s, cursorLinks}}},
        {.id = u"opencode"_s,
         .name = u"OpenCode"_s,
         .folder = u"~/.config/opencode/skills"_s,
         .projectFolder = u".opencode/skills"_s,
         .alsoReads =
             {{u"~/.agents/skills"_s}, {u"~/.claude/skills"_s}, {u".claude/skills"_s}, {u".agents/skills"_s}},
         .recommendedPlacement = PlacementKind::copy,
         .sources = folders(opencodeSkills) + QList<PresetSource>{{u"alsoReads"_s, opencodeSkills}}},
        {.id = u"goose"_s,
         .name = u"Goose"_s,
         .folder = u"~/.config/goose/skills"_s,
         .projectFolder = u".goose/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"amp"_s,
         .name = u"Amp"_s,
         .folder = u"~/.config/agents/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"windsurf"_s,
         .name = u"Windsurf"_s,
         .folder = u"~/.codeium/windsurf/skills"_s,
         .projectFolder = u".windsurf/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"kiro"_s,
         .name = u"Kiro"_s,
         .folder = u"~/.kiro/skills"_s,
         .projectFolder = u".kiro/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"roo-code"_s,
         .name = u"Roo Code"_s,
         .folder = u"~/.roo/skills"_s,
         .projectFolder = u".roo/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"cline"_s,
         .name = u"Cline"_s,
         .folder = u"~/.cline/skills"_s,
         .projectFolder = u".cline/skills"_s,
         .sources = folders(earlierInstallerTable)},
        {.id = u"continue"_s,
         .name = u"Continue"_s,
         .folder = u"~/.continue/skills"_s,
         .projectFolder = u".continue/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"antigravity"_s,
         .name = u"Antigravity"_s,
         .folder = u"~/.gemini/antigravity/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"augment"_s,
         .name = u"Augment"_s,
         .folder = u"~/.augment/skills"_s,
         .projectFolder = u".augment/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"ibm-bob"_s,
         .name = u"IBM Bob"_s,
         .folder = u"~/.bob/skills"_s,
         .projectFolder = u".bob/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"codebuddy"_s,
         .name = u"CodeBuddy"_s,
         .folder = u"~/.codebuddy/skills"_s,
         .projectFolder = u".codebuddy/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"command-code"_s,
         .name = u"Command Code"_s,
         .folder = u"~/.commandcode/skills"_s,
         .projectFolder = u".commandcode/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"cortex-code"_s,
         .name = u"Cortex Code"_s,
         .folder = u"~/.snowflake/cortex/skills"_s,
         .projectFolder = u".cortex/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"crush"_s,
         .name = u"Crush"_s,
         .folder = u"~/.config/crush/skills"_s,
         .projectFolder = u".crush/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"devin"_s,
         .name = u"Devin for Terminal"_s,
         .folder = u"~/.config/devin/skills"_s,
         .projectFolder = u".devin/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"droid"_s,
         .name = u"Droid"_s,
         .folder = u"~/.factory/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"forgecode"_s,
         .name = u"ForgeCode"_s,
         .folder = u"~/.forge/skills"_s,
         .projectFolder = u".forge/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"grok-build"_s,
         .name = u"Grok Build"_s,
         .folder = u"~/.grok/skills"_s,
         .projectFolder = u".grok/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"hermes-agent"_s,
         .name = u"Hermes Agent"_s,
         .folder = u"~/.hermes/skills"_s,
         .projectFolder = u".hermes/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"iflow-cli"_s,
         .name = u"iFlow CLI"_s,
         .folder = u"~/.iflow/skills"_s,
         .projectFolder = u".iflow/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"junie"_s,
         .name = u"Junie"_s,
         .folder = u"~/.junie/skills"_s,
         .projectFolder = u".junie/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"kilo-code"_s,
         .name = u"Kilo Code"_s,
         .folder = u"~/.kilo/skills"_s,
         .projectFolder = u".agents/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"kode"_s,
         .name = u"Kode"_s,
         .folder = u"~/.kode/skills"_s,
         .projectFolder = u".kode/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"lingma"_s,
         .name = u"Lingma"_s,
         .folder = u"~/.lingma/skills"_s,
         .projectFolder = u".lingma/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"mistral-vibe"_s,
         .name = u"Mistral Vibe"_s,
         .folder = u"~/.vibe/skills"_s,
         .projectFolder = u".vibe/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"mux"_s,
         .name = u"Mux"_s,
         .folder = u"~/.mux/skills"_s,
         .projectFolder = u".mux/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"neovate"_s,
         .name = u"Neovate"_s,
         .folder = u"~/.neovate/skills"_s,
         .projectFolder = u".neovate/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"openclaw"_s,
         .name = u"OpenClaw"_s,
         .folder = u"~/.openclaw/skills"_s,
         .projectFolder = u"skills"_s,
         .sources = folders(installerTable)},
        {.id = u"openhands"_s,
         .name = u"OpenHands"_s,
         .folder = u"~/.openhands/skills"_s,
         .projectFolder = u".openhands/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"pi"_s,
         .name = u"Pi"_s,
         .folder = u"~/.pi/agent/skills"_s,
         .projectFolder = u".pi/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"pochi"_s,
         .name = u"Pochi"_s,
         .folder = u"~/.pochi/skills"_s,
         .projectFolder = u".pochi/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"qoder"_s,
         .name = u"Qoder"_s,
         .folder = u"~/.qoder/skills"_s,
         .projectFolder = u".qoder/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"qwen-code"_s,
         .name = u"Qwen Code"_s,
         .folder = u"~/.qwen/skills"_s,
         .projectFolder = u".qwen/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"rovo-dev"_s,
         .name = u"Rovo Dev"_s,
         .folder = u"~/.rovodev/skills"_s,
         .projectFolder = u".rovodev/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"tabnine-cli"_s,
         .name = u"Tabnine CLI"_s,
         .folder = u"~/.tabnine/agent/skills"_s,
         .projectFolder = u".tabnine/agent/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"trae"_s,
         .name = u"Trae"_s,
         .folder = u"~/.trae/skills"_s,
         .projectFolder = u".trae/skills"_s,
         .sources = folders(installerTable)},
        {.id = u"zencoder"_s,
         .name = u"Zencoder"_s,
         .folder = u"~/.zencoder/skills"_s,
         .projectFolder = u".zencoder/skills"_s,
         .sources = folders(installerTable)},
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
