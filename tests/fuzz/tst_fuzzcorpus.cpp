#include "FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// Replays the fuzzers' corpus (seeds and every crash input kept as a regression) through
// the same entry points, so ordinary builds check them too.
class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void corpus_data()
    {
        QTest::addColumn<QString>("target");
        for (const QString& target :
             {u"backup"_s, u"search"_s, u"tree"_s, u"itemname"_s, u"lock"_s, u"scan"_s, u"frontmatter"_s})
            QTest::newRow(qPrintable(target)) << target;
    }
    void corpus()
    {
        QFETCH(QString, target);
        const auto run = target == u"backup"_s        ? &FuzzTargets::backupDocument
                         : target == u"search"_s      ? &FuzzTargets::searchResponse
                         : target == u"tree"_s        ? &FuzzTargets::treeListing
                         : target == u"lock"_s        ? &FuzzTargets::lockFile
                         : target == u"scan"_s        ? &FuzzTargets::skillScan
                         : target == u"frontmatter"_s ? &FuzzTargets::skillFrontmatter
                                                      : &FuzzTargets::itemName;
        const QDir folder(QStringLiteral(FUZZ_CORPUS) + u"/"_s + target);
        const QStringList files = folder.entryList(QDir::Files);
        QVERIFY2(!files.isEmpty(), qPrintable(folder.path()));
        for (const QString& file : files) {
            QFile input(folder.filePath(file));
            QVERIFY(input.open(QIODevice::ReadOnly));
            const QByteArray data = input.readAll();
            run(reinterpret_cast<const std::uint8_t*>(data.constData()),
                static_cast<std::size_t>(data.size()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
