#pragma once

#include "DesktopServices.h"
#include "LegacyPreferences.h"
#include "PlatformServices.h"
#include "SecurityScopes.h"
#include "UserEnvironment.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariant>

// Scripted doubles of every platform service, for tests.

// Grants access unless told to refuse a folder; records every start and stop.
class ScriptedSecurityScopes final : public SecurityScopes
{
public:
    bool startAccessing(const QString& folderPath) override;
    void stopAccessing(const QString& folderPath) override;

    void refuse(const QString& folderPath) { m_refused.insert(folderPath); }
    void refuseAll() { m_refuseAll = true; }

    QStringList started; // every start asked for, granted or not
    QStringList granted; // the starts that were granted
    QStringList stopped; // every stop
    int openCount() const { return static_cast<int>(granted.size() - stopped.size()); }

private:
    QSet<QString> m_refused;
    bool m_refuseAll = false;
};

class FakeUserEnvironment final : public UserEnvironment
{
public:
    QString homeFolder() const override { return home; }
    QString loginName() const override { return login; }
    std::optional<QString> homeFolderOfUser(const QString& loginName) const override;

    QString home; // as $HOME reports it
    QString login = QStringLiteral("tester");
    QHash<QString, QString> passwordHomes; // login -> home in the password database
};

class InMemoryLegacyPreferences final : public LegacyPreferences
{
public:
    std::optional<QString> string(const QString& key) const override;
    std::optional<QByteArray> bytes(const QString& key) const override;

    QHash<QString, QVariant> values;
};

// Answers panels from a queue the test fills; records every request.
class ScriptedFilePanels final : public FilePanels
{
public:
    std::optional<QString> chooseFolder(const FolderPanelRequest& request) override;
    std::optional<QString> chooseFileToOpen(const FilePanelRequest& request) override;
    std::optional<QString> chooseFileToSave(const FilePanelRequest& request) override;

    QList<std::optional<QString>> answers; // nothing = the user cancels
    QList<FolderPanelRequest> folderRequests;
    QList<FilePanelRequest> fileRequests;

private:
    std::optional<QString> nextAnswer();
};

class RecordingAlerts final : public Alerts
{
public:
    void inform(const QString& title, const QString& text, AlertStyle style) override;
    bool confirmDestructive(const QString& title, const QString& text, const QString& cancelLabel,
                            const QString& destructiveLabel) override;

    QStringList shown;         // "title|text" of every alert and question
    QList<AlertStyle> styles;  // of every alert
    QList<bool> confirmations; // answers to questions, in order; cancel when empty
};

class RecordingReveal final : public FileReveal
{
public:
    void reveal(const QString& path) override { revealed.append(path); }
    QStringList revealed;
};

class RecordingClipboard final : public Clipboard
{
public:
    void copyText(const QString& text) override { copied.append(text); }
    QStringList copied;
};

// All doubles together, handed out as the services bundle.
struct TestPlatform
{
    ScriptedSecurityScopes scopes;
    FakeUserEnvironment user;
    InMemoryLegacyPreferences preferences;
    ScriptedFilePanels panels;
    RecordingAlerts alerts;
    RecordingReveal reveal;
    RecordingClipboard clipboard;

    PlatformServices services() { return {scopes, user, preferences, panels, alerts, reveal, clipboard}; }
};
