// The per-user settings store on QSettings: application "quenwick", sections
// as groups, defaults for missing values.

#include "options/options.h"
#include "options/settingsstore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace qwk;

class TestSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // Keeps the test away from the user's real settings.
        QStandardPaths::setTestModeEnabled(true);
        QSettings(kSettingsApplication, kSettingsApplication).clear();
    }
    void cleanupTestCase() { QSettings(kSettingsApplication, kSettingsApplication).clear(); }

    void nothingStoredMeansEmptyListsAndPreferencesOff()
    {
        QSettingsStore store;
        clsOptions o(nullptr, &store);
        o.loadMenuArrays();
        o.loadNewPrjDefaults();
        for (const auto &e : o.recentFiles())
            QVERIFY(!e.visible);
        QCOMPARE(int(o.browsers().size()), 1);
        QCOMPARE(o.controlValue(u"pgmChkScrambled").toInt(), 0);
        QCOMPARE(o.controlValue(u"pgmChkSaveBeforeRun").toInt(), 0);
        QCOMPARE(o.controlValue(u"pgmChkLoadLastFile").toInt(), 0);
    }

    void valuesLiveInSectionsOfTheApplication()
    {
        {
            QSettingsStore store;
            clsOptions o(nullptr, &store);
            o.loadNewPrjDefaults();
            o.setControlValue(u"pgmChkLoadLastFile", 1);
            o.saveNewPrjRegisterDefaults();
            o.updateMnuRecentFiles(QStringLiteral("/home/a/menu.qwk"));
            o.saveMenuArrays();
        }
        QSettings raw(kSettingsApplication, kSettingsApplication);
        QCOMPARE(raw.value(QStringLiteral("chkProjectOption/pgmChkLoadLastFile")).toString(), QStringLiteral("1"));
        QCOMPARE(raw.value(QStringLiteral("chkProjectOption/pgmChkScrambled")).toString(), QStringLiteral("0"));
        QCOMPARE(raw.value(QStringLiteral("recentFiles/caption0")).toString(), QStringLiteral("/home/a/menu.qwk"));
        QCOMPARE(raw.value(QStringLiteral("recentFiles/caption1")).toString(), QString());
        QCOMPARE(raw.value(QStringLiteral("browsers/caption0")).toString(), QStringLiteral("end"));

        // A new program start sees them.
        QSettingsStore store;
        clsOptions o(nullptr, &store);
        o.loadMenuArrays();
        o.loadNewPrjDefaults();
        QCOMPARE(o.controlValue(u"pgmChkLoadLastFile").toInt(), 1);
        QCOMPARE(o.recentFiles()[0].caption, QStringLiteral("/home/a/menu.qwk"));
        QVERIFY(o.recentFiles()[0].visible && !o.recentFiles()[1].visible);
        QCOMPARE(store.get(kSettingsApplication, QStringLiteral("nowhere"), QStringLiteral("x"), QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
