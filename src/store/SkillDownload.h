#pragma once

#include "base/Problem.h"
#include "store/RemoteSkillItem.h"
#include "store/SkillSource.h"

#include <QObject>
#include <QStringList>

class HttpClient;
struct HttpAnswer;
struct StoreEndpoints;

// Finds a hit's SKILL.md: six likely raw addresses in turn, then the repository tree of
// "main" and of "master" (at most ten requests). Reports once, then deletes itself.
class SkillDownload : public QObject
{
    Q_OBJECT

public:
    // Goes with `parent`, which cancels it.
    SkillDownload(const HttpClient& http, const StoreEndpoints& endpoints, RemoteSkillItem item,
                  QObject* parent);

    // Starts the tries; the outcome comes as a signal, never before start() returned.
    void start();

Q_SIGNALS:
    void finished(const FoundSkillFile& found);
    void failed(const Problem& error);

private:
    void tryNextRawAddress();
    void searchTree(int branchIndex);
    void takeTree(int branchIndex, const HttpAnswer& answer);
    void fetchFound(const QString& branch, const QString& path, std::function<void()> otherwise);
    void fail(const Problem& error);

    const HttpClient& m_http;
    const StoreEndpoints& m_endpoints;
    RemoteSkillItem m_item;
    QList<std::pair<QString, QString>> m_rawTries; // branch, path
    qsizetype m_nextRawAddress = 0;
};

// The first path of a repository tree listing (GitHub's git trees answer) that looks
// like the skill's SKILL.md, or nothing when the answer is unusable or has none.
std::optional<QString> findSkillFileInTree(const QByteArray& body, const std::optional<QString>& skillId);

Q_DECLARE_METATYPE(FoundSkillFile)
