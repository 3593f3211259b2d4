#include "access/ItemName.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestItemName : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("folder name") << u"deploy"_s << true;
        QTest::newRow("file name") << u"notes.md"_s << true;
        QTest::newRow("spaces and umlauts") << u"Prüfe alles"_s << true;
        QTest::newRow("three dots") << u"..."_s << true;
        QTest::newRow("dots inside") << u"a..b"_s << true;
        QTest::newRow("hidden name") << u".config"_s << true;
        QTest::newRow("backslash is a plain character here") << u"a\\b"_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << u"."_s << false;
        QTest::newRow("dot-dot") << u".."_s << false;
        QTest::newRow("slash") << u"a/b"_s << false;
        QTest::newRow("leading slash") << u"/etc"_s << false;
        QTest::newRow("NUL") << u"a\u0000"_s << false;
        QTest::newRow("tab") << u"a\tb"_s << false;
        QTest::newRow("carriage return") << u"a\r"_s << false;
        QTest::newRow("DEL") << u"a\u007f"_s << false;
        QTest::newRow("C1 control") << u"a\u0085"_s << false;
    }
    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        const Outcome checked = checkItemName(name);
        QCOMPARE(checked.ok(), accepted);
        if (!accepted)
            QVERIFY(!checked.error().description.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestItemName)
#include "tst_itemname.moc"
