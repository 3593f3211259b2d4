#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

// One thing wrong with a skill, as the detail pane and `quorvane-cli check` name it.
struct SkillFinding
{
    enum class Level
    {
        error,
        warning
    };
    Level level;
    QString message; // German, for the user

    bool operator==(const SkillFinding&) const = default;
};

// The YAML frontmatter of a SKILL.md: the fields the program reads. Other keys are
// allowed, as assistants add their own.
struct SkillManifest
{
    Q_DECLARE_TR_FUNCTIONS(SkillManifest)

public:
    // The file's name inside a skill folder.
    static inline const QString fileName = QStringLiteral("SKILL.md");
    // Frontmatter beyond this is refused unread, so a hostile file costs little.
    static constexpr qsizetype maximumFrontmatterSize = 64 * 1024;

    std::optional<QString> name;
    std::optional<QString> description;
    std::optional<QString> compatibility;

    // Reads the frontmatter between the opening and closing "---" lines (a byte order
    // mark and CRLF line ends are fine); the error is a finding for the user.
    static Result<SkillManifest, QString> read(QByteArrayView skillFile);

    // Every check of the open skill format against the folder the file lives in:
    // nothing when the skill is well-formed. `skillFile` is empty when the folder has none.
    static QList<SkillFinding> check(const std::optional<QByteArray>& skillFile, const QString& folderName);
    // The same for a file already read.
    static QList<SkillFinding> check(const Result<SkillManifest, QString>& manifest,
                                     const QString& folderName);
};
