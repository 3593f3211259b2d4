#include "store/ContentCache.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestFiles;

class TestContentCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An entry is handed out only while its files still hash to its name; a damaged one is as
    // good as none, and the next good files replace it.
    void entriesAreHandedOutOnlyWhole_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("whole") << QString();
        QTest::newRow("a file changed") << u"changed"_s;
        QTest::newRow("a file added") << u"added"_s;
        QTest::newRow("a file gone") << u"gone"_s;
    }
    void entriesAreHandedOutOnlyWhole()
    {
        QFETCH(QString, damage);
        QTemporaryDir dir;
        ContentCache cache(dir.filePath(u"cache"_s));
        const QList<ContentFile> files = {{u"SKILL.md"_s, "# A", false}, {u"run.sh"_s, "echo\n", true}};
        const QString hash = FolderContent::digest(files).contentHash;
        QVERIFY(!cache.keep(QString(64, u'f'), files)); // files that are not what the name says
        QVERIFY(cache.keep(hash, files));
        const QString entry = cache.pathOf(hash);
        if (damage == u"changed"_s)
            QVERIFY(writeFile(entry + u"/SKILL.md"_s, "# B"));
        else if (damage == u"added"_s)
            QVERIFY(writeFile(entry + u"/extra"_s, "x"));
        else if (damage == u"gone"_s)
            QVERIFY(QFile::remove(entry + u"/run.sh"_s));
        QVERIFY(cache.holds(hash));
        QCOMPARE(cache.find(hash).has_value(), damage.isEmpty());
        QVERIFY(cache.keep(hash, files));
        const auto found = cache.find(hash);
        QVERIFY(found);
        QCOMPARE(FolderContent::digest(*found).contentHash, hash);
        QVERIFY(QFileInfo(entry + u"/run.sh"_s).isExecutable());
    }

    // Past its limit the cache lets the oldest entries go, but never the newest.
    void theOldestGoFirst()
    {
        QTemporaryDir dir;
        ContentCache cache(dir.filePath(u"cache"_s), 1500);
        QStringList kept;
        for (const char letter : {'a', 'b', 'c'}) {
            const QList<ContentFile> files = {{u"big"_s, QByteArray(1000, letter), false}};
            kept.append(FolderContent::digest(files).contentHash);
            QVERIFY(cache.keep(kept.last(), files));
            QTest::qWait(20); // entries are told apart by when they were kept
        }
        QVERIFY(!cache.holds(kept[0]) && !cache.holds(kept[1]));
        QVERIFY(cache.holds(kept[2]));
    }
};

QTEST_GUILESS_MAIN(TestContentCache)
#include "tst_contentcache.moc"
