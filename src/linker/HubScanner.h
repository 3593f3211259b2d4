#pragma once

#include "access/FileSystem.h"
#include "model/Skill.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Turning hub entries into skills with their previews.
namespace HubScanner {

// Whether a text read a chunk at a time is wholly UTF-8.
class Utf8Check
{
public:
    // Takes the next chunk; false once the text so far is not UTF-8.
    bool take(QByteArrayView chunk);
    // Whether everything taken is UTF-8, with no character cut short at the end.
    bool isValid() const { return m_valid && m_pending.isEmpty(); }

private:
    QByteArray m_pending; // the start of a character the last chunk cut short
    bool m_valid = true;
};

// Reads files for their previews. One reader reuses its buffer from file to file, so a
// scan over many large files does not pay for fresh memory each time.
class PreviewReader
{
public:
    // The preview of a file's text; nothing when it cannot be read or is not wholly UTF-8.
    // Pipes and devices are not read: they could block or never end.
    std::optional<QString> previewOf(const QString& filePath);
    // The same for a path just seen to be a regular file.
    std::optional<QString> previewOfRegularFile(const QString& filePath);
    // A folder skill's description and findings, from its SKILL.md.
    void readManifest(Skill& folderSkill, const QString& folderPath);

private:
    QByteArray m_buffer;
};

// A skill for one hub entry: name and extension, folder flag (following links) and preview.
Skill makeSkill(const QString& entryPath);
// The same for an entry as the folder listing gave it, which may spare a look at it.
Skill makeSkill(const FileSystem::FolderEntry& entry, PreviewReader& reader);

// The first three lines of `text` that hold more than spaces and tabs, joined by line
// feeds and kept as they are (indentation included). Every Unicode line break ends a line.
QString contentSnippet(const QString& text);

// Whether the entry name is hidden: such entries are never listed.
bool isHiddenName(QStringView name);
// The last component of a path as the folder listing gives it.
QStringView entryName(const QString& entryPath);

} // namespace HubScanner
