#pragma once

#include "access/LegacyPreferences.h"
#include "access/PlatformServices.h"
#include "access/SecurityScopes.h"
#include "access/UserEnvironment.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariant>

// Scripted doubles of every platform and desktop service, for tests.

// Grants access unless told to refuse a folder; records every start and stop.
class ScriptedSecurityScopes final : public SecurityScopes
{
public:
    bool startAccessing(const QString& folderPath) override
    {
        started.append(folderPath);
        if (m_refuseAll || m_refused.contains(folderPath))
            return false;
        granted.append(folderPath);
        return true;
    }
    void stopAccessing(const QString& folderPath) override { stopped.append(folderPath); }

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
    std::optional<QString> homeFolderOfUser(const QString& loginName) const override
    {
        return passwordHomes.contains(loginName) ? std::optional(passwordHomes.value(loginName))
                                                 : std::nullopt;
    }

    QString home; // as $HOME reports it
    QString login = QStringLiteral("tester");
    QHash<QString, QString> passwordHomes; // login -> home in the password database
};

class InMemoryLegacyPreferences final : public LegacyPreferences
{
public:
    std::optional<QString> string(const QString& key) const override
    {
        const QVariant value = values.value(key);
        return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
    }
    std::optional<QByteArray> bytes(const QString& key) const override
    {
        const QVariant value = values.value(key);
        return value.typeId() == QMetaType::QByteArray ? std::optional(value.toByteArray()) : std::nullopt;
    }

    QHash<QString, QVariant> values;
};

// The core's platform doubles together, handed out as the services bundle.
struct TestPlatform
{
    ScriptedSecurityScopes scopes;
    FakeUserEnvironment user;
    InMemoryLegacyPreferences preferences;

    PlatformServices services() { return {scopes, user, preferences}; }
};
