#include "linker/HubScanner.h"

#include "access/FileSystem.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <utility>

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

// The snippet of text whose UTF-8 begins with `bytes`, decoding no more of them than it
// takes; nothing when the rest of the text could still change it.
std::optional<QString> snippetOfBeginning(QByteArrayView bytes, bool isWholeText)
{
    qsizetype prefix = std::min<qsizetype>(bytes.size(), 1024);
    for (;;) {
        // Cut before a lead byte, so no character is split.
        while (prefix < bytes.size() && (static_cast<uchar>(bytes[prefix]) & 0xC0) == 0x80)
            ++prefix;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes.first(prefix));
        const bool whole = isWholeText && prefix == bytes.size();
        if (auto snippet = settledSnippet(text, whole))
            return snippet;
        if (prefix == bytes.size())
            return std::nullopt;
        prefix = std::min(bytes.size(), prefix * 2);
    }
}

// Whether the bytes are UTF-8. Most text in a hub is ASCII: runs of it are skipped eight
// bytes at a time, and only what follows the first other byte is checked character by
// character. A run of ASCII always ends at a character boundary.
bool isUtf8(QByteArrayView bytes)
{
    const char* next = bytes.data();
    const char* const end = next + bytes.size();
    constexpr quint64 highBits = 0x8080808080808080ULL;
    while (end - next >= 32) {
        quint64 words[4];
        std::memcpy(words, next, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3]) & highBits) != 0)
            break;
        next += sizeof words;
    }
    return QByteArrayView(next, end - next).isValidUtf8();
}

// How many bytes the UTF-8 sequence that `lead` begins takes, as its bits say.
qsizetype sequenceLength(uchar lead)
{
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

bool Utf8Check::take(QByteArrayView chunk)
{
    qsizetype start = 0;
    if (!m_pending.isEmpty()) {
        // A character split by the last chunk's end is checked whole.
        const qsizetype length = sequenceLength(static_cast<uchar>(m_pending[0]));
        while (m_pending.size() < length && start < chunk.size())
            m_pending.append(chunk[start++]);
        if (m_pending.size() < length)
            return true;
        m_valid = m_valid && isUtf8(m_pending);
        m_pending.clear();
    }
    // A sequence that the chunk's end cuts short waits for the next chunk.
    qsizetype end = chunk.size();
    for (qsizetype back = 1; back <= 3 && back <= end - start; ++back) {
        const auto byte = static_cast<uchar>(chunk[end - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        if (back < sequenceLength(byte))
            end -= back;
        break;
    }
    m_valid = m_valid && isUtf8(chunk.sliced(start, end - start));
    m_pending = chunk.sliced(end).toByteArray();
    return m_valid;
}

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
    // The whole file must be UTF-8, but only its beginning is turned into text: the
    // preview needs a few lines. The file is checked a chunk at a time, so a large one
    // costs neither a large buffer nor a large string.
    Utf8Check utf8;
    std::optional<QString> snippet;
    bool firstChunk = true;
    const Outcome read = FileSystem::readInChunks(filePath, m_buffer, [&](QByteArrayView chunk) {
        if (!utf8.take(chunk))
            return false;
        if (std::exchange(firstChunk, false))
            snippet = snippetOfBeginning(chunk, chunk.size() < FileSystem::chunkSize);
        return true;
    });
    if (!read || !utf8.isValid())
        return std::nullopt;
    if (snippet || firstChunk)
        return firstChunk ? QString() : snippet; // an empty file has an empty preview
    // The first lines go on beyond the first chunk: rare enough to read the file whole.
    const auto length = FileSystem::readInto(filePath, m_buffer);
    if (!length)
        return std::nullopt;
    const QByteArrayView bytes(m_buffer.constData(), length.value());
    if (!isUtf8(bytes))
        return std::nullopt;
    return snippetOfBeginning(bytes, true);
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
    const auto manifest = SkillManifest::read(QByteArrayView(m_buffer.constData(), length.value()));
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
    skill.path = entryPath;
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
