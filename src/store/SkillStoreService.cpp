#include "store/SkillStoreService.h"

#include <QTextBoundaryFinder>

SkillStoreService::SkillStoreService(std::unique_ptr<SkillSource> source, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
{}

SkillStoreService::~SkillStoreService()
{
    delete m_runningSearch; // before the source it asked
}

void SkillStoreService::setSearchResults(const QList<RemoteSkillItem>& results)
{
    m_searchResults = results;
    Q_EMIT searchResultsChanged();
}

void SkillStoreService::setIsSearching(bool searching)
{
    m_isSearching = searching;
    Q_EMIT isSearchingChanged();
}

void SkillStoreService::setError(const std::optional<Problem>& error)
{
    m_error = error;
    Q_EMIT errorChanged();
}

void SkillSource::refreshLists(bool, QObject* context, std::function<void(const QList<Problem>&)> done)
{
    QMetaObject::invokeMethod(
        context, [done] { done({}); }, Qt::QueuedConnection);
}

void SkillStoreService::refreshSources(bool staleOnly, std::function<void(const QList<Problem>&)> done)
{
    m_source->refreshLists(staleOnly, this, [this, done](const QList<Problem>& failures) {
        // Hits shown before came from the older lists.
        if (userPerceivedLength(m_lastQuery) >= 2 && !m_isSearching)
            search(m_lastQuery);
        if (done)
            done(failures);
    });
}

void SkillStoreService::search(const QString& query)
{
    m_lastQuery = query;
    delete m_runningSearch;
    if (userPerceivedLength(query) < 2) {
        setSearchResults({});
        if (m_isSearching)
            setIsSearching(false);
        return;
    }
    m_failedSources.clear();
    m_lastSearchFailed = false;
    setIsSearching(true);
    setError(std::nullopt);
    m_runningSearch = new QObject(this);
    m_source->search(query, m_runningSearch, [this](const SearchAnswer& answer) {
        m_runningSearch->deleteLater();
        m_lastSearchFailed = !answer;
        m_failedSources = m_source->lastFailures();
        if (!answer && m_failedSources.isEmpty()) // a source of one part says why in its answer
            m_failedSources = {answer.error()};
        if (answer)
            setSearchResults(answer.value());
        else
            setError(answer.error());
        setIsSearching(false);
    });
}

qsizetype userPerceivedLength(const QString& text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    return count;
}
