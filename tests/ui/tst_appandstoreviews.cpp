#include "LinkerFixture.h"
#include "LoopbackHttpServer.h"
#include "SkillLinkRecord.h"
#include "SkillStoreService.h"
#include "StoreViews.h"
#include "TargetAppViews.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;
using namespace std::chrono_literals;

namespace {

// name -> the state element's text, as the list shows it.
QMap<QString, QString> shownStates(const TargetAppSkillsListView& view)
{
    QMap<QString, QString> states;
    const auto* list = view.findChild<QListWidget*>(u"appItems"_s);
    for (int i = 0; i < list->count(); ++i) {
        QWidget* row = list->itemWidget(list->item(i));
        QWidget* state = row->findChild<QWidget*>(u"itemState"_s);
        const auto* button = qobject_cast<QPushButton*>(state);
        states.insert(row->objectName(), button ? button->text() : qobject_cast<QLabel*>(state)->text());
    }
    return states;
}

QPushButton* actionOf(const TargetAppSkillsListView& view, const QString& name)
{
    return view.findChild<QListWidget*>(u"appItems"_s)->findChild<QWidget*>(name)->findChild<QPushButton*>();
}

struct AppFolder : LinkerFixture
{
    QString hub = makeHub();
    TargetApp* app;
    QString folder;

    AppFolder()
    {
        useStore();
        app = makeApp(u"Codex"_s);
        folder = app->folderPath();
        makeFolder(hub + u"/deploy"_s);
        makeFolder(hub + u"/renamed"_s);
        makeFolder(path(u"outside/tool"_s));
        makeLink(folder + u"/deploy"_s, hub + u"/deploy"_s);
        makeLink(folder + u"/renamed"_s, path(u"old-hub/renamed"_s));
        makeLink(folder + u"/gone"_s, path(u"old-hub/gone"_s));
        makeLink(folder + u"/tool"_s, path(u"outside/tool"_s));
        writeFile(folder + u"/mine.md"_s, "mine");
    }
};

} // namespace

class TestAppAndStoreViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statesAndTheirActions()
    {
        AppFolder f;
        TargetAppSkillsListView view(*f.linker, f.platform.services());
        view.setTargetApp(f.app);
        const QMap<QString, QString> expected = {{u"deploy"_s, u"Verlinkt im Hub"_s},
                                                 {u"gone"_s, u"Kaputter Link"_s},
                                                 {u"mine.md"_s, u"In Hub Importieren"_s},
                                                 {u"renamed"_s, u"Link Reparieren"_s},
                                                 {u"tool"_s, u"In Hub Importieren"_s}};
        QCOMPARE(shownStates(view), expected);
        QVERIFY(!actionOf(view, u"gone"_s));

        actionOf(view, u"renamed"_s)->click();
        QTRY_COMPARE(shownStates(view).value(u"renamed"_s), u"Verlinkt im Hub"_s);
        actionOf(view, u"mine.md"_s)->click();
        QTRY_COMPARE(shownStates(view).value(u"mine.md"_s), u"Verlinkt im Hub"_s);
        QCOMPARE(readFile(f.hub + u"/mine.md"_s), QByteArray("mine"));
        QCOMPARE(f.context->records<SkillLinkRecord>().size(), 2);
    }

    void details_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("explanationStart");
        QTest::addColumn<bool>("destinationShown");
        QTest::newRow("linked") << u"deploy"_s << u"Mit Zentralem Hub verknüpft."_s << QString() << true;
        QTest::newRow("broken with namesake")
            << u"renamed"_s << u"Kaputter Link"_s << u"Ich habe einen namensgleichen Skill im Hub gefunden."_s
            << false;
        QTest::newRow("broken") << u"gone"_s << u"Kaputter Link"_s
                                << u"Das Ziel dieser Verknüpfung existiert nicht mehr."_s << false;
        QTest::newRow("external") << u"tool"_s << u"Externe Verknüpfung."_s
                                  << u"Um diese originalen Daten auch für andere Apps"_s << true;
        QTest::newRow("local") << u"mine.md"_s << u"Lokale Datei in dieser App."_s
                               << u"Um diesen Skill auch für andere Apps verfügbar zu machen"_s << false;
    }
    void details()
    {
        QFETCH(QString, entry);
        QFETCH(QString, headline);
        QFETCH(QString, explanationStart);
        QFETCH(bool, destinationShown);
        AppFolder f;
        const TargetAppSkill item = f.linker->makeTargetAppSkill(f.folder + u"/"_s + entry);
        TargetSkillDetailView view(item, *f.linker, f.platform.services());
        QCOMPARE(view.headline(), headline);
        QVERIFY2(view.explanation().startsWith(explanationStart), qPrintable(view.explanation()));
        QCOMPARE(view.findChild<QLabel*>(u"destination"_s) != nullptr, destinationShown);
    }

    void deletingTheSelectedEntry()
    {
        AppFolder f;
        TargetAppSkillsListView view(*f.linker, f.platform.services());
        view.setTargetApp(f.app);
        QVERIFY(f.linker->upsertLinkRecord(f.app->id(), u"deploy"_s));
        const TargetAppSkill deploy = view.items().first();
        view.setSelectedItem(deploy);
        f.platform.alerts.confirmations = {true};
        QSignalSpy selection(&view, &TargetAppSkillsListView::selectedItemChanged);
        view.confirmAndDelete(deploy);
        QCOMPARE(f.platform.alerts.shown,
                 QStringList{
                     u"Möchtest du 'deploy' wirklich löschen?|Diese Aktion löscht die Datei oder Verknüpfung "
                     "aus diesem Ordner."_s});
        QVERIFY(!FileSystem::isSymbolicLink(f.folder + u"/deploy"_s));
        QVERIFY(QFileInfo::exists(f.hub + u"/deploy"_s));
        QCOMPARE(view.selectedItem(), std::nullopt);
        QCOMPARE(selection.count(), 1);
        QVERIFY(f.context->records<SkillLinkRecord>().isEmpty());
        QCOMPARE(view.items().size(), 4);
    }

    void searchWaitsForTheTypingToPause()
    {
        LinkerFixture f;
        LoopbackHttpServer server;
        SkillStoreService service({server.baseUrl(), u"Test Directory"_s, {}, {}, 2s});
        SkillStoreListView view(service, f.platform.services());
        QCOMPARE(view.shownContent(), u"Entdecken"_s);
        for (const QString& text : {u"r"_s, u"re"_s, u"rea"_s, u"react"_s})
            view.searchField()->setText(text);
        QTest::qWait(SkillStoreListView::debounceMilliseconds / 2);
        QVERIFY(server.requests.isEmpty());
        QTRY_COMPARE(server.targets(), QList<QByteArray>{"/api/search?q=react&limit=50"});
        QTRY_VERIFY(!service.isSearching());
        QCOMPARE(view.shownContent(), u"Nichts gefunden"_s); // the 404 leaves no hits
        QTRY_COMPARE(f.platform.alerts.shown, QStringList{u"Fehler|Ungültige Serverantwort"_s});
        QCOMPARE(service.errorMessage(), std::nullopt); // "OK" clears it
    }

    void installPutsTheSkillIntoTheHub_data()
    {
        QTest::addColumn<bool>("withHub");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("message");
        QTest::newRow("installed") << true << true
                                   << u"Skill 'Deploy It' wurde erfolgreich im Hub installiert!"_s;
        QTest::newRow("no hub") << false << true << u"Bitte wähle zuerst den Zentralen Ordner im Hub aus!"_s;
        // The hub vanished from reach between the check and the write: a failure, not a success.
        QTest::newRow("hub unreachable at the write")
            << true << true << u"Installation fehlgeschlagen:\nDer Zentrale Hub ist nicht erreichbar."_s;
        QTest::newRow("download failed")
            << true << false
            << u"Download fehlgeschlagen:\nDie SKILL.md Datei wurde im GitHub Repository "
               "nicht gefunden."_s;
    }
    void installPutsTheSkillIntoTheHub()
    {
        QFETCH(bool, withHub);
        QFETCH(bool, fileThere);
        QFETCH(QString, message);
        LinkerFixture f;
        const QString hub = withHub ? f.makeHub() : QString();
        if (QString::fromUtf8(QTest::currentDataTag()).contains(u"unreachable"_s)) {
            f.platform.scopes.refuseAll();
            f.linker->setCentralRepositoryPath(f.path(u"moved away"_s));
        }
        LoopbackHttpServer server;
        if (fileThere)
            server.respond("/raw/o/r/main/deploy/SKILL.md", {200, "# Deploy", false});
        SkillStoreService service(
            {server.baseUrl(), u"Test"_s, server.baseUrl() + u"/raw/"_s, server.baseUrl() + u"/api"_s, 2s});
        const RemoteSkillItem hit{u"o/r/deploy"_s, u"deploy"_s, u"Deploy It"_s, 7, u"o/r"_s};
        SkillStoreDetailView view(hit, service, *f.linker, f.platform.services());
        QCOMPARE(view.findChild<QLabel*>(u"developer"_s)->text(), u"o/r"_s);

        QSignalSpy finished(&view, &SkillStoreDetailView::installFinished);
        view.install();
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(f.platform.alerts.shown, QStringList{u"SkillStore|"_s + message});
        QVERIFY(!view.isDownloading());
        if (message.startsWith(u"Skill '"_s)) {
            QCOMPARE(readFile(hub + u"/deploy/SKILL.md"_s), QByteArray("# Deploy"));
            QCOMPARE(f.linker->availableSkills().size(), 1);
            QCOMPARE(f.linker->hubContainsItem(SkillStoreDetailView::folderName(hit)), std::optional(true));
        }
        if (!withHub)
            QVERIFY(server.requests.isEmpty());
    }

    void namesDerivedFromAHit()
    {
        const RemoteSkillItem bare{u"dir/id"_s, std::nullopt, u"Name"_s, 1, std::nullopt};
        QCOMPARE(SkillStoreDetailView::folderName(bare), u"Name"_s);
        QCOMPARE(SkillStoreDetailView::displaySource(bare), u"dir/id"_s);
    }
};

QTEST_MAIN(TestAppAndStoreViews)
#include "tst_appandstoreviews.moc"
