#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One thing wrong with a skill, as the detail pane and `quorvane-cli check` name it.
struct SkillFinding
{
    enum class Level
    {
        error,
        warning
    };
    enum class Kind
    {
        noSkillFile,           // the folder holds no SKILL.md
        noFrontmatter,         // the file does not begin with a "---" block
        frontmatterTooLong,    // longer than `SkillManifest::maximumFrontmatterSize`
        frontmatterTooDeep,    // nested deeper than the reader goes
        frontmatterNotYaml,    // data: the line
        frontmatterNotMapping, // YAML, but no mapping of keys to values
        fieldNotText,          // data: the key
        nameMissing,
        nameTooLong,           // beyond 64 characters
        nameCharacters,        // other than a–z, 0–9 and '-'
        nameHyphens,           // '-' at an end, or "--"
        nameDiffersFromFolder, // data: the name, the folder's name
        descriptionMissing,
        descriptionTooLong,   // beyond 1024 characters
        compatibilityTooLong, // beyond 500 characters
    };
    Level level;
    Kind kind;
    QStringList data = {}; // what the kind names, in the order given above

    bool operator==(const SkillFinding&) const = default;
    // The kind's stable name for machine-readable output: "name-missing", …
    static QString kindName(Kind kind);
};

// The YAML frontmatter of a SKILL.md: the fields the program reads. Other keys are
// allowed, as assistants add their own.
struct SkillManifest
{
    // The file's name inside a skill folder.
    static inline const QString fileName = QStringLiteral("SKILL.md");
    // Frontmatter beyond this is refused unread, so a hostile file costs little.
    static constexpr qsizetype maximumFrontmatterSize = 64 * 1024;

    std::optional<QString> name;
    std::optional<QString> description;
    std::optional<QString> compatibility;
    // Every top-level key, in the file's order: some assistants refuse keys they do not know.
    QStringList keys;

    // Reads the frontmatter between the opening and closing "---" lines (a byte order
    // mark and CRLF line ends are fine); the error is a finding of level error.
    static Result<SkillManifest, SkillFinding> read(QByteArrayView skillFile);

    // Every check of the open skill format against the folder the file lives in:
    // nothing when the skill is well-formed. `skillFile` is empty when the folder has none.
    static QList<SkillFinding> check(const std::optional<QByteArray>& skillFile, const QString& folderName);
    // The same for a file already read.
    static QList<SkillFinding> check(const Result<SkillManifest, SkillFinding>& manifest,
                                     const QString& folderName);
};
