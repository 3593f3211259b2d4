#pragma once

#include "DesktopServices.h"

#include <QStringList>

#include <optional>

// The desktop services as a terminal offers them: panels answer with the paths given
// on the command line, alerts are written to standard error, and there is no file
// manager or clipboard to talk to.

class ArgumentPanels final : public FilePanels
{
public:
    // The next panel, of whatever kind, answers with this path.
    void answerNextWith(const QString& path) { m_answers.append(path); }

    std::optional<QString> chooseFolder(const FolderPanelRequest&) override { return next(); }
    std::optional<QString> chooseFileToOpen(const FilePanelRequest&) override { return next(); }
    std::optional<QString> chooseFileToSave(const FilePanelRequest&) override { return next(); }

private:
    std::optional<QString> next();
    QStringList m_answers;
};

class StandardErrorAlerts final : public Alerts
{
public:
    void inform(const QString& title, const QString& text, AlertStyle style) override;
    // Nothing is asked in a terminal: the command itself was the confirmation.
    bool confirmDestructive(const QString&, const QString&, const QString&, const QString&) override
    {
        return true;
    }
};

class NoFileReveal final : public FileReveal
{
public:
    void reveal(const QString&) override {}
};

class NoClipboard final : public Clipboard
{
public:
    void copyText(const QString&) override {}
};
