#include "access/LegacyPreferences.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Earlier versions kept the hub in the application's settings file; what is read back
// must keep its type, since the migration takes only a text path and bookmark bytes.
class TestLegacyPreferences : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    void valuesKeepTheirTypes()
    {
        {
            QSettings settings(u"Quorvane"_s, u"Quorvane"_s);
            settings.setValue(u"centralRepositoryPath"_s, u"/Users/me/Skills"_s);
            settings.setValue(u"centralBookmarkData"_s, QByteArray("\x00\x01\xff", 3));
            settings.setValue(u"number"_s, 5);
        }
        QVERIFY(QFile::exists(m_config.filePath(u"Quorvane/Quorvane.conf"_s)));
        const SettingsFileLegacyPreferences preferences;
        QCOMPARE(preferences.string(u"centralRepositoryPath"_s), std::optional(u"/Users/me/Skills"_s));
        QCOMPARE(preferences.bytes(u"centralBookmarkData"_s), std::optional(QByteArray("\x00\x01\xff", 3)));
        QCOMPARE(preferences.bytes(u"centralRepositoryPath"_s), std::nullopt);
        QCOMPARE(preferences.string(u"centralBookmarkData"_s), std::nullopt);
        QCOMPARE(preferences.string(u"missing"_s), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestLegacyPreferences)
#include "tst_legacypreferences.moc"
