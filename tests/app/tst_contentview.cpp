#include "AppSettings.h"
#include "CentralHubListView.h"
#include "ContentView.h"
#include "LinkerFixture.h"
#include "PlaceholderView.h"
#include "SidebarView.h"
#include "SkillLinkRecord.h"
#include "TargetApp.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

struct Window
{
    LinkerFixture f;
    std::unique_ptr<ContentView> view;

    Window() { view = std::make_unique<ContentView>(*f.linker, *f.context, f.platform.services()); }

    QWidget* content() const { return view->findChild<QStackedWidget*>(u"contentColumn"_s)->currentWidget(); }
    QWidget* detail() const { return view->findChild<QStackedWidget*>(u"detailColumn"_s)->currentWidget(); }
    QTreeWidget* sidebar() const { return view->findChild<QTreeWidget*>(u"sidebar"_s); }

    // "title|symbol|text" of a column's placeholder, or the page's object name.
    static QString describe(QWidget* page)
    {
        if (auto* placeholder = qobject_cast<PlaceholderView*>(page))
            return placeholder->title() + u"|"_s + placeholder->symbolName() + u"|"_s + placeholder->text();
        return page->objectName().isEmpty() ? QString::fromLatin1(page->metaObject()->className())
                                            : page->objectName();
    }

    TargetApp* addApp(const QString& name, const QString& folder = u"~/.codex/skills"_s)
    {
        auto* app = new TargetApp(name, folder, u"folder"_s, std::nullopt);
        f.context->insert(app);
        return app;
    }

    QStringList appRowNames() const
    {
        QTreeWidgetItem* apps = sidebar()->topLevelItem(2);
        QStringList names;
        for (int i = 0; i < apps->childCount(); ++i)
            names.append(sidebar()->itemWidget(apps->child(i), 0)->findChild<QLabel*>(u"appName"_s)->text());
        return names;
    }
};

} // namespace

class TestContentView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sidebarHasItsSectionsInOrder()
    {
        Window w;
        QCOMPARE(w.view->findChild<QLabel*>(u"sidebarTitle"_s)->text(), u"Übersicht"_s);
        QTreeWidget* tree = w.sidebar();
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(0)->text(0), u"Entdecken"_s);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), u"Skills finden"_s);
        QCOMPARE(tree->topLevelItem(1)->text(0), u"Deine Umgebung"_s);
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(0), u"Zentraler Hub"_s);
        QCOMPARE(tree->topLevelItem(2)->text(0), u"Apps"_s);
        QCOMPARE(tree->topLevelItem(2)->childCount(), 0);
        // Section headers cannot be selected, entries can.
        QVERIFY(!(tree->topLevelItem(0)->flags() & Qt::ItemIsSelectable));
        QVERIFY(tree->topLevelItem(0)->child(0)->flags() & Qt::ItemIsSelectable);
    }

    void startsOnTheHub()
    {
        Window w;
        QCOMPARE(w.view->selection(), std::optional(SidebarSelection::centralHub()));
        QVERIFY(qobject_cast<CentralHubListView*>(w.content()));
        QCOMPARE(Window::describe(w.detail()),
                 u"Skill Vorschau|doc.text.magnifyingglass|Wähle einen Skill für weitere Details."_s);
        QCOMPARE(w.sidebar()->selectedItems().value(0)->text(0), u"Zentraler Hub"_s);
    }

    void columnsFollowTheSelection_data()
    {
        QTest::addColumn<QString>("select");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("detail");
        const QString notFound =
            u"App nicht gefunden|exclamationmark.triangle|Die ausgewählte App ist nicht mehr verfügbar."_s;
        QTest::newRow("nothing") << u"none"_s
                                 << u"Bereich wählen|sidebar.left|Wähle einen Bereich in der Seitenleiste."_s
                                 << u"emptyDetail"_s;
        QTest::newRow("store")
            << u"store"_s << u"SkillStoreListView"_s
            << u"Skill Store|magnifyingglass|Wähle einen Skill aus dem Store, um Details zu sehen."_s;
        QTest::newRow("existing app") << u"app"_s << u"TargetAppSkillsListView"_s
                                      << u"App Skill|magnifyingglass|Wähle eine Datei im Ordner der App."_s;
        QTest::newRow("unknown app") << u"unknown app"_s << notFound << notFound;
    }
    void columnsFollowTheSelection()
    {
        QFETCH(QString, select);
        QFETCH(QString, content);
        QFETCH(QString, detail);
        Window w;
        TargetApp* app = w.addApp(u"Codex"_s);
        if (select == u"none"_s)
            w.view->setSelection(std::nullopt);
        else if (select == u"store"_s)
            w.view->setSelection(SidebarSelection::discoverStore());
        else if (select == u"app"_s)
            w.view->setSelection(SidebarSelection::app(app->id()));
        else
            w.view->setSelection(SidebarSelection::app(QUuid::createUuid()));
        QCOMPARE(Window::describe(w.content()), content);
        QCOMPARE(Window::describe(w.detail()), detail);
    }

    void searchFieldsStartEmptyOnReturn()
    {
        Window w;
        auto* hubSearch = w.view->findChild<QLineEdit*>(u"hubSearch"_s);
        auto* storeSearch = w.view->findChild<QLineEdit*>(u"storeSearch"_s);
        hubSearch->setText(u"dep"_s);
        w.view->setSelection(SidebarSelection::discoverStore());
        storeSearch->setText(u"x"_s);
        w.view->setSelection(SidebarSelection::centralHub());
        QCOMPARE(hubSearch->text(), QString());
        w.view->setSelection(SidebarSelection::discoverStore());
        QCOMPARE(storeSearch->text(), QString());
    }

    void aDeletedAppShowsNotFound()
    {
        Window w;
        TargetApp* app = w.addApp(u"Codex"_s);
        w.view->setSelection(SidebarSelection::app(app->id()));
        w.f.context->remove(app);
        QVERIFY(Window::describe(w.content()).startsWith(u"App nicht gefunden|"_s));
        QCOMPARE(w.view->selection(), std::optional(SidebarSelection::app(app->id())));
    }

    void appRowsAreSortedAndLive()
    {
        Window w;
        w.addApp(u"Gemini"_s, u"~/.gemini/skills"_s);
        w.addApp(u"Codex"_s);
        TargetApp* claude = w.addApp(u"Aider"_s);
        QCOMPARE(w.appRowNames(), QStringList({u"Aider"_s, u"Codex"_s, u"Gemini"_s}));
        claude->setName(u"Zed"_s);
        QCOMPARE(w.appRowNames(), QStringList({u"Codex"_s, u"Gemini"_s, u"Zed"_s}));

        QTreeWidgetItem* row = w.sidebar()->topLevelItem(2)->child(1);
        const QString caption =
            w.sidebar()->itemWidget(row, 0)->findChild<QLabel*>(u"appFolderPath"_s)->text();
        QCOMPARE(caption, u"~/.gemini/skills"_s);
        // A click on the row selects the app.
        w.sidebar()->setCurrentItem(row);
        QCOMPARE(w.view->selection()->kind, SidebarSelection::Kind::app);
        QCOMPARE(w.view->selection()->appID, w.view->targetApps().at(1)->id());
    }

    void firstShowLoadsSettingsAndScans()
    {
        Window w;
        const QString hub = w.f.path(u"Hub"_s);
        QVERIFY(makeFolder(hub));
        QVERIFY(writeFile(hub + u"/notes.md"_s, "# Notes"));
        w.f.context->insert(new AppSettings(hub, SecurityScopedBookmarkManager::createBookmark(hub)));
        QVERIFY(w.f.context->save());

        w.view->show();
        QCOMPARE(w.f.linker->modelContext(), w.f.context.get());
        QCOMPARE(w.f.linker->centralRepositoryPath(), hub);
        auto* list = w.view->findChild<QListView*>(u"hubList"_s);
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), u"notes"_s);

        // Selecting it shows it in the detail column.
        list->setCurrentIndex(list->model()->index(0, 0));
        QCOMPARE(Window::describe(w.detail()), u"skillDetail"_s);
    }

    void returningToTheProgramRescans()
    {
        Window w;
        const QString hub = w.f.path(u"Hub"_s);
        QVERIFY(makeFolder(hub));
        w.f.context->insert(new AppSettings(hub, SecurityScopedBookmarkManager::createBookmark(hub)));
        w.view->show();
        QSignalSpy scans(w.f.linker.get(), &FileLinkerService::availableSkillsChanged);

        w.view->applicationStateChanged(Qt::ApplicationActive); // the start itself
        w.view->setSelection(SidebarSelection::discoverStore());
        w.view->setSelection(SidebarSelection::centralHub());
        QCOMPARE(scans.count(), 0);

        QVERIFY(writeFile(hub + u"/new.md"_s, "x"));
        w.view->applicationStateChanged(Qt::ApplicationInactive);
        w.view->applicationStateChanged(Qt::ApplicationActive);
        QCOMPARE(scans.count(), 1);
        QCOMPARE(w.f.linker->availableSkills().size(), 1);
    }

    void renamingApps_data()
    {
        QTest::addColumn<QString>("typed"); // empty: Escape instead of Return
        QTest::addColumn<QString>("expected");
        QTest::newRow("trimmed") << u"  Claude  \n"_s << u"Claude"_s;
        QTest::newRow("blanks keep the old name") << u"   "_s << u"Codex"_s;
        QTest::newRow("escape") << QString() << u"Codex"_s;
    }
    void renamingApps()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Window w;
        TargetApp* app = w.addApp(u"Codex"_s);
        QVERIFY(w.f.context->save());
        QTreeWidgetItem* row = w.sidebar()->topLevelItem(2)->child(0);
        Q_EMIT w.sidebar()->itemDoubleClicked(row, 0);
        QLineEdit* field = w.view->sidebar()->renameField();
        QVERIFY(field);
        QCOMPARE(field->text(), u"Codex"_s);
        QCOMPARE(field->placeholderText(), u"App-Name"_s);
        if (typed.isEmpty()) {
            field->setText(u"Changed"_s);
            QTest::keyClick(field, Qt::Key_Escape);
        } else {
            field->setText(typed);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QTRY_VERIFY(!w.view->sidebar()->renameField());
        QCOMPARE(app->name(), expected);
        QCOMPARE(w.appRowNames(), QStringList{expected});
        QVERIFY(!w.f.context->hasChanges());
    }

    void deletingAppsTakesTheirRecords()
    {
        Window w;
        w.f.useStore();
        TargetApp* codex = w.addApp(u"Codex"_s, w.f.path(u"codex"_s));
        TargetApp* gemini = w.addApp(u"Gemini"_s);
        QVERIFY(makeFolder(w.f.path(u"codex"_s)));
        QVERIFY(makeLink(w.f.path(u"codex/deploy"_s), w.f.path(u"somewhere"_s)));
        w.f.context->insert(new SkillLinkRecord(codex->id(), u"deploy"_s));
        w.f.context->insert(new SkillLinkRecord(gemini->id(), u"deploy"_s));
        QVERIFY(w.f.context->save());
        const QUuid codexID = codex->id();
        w.view->setSelection(SidebarSelection::app(codexID));

        w.sidebar()->setFocus();
        QTest::keyClick(w.sidebar(), Qt::Key_Delete);
        QCOMPARE(w.appRowNames(), QStringList{u"Gemini"_s});
        QCOMPARE(w.f.context->records<SkillLinkRecord>().size(), 1);
        QVERIFY(!w.f.context->hasChanges());
        QVERIFY(FileSystem::isSymbolicLink(w.f.path(u"codex/deploy"_s))); // links on disk stay
        QVERIFY(Window::describe(w.content()).startsWith(u"App nicht gefunden|"_s));
    }

    void revealingAnAppExpandsTheTilde()
    {
        Window w;
        TargetApp* app = w.addApp(u"Codex"_s, u"~/.codex/skills"_s);
        w.view->revealApp(app->id());
        QCOMPARE(w.f.platform.reveal.revealed, QStringList{w.f.platform.user.home + u"/.codex/skills"_s});
    }

    void renewingAccessTellsTheOutcome_data()
    {
        QTest::addColumn<bool>("appCancelled");
        QTest::addColumn<QString>("message");
        QTest::newRow("renewed") << false << u"Zugriff erfolgreich erneuert."_s;
        QTest::newRow("panel cancelled")
            << true << u"Autorisierung unvollständig. Bitte Hub und Zielordner im Dialog erneut auswählen."_s;
    }
    void renewingAccessTellsTheOutcome()
    {
        QFETCH(bool, appCancelled);
        QFETCH(QString, message);
        Window w;
        w.f.useStore();
        const QString hub = w.f.path(u"Hub"_s);
        const QString folder = w.f.path(u"codex"_s);
        QVERIFY(makeFolder(hub));
        QVERIFY(makeFolder(folder));
        TargetApp* app = w.addApp(u"Codex"_s, w.f.path(u"gone"_s)); // unreachable: needs a new folder
        // No hub yet: its panel comes first, then the app's.
        w.f.platform.panels.answers = {hub, appCancelled ? std::nullopt : std::optional(folder)};
        w.view->renewAppAccess(app->id());
        QCOMPARE(w.f.platform.panels.folderRequests.size(), 2);
        QCOMPARE(w.f.platform.panels.folderRequests.at(0).title, u"Zentralen Hub auswählen"_s);
        QCOMPARE(w.f.platform.panels.folderRequests.at(1).title, u"Ordnerzugriff erneuern"_s);
        QCOMPARE(w.f.platform.alerts.shown, QStringList{u"Zugriff erforderlich|"_s + message});
    }
};

QTEST_MAIN(TestContentView)
#include "tst_contentview.moc"
