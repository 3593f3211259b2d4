#include "HubScanner.h"

#include "FileSystem.h"

#include <QFileInfo>

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

} // namespace

QString contentSnippet(const QString& text)
{
    constexpr int previewLineCount = 3;
    QStringList kept;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= text.size() && kept.size() < previewLineCount; ++i) {
        if (i < text.size() && !isLineBreak(text[i]))
            continue;
        const QStringView line = QStringView(text).mid(lineStart, i - lineStart);
        if (hasContent(line))
            kept.append(line.toString());
        lineStart = i + 1;
    }
    return kept.join(u'\n');
}

bool isHiddenName(const QString& name)
{
    return name.startsWith(u'.');
}

Skill makeSkill(const QString& entryPath)
{
    const QString lastComponent = QFileInfo(entryPath).fileName();
    const qsizetype dot = lastComponent.lastIndexOf(u'.');
    const bool hasExtension = dot > 0;

    Skill skill;
    skill.url = QUrl::fromLocalFile(entryPath);
    skill.name = hasExtension ? lastComponent.left(dot) : lastComponent;
    skill.fileExtension = hasExtension ? lastComponent.mid(dot + 1) : QString();
    skill.isDirectory = FileSystem::existsAsFolder(entryPath) == true;
    if (skill.isDirectory) {
        skill.contentSnippet = u"[Folder]"_s;
    } else if (const auto text = FileSystem::readText(entryPath)) {
        skill.contentSnippet = contentSnippet(text.value());
    }
    return skill;
}

} // namespace HubScanner
