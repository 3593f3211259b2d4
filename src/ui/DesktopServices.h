#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Services of the desktop the window asks for: panels, alerts, the file manager and the
// clipboard. The window uses Qt implementations; tests script answers. The core never
// sees these: it takes the folders and files the user chose.

struct FolderPanelRequest
{
    QString title;
    QString message;
    QString prompt; // label of the confirm button
    QString startFolder;
    bool canCreateFolders = false;
    bool showsHiddenFiles = false;
};

struct FilePanelRequest
{
    QString title;
    QString prompt;
    QString startFolder;
    QString proposedName;    // save panels only
    QStringList nameFilters; // e.g. "JSON (*.json)"
};

class FilePanels
{
public:
    virtual ~FilePanels() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFolder(const FolderPanelRequest& request) = 0;
    virtual std::optional<QString> chooseFileToOpen(const FilePanelRequest& request) = 0;
    virtual std::optional<QString> chooseFileToSave(const FilePanelRequest& request) = 0;
};

enum class AlertStyle
{
    informational,
    critical
};

class Alerts
{
public:
    virtual ~Alerts() = default;
    // A modal message with one "OK" button.
    virtual void inform(const QString& title, const QString& text,
                        AlertStyle style = AlertStyle::informational) = 0;
    // A modal question; true when the user chose the destructive button.
    virtual bool confirmDestructive(const QString& title, const QString& text, const QString& cancelLabel,
                                    const QString& destructiveLabel) = 0;
};

class FileReveal
{
public:
    virtual ~FileReveal() = default;
    // Shows the item selected in a file manager window.
    virtual void reveal(const QString& path) = 0;
};

class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void copyText(const QString& text) = 0;
};

// The desktop services together, handed to the views. The objects are owned elsewhere
// (the application, or a test) and outlive the views.
struct DesktopServices
{
    FilePanels& panels;
    Alerts& alerts;
    FileReveal& reveal;
    Clipboard& clipboard;
};
