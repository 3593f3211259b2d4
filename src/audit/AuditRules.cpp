#include "audit/AuditRules.h"

#include "audit/YaraLibrary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>

#include <cstring>

using namespace Qt::StringLiterals;

static void loadShippedRules()
{
    // A static library's resources are not made known on their own.
    Q_INIT_RESOURCE(rules);
}

namespace {

// The library, once compiled rules exist: it was loaded to compile them.
const YaraLibrary& yara()
{
    return *YaraLibrary::get();
}

// The variables every rule may test, declared for the compiler with their default values.
void declareVariables(YR_COMPILER* compiler)
{
    yara().yr_compiler_define_boolean_variable(compiler, "is_text", 1);
    yara().yr_compiler_define_boolean_variable(compiler, "is_markdown", 0);
    yara().yr_compiler_define_boolean_variable(compiler, "decoded", 0);
    yara().yr_compiler_define_string_variable(compiler, "file_name", "");
}

struct CompileErrors
{
    QString file;
    QList<AuditRules::Problem>* problems = nullptr;
    bool failed = false;
};

void noteCompilerMessage(int level, const char*, int line, const YR_RULE*, const char* message, void* data)
{
    auto* errors = static_cast<CompileErrors*>(data);
    if (level != YARA_ERROR_LEVEL_ERROR)
        return; // warnings (a slow string, say) do not keep a rule from counting
    errors->failed = true;
    errors->problems->append({errors->file, line, QString::fromUtf8(message)});
}

QString metaText(const YR_RULE* rule, const char* name)
{
    const YR_META* meta = nullptr;
    yr_rule_metas_foreach(rule, meta)
    {
        if (qstrcmp(meta->identifier, name) == 0 && meta->type == META_TYPE_STRING)
            return QString::fromUtf8(meta->string);
    }
    return {};
}

// The rule files of a folder, by name, sorted.
QList<std::pair<QString, QByteArray>> ruleFilesIn(const QString& folder)
{
    QList<std::pair<QString, QByteArray>> files;
    const QFileInfoList found =
        QDir(folder).entryInfoList({u"*.yar"_s, u"*.yara"_s}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : found) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            files.append({info.filePath(), file.readAll()});
    }
    return files;
}

struct MatchCollector
{
    QList<RuleMatch>* matches;
};

// libyara keeps matches in a notebook that does not align them to their type, so each one
// is read by copy rather than through a member access on the misaligned pointer.
template <typename Visit> void forEachMatch(YR_SCAN_CONTEXT* context, YR_STRING* string, Visit visit)
{
    const void* next = context->matches[string->idx].head;
    while (next) {
        YR_MATCH match;
        std::memcpy(&match, next, sizeof match);
        visit(std::as_const(match));
        next = match.next;
    }
}

int collectMatch(YR_SCAN_CONTEXT* context, int message, void* data, void* user)
{
    if (message != CALLBACK_MSG_RULE_MATCHING)
        return CALLBACK_CONTINUE;
    auto* rule = static_cast<YR_RULE*>(data);
    auto* collector = static_cast<MatchCollector*>(user);
    const QString family = metaText(rule, "family");
    const auto level = auditLevelNamed(metaText(rule, "level"));
    if (family.isEmpty() || !level)
        return CALLBACK_CONTINUE;
    // The places the `unless` string matched excuse every other match there.
    const QString unless = metaText(rule, "unless");
    QList<qint64> excused;
    YR_STRING* string = nullptr;
    yr_rule_strings_foreach(rule, string)
    {
        if (unless.isEmpty() || unless != QString::fromUtf8(string->identifier))
            continue;
        forEachMatch(context, string,
                     [&](const YR_MATCH& match) { excused.append(match.base + match.offset); });
    }
    bool anyString = false;
    yr_rule_strings_foreach(rule, string)
    {
        anyString = true;
        if (!unless.isEmpty() && unless == QString::fromUtf8(string->identifier))
            continue;
        forEachMatch(context, string, [&](const YR_MATCH& match) {
            const qint64 at = match.base + match.offset;
            if (excused.contains(at))
                return;
            collector->matches->append(
                {family, QString::fromUtf8(rule->identifier), *level, metaText(rule, "message"),
                 metaText(rule, "message_de"), qsizetype(at),
                 QByteArray(reinterpret_cast<const char*>(match.data), match.data_length)});
        });
    }
    // A rule of conditions alone (a magic number) matches the whole file.
    if (!anyString)
        collector->matches->append({family,
                                    QString::fromUtf8(rule->identifier),
                                    *level,
                                    metaText(rule, "message"),
                                    metaText(rule, "message_de"),
                                    0,
                                    {}});
    return CALLBACK_CONTINUE;
}

} // namespace

AuditRules::~AuditRules()
{
    if (m_rules)
        yara().yr_rules_destroy(m_rules);
}

QString AuditRules::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/Quorvane/rules"_s;
}

std::shared_ptr<const AuditRules> AuditRules::standard()
{
    return withFolders({});
}

std::shared_ptr<const AuditRules> AuditRules::withFolders(const QStringList& folders)
{
    loadShippedRules();
    QList<std::pair<QString, QByteArray>> files = ruleFilesIn(u":/rules"_s);
    for (const QString& folder : QStringList{userFolder()} + folders)
        files += ruleFilesIn(folder);
    // Compiled once for each set of texts: a window audits often, and its rules seldom change.
    QByteArray key;
    for (const auto& [name, text] : std::as_const(files))
        key += name.toUtf8() + '\0' + QByteArray::number(qHash(text)) + '\0';
    static QMutex guard;
    static QHash<QByteArray, std::shared_ptr<const AuditRules>> compiled;
    const QMutexLocker locked(&guard);
    if (const auto known = compiled.constFind(key); known != compiled.cend())
        return *known;
    std::shared_ptr<const AuditRules> rules(new AuditRules(std::move(files)));
    compiled.insert(key, rules);
    return rules;
}

std::shared_ptr<const AuditRules> AuditRules::fromTexts(const QList<std::pair<QString, QByteArray>>& files)
{
    return std::shared_ptr<const AuditRules>(new AuditRules(files));
}

AuditRules::AuditRules(QList<std::pair<QString, QByteArray>> files)
    : m_files(std::move(files))
{
    QCryptographicHash texts(QCryptographicHash::Sha256);
    for (const auto& [name, text] : std::as_const(m_files)) {
        texts.addData(QByteArray(name.toUtf8() + '\0'));
        texts.addData(QByteArray(QByteArray::number(text.size()) + '\0' + text));
    }
    m_fingerprint = texts.result().toHex();
}

const QList<AuditRules::Problem>& AuditRules::problems() const
{
    std::call_once(m_compiled, [this] { compile(); });
    return m_problems;
}

void AuditRules::compile() const
{
    // The texts are needed no more once compiled.
    const QList<std::pair<QString, QByteArray>> files = std::exchange(m_files, {});
    // Without its rule engine the audit could only pass everything: the program stops instead,
    // as it did when the library was missing at its start.
    if (!YaraLibrary::get())
        qFatal("Quorvane cannot audit without libyara: %s", qPrintable(YaraLibrary::failure()));
    YR_COMPILER* compiler = nullptr;
    if (yara().yr_compiler_create(&compiler) != ERROR_SUCCESS)
        return;
    declareVariables(compiler);
    // Each file its own namespace, so two folders may both hold a "team.yar".
    QHash<QByteArray, QString> fileOfSpace;
    for (const auto& [name, text] : files) {
        // Each file is tried alone first: a compiler that met an error takes no more.
        YR_COMPILER* trial = nullptr;
        if (yara().yr_compiler_create(&trial) != ERROR_SUCCESS)
            continue;
        declareVariables(trial);
        CompileErrors errors{name, &m_problems, false};
        yara().yr_compiler_set_callback(trial, noteCompilerMessage, &errors);
        const QByteArray terminated = text + '\0';
        const QByteArray space = "file" + QByteArray::number(fileOfSpace.size());
        fileOfSpace.insert(space, name);
        yara().yr_compiler_add_string(trial, terminated.constData(), space.constData());
        yara().yr_compiler_destroy(trial);
        if (errors.failed)
            continue;
        CompileErrors again{name, &m_problems, false};
        yara().yr_compiler_set_callback(compiler, noteCompilerMessage, &again);
        if (yara().yr_compiler_add_string(compiler, terminated.constData(), space.constData()) != 0)
            break; // cannot happen after the trial; the compiler takes nothing more
    }
    yara().yr_compiler_get_rules(compiler, &m_rules);
    yara().yr_compiler_destroy(compiler);
    // A rule that does not say what it finds and how much it weighs is not used.
    if (m_rules) {
        YR_RULE* rule = nullptr;
        yr_rules_foreach(m_rules, rule)
        {
            if (!metaText(rule, "family").isEmpty() && auditLevelNamed(metaText(rule, "level")) &&
                metaText(rule, "level") != u"error"_s && metaText(rule, "level") != u"warning"_s)
                continue;
            m_problems.append({fileOfSpace.value(QByteArray(rule->ns->name)), 0,
                               u"The rule %1 needs the meta family and level (high, medium or info)."_s.arg(
                                   QString::fromUtf8(rule->identifier))});
            yara().yr_rule_disable(rule);
        }
    }
}

QList<RuleMatch> AuditRules::match(QByteArrayView bytes, const ScanSubject& subject) const
{
    std::call_once(m_compiled, [this] { compile(); });
    QList<RuleMatch> matches;
    if (!m_rules)
        return matches;
    YR_SCANNER* scanner = nullptr;
    if (yara().yr_scanner_create(m_rules, &scanner) != ERROR_SUCCESS)
        return matches;
    const QByteArray fileName = subject.fileName.toUtf8();
    yara().yr_scanner_define_boolean_variable(scanner, "is_text", subject.isText);
    yara().yr_scanner_define_boolean_variable(scanner, "is_markdown", subject.isMarkdown);
    yara().yr_scanner_define_boolean_variable(scanner, "decoded", subject.decoded);
    yara().yr_scanner_define_string_variable(scanner, "file_name", fileName.constData());
    MatchCollector collector{&matches};
    yara().yr_scanner_set_callback(scanner, collectMatch, &collector);
    yara().yr_scanner_set_timeout(scanner, 20); // seconds: a hostile file cannot hold the audit
    yara().yr_scanner_scan_mem(scanner, reinterpret_cast<const uint8_t*>(bytes.data()), size_t(bytes.size()));
    yara().yr_scanner_destroy(scanner);
    return matches;
}
