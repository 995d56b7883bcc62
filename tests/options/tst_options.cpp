// The option store: kinds, defaults, reads and writes by key, the change
// flag and its signals, the recent-files and browser lists and the script samples.

#include "options/options.h"
#include "options/settingsstore.h"
#include "support/scriptedprompt.h"

#include <QSignalSpy>
#include <QTest>

using namespace qwk;

class TestOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void catalogueShape()
    {
        clsOptions o(nullptr, nullptr);
        QStringList prj, pgm;
        for (int i = 0; i < o.controlCount(); ++i) {
            const ControlDef &c = o.control(i);
            if (c.tag.startsWith(u"prj"))
                prj << c.tag;
            if (c.tag.startsWith(u"pgm"))
                pgm << c.tag;
            QVERIFY2(kindOfControl(c.name) != OptionKind::Unknown, qPrintable(c.name));
        }
        QCOMPARE(prj.size(), kProjectOptionCount);
        QCOMPARE(prj.removeDuplicates(), 0);
        QCOMPARE(prj.first(), QStringLiteral("prjWidthTo100"));
        QCOMPARE(prj.at(19), QStringLiteral("prjMultipleMenuNumber"));
        QCOMPARE(prj.at(37), QStringLiteral("prjFilWebRoot"));
        QCOMPARE(prj.last(), QStringLiteral("prjChkAccessible"));
        QCOMPARE(pgm, QStringList({QStringLiteral("pgmChkScrambled"), QStringLiteral("pgmChkSaveBeforeRun"),
                                   QStringLiteral("pgmChkLoadLastFile")}));
        // Kinds by control name.
        QVERIFY(clsOptions::txtControl(u"Text1") && clsOptions::txtControl(u"cmbPixels"));
        QVERIFY(clsOptions::intControl(u"chkMOMO") && clsOptions::boolControl(u"optTypePage"));
        QVERIFY(!clsOptions::txtControl(u"lblX") && !clsOptions::intControl(u"Chk"));
        QCOMPARE(o.controlValue(u"prjChkTreeMenus").typeId(), QMetaType::Int);
        QCOMPARE(o.controlValue(u"prjFilJS").typeId(), QMetaType::QString);
        QCOMPARE(o.controlValue(u"lnkOptURLNone").typeId(), QMetaType::Bool);
    }

    void lnkDefaultRules()
    {
        test::ScriptedPrompt prompt;
        clsOptions o(&prompt, nullptr);
        o.loadNewPrjDefaults();
        QCOMPARE(o.lnkDefault(u"Text", u"lnkSubColWidth").toString(), QString());
        QCOMPARE(o.lnkDefault(u"txtColumnWidth", u"lnkSubColWidth").toString(), QStringLiteral("130px"));
        QCOMPARE(o.lnkDefault(u"opt", u"lnkOptTypePageNormal").toBool(), true);
        QCOMPARE(o.lnkDefault(u"opt", u"lnkOptAdvanced").toBool(), false);
        QCOMPARE(o.lnkDefault(u"chk", u"lnkChkNewWindow").toInt(), 0);
        QCOMPARE(o.lnkDefault(u"cmbPixels", u"prjLeftIndentMainFolder").toInt(), 9);
        QCOMPARE(o.lnkDefault(u"cmbShiftDropDown", u"lnkMenuPosition").toInt(), 100);
        QCOMPARE(o.lnkDefault(u"Text", u"lnkHarddiskExcludePage").toString(), QString());
        QCOMPARE(o.lnkDefault(u"Text", u"lnkHarddiskIncludePage").toString(), QStringLiteral(".htm||.html||"));
        QCOMPARE(o.lnkDefault(u"Text", u"lnkHarddiskOptionsPage").toString(), QStringLiteral("r||str||sub||ext||"));
        o.setControlValue(u"prjCNMainFolderLine", QStringLiteral("mfl"));
        QCOMPARE(o.lnkDefault(u"Text", u"lnkChkPageDnnHeaderTemplate").toString(),
                 QStringLiteral("<span class='mfl'>[FOLDERNAME]: </span>"));
        QVERIFY(prompt.messages().isEmpty());
        QVERIFY(!o.lnkDefault(u"lblCaption", u"lnkURL").isValid());
        QCOMPARE(prompt.messages(), QStringList{QStringLiteral("Debug.options.default: Error processing tag lnkURL")});
    }

    void newProjectDefaults()
    {
        MemorySettingsStore settings;
        settings.save(kSettingsApplication, QStringLiteral("chkProjectOption"), QStringLiteral("pgmChkScrambled"),
                      QStringLiteral("1"));
        clsOptions o(nullptr, &settings);
        o.setControlValue(u"prjFilJS", QStringLiteral("old.js"));
        o.setControlValue(u"prjChkTreeMenus", 1);
        o.setPrjChanged(false);
        o.loadNewPrjDefaults();
        QCOMPARE(o.text(u"prjCNSubFolderLine"), QStringLiteral("SubFolderLine"));
        QCOMPARE(o.text(u"prjCNLinkPage"), QStringLiteral("LinkPage"));
        QCOMPARE(o.text(u"prjCNMenuTreeBox"), QStringLiteral("MenuTreeBox"));
        QCOMPARE(o.text(u"prjLeftIndentSubFolder"), QStringLiteral("9"));
        QCOMPARE(o.text(u"prjLeftIndentMainFolder"), QStringLiteral("9"));
        QCOMPARE(o.text(u"prjFirstColWid"), QString());
        QCOMPARE(o.text(u"prjFilJS"), QString());
        int checkedOn = 0;
        for (int i = 0; i < o.controlCount(); ++i) {
            const ControlDef &c = o.control(i);
            if (c.tag.startsWith(u"prj") && kindOfControl(c.name) == OptionKind::Check)
                checkedOn += o.isChecked(c.tag);
        }
        QCOMPARE(checkedOn, 2);
        QVERIFY(o.isChecked(u"prjChkMOMO") && o.isChecked(u"prjCSSinJS"));
        // Preferences come from the settings store; missing ones are 0.
        QCOMPARE(o.controlValue(u"pgmChkScrambled").toInt(), 1);
        QCOMPARE(o.controlValue(u"pgmChkLoadLastFile").toInt(), 0);
        QVERIFY(!o.prjChanged());

        // A second reset announces only the values it really changes.
        o.setControlValue(u"prjFilCSS", QStringLiteral("a.css"));
        QSignalSpy values(&o, &clsOptions::valueChanged);
        o.loadNewPrjDefaults();
        QCOMPARE(values.count(), 1);
        QCOMPARE(values.at(0).at(0).toString(), QStringLiteral("prjFilCSS"));
    }

    void controlValueAndTheChangeFlag()
    {
        test::ScriptedPrompt prompt;
        clsOptions o(&prompt, nullptr);
        QSignalSpy changed(&o, &clsOptions::valueChanged);
        QVERIFY(!o.prjChanged());
        QVERIFY(o.setControlValue(u"prjFilCSS", QStringLiteral("a.css")));
        QVERIFY(o.prjChanged());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("prjFilCSS"));

        o.setPrjChanged(false);
        QVERIFY(!o.setControlValue(u"prjNoSuchKey", 1));
        QVERIFY(!o.setControlValue(u"prjChkTreeMenus", QStringLiteral("many")));
        QVERIFY(!o.setControlValue(u"prjChkTreeMenus", 40000));
        QVERIFY(!o.prjChanged());
        QVERIFY(!o.controlValue(u"prjNoSuchKey").isValid());

        // Values copied in while options load never count as edits.
        {
            LoadingOptionsGuard loading(&o);
            QVERIFY(o.setControlValue(u"prjChkTreeMenus", 1));
        }
        QVERIFY(!o.prjChanged());
        QVERIFY(!o.loadingOptions());

        // A value never carries a line break into the project file.
        o.setControlValue(u"prjTransformURL", QStringLiteral("a\r\nb\nc"));
        QCOMPARE(o.text(u"prjTransformURL"), QStringLiteral("a b c"));
        QVERIFY(prompt.asked.isEmpty());
    }

    // A widget that echoes the store's value back must not count as an edit.
    void setSameOrDifferent_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QVariant>("after");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<bool>("loading");
        const QVariant text = QStringLiteral("menu.js"), on = 1;
        QTest::newRow("text same") << "prjFilJS" << text << text << 0 << false;
        QTest::newRow("text other") << "prjFilJS" << text << QVariant(QStringLiteral("m.js")) << 1 << false;
        QTest::newRow("text same once flattened")
            << "prjTransformURL" << QVariant(QStringLiteral("a b")) << QVariant(QStringLiteral("a\r\nb")) << 0 << false;
        QTest::newRow("check same") << "prjChkTreeMenus" << on << on << 0 << false;
        QTest::newRow("check same as text") << "prjChkTreeMenus" << on << QVariant(QStringLiteral("1")) << 0 << false;
        QTest::newRow("check other") << "prjChkTreeMenus" << on << QVariant(0) << 1 << false;
        QTest::newRow("choice same") << "lnkOptTypePageNormal" << QVariant(true) << QVariant(true) << 0 << false;
        QTest::newRow("choice other") << "lnkOptTypePageNormal" << QVariant(true) << QVariant(false) << 1 << false;
        QTest::newRow("preference same") << "pgmChkLoadLastFile" << on << on << 0 << false;
        QTest::newRow("preference other") << "pgmChkLoadLastFile" << on << QVariant(0) << 1 << false;
        // While options load, a change is announced to the widgets but is no edit.
        QTest::newRow("loading other") << "prjFilJS" << text << QVariant(QString()) << 1 << true;
    }
    void setSameOrDifferent()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, before);
        QFETCH(QVariant, after);
        QFETCH(int, emitted);
        QFETCH(bool, loading);
        clsOptions o(nullptr, nullptr);
        QVERIFY(o.setControlValue(key, before));
        o.setPrjChanged(false);
        QSignalSpy values(&o, &clsOptions::valueChanged);
        QSignalSpy marks(&o, &clsOptions::prjChangedChanged);
        o.setLoadingOptions(loading);
        QVERIFY(o.setControlValue(key, after));
        QCOMPARE(values.count(), emitted);
        QCOMPARE(o.prjChanged(), emitted == 1 && !loading);
        QCOMPARE(marks.count(), o.prjChanged() ? 1 : 0);
    }

    void firstControlWithATagWins()
    {
        clsOptions o(nullptr, nullptr);
        // The page frame's flag and the column frame's flag share a tag.
        int count = 0, first = -1;
        for (int i = 0; i < o.controlCount(); ++i)
            if (o.control(i).tag == u"lnkChkColValue") {
                ++count;
                if (first < 0)
                    first = i;
            }
        QCOMPARE(count, 2);
        QCOMPARE(o.getControl(u"lnkChkColValue"), first);
        o.setControlValue(u"lnkChkColValue", 1);
        QCOMPARE(o.controlValue(u"lnkChkColValue").toInt(), 1);
        QCOMPARE(o.getControl(u"nothing"), -1);
    }

    void pixelLists()
    {
        clsOptions o(nullptr, nullptr);
        const QStringList expected = {QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("9"),
                                      QStringLiteral("11"), QStringLiteral("13"), QStringLiteral("15")};
        QCOMPARE(clsOptions::pixelItems(), expected);
        QCOMPARE(o.comboItems(u"prjLeftIndentSubFolder"), expected);
        QVERIFY(o.comboItems(u"prjFilJS").isEmpty());
    }

    void recentFilesMoveToFront()
    {
        MemorySettingsStore settings;
        clsOptions o(nullptr, &settings);
        o.loadMenuArrays();
        QCOMPARE(int(o.recentFiles().size()), 4);
        for (const auto &e : o.recentFiles())
            QVERIFY(e.caption.isEmpty() && !e.visible);

        const auto captions = [&] {
            QStringList l;
            for (const auto &e : o.recentFiles())
                l << e.caption;
            return l;
        };
        const auto stored = [&] {
            QStringList l;
            for (int i = 0; i < 4; ++i)
                l << settings.get(kSettingsApplication, QStringLiteral("recentFiles"),
                                  QStringLiteral("caption%1").arg(i), QStringLiteral("?"));
            return l;
        };
        for (const char *p : {"A", "B", "C", "D", "E"})
            o.updateMnuRecentFiles(QString::fromLatin1(p));
        QCOMPARE(captions(), QStringList({"E", "D", "C", "B"}));
        QCOMPARE(stored(), QStringList({"E", "D", "C", "B"}));
        QVERIFY(o.recentFiles()[3].visible);

        // Opening the newest file again changes nothing to show.
        QSignalSpy recentChanged(&o, &clsOptions::recentFilesChanged);
        o.updateMnuRecentFiles(QStringLiteral("E"));
        QCOMPARE(recentChanged.count(), 0);

        // A path already in the list moves to the front; the store is only
        // written by the next saveMenuArrays.
        const int writes = settings.writeCount();
        o.updateMnuRecentFiles(QStringLiteral("C"));
        QCOMPARE(captions(), QStringList({"C", "E", "D", "B"}));
        QCOMPARE(settings.writeCount(), writes);
        QCOMPARE(recentChanged.count(), 1);
        QCOMPARE(stored(), QStringList({"E", "D", "C", "B"}));
        o.updateMnuRecentFiles(QStringLiteral("B")); // last entry: still only a reorder
        QCOMPARE(captions(), QStringList({"B", "C", "E", "D"}));
        QCOMPARE(settings.writeCount(), writes);
        // Case matters: "b" is another path.
        o.updateMnuRecentFiles(QStringLiteral("b"));
        QCOMPARE(captions(), QStringList({"b", "B", "C", "E"}));
        QCOMPARE(stored(), QStringList({"b", "B", "C", "E"}));
        o.updateMnuRecentFiles(QStringLiteral("E"));
        o.saveMenuArrays();
        QCOMPARE(stored(), QStringList({"E", "b", "B", "C"}));
    }

    void browserListEndsWithAnEndEntry()
    {
        MemorySettingsStore settings;
        const QString section = QStringLiteral("browsers");
        settings.save(kSettingsApplication, section, QStringLiteral("caption0"), QStringLiteral("/usr/bin/chromium"));
        settings.save(kSettingsApplication, section, QStringLiteral("caption1"), QStringLiteral("/usr/bin/firefox"));
        settings.save(kSettingsApplication, section, QStringLiteral("caption2"), QStringLiteral("end"));
        settings.save(kSettingsApplication, section, QStringLiteral("caption3"), QStringLiteral("/stale/after/end"));
        clsOptions o(nullptr, &settings);
        o.loadMenuArrays();
        QCOMPARE(int(o.browsers().size()), 3);
        QCOMPARE(o.browsers()[1].caption, QStringLiteral("/usr/bin/firefox"));
        QVERIFY(o.browsers()[1].visible);
        QCOMPARE(o.browsers()[2].caption, QStringLiteral("end"));
        QVERIFY(!o.browsers()[2].visible);

        // Every change of the list is announced; refused changes are not.
        QSignalSpy changed(&o, &clsOptions::browsersChanged);
        QVERIFY(!o.removeBrowser(2)); // the closing entry
        QVERIFY(!o.addBrowser(QString()));
        QVERIFY(!o.addBrowser(QStringLiteral("end")));
        QCOMPARE(changed.count(), 0);
        QVERIFY(o.removeBrowser(0));
        QVERIFY(o.addBrowser(QStringLiteral("/opt/b")));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(int(o.browsers().size()), 3);
        QCOMPARE(o.browsers()[1].caption, QStringLiteral("/opt/b"));
        QVERIFY(o.browsers()[1].visible);
        QVERIFY(o.removeBrowser(1));
        o.saveMenuArrays();
        QCOMPARE(settings.get(kSettingsApplication, section, QStringLiteral("caption0"), {}), QStringLiteral("/usr/bin/firefox"));
        QCOMPARE(settings.get(kSettingsApplication, section, QStringLiteral("caption1"), {}), QStringLiteral("end"));
        clsOptions again(nullptr, &settings);
        again.loadMenuArrays();
        QCOMPARE(int(again.browsers().size()), 2);

        MemorySettingsStore empty;
        clsOptions fresh(nullptr, &empty);
        fresh.loadMenuArrays();
        QCOMPARE(int(fresh.browsers().size()), 1);
        QCOMPARE(fresh.browsers()[0].caption, QStringLiteral("end"));
    }

    void preferencesAreSavedAllThree()
    {
        MemorySettingsStore settings;
        clsOptions o(nullptr, &settings);
        o.loadNewPrjDefaults();
        o.setControlValue(u"pgmChkSaveBeforeRun", 1);
        o.saveNewPrjRegisterDefaults();
        const QString section = QStringLiteral("chkProjectOption");
        QCOMPARE(settings.get(kSettingsApplication, section, QStringLiteral("pgmChkSaveBeforeRun"), {}), QStringLiteral("1"));
        QCOMPARE(settings.get(kSettingsApplication, section, QStringLiteral("pgmChkScrambled"), {}), QStringLiteral("0"));
        QCOMPARE(settings.get(kSettingsApplication, section, QStringLiteral("pgmChkLoadLastFile"), {}), QStringLiteral("0"));
    }

    void scriptSamples()
    {
        const auto samples = javaScriptSamples();
        QCOMPARE(int(samples.size()), 8);
        QCOMPARE(samples[0].title, QStringLiteral("A message box"));
        QCOMPARE(samples[3].code, QStringLiteral("qOPEN('FOLDER NAME')"));
        QCOMPARE(samples[5].title, QStringLiteral("Change a \"Box\" attribute value"));
        QCOMPARE(samples[7].code, QStringLiteral("qSWAPIMAGE('NAME','src','image.gif')"));
        for (const ScriptSample &s : samples)
            QVERIFY(!s.code.isEmpty() && !s.note.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
