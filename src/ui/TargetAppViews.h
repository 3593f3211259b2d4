#pragma once

#include "PlatformServices.h"
#include "TargetAppSkill.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class FileLinkerService;
class QLabel;
class QListWidget;
class QStackedWidget;
class TargetApp;

// Everything in one target app's folder, with the action that fits each entry.
class TargetAppSkillsListView : public QWidget
{
    Q_OBJECT

public:
    TargetAppSkillsListView(FileLinkerService& linker, PlatformServices platform, QWidget* parent = nullptr);

    // Shows another app's folder (read at once).
    void setTargetApp(TargetApp* app);
    void reload();
    const QList<TargetAppSkill>& items() const { return m_items; }

    const std::optional<TargetAppSkill>& selectedItem() const { return m_selected; }
    void setSelectedItem(const std::optional<TargetAppSkill>& item);

    // The row actions and the delete, as the buttons and the context menu run them.
    void repair(const TargetAppSkill& item);
    void import(const TargetAppSkill& item);
    void confirmAndDelete(const TargetAppSkill& item);

Q_SIGNALS:
    void selectedItemChanged(const std::optional<TargetAppSkill>& item);

private:
    QWidget* makeRow(const TargetAppSkill& item);
    void showContextMenu(const QPoint& position);

    FileLinkerService& m_linker;
    PlatformServices m_platform;
    QPointer<TargetApp> m_app;
    QList<TargetAppSkill> m_items;
    std::optional<TargetAppSkill> m_selected;
    QLabel* m_title;
    QStackedWidget* m_pages;
    QListWidget* m_list;
};

// One entry of an app's folder, its state told in words.
class TargetSkillDetailView : public QWidget
{
    Q_OBJECT

public:
    TargetSkillDetailView(const TargetAppSkill& item, const FileLinkerService& linker,
                          PlatformServices platform, QWidget* parent = nullptr);

    // The headline and the explanation, for tests and accessibility.
    QString headline() const;
    QString explanation() const;

private:
    QLabel* m_headline;
    QLabel* m_explanation;
};
