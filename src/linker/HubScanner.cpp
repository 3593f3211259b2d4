#include "linker/HubScanner.h"

#include "access/FileSystem.h"

#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace HubScanner {
namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case 0x000A: // line feed
    case 0x000B: // vertical tab
    case 0x000C: // form feed
    case 0x000D: // carriage return
    case 0x0085: // next line
    case 0x2028: // line separator
    case 0x2029: // paragraph separator
        return true;
    default:
        return false;
    }
}

bool isHorizontalSpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

bool hasContent(QStringView line)
{
    return std::any_of(line.begin(), line.end(), [](QChar c) { return !isHorizontalSpace(c); });
}

// The snippet of `text`; nothing when `text` is only the beginning of a longer text
// whose rest could still change it (its last line might go on).
std::optional<QString> settledSnippet(QStringView text, bool isWholeText)
{
    constexpr int previewLineCount = 3;
    QStringList kept;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool atEnd = i == text.size();
        if (!atEnd && !isLineBreak(text[i]))
            continue;
        if (atEnd && !isWholeText)
            return std::nullopt;
        const QStringView line = text.mid(lineStart, i - lineStart);
        if (hasContent(line)) {
            kept.append(line.toString());
            if (kept.size() == previewLineCount)
                break;
        }
        lineStart = i + 1;
    }
    return kept.join(u'\n');
}

} // namespace

QString contentSnippet(const QString& text)
{
    return settledSnippet(text, true).value_or(QString());
}

std::optional<QString> PreviewReader::previewOf(const QString& filePath)
{
    if (FileSystem::kindOf(filePath) != FileSystem::ItemKind::regularFile)
        return std::nullopt;
    return previewOfRegularFile(filePath);
}

std::optional<QString> PreviewReader::previewOfRegularFile(const QString& filePath)
{
    const auto length = FileSystem::readInto(filePath, m_buffer);
    if (!length)
        return std::nullopt;
    // The whole file must be UTF-8, but only its beginning is turned into text: the
    // preview needs a few lines, and a large file would cost a large string.
    const QByteArrayView bytes(m_buffer.constData(), length.value());
    if (!bytes.isValidUtf8())
        return std::nullopt;
    qsizetype prefix = std::min<qsizetype>(bytes.size(), 1024);
    for (;;) {
        // Cut before a lead byte, so no character is split.
        while (prefix < bytes.size() && (static_cast<uchar>(bytes[prefix]) & 0xC0) == 0x80)
            ++prefix;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes.first(prefix));
        if (auto snippet = settledSnippet(text, prefix == bytes.size()))
            return snippet;
        prefix = std::min(bytes.size(), prefix * 2);
    }
}

bool isHiddenName(QStringView name)
{
    return name.startsWith(u'.');
}

QStringView entryName(const QString& entryPath)
{
    return QStringView(entryPath).mid(entryPath.lastIndexOf(u'/') + 1);
}

void PreviewReader::readManifest(Skill& folderSkill, const QString& folderPath)
{
    const QString folderName = entryName(folderPath).toString(); // with any dot in it
    const auto length =
        FileSystem::readInto(FileSystem::childPath(folderPath, SkillManifest::fileName), m_buffer);
    if (!length) {
        folderSkill.findings = SkillManifest::check(std::nullopt, folderName);
        return;
    }
    const auto manifest = SkillManifest::read(m_buffer.first(length.value()));
    if (manifest)
        folderSkill.description = manifest->description.value_or(QString());
    folderSkill.findings = SkillManifest::check(manifest, folderName);
}

Skill makeSkill(const QString& entryPath)
{
    PreviewReader reader;
    return makeSkill({entryPath, std::nullopt, std::nullopt}, reader);
}

Skill makeSkill(const FileSystem::FolderEntry& entry, PreviewReader& reader)
{
    const QString& entryPath = entry.path;
    const QStringView lastComponent = entryName(entryPath);
    const qsizetype dot = lastComponent.lastIndexOf(u'.');
    const bool hasExtension = dot > 0;

    Skill skill;
    skill.url = QUrl::fromLocalFile(entryPath);
    skill.name = (hasExtension ? lastComponent.left(dot) : lastComponent).toString();
    skill.fileExtension = hasExtension ? lastComponent.mid(dot + 1).toString() : QString();
    const auto kind = entry.kindUnlessLink ? entry.kindUnlessLink : FileSystem::kindOf(entryPath);
    skill.isDirectory = kind == FileSystem::ItemKind::folder;
    if (skill.isDirectory) {
        skill.contentSnippet = u"[Folder]"_s;
        reader.readManifest(skill, entryPath);
    } else if (kind == FileSystem::ItemKind::regularFile) {
        if (auto preview = reader.previewOfRegularFile(entryPath))
            skill.contentSnippet = std::move(*preview);
    }
    return skill;
}

} // namespace HubScanner
