#include "access/AuditRules.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(AuditRules)
};

// Programs a download is handed to, run.
const QString interpreters =
    u"(?:sudo\\s+(?:-\\S+\\s+)*)?(?:env\\s+)?(?:ba|z|k|da)?sh|python[0-9.]*|perl|node|ruby"_s;

AuditLinePattern pattern(const QString& rule, AuditLevel level, const QString& expression,
                         const QString& message, const QStringList& triggers)
{
    QRegularExpression compiled(expression, QRegularExpression::CaseInsensitiveOption);
    compiled.optimize();
    return {rule, level, compiled, message, triggers};
}

} // namespace

const QList<AuditLinePattern>& AuditRules::linePatterns()
{
    // Sources of the attacks: the malicious skills found on public registries in 2026 (fake
    // prerequisites that fetch and run an installer, stealers that read keys and tokens and post
    // them, instructions that hide what the assistant does) and the common shell idioms for each.
    static const QList<AuditLinePattern> patterns{
        // Instructions aimed at the assistant, overriding its own or hiding things from the user.
        pattern(
            u"prompt-injection"_s, AuditLevel::high,
            u"\\b(?:ignore|disregard|forget)\\s+(?:all\\s+|any\\s+)?(?:the\\s+|your\\s+)?"
            u"(?:previous|prior|above|earlier|preceding|system)\\s+(?:instructions|prompts?|rules|directions)"_s,
            Texts::tr("Fordert den Assistenten auf, seine Anweisungen zu übergehen"),
            {u"ignore"_s, u"disregard"_s, u"forget"_s}),
        pattern(
            u"prompt-injection"_s, AuditLevel::high,
            u"\\b(?:do\\s+not|don't|never)\\s+(?:tell|inform|notify|alert|show|mention\\s+(?:this|it)\\s+to|"
            u"reveal\\s+(?:this|it)\\s+to)\\s+the\\s+user\\b"_s,
            Texts::tr("Fordert den Assistenten auf, etwas vor dem Benutzer zu verbergen"), {u"user"_s}),
        pattern(u"prompt-injection"_s, AuditLevel::high,
                u"\\bwithout\\s+(?:asking|telling|informing|notifying)\\s+the\\s+user\\b|"
                u"\\bhide\\s+(?:this|it|these|them)\\s+from\\s+the\\s+user\\b"_s,
                Texts::tr("Fordert den Assistenten auf, am Benutzer vorbei zu handeln"), {u"user"_s}),
        pattern(u"prompt-injection"_s, AuditLevel::high,
                u"\\b(?:ignoriere|vergiss|missachte)\\s+(?:alle\\s+)?(?:deine\\s+|die\\s+)?"
                u"(?:vorherigen|bisherigen|obigen|früheren|vorigen)\\s+(?:Anweisungen|Regeln|Vorgaben)"_s,
                Texts::tr("Fordert den Assistenten auf, seine Anweisungen zu übergehen"),
                {u"ignorier"_s, u"vergiss"_s, u"missacht"_s}),
        pattern(
            u"prompt-injection"_s, AuditLevel::high,
            u"\\b(?:sag|sage|erzähl|erzähle|verrate|zeige?)\\s+(?:es\\s+|das\\s+|dies\\s+)?(?:dem|den)\\s+"
            u"(?:Benutzer|Nutzer|Anwender)\\w*\\s+(?:nicht|nichts)\\b|"
            u"\\bohne\\s+(?:den\\s+|die\\s+)?(?:Benutzer|Nutzer|Anwender)\\w*\\s+zu\\s+(?:fragen|informieren)"
            u"\\b|"
            u"\\bvor\\s+(?:dem|den)\\s+(?:Benutzer|Nutzer|Anwender)\\w*\\s+(?:verbergen|verheimlichen)\\b"_s,
            Texts::tr("Fordert den Assistenten auf, am Benutzer vorbei zu handeln"),
            {u"benutzer"_s, u"nutzer"_s, u"anwender"_s}),
        // Weaker: skipping consent, or acting quietly.
        pattern(
            u"prompt-injection"_s, AuditLevel::medium,
            u"\\b(?:do\\s+not|don't|never)\\s+ask\\s+(?:the\\s+user\\s+)?(?:for\\s+)?(?:permission|"
            u"confirmation)\\b|"
            u"\\bwithout\\s+(?:asking\\s+for\\s+)?(?:permission|confirmation)\\b|"
            u"\\bsilently\\s+(?:run|execute|install|send|upload|delete|remove|modify|change)\\b|"
            u"\\bohne\\s+(?:Rückfrage|Nachfrage|Bestätigung|Erlaubnis)\\b|\\bstillschweigend\\b|\\bheimlich\\b"_s,
            Texts::tr("Fordert den Assistenten auf, ohne Zustimmung oder unbemerkt zu handeln"),
            {u"ask"_s, u"without"_s, u"silently"_s, u"ohne"_s, u"stillschweigend"_s, u"heimlich"_s}),

        // A download handed straight to an interpreter: the fake prerequisite's installer.
        pattern(u"remote-code"_s, AuditLevel::high,
                u"\\b(?:curl|wget)\\b[^|\\n]*\\|\\s*(?:"_s + interpreters + u")\\b"_s,
                Texts::tr("Lädt Code aus dem Netz und führt ihn sofort aus"), {u"|"_s}),
        pattern(u"remote-code"_s, AuditLevel::high,
                u"(?:\\b(?:ba|z)?sh|\\bsource|(?:^|\\s)\\.)\\s+<\\(\\s*(?:curl|wget)\\b|"
                u"\\beval\\s+[\"']?\\$\\(\\s*(?:curl|wget)\\b|\\beval\\s+[\"']?`\\s*(?:curl|wget)\\b"_s,
                Texts::tr("Lädt Code aus dem Netz und führt ihn sofort aus"), {u"<("_s, u"eval"_s}),
        pattern(
            u"remote-code"_s, AuditLevel::high,
            u"\\b(?:iex|Invoke-Expression)\\b[\\s(]*(?:\\(\\s*)?(?:iwr|irm|Invoke-WebRequest|Invoke-"
            u"RestMethod|"
            u"New-Object\\s+(?:System\\.)?Net\\.WebClient)\\b|"
            u"\\b(?:iwr|irm|Invoke-WebRequest|Invoke-RestMethod)\\b[^|\\n]*\\|\\s*(?:iex|Invoke-Expression)\\b"_s,
            Texts::tr("Lädt Code aus dem Netz und führt ihn sofort aus"), {u"iex"_s, u"invoke-expression"_s}),

        // Reading secrets: keys, cloud and git credentials, the GitHub CLI's token, browsers, keyrings.
        pattern(
            u"credential-access"_s, AuditLevel::high,
            u"\\.ssh/(?:id_\\w+|identity|\\*)|\\.aws/credentials\\b|\\.netrc\\b|\\.git-credentials\\b|"
            u"\\bgh\\s+auth\\s+token\\b|\\bgh/hosts\\.ya?ml\\b|\\.docker/config\\.json\\b|\\.kube/config\\b"_s,
            Texts::tr("Liest Schlüssel oder Zugangsdaten"),
            {u".ssh/"_s, u".aws/"_s, u".netrc"_s, u".git-credentials"_s, u"gh auth"_s, u"gh/hosts"_s,
             u".docker/"_s, u".kube/"_s}),
        pattern(u"credential-access"_s, AuditLevel::high,
                u"\\b(?:Login Data|logins\\.json|key[34]\\.db|cookies\\.sqlite|Local State)\\b|"
                u"\\b(?:google-chrome|chromium|BraveSoftware|\\.mozilla/firefox)/\\S*(?:Cookies|Login)|"
                u"\\.local/share/keyrings\\b|\\bsecret-tool\\s+lookup\\b|"
                u"\\bsecurity\\s+find-(?:generic|internet)-password\\b|\\blogin\\.keychain\\b"_s,
                Texts::tr("Liest gespeicherte Passwörter des Browsers oder des Schlüsselbunds"),
                {u"login data"_s, u"logins.json"_s, u"key3.db"_s, u"key4.db"_s, u"cookies"_s,
                 u"local state"_s, u"google-chrome"_s, u"chromium"_s, u"bravesoftware"_s, u".mozilla"_s,
                 u"keyrings"_s, u"secret-tool"_s, u"find-generic"_s, u"find-internet"_s, u"keychain"_s}),

        // Sending local files or the environment out.
        pattern(u"exfiltration"_s, AuditLevel::high,
                u"\\bcurl\\b[^\\n]*(?:\\s(?:-d|--data(?:-binary|-raw|-urlencode)?)[\\s=]*['\"]?@|"
                u"\\s(?:-F|--form)\\s*['\"]?[^=\\s]+=@|\\s(?:--upload-file|-T)\\s)|"
                u"\\bwget\\b[^\\n]*--post-file\\b"_s,
                Texts::tr("Sendet lokale Dateien ins Netz"),
                {u"@"_s, u"upload-file"_s, u" -t"_s, u"post-file"_s}),
        pattern(u"exfiltration"_s, AuditLevel::high,
                u"\\b(?:nc|ncat|netcat)\\b[^|\\n]*\\s\\S+\\s+\\d{1,5}\\s*<|/dev/(?:tcp|udp)/|"
                u"\\|\\s*(?:nc|ncat|netcat)\\s+(?:-\\S+\\s+)*[\\w.-]+\\s+\\d{1,5}\\b|"
                u"\\b(?:env|printenv)\\b\\s*\\|\\s*(?:curl|wget|nc|ncat|netcat)\\b"_s,
                Texts::tr("Sendet Dateien oder die Umgebung ins Netz"),
                {u"nc"_s, u"netcat"_s, u"/dev/tcp"_s, u"/dev/udp"_s, u"env"_s}),

        // Hiding what runs: decoded data run or evaluated.
        pattern(u"obfuscated-code"_s, AuditLevel::medium,
                u"\\bbase64\\s+(?:-d|--decode|-D)\\b[^\\n]*\\|\\s*(?:"_s + interpreters +
                    u")\\b|"
                    u"\\b(?:eval|exec)\\b[^\\n]*(?:base64\\s+(?:-d|--decode)|b64decode|atob\\s*\\(|"
                    u"fromCharCode|unhexlify|xxd\\s+-r)"_s,
                Texts::tr("Führt verschlüsselten Code aus"), {u"base64"_s, u"eval"_s, u"exec"_s}),
    };
    return patterns;
}

bool AuditRules::isHiddenCharacter(char32_t codePoint)
{
    return (codePoint >= 0xE0000 && codePoint <= 0xE007F)  // tag characters: text no one sees
           || (codePoint >= 0x202A && codePoint <= 0x202E) // bidirectional embeddings and overrides
           || (codePoint >= 0x2066 && codePoint <= 0x2069) // bidirectional isolates
           || (codePoint >= 0x200B && codePoint <= 0x200D) // zero-width space and joiners
           || codePoint == 0x2060 || codePoint == 0xFEFF;  // word joiner; a byte order mark inside
}

bool AuditRules::startsAsExecutable(QByteArrayView bytes)
{
    static const QByteArray magics[] = {
        QByteArray("\x7f"
                   "ELF",
                   4),                     // Linux
        QByteArray("MZ", 2),               // Windows
        QByteArray("\xfe\xed\xfa\xce", 4), // Mach-O, 32 bit
        QByteArray("\xfe\xed\xfa\xcf", 4), // Mach-O, 64 bit
        QByteArray("\xce\xfa\xed\xfe", 4), // the same, little-endian
        QByteArray("\xcf\xfa\xed\xfe", 4),
        QByteArray("\xca\xfe\xba\xbe", 4), // Mach-O universal binary
    };
    return std::any_of(std::begin(magics), std::end(magics),
                       [bytes](const QByteArray& magic) { return bytes.startsWith(magic); });
}
