#include "linker/TargetListing.h"
#include "support/LogCapture.h"
#include "support/WorkspaceFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

namespace {

// name -> "state|namesake|destination" of a listing, for comparison in one go.
QMap<QString, QString> describe(const QList<TargetAppSkill>& skills, const QString& root)
{
    QMap<QString, QString> states;
    for (const TargetAppSkill& skill : skills) {
        QString destination = skill.symlinkDestination.value_or(u"-"_s);
        destination.replace(root, u"ROOT"_s);
        static const QStringList stateNames = {u"repairable"_s, u"broken"_s, u"linked"_s, u"external"_s,
                                               u"local"_s};
        states.insert(skill.name,
                      u"%1|%2|%3"_s.arg(stateNames.at(static_cast<int>(skill.state)),
                                        skill.hasNamesakeInHub ? u"namesake"_s : u"-"_s, destination));
    }
    return states;
}

} // namespace

class TestTargetListing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyStateIsTold()
    {
        WorkspaceFixture f;
        const QString hub = f.makeHub();
        TargetApp* app = f.makeApp(u"Codex"_s);
        const QString folder = app->folderPath();
        const QString root = f.dir.path();
        QVERIFY(makeFolder(hub + u"/deploy"_s));
        QVERIFY(writeFile(hub + u"/notes.md"_s, "n"));
        QVERIFY(makeFolder(hub + u"/notes"_s));
        QVERIFY(makeFolder(hub + u"/local-twin"_s));
        QVERIFY(makeLink(hub + u"/dangling-in-hub"_s, f.path(u"nowhere"_s)));
        QVERIFY(makeFolder(f.path(u"external/tool"_s)));
        QVERIFY(makeFolder(f.path(u"HubOld/old"_s)));

        QVERIFY(makeLink(folder + u"/deploy"_s, hub + u"/deploy"_s));
        QVERIFY(makeLink(folder + u"/relative"_s, u"../../Hub/deploy"_s));
        QVERIFY(makeLink(folder + u"/chain"_s, folder + u"/relative"_s));
        QVERIFY(makeLink(folder + u"/tool"_s, f.path(u"external/tool"_s)));
        QVERIFY(makeLink(folder + u"/notes.md"_s, hub + u"/gone.md"_s));
        QVERIFY(makeLink(folder + u"/lost"_s, hub + u"/lost"_s));
        QVERIFY(makeFolder(folder + u"/local-twin"_s));
        QVERIFY(writeFile(folder + u"/mine.txt"_s, "m"));
        QVERIFY(writeFile(folder + u"/dangling-in-hub"_s, "d"));
        QVERIFY(makeLink(folder + u"/old"_s, f.path(u"HubOld/old"_s)));
        QVERIFY(writeFile(folder + u"/.hidden"_s, "h"));
        QVERIFY(makeLink(folder + u"/.hidden-link"_s, hub + u"/deploy"_s));

        LogCapture log;
        const auto listed = f.workspace->targetListing().list(*app);
        QVERIFY(listed);
        const QMap<QString, QString> expected = {
            {u"chain"_s, u"linked|-|ROOT/Hub/deploy"_s},
            {u"dangling-in-hub"_s, u"local|-|-"_s}, // a dangling hub link is no namesake
            {u"deploy"_s, u"linked|namesake|ROOT/Hub/deploy"_s},
            {u"local-twin"_s, u"local|namesake|-"_s},
            {u"lost"_s, u"broken|-|-"_s},
            {u"mine.txt"_s, u"local|-|-"_s},
            {u"notes.md"_s, u"repairable|namesake|-"_s}, // the hub folder "notes" does not count
            {u"old"_s, u"external|-|ROOT/HubOld/old"_s}, // a sibling of the hub is not the hub
            {u"relative"_s, u"linked|-|ROOT/Hub/deploy"_s},
            {u"tool"_s, u"external|-|ROOT/external/tool"_s},
        };
        QCOMPARE(describe(*listed, root), expected);
        QStringList order;
        for (const TargetAppSkill& skill : *listed)
            order.append(skill.name);
        QCOMPARE(order, expected.keys()); // sorted by name
        QCOMPARE(log.lines(), QStringList());
        QCOMPARE(f.platform.scopes.openCount(), 0);
    }

    void withoutHubThereAreNoNamesakes()
    {
        WorkspaceFixture f;
        QVERIFY(f.workspace->hubSettings().setHub(f.path(u"no hub"_s), std::nullopt).ok());
        TargetApp* app = f.makeApp(u"Codex"_s);
        QVERIFY(makeFolder(app->folderPath() + u"/deploy"_s));
        const auto listed = f.workspace->targetListing().list(*app);
        QVERIFY(listed && listed->size() == 1);
        QVERIFY(!listed->first().hasNamesakeInHub);
    }

    void unreachableAndEmptyFolders()
    {
        WorkspaceFixture f;
        TargetApp* gone = f.makeApp(u"Gone"_s, false);
        TargetApp* empty = f.makeApp(u"Empty"_s);
        QCOMPARE(f.workspace->targetListing().list(*gone), std::nullopt);
        QCOMPARE(f.workspace->targetListing().list(*empty), std::optional(QList<TargetAppSkill>()));
    }

    void aStoredPathIsUsedWhenTheBookmarkFails()
    {
        WorkspaceFixture f;
        TargetApp* app = f.makeApp(u"Codex"_s);
        QVERIFY(writeFile(app->folderPath() + u"/a.md"_s, "a"));
        f.platform.scopes.refuseAll();
        const auto listed = f.workspace->targetListing().list(*app);
        QVERIFY(listed && listed->size() == 1);
        QCOMPARE(f.platform.scopes.stopped, QStringList());
    }
};

QTEST_GUILESS_MAIN(TestTargetListing)
#include "tst_targetlisting.moc"
