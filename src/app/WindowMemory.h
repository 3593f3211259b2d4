#pragma once

#include <QString>

class ContentView;

// The main window's size, position, column widths and section, kept between runs in the
// user's configuration folder. A missing or unreadable file leaves the window as it opens
// the first time.
class WindowMemory
{
public:
    explicit WindowMemory(const QString& filePath = defaultFilePath());

    // $XDG_CONFIG_HOME/Quorvane/window.ini
    static QString defaultFilePath();

    void restore(ContentView& window) const;
    void remember(const ContentView& window) const;
    // Whether the skills of other installers were offered for adoption: that is done once.
    bool adoptionOffered() const;
    void rememberAdoptionOffered() const;

private:
    QString m_filePath;
};
