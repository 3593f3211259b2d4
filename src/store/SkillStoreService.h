#pragma once

#include "store/RemoteSkillItem.h"
#include "store/SkillSource.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

// The store's published search state over one skill source. A new search cancels the
// one still running, so an older answer never overwrites newer results.
class SkillStoreService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<RemoteSkillItem> searchResults READ searchResults NOTIFY searchResultsChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)

public:
    explicit SkillStoreService(std::unique_ptr<SkillSource> source, QObject* parent = nullptr);
    ~SkillStoreService() override;

    SkillSource& source() const { return *m_source; }

    const QList<RemoteSkillItem>& searchResults() const { return m_searchResults; }
    bool isSearching() const { return m_isSearching; }
    // Why the last search failed, until the user has seen it.
    const std::optional<Problem>& error() const { return m_error; }
    // The user has seen the error.
    void clearError() { setError(std::nullopt); }
    // The sources that did not answer the last finished search, each with why; kept after
    // the error is seen, until the next search starts.
    const QList<Problem>& failedSources() const { return m_failedSources; }
    // Whether the last finished search failed as a whole, rather than found nothing.
    bool lastSearchFailed() const { return m_lastSearchFailed; }

    // Asks the source; the outcome shows in the published state. Queries of fewer than
    // two characters empty the results without asking.
    void search(const QString& query);
    // Reads the sources' skill lists again (with `staleOnly`, those older than a day, as
    // when the store is opened) and searches again afterwards.
    void refreshSources(bool staleOnly, std::function<void(const QList<Problem>& failures)> done = {});

Q_SIGNALS:
    void searchResultsChanged();
    void isSearchingChanged();
    void errorChanged();

private:
    void setSearchResults(const QList<RemoteSkillItem>& results);
    void setIsSearching(bool searching);
    void setError(const std::optional<Problem>& error);

    std::unique_ptr<SkillSource> m_source;
    QPointer<QObject> m_runningSearch; // its destruction cancels the request
    QList<RemoteSkillItem> m_searchResults;
    bool m_isSearching = false;
    std::optional<Problem> m_error;
    QList<Problem> m_failedSources;
    bool m_lastSearchFailed = false;
    QString m_lastQuery;
};

// The number of characters as a user counts them (a letter with a combining accent is one).
qsizetype userPerceivedLength(const QString& text);
