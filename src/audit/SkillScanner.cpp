#include "audit/SkillScanner.h"

#include "access/FileSystem.h"
#include "audit/PayloadDecoder.h"
#include "model/SkillManifest.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

static void loadPackageList()
{
    Q_INIT_RESOURCE(rules);
}

namespace {

// What a shell, an interpreter or the assistant reads as text, by extension and by name.
const QStringList textExtensions{
    u"md"_s,   u"markdown"_s, u"mdx"_s,   u"txt"_s, u"rst"_s,  u"sh"_s,          u"bash"_s, u"zsh"_s,
    u"fish"_s, u"ksh"_s,      u"py"_s,    u"pyw"_s, u"pl"_s,   u"pm"_s,          u"rb"_s,   u"js"_s,
    u"mjs"_s,  u"cjs"_s,      u"ts"_s,    u"tsx"_s, u"jsx"_s,  u"ps1"_s,         u"psm1"_s, u"bat"_s,
    u"cmd"_s,  u"json"_s,     u"yaml"_s,  u"yml"_s, u"toml"_s, u"ini"_s,         u"cfg"_s,  u"conf"_s,
    u"env"_s,  u"html"_s,     u"htm"_s,   u"xml"_s, u"lua"_s,  u"php"_s,         u"go"_s,   u"rs"_s,
    u"java"_s, u"kt"_s,       u"swift"_s, u"c"_s,   u"h"_s,    u"cpp"_s,         u"cs"_s,   u"r"_s,
    u"sql"_s,  u"mk"_s,       u"tf"_s,    u"csv"_s, u"svg"_s,  u"applescript"_s, u"vbs"_s};
const QStringList textNames{u"makefile"_s, u"dockerfile"_s, u"rakefile"_s, u"gemfile"_s,
                            u"procfile"_s, u"justfile"_s,   u".env"_s,     u"readme"_s,
                            u"license"_s,  u".bashrc"_s,    u".zshrc"_s,   u".profile"_s};
const QStringList scriptExtensions{u"sh"_s, u"bash"_s, u"zsh"_s, u"py"_s,  u"pl"_s,  u"rb"_s,
                                   u"js"_s, u"mjs"_s,  u"ts"_s,  u"ps1"_s, u"bat"_s, u"cmd"_s};

bool isMarkdown(const QString& relativePath)
{
    const QString extension = relativePath.section(u'.', -1).toLower();
    return extension == u"md"_s || extension == u"markdown"_s || extension == u"mdx"_s ||
           extension == u"txt"_s;
}

bool isScript(const QString& relativePath, bool executable)
{
    return executable || relativePath.startsWith(u"scripts/"_s) ||
           scriptExtensions.contains(relativePath.section(u'.', -1).toLower());
}

// The 1-based line of each offset.
class Lines
{
public:
    explicit Lines(QByteArrayView text)
    {
        m_starts.append(0);
        for (qsizetype at = text.indexOf('\n'); at >= 0; at = text.indexOf('\n', at + 1))
            m_starts.append(at + 1);
    }
    int of(qsizetype offset) const
    {
        return int(std::upper_bound(m_starts.cbegin(), m_starts.cend(), offset) - m_starts.cbegin());
    }
    qsizetype count() const { return m_starts.size(); }
    qsizetype start(int line) const { return m_starts.value(line - 1); }

private:
    QList<qsizetype> m_starts;
};

// A match as a reader sees it: one line, control characters as blanks, cut to a readable length.
QString shown(QByteArrayView bytes)
{
    QString text = QString::fromUtf8(bytes).simplified();
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    if (text.size() > SkillScanner::shownCharacters)
        text = text.left(SkillScanner::shownCharacters - 1) + u'…';
    return text;
}

// Documentation that lists attacks to refuse or detect: the line says so, or its section's heading.
bool namesAttacksToRefuse(QByteArrayView text, const Lines& lines, int line)
{
    static const QRegularExpression refusal(
        u"\\b(never|do\\s+not|don't|must\\s+not|should\\s+not)\\s+(run|execute|paste|pipe|use|install|"
        u"follow)\\b|\\b(refuse|reject|block|detect|flag)s?\\b|\\b(nie|niemals|nicht)\\s+(ausführen|"
        u"einfügen|starten)\\b|\\b(verweigere|blockiere|erkenne)\\b"_s,
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression heading(
        u"\\b(red\\s+flags?|warning\\s+signs|attack(s|\\s+patterns?)?|malicious|suspicious|dangerous|"
        u"detect(ion|s)?|indicators?|what\\s+to\\s+(refuse|block|avoid)|never\\s+run|threats?|"
        u"anti-?patterns?|Warnsignale|Angriff\\w*|bösartig\\w*|verdächtig\\w*|gefährlich\\w*|"
        u"Erkennung|niemals)\\b"_s,
        QRegularExpression::CaseInsensitiveOption);
    const auto lineText = [&](int number) {
        const qsizetype begin = lines.start(number);
        const qsizetype end = number < lines.count() ? lines.start(number + 1) : text.size();
        return QString::fromUtf8(text.sliced(begin, end - begin));
    };
    if (refusal.match(lineText(line)).hasMatch())
        return true;
    for (int above = line - 1; above >= 1; --above) {
        const QString candidate = lineText(above).trimmed();
        if (candidate.startsWith(u'#'))
            return heading.match(candidate).hasMatch();
    }
    return false;
}

// The popular packages of each registry, from the rule files' data.
const QHash<QString, QStringList>& popularPackages()
{
    static const QHash<QString, QStringList> packages = [] {
        loadPackageList();
        QHash<QString, QStringList> byRegistry;
        QFile file(u":/rules/popular-packages.txt"_s);
        if (file.open(QIODevice::ReadOnly))
            for (const QByteArray& line : file.readAll().split('\n')) {
                const QList<QByteArray> words = line.trimmed().split(' ');
                if (words.size() == 2 && !line.startsWith('#'))
                    byRegistry[QString::fromUtf8(words[0])].append(QString::fromUtf8(words[1]));
            }
        return byRegistry;
    }();
    return packages;
}

// One edit (a letter changed, added, removed, or two swapped) turns `a` into `b`.
bool oneEditApart(const QString& a, const QString& b)
{
    if (a == b || qAbs(a.size() - b.size()) > 1)
        return false;
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    if (a.size() == b.size()) {
        if (a.mid(i + 1) == b.mid(i + 1))
            return true;
        return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.mid(i + 2) == b.mid(i + 2);
    }
    return a.size() > b.size() ? a.mid(i + 1) == b.mid(i) : a.mid(i) == b.mid(i + 1);
}

// The package named by an install that lies one edit from a popular one, and that one.
std::optional<std::pair<QString, QString>> typosquatIn(const QString& line)
{
    static const QRegularExpression install(
        u"\\b(pip[0-9.]*|uv\\s+pip|pipx|poetry|npm|pnpm|yarn|bun)\\s+(install|i|add)\\s+([^;&|#\\n]*)"_s);
    const QRegularExpressionMatch found = install.match(line);
    if (!found.hasMatch())
        return std::nullopt;
    const bool python = !found.captured(1).contains(u"npm"_s) && found.captured(1) != u"yarn"_s &&
                        found.captured(1) != u"bun"_s;
    const QStringList& known = popularPackages().value(python ? u"pypi"_s : u"npm"_s);
    bool optionValue = false;
    for (QString word : found.captured(3).split(u' ', Qt::SkipEmptyParts)) {
        if (optionValue) {
            optionValue = false;
            continue;
        }
        if (word.startsWith(u'-')) {
            optionValue = word == u"-r"_s || word == u"-c"_s || word == u"-i"_s || word == u"--index-url"_s ||
                          word == u"--extra-index-url"_s || word == u"--target"_s || word == u"-t"_s;
            continue;
        }
        word = word.toLower().remove(u'"').remove(u'\'');
        if (word.contains(u"://"_s) || (word.contains(u'/') && !word.startsWith(u'@')))
            continue;
        word = word.section(QRegularExpression(u"[=<>!~\\[;]"_s), 0, 0);
        if (!python && word.lastIndexOf(u'@') > 0)
            word = word.left(word.lastIndexOf(u'@'));
        if (python)
            word.replace(u'_', u'-').replace(u'.', u'-');
        if (word.size() < 5 || known.contains(word))
            continue;
        for (const QString& popular : known)
            if (oneEditApart(word, popular))
                return std::pair(word, popular);
    }
    return std::nullopt;
}

class FileScan
{
public:
    FileScan(const QString& item, const ContentFile& file, const AuditRules& rules,
             QList<AuditFinding>& findings)
        : m_item(item)
        , m_file(file)
        , m_rules(rules)
        , m_findings(findings)
    {}

    void run(bool isSkillFile)
    {
        const QString& path = m_file.relativePath;
        if (m_file.executable && !path.startsWith(u"scripts/"_s))
            add(std::nullopt, u"unexpected-executable"_s, u"execute-bit"_s, AuditLevel::info);
        const bool text = isSkillFile || SkillScanner::isReadAsText(path, m_file.bytes);
        const bool markdown = isMarkdown(path) || isSkillFile;
        // A line end after the last line, so rules may end a command at a line end.
        QByteArray bytes = m_file.bytes;
        if (!bytes.endsWith('\n'))
            bytes.append('\n');
        const Lines lines(bytes);
        for (const RuleMatch& match : m_rules.match(bytes, {text, markdown, false, path})) {
            const int line = lines.of(match.offset);
            const bool documented = markdown && namesAttacksToRefuse(bytes, lines, line);
            addMatch(match.text.isEmpty() ? std::nullopt : std::optional(line), match,
                     documented ? AuditLevel::info : match.level, shown(match.text), false);
        }
        if (!text)
            return;
        if (m_file.bytes.contains('\0'))
            add(lines.of(m_file.bytes.indexOf('\0')), u"obfuscated-code"_s, u"nul-byte"_s,
                AuditLevel::medium);
        const QString decodedText = QStringDecoder(QStringDecoder::Utf8)(m_file.bytes);
        checkHiddenCharacters(decodedText);
        if (isSkillFile && lines.count() - 1 > SkillScanner::skillFileLines)
            add(std::nullopt, u"oversized-skill"_s, u"long-skill-file"_s, AuditLevel::info);
        // The innermost layer first: of one family's findings on a line, what it hid is shown.
        QList<PayloadDecoder::Payload> payloads = PayloadDecoder::decode(m_file.bytes);
        std::stable_sort(payloads.begin(), payloads.end(),
                         [](const auto& a, const auto& b) { return a.layers > b.layers; });
        for (const PayloadDecoder::Payload& payload : payloads) {
            QByteArray decoded = payload.text;
            decoded.append('\n');
            for (const RuleMatch& match : m_rules.match(decoded, {true, false, true, path}))
                addMatch(lines.of(payload.offset), match, match.level, shown(match.text), true);
        }
        if (isSkillFile || isScript(path, m_file.executable))
            checkEncodedRuns(lines);
        checkTyposquats(decodedText);
    }

private:
    void add(std::optional<int> line, const QString& family, const QString& ruleName, AuditLevel level,
             const QString& matched = {})
    {
        // A check of the program's own brings no words: the window and the tool have them.
        addMatch(line, {family, ruleName, level, {}, {}, 0, {}}, level, matched, false);
    }

    // One finding per family and line: the strongest, with what it matched.
    void addMatch(std::optional<int> line, const RuleMatch& match, AuditLevel level, const QString& matched,
                  bool decoded)
    {
        for (AuditFinding& found : m_findings)
            if (found.item == m_item && found.file == m_file.relativePath && found.line == line &&
                found.rule == match.family) {
                // What a literal hid says more than the decoding command around it.
                if (level < found.level || (level == found.level && decoded && !found.decoded)) {
                    found.level = level;
                    found.ruleName = match.rule;
                    found.message = match.message;
                    found.messageDe = match.messageDe;
                    found.matched = matched;
                    found.decoded = decoded;
                }
                return;
            }
        m_findings.append({m_item, m_file.relativePath, line, match.family, level, match.message, false,
                           match.rule, match.messageDe, matched, decoded});
    }

    void checkHiddenCharacters(const QString& text)
    {
        const auto isPictograph = [](char32_t c) {
            return (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x2600 && c <= 0x27BF) || c == 0xFE0F ||
                   (c >= 0x1F3FB && c <= 0x1F3FF) || c == 0x2640 || c == 0x2642 || c == 0x2695;
        };
        const QList<uint> codePoints = text.toUcs4();
        int line = 1;
        for (qsizetype at = 0; at < codePoints.size(); ++at) {
            const char32_t c = codePoints[at];
            if (c == u'\n') {
                ++line;
                continue;
            }
            if (!SkillScanner::isHiddenCharacter(c) || (c == 0xFEFF && at == 0))
                continue;
            // A zero-width joiner inside an emoji sequence draws one emoji; a tag sequence after
            // the black flag draws a region's flag.
            if (c == 0x200D && at > 0 && at + 1 < codePoints.size() && isPictograph(codePoints[at - 1]) &&
                isPictograph(codePoints[at + 1]))
                continue;
            if (c >= 0xE0000 && c <= 0xE007F) {
                qsizetype end = at;
                QString hidden;
                while (end < codePoints.size() && codePoints[end] >= 0xE0000 && codePoints[end] <= 0xE007F) {
                    if (codePoints[end] >= 0xE0020 && codePoints[end] <= 0xE007E)
                        hidden.append(QChar(char16_t(codePoints[end] - 0xE0000)));
                    ++end;
                }
                const bool flag = at > 0 && codePoints[at - 1] == 0x1F3F4 && codePoints[end - 1] == 0xE007F;
                if (!flag)
                    addRun(line, hidden);
                at = end - 1;
                continue;
            }
            add(line, u"hidden-unicode"_s, u"hidden-character"_s, AuditLevel::high,
                u"U+%1"_s.arg(uint(c), 4, 16, QChar(u'0')).toUpper());
        }
    }

    // Every run of tag characters is its own finding, with the text it hides.
    void addRun(int line, const QString& hidden)
    {
        m_findings.append({m_item,
                           m_file.relativePath,
                           line,
                           u"hidden-unicode"_s,
                           AuditLevel::high,
                           {},
                           false,
                           u"tag-characters"_s,
                           {},
                           shown(hidden.toUtf8()),
                           true});
    }

    void checkEncodedRuns(const Lines& lines)
    {
        for (const auto& [offset, length] :
             PayloadDecoder::literals(m_file.bytes, SkillScanner::encodedRunBytes)) {
            // An image in Markdown is data, not a payload.
            const QByteArrayView before = QByteArrayView(m_file.bytes).first(offset);
            if (before.endsWith("base64,") &&
                before.last(std::min<qsizetype>(before.size(), 64)).contains("data:image/"))
                continue;
            add(lines.of(offset), u"obfuscated-code"_s, u"encoded-run"_s, AuditLevel::medium,
                shown(QByteArrayView(m_file.bytes).sliced(offset, std::min<qsizetype>(length, 40))));
        }
    }

    void checkTyposquats(const QString& text)
    {
        if (!text.contains(u"install"_s) && !text.contains(u" add "_s))
            return;
        int number = 0;
        for (const QString& line : text.split(u'\n')) {
            ++number;
            if (const auto squat = typosquatIn(line))
                add(number, u"remote-code"_s, u"typosquat"_s, AuditLevel::medium,
                    squat->first + u" ~ "_s + squat->second);
        }
    }

    const QString& m_item;
    const ContentFile& m_file;
    const AuditRules& m_rules;
    QList<AuditFinding>& m_findings;
};

} // namespace

namespace SkillScanner {

bool isHiddenCharacter(char32_t codePoint)
{
    return (codePoint >= 0xE0000 && codePoint <= 0xE007F)  // tag characters: text no one sees
           || (codePoint >= 0x202A && codePoint <= 0x202E) // bidirectional embeddings and overrides
           || (codePoint >= 0x2066 && codePoint <= 0x2069) // bidirectional isolates
           || (codePoint >= 0x200B && codePoint <= 0x200D) // zero-width space and joiners
           || codePoint == 0x2060 || codePoint == 0xFEFF;  // word joiner; a byte order mark inside
}

bool isReadAsText(const QString& relativePath, QByteArrayView bytes)
{
    if (bytes.startsWith("#!"))
        return true;
    const QString name = relativePath.section(u'/', -1).toLower();
    if (textNames.contains(name) || textExtensions.contains(name.section(u'.', -1)))
        return true;
    // Anything else by its bytes: text holds no NUL in its first part.
    return !bytes.first(std::min<qsizetype>(bytes.size(), 8192)).contains('\0');
}

AuditReport scan(const QString& item, const QList<ContentFile>& files, bool isFolder, const AuditRules& rules)
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
        FileScan(item, file, rules, report.findings).run(isSkillFile);
    }
    if (isFolder)
        // A skill folder inside a repository is named by its path there; its own name is the last part.
        for (const SkillFinding& finding : SkillManifest::check(skillFile, item.section(u'/', -1)))
            report.findings.append(
                {item,
                 SkillManifest::fileName,
                 std::nullopt,
                 u"format"_s,
                 finding.level == SkillFinding::Level::error ? AuditLevel::error : AuditLevel::warning,
                 {},
                 false,
                 SkillFinding::kindName(finding.kind),
                 {},
                 {},
                 false,
                 finding});
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const AuditFinding& a, const AuditFinding& b) {
                         return std::tie(a.file, a.line) < std::tie(b.file, b.line);
                     });
    return report;
}

Result<AuditReport> scanPath(const QString& item, const QString& path, const AuditRules& rules,
                             const QStringList& leftOut)
{
    if (FileSystem::existsAsFolder(path) != true || FileSystem::isSymbolicLink(path)) {
        auto bytes = FileSystem::readBytes(path);
        if (!bytes)
            return bytes.error();
        return scan(item, {{item, std::move(bytes).value(), false}}, false, rules);
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
        if (std::any_of(leftOut.cbegin(), leftOut.cend(), [&](const QString& folder) {
                return relativePath == folder || relativePath.startsWith(folder + u'/');
            }))
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
    return scan(item, files, true, rules);
}

QList<Result<AuditReport>> scanPaths(const QList<std::pair<QString, QString>>& items, const AuditRules& rules)
{
    std::vector<std::optional<Result<AuditReport>>> reports(items.size());
    std::atomic<qsizetype> next = 0;
    const auto work = [&] {
        for (qsizetype at = next++; at < items.size(); at = next++)
            reports[at].emplace(scanPath(items[at].first, items[at].second, rules));
    };
    const qsizetype threads =
        std::min<qsizetype>(std::max(1u, std::thread::hardware_concurrency()), items.size());
    std::vector<std::jthread> helpers;
    for (qsizetype i = 1; i < threads; ++i)
        helpers.emplace_back(work);
    work();
    helpers.clear(); // each joins here
    QList<Result<AuditReport>> ordered;
    ordered.reserve(items.size());
    for (auto& report : reports)
        ordered.append(std::move(*report));
    return ordered;
}

} // namespace SkillScanner
