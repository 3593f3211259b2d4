#include "NameOrder.h"
#include "Skill.h"
#include "TargetAppSkill.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

Skill baseSkill()
{
    return {QUrl::fromLocalFile(u"/hub/notes.md"_s), u"notes"_s, u"line"_s, u"md"_s, false};
}

TargetAppSkill baseTargetSkill()
{
    return {QUrl::fromLocalFile(u"/app/notes.md"_s), u"notes.md"_s, true,
            QUrl::fromLocalFile(u"/hub/notes.md"_s), false,         true};
}

} // namespace

class TestValueTypes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void skillsDifferInEveryField_data()
    {
        QTest::addColumn<Skill>("changed");
        Skill s = baseSkill();
        s.url = QUrl::fromLocalFile(u"/hub/notes"_s);
        QTest::newRow("url") << s;
        s = baseSkill();
        s.name = u"Notes"_s;
        QTest::newRow("name, by case") << s;
        s = baseSkill();
        s.contentSnippet = u"line "_s;
        QTest::newRow("snippet") << s;
        s = baseSkill();
        s.fileExtension = u""_s;
        QTest::newRow("extension") << s;
        s = baseSkill();
        s.isDirectory = true;
        QTest::newRow("folder flag") << s;
    }
    void skillsDifferInEveryField()
    {
        QFETCH(Skill, changed);
        QVERIFY(changed != baseSkill());
        QVERIFY(qHash(changed) != qHash(baseSkill()));
    }

    void equalSkillsHashAlike()
    {
        QCOMPARE(baseSkill(), baseSkill());
        QCOMPARE(qHash(baseSkill(), 7), qHash(baseSkill(), 7));
        // A file notes.md and a folder notes share a name but not an identity.
        Skill folder{QUrl::fromLocalFile(u"/hub/notes"_s), u"notes"_s, u"[Folder]"_s, {}, true};
        QCOMPARE(folder.name, baseSkill().name);
        QVERIFY(folder.id() != baseSkill().id());
    }

    void targetSkillsDifferInEveryField_data()
    {
        QTest::addColumn<TargetAppSkill>("changed");
        TargetAppSkill s = baseTargetSkill();
        s.symlinkDestination.reset();
        QTest::newRow("destination absent") << s;
        s = baseTargetSkill();
        s.symlinkDestination = QUrl::fromLocalFile(u"/hub/other.md"_s);
        QTest::newRow("other destination") << s;
        s = baseTargetSkill();
        s.isSymlink = false;
        QTest::newRow("link flag") << s;
        s = baseTargetSkill();
        s.isBroken = true;
        QTest::newRow("broken") << s;
        s = baseTargetSkill();
        s.hasNamesakeInHub = false;
        QTest::newRow("namesake") << s;
        s = baseTargetSkill();
        s.name = u"Notes.md"_s;
        QTest::newRow("name") << s;
    }
    void targetSkillsDifferInEveryField()
    {
        QFETCH(TargetAppSkill, changed);
        QVERIFY(changed != baseTargetSkill());
        QVERIFY(qHash(changed) != qHash(baseTargetSkill()));
        QCOMPARE(changed.id(), baseTargetSkill().id());
    }

    void absentDestinationsAreEqual()
    {
        TargetAppSkill a = baseTargetSkill();
        TargetAppSkill b = baseTargetSkill();
        a.symlinkDestination.reset();
        b.symlinkDestination.reset();
        QCOMPARE(a, b);
        QCOMPARE(qHash(a), qHash(b));
    }

    void pointsIntoHub_data()
    {
        QTest::addColumn<QString>("hub");
        QTest::addColumn<QString>("destination"); // empty: no destination
        QTest::addColumn<bool>("expected");
        QTest::newRow("inside") << u"/x/Hub"_s << u"/x/Hub/a"_s << true;
        QTest::newRow("case ignored") << u"/x/Hub"_s << u"/x/hub/a"_s << true;
        QTest::newRow("plain prefix sibling") << u"/x/Hub"_s << u"/x/HubOld/a"_s << true;
        QTest::newRow("hub with trailing slash") << u"/x/Hub/"_s << u"/x/Hub/a"_s << true;
        QTest::newRow("dot-dot leaves the hub") << u"/x/Hub"_s << u"/x/Hub/../Other/a"_s << false;
        QTest::newRow("duplicate separators") << u"/x//Hub"_s << u"/x/Hub//a"_s << true;
        QTest::newRow("elsewhere") << u"/x/Hub"_s << u"/y/a"_s << false;
        QTest::newRow("no destination") << u"/x/Hub"_s << QString() << false;
    }
    void pointsIntoHub()
    {
        QFETCH(QString, hub);
        QFETCH(QString, destination);
        QFETCH(bool, expected);
        TargetAppSkill skill = baseTargetSkill();
        skill.symlinkDestination =
            destination.isEmpty() ? std::nullopt : std::optional<QUrl>(QUrl::fromLocalFile(destination));
        QCOMPARE(skill.pointsIntoHub(hub), expected);
    }

    void namesSortByCodePoint_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("upper before lower") << u"B"_s << u"a"_s;
        QTest::newRow("Zeta before alpha") << u"Zeta"_s << u"alpha"_s;
        QTest::newRow("prefix first") << u"a"_s << u"ab"_s;
        QTest::newRow("umlaut after z") << u"z"_s << u"ä"_s;
        // U+FFFD is below U+1F600, though its UTF-16 unit is above the surrogate.
        QTest::newRow("beyond the BMP") << u"\uFFFD"_s << u"\U0001F600"_s;
    }
    void namesSortByCodePoint()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(precedesByCodePoint(first, second));
        QVERIFY(!precedesByCodePoint(second, first));
        QVERIFY(!precedesByCodePoint(first, first));
    }
};

QTEST_GUILESS_MAIN(TestValueTypes)
#include "tst_valuetypes.moc"
