#include "store/GitRemote.h"

#include "store/SkillIndex.h"

#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The transports a source may use; git's "ext::" and the like run programs and never are.
bool isAllowedScheme(const QString& scheme)
{
    static const QStringList allowed{u"https"_s, u"http"_s, u"ssh"_s, u"git"_s, u"file"_s};
    return allowed.contains(scheme);
}

bool isScpLike(const QString& text)
{
    static const QRegularExpression form(uR"(^[A-Za-z0-9._~-]+@[A-Za-z0-9.-]+:[^\s]+$)"_s);
    return form.match(text).hasMatch();
}

} // namespace

bool GitLocation::isRemote(const QString& text)
{
    return text.contains(u"://"_s) || text.startsWith(u'/') || isScpLike(text);
}

std::optional<Problem> GitLocation::refusal(const QString& url)
{
    const bool printable =
        std::none_of(url.cbegin(), url.cend(), [](QChar c) { return c.isSpace() || c < u' '; });
    if (url.isEmpty() || url.startsWith(u'-') || !printable || !isRemote(url))
        return Problem(Problem::Kind::notAGitRemote, {url});
    if (!url.contains(u"://"_s))
        return std::nullopt;
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || !isAllowedScheme(parsed.scheme()) ||
        (parsed.scheme() != u"file"_s && parsed.host().isEmpty()))
        return Problem(Problem::Kind::notAGitRemote, {url});
    // A password in the URL would be kept in the store, the lock file and the log.
    if (!parsed.password().isEmpty())
        return Problem(Problem::Kind::passwordInUrl, {parsed.toDisplayString(QUrl::RemovePassword)});
    return std::nullopt;
}

bool GitLocation::isUsableRef(const QString& ref)
{
    static const QRegularExpression form(uR"(^[A-Za-z0-9_][A-Za-z0-9._/-]*$)"_s);
    return form.match(ref).hasMatch() && !ref.contains(u".."_s) && !ref.endsWith(u'/') &&
           !ref.endsWith(u".lock"_s);
}

Result<GitLocation, Problem> GitLocation::parse(const QString& text)
{
    GitLocation location;
    QString rest = text.trimmed();
    if (const qsizetype hash = rest.lastIndexOf(u'#'); hash >= 0) {
        location.path = rest.mid(hash + 1);
        while (location.path.endsWith(u'/'))
            location.path.chop(1);
        rest.truncate(hash);
        if (!location.path.isEmpty() && !isPlainRepositoryPath(location.path))
            return Problem(Problem::Kind::notAPathInRepository, {location.path});
    }
    // "@REF" ends the URL only where what follows cannot be part of a host or a path.
    if (const qsizetype at = rest.lastIndexOf(u'@'); at > 0) {
        const QString ref = rest.mid(at + 1);
        const QString url = rest.left(at);
        if (!ref.contains(u'/') && !ref.contains(u':') && isRemote(url)) {
            if (!isUsableRef(ref))
                return Problem(Problem::Kind::notAGitRemote, {text});
            location.ref = ref;
            rest = url;
        }
    }
    if (const auto refused = refusal(rest))
        return *refused;
    location.url = rest;
    return location;
}

QString GitLocation::text() const
{
    QString written = url;
    if (ref != u"HEAD"_s)
        written += u'@' + ref;
    if (!path.isEmpty())
        written += u'#' + path;
    return written;
}

bool GitLocation::contains(const QString& treePath) const
{
    return path.isEmpty() || treePath.startsWith(path + u'/');
}
