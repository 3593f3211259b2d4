#pragma once

#include <QString>

// Grants access to a folder for the length of one operation. Linux has no sandbox, so
// the system implementation always grants; tests script refusals through this seam.
class SecurityScopes
{
public:
    virtual ~SecurityScopes() = default;
    virtual bool startAccessing(const QString& folderPath) = 0;
    virtual void stopAccessing(const QString& folderPath) = 0;
};

class UnrestrictedSecurityScopes final : public SecurityScopes
{
public:
    bool startAccessing(const QString&) override { return true; }
    void stopAccessing(const QString&) override {}
};

// Starts access on construction and stops it on destruction, but only if it started.
class ScopedFolderAccess
{
public:
    ScopedFolderAccess(SecurityScopes& scopes, QString folderPath)
        : m_scopes(scopes)
        , m_folderPath(std::move(folderPath))
        , m_granted(m_scopes.startAccessing(m_folderPath))
    {}
    ~ScopedFolderAccess()
    {
        if (m_granted)
            m_scopes.stopAccessing(m_folderPath);
    }
    ScopedFolderAccess(const ScopedFolderAccess&) = delete;
    ScopedFolderAccess& operator=(const ScopedFolderAccess&) = delete;

    bool isGranted() const { return m_granted; }

private:
    SecurityScopes& m_scopes;
    QString m_folderPath;
    bool m_granted;
};
