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

void SkillStoreService::setErrorMessage(const std::optional<QString>& message)
{
    m_errorMessage = message;
    Q_EMIT errorMessageChanged();
}

void SkillSource::refreshLists(bool, QObject* context, std::function<void(const QStringList&)> done)
{
    QMetaObject::invokeMethod(
        context, [done] { done({}); }, Qt::QueuedConnection);
}

void SkillStoreService::refreshSources(bool staleOnly, std::function<void(const QStringList&)> done)
{
    m_source->refreshLists(staleOnly, this, [this, done](const QStringList& failures) {
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
    setErrorMessage(std::nullopt);
    m_runningSearch = new QObject(this);
    m_source->search(query, m_runningSearch, [this](const SearchAnswer& answer) {
        m_runningSearch->deleteLater();
        m_lastSearchFailed = !answer;
        m_failedSources = answer ? m_source->lastFailures() : answer.error().split(u'\n');
        if (answer)
            setSearchResults(answer.value());
        else
            setErrorMessage(answer.error());
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
