#pragma once

#include "RemoteSkillItem.h"
#include "Result.h"
#include "SkillStoreError.h"

#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class HttpClient;
class QNetworkAccessManager;
class SkillDownload;

// Where the store client sends its requests.
struct StoreEndpoints
{
    QString directoryBase; // scheme and host of the community directory
    QString directoryName; // how the directory is named to the user
    QString rawBase;       // GitHub raw content, ending in "/"
    QString apiBase;       // GitHub REST API
    std::chrono::milliseconds timeout{std::chrono::seconds(60)};

    // The program's own addresses, as set when it was built.
    static StoreEndpoints defaults();
};

// Searches the community directory and downloads a hit's SKILL.md from GitHub.
class SkillStoreService : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QList<RemoteSkillItem> searchResults READ searchResults NOTIFY searchResultsChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY isSearchingChanged)
    Q_PROPERTY(QString errorMessage READ errorMessageText NOTIFY errorMessageChanged)

public:
    // Bodies beyond this size are cut off and count as a bad answer.
    static constexpr qint64 maximumBodySize = 16 * 1024 * 1024;

    explicit SkillStoreService(StoreEndpoints endpoints, QObject* parent = nullptr);
    ~SkillStoreService() override;

    const StoreEndpoints& endpoints() const { return m_endpoints; }

    // --- Published search state
    const QList<RemoteSkillItem>& searchResults() const { return m_searchResults; }
    bool isSearching() const { return m_isSearching; }
    const std::optional<QString>& errorMessage() const { return m_errorMessage; }
    QString errorMessageText() const { return m_errorMessage.value_or(QString()); }
    // The user has seen the message.
    void clearErrorMessage() { setErrorMessage(std::nullopt); }

    // Asks the directory; the outcome shows in the published state. Queries of fewer
    // than two characters empty the results without asking.
    void search(const QString& query);

    // The body of one address as UTF-8 text, or the error; `done` runs unless `context` goes first.
    void fetchText(const QString& address, QObject* context,
                   std::function<void(const Result<QString, SkillStoreError>&)> done);

    // Finds the hit's SKILL.md in its repository; the download reports when it is done.
    SkillDownload* downloadSkill(const RemoteSkillItem& item);

    const HttpClient& http() const { return *m_http; }

Q_SIGNALS:
    void searchResultsChanged();
    void isSearchingChanged();
    void errorMessageChanged();

private:
    void setSearchResults(const QList<RemoteSkillItem>& results);
    void setIsSearching(bool searching);
    void setErrorMessage(const std::optional<QString>& message);
    void takeSearchAnswer(const struct HttpAnswer& answer);

    StoreEndpoints m_endpoints;
    QNetworkAccessManager* m_network;
    std::unique_ptr<HttpClient> m_http;
    QList<RemoteSkillItem> m_searchResults;
    bool m_isSearching = false;
    std::optional<QString> m_errorMessage;
};

// Percent-encodes text with the URL query character set: letters, digits, "-._~",
// the sub-delimiters "!$&'()*+,;=" and ":@/?" stay; everything else becomes %XX per UTF-8 byte.
QByteArray percentEncodedForQuery(const QString& text);

// The number of characters as a user counts them (a letter with a combining accent is one).
qsizetype userPerceivedLength(const QString& text);
