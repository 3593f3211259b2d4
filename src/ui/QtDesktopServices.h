#pragma once

#include "ui/DesktopServices.h"

// The desktop services as Qt provides them to the window.

class QtFilePanels final : public FilePanels
{
public:
    std::optional<QString> chooseFolder(const FolderPanelRequest& request) override;
    std::optional<QString> chooseFileToOpen(const FilePanelRequest& request) override;
    std::optional<QString> chooseFileToSave(const FilePanelRequest& request) override;
};

class QtAlerts final : public Alerts
{
public:
    void inform(const QString& title, const QString& text, AlertStyle style) override;
    bool confirmDestructive(const QString& title, const QString& text, const QString& cancelLabel,
                            const QString& destructiveLabel) override;
};

// Asks the file manager over the freedesktop D-Bus interface to show the item selected;
// without such a file manager, opens the item's folder instead.
class FileManagerReveal final : public FileReveal
{
public:
    void reveal(const QString& path) override;
};

class QtClipboard final : public Clipboard
{
public:
    void copyText(const QString& text) override;
};
