#include "model/AssistantPresets.h"
#include "model/NameOrder.h"
#include "model/Skill.h"
#include "model/SkillManifest.h"
#include "model/TargetAppSkill.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TargetAppSkill linkTo(const QString& destination)
{
    TargetAppSkill skill{u"/app/notes.md"_s, u"notes.md"_s, true, std::nullopt, false, false};
    if (!destination.isEmpty())
        skill.symlinkDestination = destination;
    return skill;
}

} // namespace

class TestValueTypes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every known assistant is there once, and a fact the table gives names its source.
    void everyPresetNamesTheSourceOfEachFact()
    {
        QSet<QString> ids;
        for (const AssistantPreset& preset : assistantPresets()) {
            ids.insert(preset.id);
            QVERIFY2(preset.folder.startsWith(u"~/"_s), qPrintable(preset.id));
            QStringList known{u"folder"_s};
            if (preset.projectFolder)
                known.append(u"projectFolder"_s);
            if (preset.followsLinks)
                known.append(u"followsLinks"_s);
            if (preset.followsLinkedSkillFile)
                known.append(u"followsLinkedSkillFile"_s);
            if (preset.dropsSkillsForLinkOutside)
                known.append(u"dropsSkillsForLinkOutside"_s);
            if (!preset.alsoReads.isEmpty())
                known.append(u"alsoReads"_s);
            if (preset.acceptedFrontmatter)
                known.append(u"acceptedFrontmatter"_s);
            if (preset.listingBudget)
                known.append(u"listingBudget"_s);
            QStringList sourced;
            for (const PresetSource& source : preset.sources) {
                QVERIFY2(source.url.startsWith(u"https://"_s), qPrintable(source.url));
                sourced.append(source.fact);
            }
            for (const QString& fact : std::as_const(known))
                QVERIFY2(sourced.contains(fact), qPrintable(preset.id + u": "_s + fact));
        }
        QCOMPARE(ids.size(), assistantPresets().size());
        QVERIFY(ids.size() >= 40);
    }

    // Whole path components, in the letter case the file system keeps.
    void pointsIntoHub_data()
    {
        QTest::addColumn<QString>("hub");
        QTest::addColumn<QString>("destination"); // empty: no destination
        QTest::addColumn<bool>("expected");
        QTest::newRow("inside") << u"/x/Hub"_s << u"/x/Hub/a"_s << true;
        QTest::newRow("the hub itself") << u"/x/Hub"_s << u"/x/Hub"_s << true;
        QTest::newRow("other letter case is another folder") << u"/x/Hub"_s << u"/x/hub/a"_s << false;
        QTest::newRow("sibling sharing the name's beginning") << u"/x/Hub"_s << u"/x/HubOld/a"_s << false;
        QTest::newRow("hub with trailing slash") << u"/x/Hub/"_s << u"/x/Hub/a"_s << true;
        QTest::newRow("dot-dot leaves the hub") << u"/x/Hub"_s << u"/x/Hub/../Other/a"_s << false;
        QTest::newRow("duplicate separators") << u"/x//Hub"_s << u"/x/Hub//a"_s << true;
        QTest::newRow("elsewhere") << u"/x/Hub"_s << u"/y/a"_s << false;
        QTest::newRow("no destination") << u"/x/Hub"_s << QString() << false;
        QTest::newRow("no hub") << QString() << u"/x/Hub/a"_s << false;
    }
    void pointsIntoHub()
    {
        QFETCH(QString, hub);
        QFETCH(QString, destination);
        QFETCH(bool, expected);
        QCOMPARE(linkTo(destination).pointsIntoHub(hub), expected);
    }

    void aHubReachedThroughALinkStillCounts()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(u"real/Hub/a"_s)));
        QVERIFY(QFile::link(dir.filePath(u"real"_s), dir.filePath(u"via"_s)));
        QVERIFY(linkTo(dir.filePath(u"real/Hub/a"_s)).pointsIntoHub(dir.filePath(u"via/Hub"_s)));
        QVERIFY(!linkTo(dir.filePath(u"real/Hub/a"_s)).pointsIntoHub(dir.filePath(u"via/hub"_s)));
    }

    void classification_data()
    {
        QTest::addColumn<bool>("isSymlink");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<bool>("isBroken");
        QTest::addColumn<bool>("namesake");
        QTest::addColumn<TargetItemState>("expected");
        QTest::newRow("local item") << false << QString() << false << true << TargetItemState::localItem;
        QTest::newRow("link into the hub")
            << true << u"/x/Hub/a"_s << false << true << TargetItemState::linked;
        QTest::newRow("link elsewhere")
            << true << u"/y/a"_s << false << false << TargetItemState::externalLink;
        QTest::newRow("broken with namesake")
            << true << QString() << true << true << TargetItemState::repairable;
        QTest::newRow("broken without") << true << QString() << true << false << TargetItemState::broken;
    }
    void classification()
    {
        QFETCH(bool, isSymlink);
        QFETCH(QString, destination);
        QFETCH(bool, isBroken);
        QFETCH(bool, namesake);
        QFETCH(TargetItemState, expected);
        TargetAppSkill item = linkTo(destination);
        item.isSymlink = isSymlink;
        item.isBroken = isBroken;
        item.hasNamesakeInHub = namesake;
        QCOMPARE(item.classified(u"/x/Hub"_s), expected);
        QCOMPARE(isImportable(expected),
                 expected == TargetItemState::localItem || expected == TargetItemState::externalLink);
    }

    // Each check of the skill format at its edges, as "kind data…" ("" when the skill is
    // well-formed); only the compatibility note is a warning.
    void skillManifestChecks_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        const QByteArray valid = "---\nname: pdf-tools\ndescription: Reads PDFs.\n---\n# Body\n";
        const auto with = [](const QByteArray& lines) -> QByteArray {
            return "---\n" + lines + "\n---\nbody\n";
        };
        QTest::newRow("valid") << valid << QStringList();
        QTest::newRow("valid, other keys")
            << with("name: pdf-tools\ndescription: x\nlicense: MIT\nmetadata: {a: 1}") << QStringList();
        QTest::newRow("BOM and CRLF")
            << QByteArray("\xEF\xBB\xBF" + QByteArray(valid).replace("\n", "\r\n")) << QStringList();
        QTest::newRow("no SKILL.md") << QByteArray() << QStringList{u"no-skill-file"_s};
        QTest::newRow("no frontmatter") << QByteArray("# Just text\n") << QStringList{u"no-frontmatter"_s};
        QTest::newRow("unclosed frontmatter")
            << QByteArray("---\nname: x\n") << QStringList{u"no-frontmatter"_s};
        QTest::newRow("not YAML") << with("name: [unclosed\ndescription: x")
                                  << QStringList{u"frontmatter-not-yaml 3"_s};
        QTest::newRow("a list, not a map") << with("- a\n- b") << QStringList{u"frontmatter-not-mapping"_s};
        QTest::newRow("deep nesting") << with("name: " + QByteArray(5000, '[') + QByteArray(5000, ']'))
                                      << QStringList{u"frontmatter-too-deep"_s};
        QTest::newRow("name not text")
            << with("name: {a: b}\ndescription: x") << QStringList{u"field-not-text name"_s};
        QTest::newRow("name mismatch")
            << with("name: pdf\ndescription: x") << QStringList{u"name-differs-from-folder pdf pdf-tools"_s};
        QTest::newRow("uppercase") << with("name: PDF-tools\ndescription: x")
                                   << QStringList{u"name-characters"_s};
        QTest::newRow("65 characters")
            << with("name: " + QByteArray(65, 'a') + "\ndescription: x") << QStringList{u"name-too-long"_s};
        QTest::newRow("doubled hyphen")
            << with("name: pdf--tools\ndescription: x") << QStringList{u"name-hyphens"_s};
        QTest::newRow("missing name and description")
            << with("license: MIT") << QStringList{u"name-missing"_s, u"description-missing"_s};
        QTest::newRow("1,024 characters")
            << with("name: pdf-tools\ndescription: " + QByteArray(1024, 'x')) << QStringList();
        QTest::newRow("1,025 characters") << with("name: pdf-tools\ndescription: " + QByteArray(1025, 'x'))
                                          << QStringList{u"description-too-long"_s};
        QTest::newRow("long compatibility")
            << with("name: pdf-tools\ndescription: x\ncompatibility: " + QByteArray(501, 'x'))
            << QStringList{u"compatibility-too-long"_s};
        QTest::newRow("huge frontmatter") << with("name: pdf-tools\ndescription: " + QByteArray(70'000, 'x'))
                                          << QStringList{u"frontmatter-too-long"_s};
    }
    void skillManifestChecks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        const auto findings =
            SkillManifest::check(file.isNull() ? std::nullopt : std::optional(file), u"pdf-tools"_s);
        QStringList found;
        for (const SkillFinding& finding : findings) {
            found.append((QStringList{SkillFinding::kindName(finding.kind)} + finding.data).join(u' '));
            QCOMPARE(finding.level, finding.kind == SkillFinding::Kind::compatibilityTooLong
                                        ? SkillFinding::Level::warning
                                        : SkillFinding::Level::error);
        }
        QCOMPARE(found, expected);
    }

    void aManifestGivesItsFields()
    {
        const auto manifest =
            SkillManifest::read("---\nname: pdf-tools\ndescription: >\n  Reads PDFs\n  and forms.\n---\n");
        QVERIFY(manifest);
        QCOMPARE(manifest->name, u"pdf-tools"_s);
        QCOMPARE(manifest->description, u"Reads PDFs and forms."_s);
        QCOMPARE(manifest->compatibility, std::nullopt);
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
