#include "access/SkillAudit.h"

#include "access/FileSystem.h"
#include "model/SkillManifest.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(SkillAudit)
};

// Text is what holds no NUL in its first part; anything else is looked at as a program only.
bool isText(const QByteArray& bytes)
{
    return !QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 8192)).contains('\0');
}

bool isScript(const QString& relativePath, bool executable)
{
    static const QStringList extensions{u"sh"_s, u"bash"_s, u"zsh"_s, u"py"_s,  u"pl"_s,  u"rb"_s,
                                        u"js"_s, u"mjs"_s,  u"ts"_s,  u"ps1"_s, u"bat"_s, u"cmd"_s};
    return executable || relativePath.startsWith(u"scripts/"_s) ||
           extensions.contains(relativePath.section(u'.', -1).toLower());
}

class FileAudit
{
public:
    FileAudit(const QString& item, const ContentFile& file, QList<AuditFinding>& findings)
        : m_item(item)
        , m_file(file)
        , m_findings(findings)
    {}

    void run(bool isSkillFile)
    {
        if (AuditRules::startsAsExecutable(m_file.bytes))
            add(std::nullopt, u"binary-executable"_s, AuditLevel::medium,
                Texts::tr("Enthält ein ausführbares Programm"));
        if (m_file.executable && !m_file.relativePath.startsWith(u"scripts/"_s))
            add(std::nullopt, u"unexpected-executable"_s, AuditLevel::info,
                Texts::tr("Ausführbar, aber nicht unter scripts/"));
        if (!isText(m_file.bytes))
            return;
        const QString text = QStringDecoder(QStringDecoder::Utf8)(m_file.bytes);
        const QStringList lines = text.split(u'\n');
        if (isSkillFile && lines.size() - (text.endsWith(u'\n') ? 1 : 0) > AuditRules::skillFileLines)
            add(std::nullopt, u"oversized-skill"_s, AuditLevel::info,
                Texts::tr("SKILL.md hat mehr als %1 Zeilen").arg(AuditRules::skillFileLines));
        const bool encodedRunsMatter = isSkillFile || isScript(m_file.relativePath, m_file.executable);
        const QList<bool> triggered = linesWithTriggers(text, lines.size());
        qsizetype wrappedRun = 0; // base64 wrapped over lines, as `base64` writes it
        std::optional<int> wrappedRunStart;
        for (qsizetype index = 0; index < lines.size(); ++index) {
            const QString& line = lines.at(index);
            const int number = int(index) + 1;
            checkHiddenCharacters(line, number, index == 0);
            if (triggered.at(index))
                checkPatterns(line, number);
            if (!encodedRunsMatter)
                continue;
            if (hasEncodedRun(line))
                add(number, u"obfuscated-code"_s, AuditLevel::medium,
                    Texts::tr("Enthält lange verschlüsselte Daten"));
            static const QRegularExpression wrapped(u"^[A-Za-z0-9+/]{60,}={0,2}\\r?$"_s);
            if (line.size() >= 60 && !line.contains(u' ') && wrapped.match(line).hasMatch()) {
                wrappedRunStart = wrappedRun == 0 ? number : wrappedRunStart;
                wrappedRun += line.size();
                if (wrappedRun >= AuditRules::encodedRunBytes &&
                    wrappedRun - line.size() < AuditRules::encodedRunBytes)
                    add(wrappedRunStart, u"obfuscated-code"_s, AuditLevel::medium,
                        Texts::tr("Enthält lange verschlüsselte Daten"));
            } else {
                wrappedRun = 0;
            }
        }
    }

private:
    void add(std::optional<int> line, const QString& rule, AuditLevel level, const QString& message)
    {
        // One finding per rule and line: the strongest.
        for (AuditFinding& found : m_findings)
            if (found.item == m_item && found.file == fileName() && found.line == line &&
                found.rule == rule) {
                if (level < found.level) {
                    found.level = level;
                    found.message = message;
                }
                return;
            }
        m_findings.append({m_item, fileName(), line, rule, level, message, false});
    }

    QString fileName() const { return m_file.relativePath; }

    void checkHiddenCharacters(const QString& line, int number, bool firstLine)
    {
        for (qsizetype at = 0; at < line.size(); ++at) {
            char32_t codePoint = line.at(at).unicode();
            if (QChar::isHighSurrogate(codePoint) && at + 1 < line.size())
                codePoint = QChar::surrogateToUcs4(line.at(at), line.at(at + 1));
            // A byte order mark may open the file.
            if (!AuditRules::isHiddenCharacter(codePoint) || (codePoint == 0xFEFF && firstLine && at == 0))
                continue;
            add(number, u"hidden-unicode"_s, AuditLevel::high,
                Texts::tr("Unsichtbares Zeichen U+%1").arg(uint(codePoint), 4, 16, QChar(u'0')).toUpper());
            return;
        }
    }

    // Which lines hold a word some pattern is tried on, found in one pass over the whole text.
    static QList<bool> linesWithTriggers(const QString& text, qsizetype lineCount)
    {
        static const QRegularExpression anyTrigger = [] {
            QStringList words;
            for (const AuditLinePattern& pattern : AuditRules::linePatterns())
                for (const QString& word : pattern.triggers)
                    words.append(QRegularExpression::escape(word));
            QRegularExpression compiled(words.join(u'|'), QRegularExpression::CaseInsensitiveOption);
            compiled.optimize();
            return compiled;
        }();
        QList<bool> triggered(lineCount, false);
        qsizetype line = 0;
        qsizetype lineEnd = text.indexOf(u'\n');
        for (auto match = anyTrigger.globalMatch(text); match.hasNext();) {
            const qsizetype at = match.next().capturedStart();
            while (lineEnd >= 0 && at > lineEnd) {
                ++line;
                lineEnd = text.indexOf(u'\n', lineEnd + 1);
            }
            if (line < lineCount)
                triggered[line] = true;
        }
        return triggered;
    }

    void checkPatterns(const QString& line, int number)
    {
        const QString lower = line.toLower();
        for (const AuditLinePattern& pattern : AuditRules::linePatterns()) {
            const bool triggered = std::any_of(pattern.triggers.cbegin(), pattern.triggers.cend(),
                                               [&](const QString& word) { return lower.contains(word); });
            if (triggered && pattern.pattern.match(line).hasMatch())
                add(number, pattern.rule, pattern.level, pattern.message);
        }
    }

    static bool hasEncodedRun(const QString& line)
    {
        if (line.size() < AuditRules::encodedRunBytes)
            return false;
        static const QRegularExpression run(
            u"(?:[A-Za-z0-9+/]{1024,}|(?:[0-9A-Fa-f]{2}){512,}|(?:\\\\x[0-9A-Fa-f]{2}){256,})"_s);
        for (auto match = run.globalMatch(line); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            // An image in Markdown is data, not a payload.
            if (!line.left(found.capturedStart()).endsWith(u"base64,"_s) ||
                !line.left(found.capturedStart()).contains(u"data:image/"_s))
                return true;
        }
        return false;
    }

    const QString& m_item;
    const ContentFile& m_file;
    QList<AuditFinding>& m_findings;
};

} // namespace

QString AuditFinding::place() const
{
    return line ? file + u':' + QString::number(*line) : file;
}

bool AuditReport::hasOpenHigh() const
{
    return std::any_of(findings.cbegin(), findings.cend(), [](const AuditFinding& finding) {
        return finding.level == AuditLevel::high && !finding.accepted;
    });
}

QList<AuditFinding> AuditReport::openHigh() const
{
    QList<AuditFinding> open;
    std::copy_if(
        findings.cbegin(), findings.cend(), std::back_inserter(open),
        [](const AuditFinding& finding) { return finding.level == AuditLevel::high && !finding.accepted; });
    return open;
}

QString SkillAudit::levelName(AuditLevel level)
{
    switch (level) {
    case AuditLevel::high:
        return u"high"_s;
    case AuditLevel::error:
        return u"error"_s;
    case AuditLevel::medium:
        return u"medium"_s;
    case AuditLevel::warning:
        return u"warning"_s;
    case AuditLevel::info:
        break;
    }
    return u"info"_s;
}

AuditReport SkillAudit::audit(const QString& item, const QList<ContentFile>& files, bool isFolder)
{
    AuditReport report;
    report.item = item;
    // A single file hashes as contentHashOf() hashes it: its bytes without a path.
    report.contentHash = isFolder || files.size() != 1
                             ? FolderContent::digest(files).contentHash
                             : FolderContent::digest({{QString(), files.first().bytes, false}}).contentHash;
    std::optional<QByteArray> skillFile;
    for (const ContentFile& file : files) {
        const bool isSkillFile = isFolder && file.relativePath == SkillManifest::fileName;
        if (isSkillFile)
            skillFile = file.bytes;
        FileAudit(item, file, report.findings).run(isSkillFile);
    }
    if (isFolder)
        for (const SkillFinding& finding : SkillManifest::check(skillFile, item))
            report.findings.append(
                {item, SkillManifest::fileName, std::nullopt, u"format"_s,
                 finding.level == SkillFinding::Level::error ? AuditLevel::error : AuditLevel::warning,
                 finding.message, false});
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const AuditFinding& a, const AuditFinding& b) {
                         return std::tie(a.file, a.line) < std::tie(b.file, b.line);
                     });
    return report;
}

Result<AuditReport> SkillAudit::auditPath(const QString& item, const QString& path)
{
    if (FileSystem::existsAsFolder(path) != true || FileSystem::isSymbolicLink(path)) {
        auto bytes = FileSystem::readBytes(path);
        if (!bytes)
            return bytes.error();
        return audit(item, {{item, std::move(bytes).value(), false}}, false);
    }
    QList<ContentFile> files;
    QDirIterator walk(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString entry = walk.next();
        const QFileInfo info = walk.fileInfo();
        const QString relativePath = entry.mid(path.size() + 1);
        // A repository's own history is no part of what an assistant reads.
        if (relativePath == u".git"_s || relativePath.startsWith(u".git/"_s))
            continue;
        if (info.isSymLink()) {
            // As the content hash counts it: where it leads, which the rules read as text.
            const auto destination = FileSystem::linkDestinationText(entry);
            if (!destination)
                return destination.error();
            files.append({relativePath, "link:" + destination->toUtf8(), false});
        } else if (!info.isDir()) {
            auto bytes = FileSystem::readBytes(entry);
            if (!bytes)
                return bytes.error();
            files.append({relativePath, std::move(bytes).value(), info.isExecutable()});
        }
    }
    return audit(item, files, true);
}
