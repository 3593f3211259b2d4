#include "AddTargetAppSheet.h"
#include "CentralHubListView.h"
#include "LinkerFixture.h"
#include "SkillDetailView.h"
#include "SkillLinkRecord.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

QListView* hubList(const CentralHubListView& view)
{
    return view.findChild<QListView*>(u"hubList"_s);
}

QStringList rows(const CentralHubListView& view)
{
    QStringList names;
    const QAbstractItemModel* model = hubList(view)->model();
    for (int i = 0; i < model->rowCount(); ++i)
        names.append(model->index(i, 0).data().toString());
    return names;
}

// The names of the rows the list shows selected.
QStringList selectedRows(const CentralHubListView& view)
{
    QStringList names;
    for (const QModelIndex& index : hubList(view)->selectionModel()->selectedIndexes())
        names.append(index.data().toString());
    return names;
}

// What the list shows instead of rows: the chooser button, the empty text, or the rows.
QString shownPage(const CentralHubListView& view)
{
    return view.findChild<QStackedWidget*>()->currentWidget()->findChild<QPushButton*>(u"chooseHub"_s)
               ? u"chooser"_s
               : view.findChild<QStackedWidget*>()->currentWidget()->objectName();
}

QList<QCheckBox*> switches(const SkillDetailView& view)
{
    return view.findChildren<QCheckBox*>(u"linkSwitch"_s);
}

} // namespace

class TestHubViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyStatesFollowTheWholeHub()
    {
        LinkerFixture f;
        CentralHubListView view(*f.linker, f.platform.services());
        QCOMPARE(shownPage(view), u"chooser"_s); // no hub chosen yet
        f.makeHub();
        f.linker->scanCentralRepository();
        QCOMPARE(shownPage(view), u"emptyHub"_s);
        view.findChild<QLineEdit*>(u"hubSearch"_s)->setText(u"zz"_s);
        QCOMPARE(shownPage(view), u"emptyHub"_s);
    }

    void theChooserPicksAHub()
    {
        LinkerFixture f;
        f.useStore();
        const QString hub = f.path(u"Picked"_s);
        QVERIFY(makeFolder(hub));
        QVERIFY(writeFile(hub + u"/a.md"_s, "a"));
        f.platform.panels.answers = {hub};
        CentralHubListView view(*f.linker, f.platform.services());
        view.findChild<QPushButton*>(u"chooseHub"_s)->click();
        QCOMPARE(rows(view), QStringList{u"a"_s});
        QCOMPARE(shownPage(view), u"hubList"_s);
    }

    void searchFiltersNamesIgnoringCase()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        for (const QString& name : {u"deploy"_s, u"Review.md"_s, u"preview"_s})
            QVERIFY(writeFile(hub + u"/"_s + name, "x"));
        f.linker->scanCentralRepository();
        CentralHubListView view(*f.linker, f.platform.services());
        auto* search = view.findChild<QLineEdit*>(u"hubSearch"_s);
        QCOMPARE(search->placeholderText(), u"Skills suchen..."_s);
        search->setText(u"VIEW"_s);
        QCOMPARE(rows(view), QStringList({u"Review"_s, u"preview"_s}));
        search->setText(u"md"_s); // only the name is searched, not the extension
        QCOMPARE(rows(view), QStringList());
        QCOMPARE(shownPage(view), u"hubList"_s);
    }

    void selectionOutlastsTheSearch()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        for (const QString& name : {u"Review.md"_s, u"preview"_s})
            QVERIFY(writeFile(hub + u"/"_s + name, "x"));
        f.linker->scanCentralRepository();
        CentralHubListView view(*f.linker, f.platform.services());
        QSignalSpy selections(&view, &CentralHubListView::selectedSkillChanged);
        QCOMPARE(rows(view), QStringList({u"Review"_s, u"deploy"_s, u"preview"_s}));
        hubList(view)->setCurrentIndex(hubList(view)->model()->index(0, 0));
        QCOMPARE(view.selectedSkill()->name, u"Review"_s);
        QCOMPARE(selections.size(), 1);

        auto* search = view.findChild<QLineEdit*>(u"hubSearch"_s);
        search->setText(u"view"_s);
        QCOMPARE(selectedRows(view), QStringList{u"Review"_s});
        // Filtered out, the item stays selected for the detail column, and shows so again.
        search->setText(u"dep"_s);
        QCOMPARE(selectedRows(view), QStringList());
        QCOMPARE(view.selectedSkill()->name, u"Review"_s);
        search->clear();
        QCOMPARE(selectedRows(view), QStringList{u"Review"_s});
        QCOMPARE(selections.size(), 1);

        // Folders and files carry different symbols.
        const QAbstractItemModel* model = hubList(view)->model();
        const auto icon = [&](int row) {
            return model->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
        };
        QVERIFY(!icon(1).isNull());
        QVERIFY(icon(0).cacheKey() != icon(1).cacheKey());
        QCOMPARE(icon(0).cacheKey(), icon(2).cacheKey());
    }

    void deletingAsksFirstAndClearsTheSelection_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("deleteSelected");
        QTest::newRow("cancelled") << false << true;
        QTest::newRow("the selected item") << true << true;
        QTest::newRow("another item") << true << false;
    }
    void deletingAsksFirstAndClearsTheSelection()
    {
        QFETCH(bool, confirmed);
        QFETCH(bool, deleteSelected);
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy/scripts"_s));
        QVERIFY(writeFile(hub + u"/notes.md"_s, "n"));
        f.linker->scanCentralRepository();
        CentralHubListView view(*f.linker, f.platform.services());
        hubList(view)->setCurrentIndex(hubList(view)->model()->index(0, 0)); // deploy
        QCOMPARE(view.selectedSkill()->name, u"deploy"_s);

        f.platform.alerts.confirmations = {confirmed};
        const Skill doomed = f.linker->availableSkills().at(deleteSelected ? 0 : 1);
        view.confirmAndDelete(doomed);
        QCOMPARE(
            f.platform.alerts.shown,
            QStringList{
                u"Möchtest du '%1' wirklich löschen?|Diese Aktion kann nicht rückgängig gemacht werden."_s
                    .arg(doomed.name)});
        QCOMPARE(QFileInfo::exists(doomed.url.toLocalFile()), !confirmed);
        QCOMPARE(rows(view).size(), confirmed ? 1 : 2);
        QCOMPARE(view.selectedSkill().has_value(), !(confirmed && deleteSelected));
    }

    void detailShowsKindPathAndPreview()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        QVERIFY(writeFile(hub + u"/notes.md"_s, "\n  a\n\nb\nc\nd"));
        f.useStore();

        SkillDetailView file(f.hubSkill(u"notes.md"_s), *f.linker, *f.context, f.platform.services());
        QCOMPARE(file.findChild<QLabel*>(u"skillPreview"_s)->text(), u"  a\nb\nc"_s);
        QCOMPARE(file.findChild<QLabel*>(u"skillPath"_s)->text(), hub + u"/notes.md"_s);
        QVERIFY(file.findChild<QLabel*>(u"noTargetApps"_s));
        QVERIFY(switches(file).isEmpty());

        SkillDetailView folder(f.hubSkill(u"deploy"_s), *f.linker, *f.context, f.platform.services());
        QVERIFY(!folder.findChild<QLabel*>(u"skillPreview"_s));
    }

    void switchesLinkAndUnlink()
    {
        LinkerFixture f;
        const QString hub = f.makeHub();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        f.useStore();
        TargetApp* codex = f.makeApp(u"Codex"_s);
        f.makeApp(u"Aider"_s);
        SkillDetailView view(f.hubSkill(u"deploy"_s), *f.linker, *f.context, f.platform.services());
        QCOMPARE(switches(view).size(), 2);
        QCOMPARE(switches(view).at(1)->accessibleName(), u"Codex"_s); // by name

        switches(view).at(1)->setChecked(true);
        QTRY_VERIFY(FileLinkerService::isLinked(codex->folderPath(), hub + u"/deploy"_s));
        QTRY_VERIFY(switches(view).at(1)->isChecked());
        QCOMPARE(f.context->records<SkillLinkRecord>().size(), 1);

        switches(view).at(1)->setChecked(false);
        QTRY_VERIFY(!FileSystem::isSymbolicLink(codex->folderPath() + u"/deploy"_s));
        QTRY_VERIFY(f.context->records<SkillLinkRecord>().isEmpty());
        QVERIFY(!switches(view).at(1)->isChecked());
    }

    void addSheetNeedsANameAndAFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder"); // HOME and ROOT stand for the two folders; empty: none chosen
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("shownFolder");
        QTest::newRow("name only") << u"Codex"_s << QString() << false << QString();
        QTest::newRow("folder only") << QString() << u"HOME/.codex"_s << false << u"~/.codex"_s;
        QTest::newRow("blanks are a name") << u"  "_s << u"HOME/.codex"_s << true << u"~/.codex"_s;
        QTest::newRow("folder outside home") << u"Codex"_s << u"ROOT/other"_s << true << u"ROOT/other"_s;
    }
    void addSheetNeedsANameAndAFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(bool, enabled);
        QFETCH(QString, shownFolder);
        LinkerFixture f;
        const auto expand = [&](QString path) {
            return path.replace(u"HOME"_s, f.platform.user.home).replace(u"ROOT"_s, f.dir.path());
        };
        AddTargetAppSheet sheet(*f.context, f.platform.services());
        sheet.nameField()->setText(name);
        if (!folder.isEmpty()) {
            QVERIFY(makeFolder(expand(folder)));
            f.platform.panels.answers = {expand(folder)};
            sheet.chooseFolder();
            QCOMPARE(f.platform.panels.folderRequests.first().startFolder, f.platform.user.home);
        }
        QCOMPARE(sheet.folderField()->text(), expand(shownFolder));
        QCOMPARE(sheet.addButton()->isEnabled(), enabled);

        sheet.add();
        const QList<TargetApp*> apps = f.context->records<TargetApp>();
        QCOMPARE(apps.size(), enabled ? 1 : 0);
        if (enabled) {
            QCOMPARE(apps.first()->name(), name); // as typed
            QCOMPARE(apps.first()->folderPath(), expand(shownFolder));
            QCOMPARE(apps.first()->systemImageName(), u"folder"_s);
            QVERIFY(apps.first()->bookmarkData());
            QVERIFY(!f.context->hasChanges());
            QCOMPARE(sheet.result(), int(QDialog::Accepted));
        }
    }
};

QTEST_MAIN(TestHubViews)
#include "tst_hubviews.moc"
