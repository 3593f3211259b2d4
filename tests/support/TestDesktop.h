#pragma once

#include "ui/DesktopServices.h"

#include <QList>
#include <QStringList>

// Scripted doubles of the desktop services the window asks: each dialog is primed by
// the test with its next answer, and everything shown is recorded.

// Answers panels from a queue the test fills; records every request.
class ScriptedFilePanels final : public FilePanels
{
public:
    std::optional<QString> chooseFolder(const FolderPanelRequest& request) override
    {
        folderRequests.append(request);
        return nextAnswer();
    }
    std::optional<QString> chooseFileToOpen(const FilePanelRequest& request) override
    {
        return file(request);
    }
    std::optional<QString> chooseFileToSave(const FilePanelRequest& request) override
    {
        return file(request);
    }

    QList<std::optional<QString>> answers; // nothing = the user cancels
    QList<FolderPanelRequest> folderRequests;
    QList<FilePanelRequest> fileRequests;

private:
    std::optional<QString> file(const FilePanelRequest& request)
    {
        fileRequests.append(request);
        return nextAnswer();
    }
    std::optional<QString> nextAnswer() { return answers.isEmpty() ? std::nullopt : answers.takeFirst(); }
};

class RecordingAlerts final : public Alerts
{
public:
    void inform(const QString& title, const QString& text, AlertStyle style) override
    {
        shown.append(title + u'|' + text);
        styles.append(style);
    }
    bool confirmDestructive(const QString& title, const QString& text, const QString&,
                            const QString&) override
    {
        shown.append(title + u'|' + text);
        return confirmations.isEmpty() ? false : confirmations.takeFirst();
    }

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

// All desktop doubles together, handed out as the services bundle.
struct TestDesktop
{
    ScriptedFilePanels panels;
    RecordingAlerts alerts;
    RecordingReveal reveal;
    RecordingClipboard clipboard;

    DesktopServices services() { return {panels, alerts, reveal, clipboard}; }
};
