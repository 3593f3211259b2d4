#include "store/GitMirror.h"

#include "base/Log.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// What git's own words on standard error say went wrong, for one clear line. Git speaks in the
// C locale here so these can be recognised.
Problem problemOf(const QString& url, const QByteArray& errors)
{
    const QString words = QString::fromUtf8(errors).trimmed();
    // Git's first "fatal:" line says what failed; the lines after it give advice.
    QString gitSaid = words.section(u'\n', -1).trimmed();
    for (const QString& line : words.split(u'\n'))
        if (line.startsWith(u"fatal: "_s)) {
            gitSaid = line.mid(7).trimmed();
            break;
        }
    static const char* const refusedAccess[] = {"Authentication failed",     "could not read Username",
                                                "could not read Password",   "Permission denied",
                                                "terminal prompts disabled", "403"};
    static const char* const unreachable[] = {"Could not resolve host", "Connection refused",
                                              "Network is unreachable", "Connection timed out",
                                              "Could not connect",      "Failed to connect"};
    for (const char* sign : refusedAccess)
        if (words.contains(QLatin1StringView(sign)))
            return Problem(Problem::Kind::gitAuthenticationFailed, {url});
    for (const char* sign : unreachable)
        if (words.contains(QLatin1StringView(sign)))
            return Problem(Problem::Kind::gitUnreachable, {url, gitSaid});
    return Problem(Problem::Kind::gitFailed, {url, gitSaid});
}

QString refName(const QString& ref)
{
    return u"refs/quorvane/at/"_s + ref;
}

} // namespace

GitMirror::GitMirror(QString url)
    : m_url(std::move(url))
    , m_folder(folderFor(m_url))
{}

QString GitMirror::folderFor(const QString& url)
{
    const QByteArray name =
        QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Quorvane/git/"_s +
           QString::fromLatin1(name) + u".git"_s;
}

Result<QByteArray, Problem> GitMirror::git(const QStringList& arguments, const QByteArray& input,
                                           bool quiet) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Never wait for a password typed into a terminal nobody sees; helpers and agents still answer.
    environment.insert(u"GIT_TERMINAL_PROMPT"_s, u"0"_s);
    environment.insert(u"LC_ALL"_s, u"C"_s);
    environment.remove(u"LANGUAGE"_s);
    process.setProcessEnvironment(environment);
    // Transports that run programs stay off, whatever a remote's URL asks for.
    process.start(u"git"_s,
                  QStringList{u"-c"_s, u"protocol.ext.allow=never"_s, u"-C"_s, m_folder} + arguments);
    if (!process.waitForStarted())
        return Problem(Problem::Kind::gitMissing);
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    QByteArray output;
    const auto deadline = std::chrono::steady_clock::now() + longestCall;
    while (process.state() != QProcess::NotRunning) {
        if (std::chrono::steady_clock::now() > deadline) {
            process.kill();
            process.waitForFinished();
            return Problem(Problem::Kind::gitUnreachable, {m_url, u"timed out"_s});
        }
        process.waitForReadyRead(100);
        output += process.readAllStandardOutput();
    }
    output += process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QByteArray errors = process.readAllStandardError();
        if (!quiet)
            Log::line(u"Failed to run git %1 for %2: %3"_s.arg(arguments.value(0), m_url,
                                                               QString::fromUtf8(errors).simplified()));
        return problemOf(m_url, errors);
    }
    return output;
}

Outcome GitMirror::prepare()
{
    if (QFileInfo::exists(m_folder + u"/HEAD"_s))
        return {};
    if (!QDir().mkpath(m_folder))
        return Error::of(Problem::fileFailed("create-folder", m_folder));
    if (auto made = git({u"init"_s, u"--bare"_s, u"-q"_s}); !made)
        return Error::of(made.error());
    return {};
}

namespace {

// "COMMIT\nTREE\n" as rev-parse prints them, after the lines `skipping`.
std::optional<GitMirror::Fetched> fetchedFrom(const QByteArray& printed, qsizetype skipping = 0)
{
    const QList<QByteArray> lines = printed.trimmed().split('\n');
    if (lines.size() != skipping + 2)
        return std::nullopt;
    return GitMirror::Fetched{QString::fromLatin1(lines[skipping].trimmed()),
                              QString::fromLatin1(lines[skipping + 1].trimmed())};
}

} // namespace

Result<GitMirror::Fetched, Problem> GitMirror::fetch(const QString& ref)
{
    if (const Outcome prepared = prepare(); !prepared)
        return prepared.error().shown();
    if (RepositoryTree::isCommitSha(ref))
        if (const auto here = git({u"rev-parse"_s, ref + u"^{commit}"_s, ref + u"^{tree}"_s}, {}, true))
            if (const auto fetched = fetchedFrom(here.value()))
                return *fetched;
    // Asking what the ref names costs far less than a fetch, which sends the commit again.
    if (const auto unchanged = unchangedSinceLastFetch(ref))
        return *unchanged;
    // Kept under a ref of its own, so the next fetch tells the remote what is here already.
    if (auto fetched = git({u"fetch"_s, u"-q"_s, u"--depth"_s, u"1"_s, u"--no-tags"_s, u"--"_s, m_url,
                            u"+"_s + ref + u':' + refName(ref)});
        !fetched)
        return fetched.error();
    const auto named = git({u"rev-parse"_s, refName(ref) + u"^{commit}"_s, refName(ref) + u"^{tree}"_s});
    if (!named)
        return named.error();
    if (const auto fetched = fetchedFrom(named.value()))
        return *fetched;
    return Problem(Problem::Kind::gitFailed, {m_url, u"no commit at "_s + ref});
}

std::optional<GitMirror::Fetched> GitMirror::unchangedSinceLastFetch(const QString& ref) const
{
    const QString kept = refName(ref);
    const auto here = git({u"rev-parse"_s, kept, kept + u"^{commit}"_s, kept + u"^{tree}"_s}, {}, true);
    if (!here)
        return std::nullopt;
    const QByteArray object = here.value().left(here.value().indexOf('\n'));
    const auto there = git({u"ls-remote"_s, u"-q"_s, u"--"_s, m_url, ref}, {}, true);
    if (!there)
        return std::nullopt; // the fetch tells why
    // "SHA\tNAME" per line: the ref as asked for, else the branch, else the tag.
    for (const QString& name : QStringList{ref, u"refs/heads/"_s + ref, u"refs/tags/"_s + ref}) {
        for (const QByteArray& line : there.value().split('\n')) {
            if (line.mid(line.indexOf('\t') + 1) == name.toUtf8())
                return line.left(line.indexOf('\t')) == object ? fetchedFrom(here.value(), 1) : std::nullopt;
        }
    }
    return std::nullopt;
}

Result<RepositoryTree, Problem> GitMirror::tree(const Fetched& fetched)
{
    auto listing = git({u"ls-tree"_s, u"-r"_s, u"-t"_s, u"-l"_s, u"-z"_s, u"--full-tree"_s, fetched.commit});
    if (!listing)
        return listing.error();
    RepositoryTree tree;
    tree.sha = fetched.tree;
    // "MODE TYPE SHA SIZE\tPATH", each ended by a NUL; the size is "-" for all but blobs.
    for (const QByteArray& line : listing.value().split('\0')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        const QList<QByteArray> fields = line.left(tab).simplified().split(' ');
        if (fields.size() != 4)
            continue;
        TreeEntry entry{QString::fromUtf8(line.mid(tab + 1)), QString::fromLatin1(fields[0]),
                        QString::fromLatin1(fields[1]), QString::fromLatin1(fields[2]), std::nullopt};
        bool isNumber = false;
        if (const qint64 size = fields[3].toLongLong(&isNumber); isNumber)
            entry.size = size;
        tree.entries.append(std::move(entry));
    }
    return tree;
}

Result<QList<QByteArray>, Problem> GitMirror::blobs(const QStringList& shas, qint64 maximumBytes)
{
    if (shas.isEmpty())
        return QList<QByteArray>();
    auto output = git({u"cat-file"_s, u"--batch"_s}, shas.join(u'\n').toLatin1() + '\n');
    if (!output)
        return output.error();
    // "SHA blob SIZE\nBYTES\n" for each, or "SHA missing\n".
    const QByteArray& all = output.value();
    QList<QByteArray> contents;
    qsizetype at = 0;
    qint64 total = 0;
    for (const QString& sha : shas) {
        const qsizetype lineEnd = all.indexOf('\n', at);
        const QList<QByteArray> header = all.mid(at, lineEnd - at).split(' ');
        if (lineEnd < 0 || header.size() != 3 || header[1] != "blob")
            return Problem(Problem::Kind::gitFailed, {m_url, sha + u" missing"_s});
        const qint64 size = header[2].toLongLong();
        total += size;
        if (total > maximumBytes)
            return Problem(Problem::Kind::largerThanAllowed, {QString::number(maximumBytes / (1024 * 1024))});
        contents.append(all.mid(lineEnd + 1, size));
        at = lineEnd + 1 + size + 1;
    }
    return contents;
}

Result<QDateTime, Problem> GitMirror::commitTime(const QString& commit)
{
    auto shown = git({u"show"_s, u"-s"_s, u"--format=%ct"_s, commit});
    if (!shown)
        return shown.error();
    return QDateTime::fromSecsSinceEpoch(shown.value().trimmed().toLongLong(), Qt::UTC);
}
