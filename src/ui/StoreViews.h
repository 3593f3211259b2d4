#pragma once

#include "store/RemoteSkillItem.h"
#include "ui/DesktopServices.h"

#include <QWidget>

#include <optional>

class PlaceholderView;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTimer;
class SkillStoreService;
class Workspace;
class SkillInstall;
struct InstallResult;

// Searching the community directory as the user types, and the hits.
class SkillStoreListView : public QWidget
{
    Q_OBJECT

public:
    // Only the last change within this time is searched for.
    static constexpr int debounceMilliseconds = 500;

    SkillStoreListView(SkillStoreService& service, DesktopServices desktop, QWidget* parent = nullptr);

    // Empties the field without searching, so the last hits stay listed.
    void clearSearchKeepingResults();

Q_SIGNALS:
    void selectedSkillChanged(const std::optional<RemoteSkillItem>& skill);
    // "Quellen" in the header.
    void sourcesRequested();

private:
    void updateContent();
    void rebuildHits();

    SkillStoreService& m_service;
    DesktopServices m_desktop;
    QLineEdit* m_search;
    QTimer* m_debounce;
    QStackedWidget* m_pages;
    QLabel* m_progress;
    PlaceholderView* m_placeholder;
    QLabel* m_failedNote; // the sources that did not answer, above hits from the others
    QListWidget* m_list;
    std::optional<RemoteSkillItem> m_selected;
};

// One hit: who made it, how often it was installed, and the install into the hub.
class SkillStoreDetailView : public QWidget
{
    Q_OBJECT

public:
    SkillStoreDetailView(const RemoteSkillItem& skill, SkillStoreService& service, Workspace& workspace,
                         DesktopServices desktop, QWidget* parent = nullptr);

    // Who it is from: its source, else its id.
    static QString displaySource(const RemoteSkillItem& skill);

Q_SIGNALS:
    // The install belongs to the workspace and outlives this view; whoever shows its
    // outcome listens to it.
    void installStarted(SkillInstall* install);

private:
    // Downloads SKILL.md and writes it into the hub folder; the outcome comes as an alert.
    void install();
    void updateActionArea();
    void finishInstall();

    RemoteSkillItem m_skill;
    SkillStoreService& m_service;
    Workspace& m_workspace;
    DesktopServices m_desktop;
    bool m_downloading = false;
    QStackedWidget* m_actions;
    QPushButton* m_reinstall;
    QPushButton* m_install;
};
