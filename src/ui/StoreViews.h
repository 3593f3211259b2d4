#pragma once

#include "PlatformServices.h"
#include "RemoteSkillItem.h"

#include <QWidget>

#include <optional>

class FileLinkerService;
class PlaceholderView;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTimer;
class SkillStoreService;

// Searching the community directory as the user types, and the hits.
class SkillStoreListView : public QWidget
{
    Q_OBJECT

public:
    // Only the last change within this time is searched for.
    static constexpr int debounceMilliseconds = 500;

    SkillStoreListView(SkillStoreService& service, PlatformServices platform, QWidget* parent = nullptr);

    const std::optional<RemoteSkillItem>& selectedSkill() const { return m_selected; }
    QLineEdit* searchField() const { return m_search; }
    // Empties the field without searching, so the last hits stay listed.
    void clearSearchKeepingResults();
    // "progress", "list", or the placeholder's title.
    QString shownContent() const;

Q_SIGNALS:
    void selectedSkillChanged(const std::optional<RemoteSkillItem>& skill);

private:
    void updateContent();
    void rebuildHits();
    void showErrorIfAny();

    SkillStoreService& m_service;
    PlatformServices m_platform;
    QLineEdit* m_search;
    QTimer* m_debounce;
    QStackedWidget* m_pages;
    QLabel* m_progress;
    PlaceholderView* m_placeholder;
    QListWidget* m_list;
    std::optional<RemoteSkillItem> m_selected;
};

// One hit: who made it, how often it was installed, and the install into the hub.
class SkillStoreDetailView : public QWidget
{
    Q_OBJECT

public:
    SkillStoreDetailView(const RemoteSkillItem& skill, SkillStoreService& service, FileLinkerService& linker,
                         PlatformServices platform, QWidget* parent = nullptr);

    // Downloads SKILL.md and writes it into the hub folder; the outcome comes as an alert.
    void install();
    bool isDownloading() const { return m_downloading; }

    // The item's folder in the hub: its skillId, else its name.
    static QString folderName(const RemoteSkillItem& skill);
    // Who it is from: its source, else its id.
    static QString displaySource(const RemoteSkillItem& skill);

Q_SIGNALS:
    void installFinished(const QString& message);

private:
    void updateActionArea();
    void finishInstall(const QString& message);

    RemoteSkillItem m_skill;
    SkillStoreService& m_service;
    FileLinkerService& m_linker;
    PlatformServices m_platform;
    bool m_downloading = false;
    QStackedWidget* m_actions;
    QPushButton* m_reinstall;
    QPushButton* m_install;
};
