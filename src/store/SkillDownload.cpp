#include "store/SkillDownload.h"

#include "store/DirectorySkillSource.h"
#include "store/HttpClient.h"

#include <QTimer>
#include <QUrl>

#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;

namespace {

const QStringList branches = {u"main"_s, u"master"_s};

} // namespace

std::optional<QString> findSkillFileInTree(const QByteArray& body, const std::optional<QString>& skillId)
{
    const nlohmann::json document = nlohmann::json::parse(body.cbegin(), body.cend(), nullptr, false);
    if (document.is_discarded() || !document.is_object())
        return std::nullopt;
    const auto tree = document.find("tree");
    if (tree == document.end() || !tree->is_array())
        return std::nullopt;
    if (!std::all_of(tree->begin(), tree->end(),
                     [](const nlohmann::json& entry) { return entry.is_object(); }))
        return std::nullopt;

    const QString suffix = skillId ? u"/"_s + *skillId + u"/SKILL.md"_s : u"SKILL.md"_s;
    for (const nlohmann::json& entry : *tree) {
        const auto found = entry.find("path");
        const QString path = found != entry.end() && found->is_string()
                                 ? QString::fromStdString(found->get<std::string>())
                                 : QString();
        if (path.endsWith(suffix) || path == u"SKILL.md"_s || (skillId && path == *skillId + u"/SKILL.md"_s))
            return path;
    }
    return std::nullopt;
}

SkillDownload::SkillDownload(const HttpClient& http, const StoreEndpoints& endpoints, RemoteSkillItem item,
                             QObject* parent)
    : QObject(parent)
    , m_http(http)
    , m_endpoints(endpoints)
    , m_item(std::move(item))
{}

void SkillDownload::start()
{
    if (!m_item.source) {
        QTimer::singleShot(0, this, [this] { fail(Problem(Problem::Kind::invalidUrl)); });
        return;
    }
    const QString skillPath = m_item.skillId ? *m_item.skillId + u"/"_s : QString();
    m_rawTries = {
        {u"main"_s, skillPath + u"SKILL.md"_s},
        {u"master"_s, skillPath + u"SKILL.md"_s},
        {u"main"_s, u"SKILL.md"_s},
        {u"master"_s, u"SKILL.md"_s},
        {u"main"_s, u"skills/"_s + skillPath + u"SKILL.md"_s},
        {u"master"_s, u"skills/"_s + skillPath + u"SKILL.md"_s},
    };
    tryNextRawAddress();
}

void SkillDownload::tryNextRawAddress()
{
    if (m_nextRawAddress == m_rawTries.size()) {
        searchTree(0);
        return;
    }
    const auto& [branch, path] = m_rawTries[m_nextRawAddress++];
    fetchFound(branch, path, [this] { tryNextRawAddress(); });
}

void SkillDownload::fetchFound(const QString& branch, const QString& path, std::function<void()> otherwise)
{
    // Inserted verbatim, as the directory names them.
    m_http.getText(m_endpoints.rawBase + *m_item.source + u'/' + branch + u'/' + path, this,
                   [this, branch, path, otherwise](const Result<QString, Problem>& text) {
                       if (!text)
                           return otherwise();
                       Q_EMIT finished({text.value(), branch, path});
                       deleteLater();
                   });
}

void SkillDownload::searchTree(int branchIndex)
{
    if (branchIndex == branches.size()) {
        fail(Problem(Problem::Kind::noSkillFile));
        return;
    }
    const QUrl url = QUrl::fromEncoded((m_endpoints.apiBase + u"/repos/"_s + *m_item.source +
                                        u"/git/trees/"_s + branches[branchIndex] + u"?recursive=1"_s)
                                           .toUtf8(),
                                       QUrl::StrictMode);
    if (!url.isValid()) {
        searchTree(branchIndex + 1);
        return;
    }
    m_http.get(url, {{"Accept", "application/vnd.github.v3+json"}}, this,
               [this, branchIndex](const HttpAnswer& answer) { takeTree(branchIndex, answer); });
}

void SkillDownload::takeTree(int branchIndex, const HttpAnswer& answer)
{
    if (answer.tooLarge || answer.status != 200) {
        searchTree(branchIndex + 1);
        return;
    }
    const auto path = findSkillFileInTree(answer.body, m_item.skillId);
    if (!path) {
        searchTree(branchIndex + 1);
        return;
    }
    // Only the first matching entry is tried; when it fails, the next branch is searched.
    fetchFound(branches[branchIndex], *path, [this, branchIndex] { searchTree(branchIndex + 1); });
}

void SkillDownload::fail(const Problem& error)
{
    Q_EMIT failed(error);
    deleteLater();
}
