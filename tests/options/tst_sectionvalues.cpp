// The stored forms of the section, position and language values: lists,
// option strings, tab ids and position texts packed and read back, and the
// checks that keep a dialog open.

#include "options/sectionvalues.h"

#include <QTest>

using namespace qwk;

class TestSectionValues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lists_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown"); // the lines shown on reopening
        QTest::newRow("two lines") << ".htm\n.html" << ".htm||.html||" << ".htm\n.html";
        QTest::newRow("windows breaks") << ".htm\r\n.html" << ".htm||.html||" << ".htm\n.html";
        QTest::newRow("empty box") << "" << "||" << "";
        QTest::newRow("one item") << "_private" << "_private||" << "_private";
        QTest::newRow("empty line kept") << "a\n\nb" << "a||||b||" << "a\n\nb";
    }
    void lists()
    {
        QFETCH(QString, lines);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(packList(lines), stored);
        QCOMPARE(unpackList(stored), shown);
        QCOMPARE(packList(unpackList(stored)), stored);
    }

    void storedListWithoutEnding()
    {
        QCOMPARE(unpackList(QStringLiteral(".htm")), QStringLiteral(".htm"));
        QCOMPARE(unpackList(QString()), QString());
    }

    void folderOptions_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("repacked");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("keys"); // s=str b=sub d=date z=size t=time x=ext u=dash a=asp
        QTest::newRow("default") << "r||str||sub||ext||" << "i||str||sub||ext||" << int(SectionTarget::Neither)
                                 << "sbx";
        QTest::newRow("external") << "e||str||sub||ext||" << "e||str||sub||ext||" << int(SectionTarget::NewWindow)
                                  << "sbx";
        QTest::newRow("every key, any order")
            << "i||asp||dash||ext||time||size||date||sub||str||" << "i||str||sub||date||size||time||ext||dash||asp||"
            << int(SectionTarget::SameWindow) << "sbdztxua";
        QTest::newRow("nothing") << "" << "i||" << int(SectionTarget::Neither) << "";
    }
    void folderOptions()
    {
        QFETCH(QString, stored);
        QFETCH(QString, repacked);
        QFETCH(int, target);
        QFETCH(QString, keys);
        const FolderSectionOptions o = FolderSectionOptions::parse(stored);
        QCOMPARE(int(o.target), target);
        const bool flags[] = {o.structure, o.subFiles, o.date, o.size, o.time, o.extension, o.underscoreToSpace, o.asp};
        const QString letters = QStringLiteral("sbdztxua");
        for (int i = 0; i < letters.size(); ++i)
            QVERIFY2(flags[i] == keys.contains(letters[i]), qPrintable(QString(letters[i])));
        FolderSectionOptions p = o;
        if (p.target == SectionTarget::Neither)
            p.target = SectionTarget::SameWindow;
        QCOMPARE(o.pack(), repacked);
        QCOMPARE(FolderSectionOptions::parse(repacked), p);
    }

    void portalOptions_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("repacked");
        QTest::newRow("all, shuffled") << "e||ih||rmf||nmf||dash||str||" << "e||str||dash||nmf||rmf||ih||";
        QTest::newRow("header only") << "i||ih||" << "i||ih||";
        // The extensions the run appends are not keys of their own.
        QTest::newRow("extended by a run") << "i||ih||[$<b>[FOLDERNAME]</b>$]" << "i||ih||";
        QTest::newRow("folder default") << "r||str||sub||ext||" << "i||str||";
    }
    void portalOptions()
    {
        QFETCH(QString, stored);
        QFETCH(QString, repacked);
        QCOMPARE(PortalSectionOptions::parse(stored).pack(), repacked);
    }

    void portalTabs_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("typed");
        QTest::newRow("entire") << "0" << int(PortalScope::EntirePortal) << "";
        QTest::newRow("active") << "-1" << int(PortalScope::ActiveTab) << "";
        QTest::newRow("siblings") << "57" << int(PortalScope::SiblingsOf) << "57";
        QTest::newRow("never set") << "" << int(PortalScope::EntirePortal) << "";
    }
    void portalTabs()
    {
        QFETCH(QString, stored);
        QFETCH(int, scope);
        QFETCH(QString, typed);
        const PortalTab t = parsePortalTab(stored);
        QCOMPARE(int(t.scope), scope);
        QCOMPARE(t.tabId, typed);
    }

    void tabIdChecks_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("tabId");
        QTest::addColumn<QString>("error");
        const QString empty = QStringLiteral("You must give the TabID of the folder to add.");
        const QString integer = QStringLiteral("The tabID of the folder to insert must be an integer");
        const int sib = int(PortalScope::SiblingsOf);
        QTest::newRow("entire ignores text") << int(PortalScope::EntirePortal) << "abc" << "0" << "";
        QTest::newRow("active") << int(PortalScope::ActiveTab) << "" << "-1" << "";
        QTest::newRow("number") << sib << "12" << "12" << "";
        QTest::newRow("spaces around") << sib << " 12 " << "12" << "";
        QTest::newRow("empty") << sib << "" << "" << empty;
        QTest::newRow("blank") << sib << "   " << "" << empty;
        QTest::newRow("fraction") << sib << "12.5" << "" << integer;
        QTest::newRow("letters") << sib << "abc" << "" << integer;
        QTest::newRow("number then text") << sib << "12a" << "" << integer;
    }
    void tabIdChecks()
    {
        QFETCH(int, scope);
        QFETCH(QString, typed);
        QFETCH(QString, tabId);
        QFETCH(QString, error);
        const TabIdCheck c = checkPortalTab(PortalScope(scope), typed);
        QCOMPARE(c.tabId, tabId);
        QCOMPARE(c.error, error);
    }

    void headerTemplateQuotes()
    {
        const QString t = QStringLiteral("<span class=\"x\">[FOLDERNAME]</span>");
        QVERIFY(headerTemplateHasDoubleQuote(t));
        QCOMPARE(headerTemplateWithoutDoubleQuotes(t), QStringLiteral("<span class='x'>[FOLDERNAME]</span>"));
        QVERIFY(!headerTemplateHasDoubleQuote(headerTemplateWithoutDoubleQuotes(t)));
    }

    void positionPacking_data()
    {
        QTest::addColumn<bool>("top");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<QString>("position");
        QTest::newRow("top left 100") << true << true << "100" << "tole";
        QTest::newRow("shift 5") << false << false << "5" << ".05";
        QTest::newRow("shift 0") << false << false << "0" << ".00";
        QTest::newRow("shift -20") << false << false << "-20" << ".00";
        QTest::newRow("shift 150") << false << false << "150" << "";
        QTest::newRow("empty shift") << true << false << "" << "to";
        QTest::newRow("not a number") << false << true << "abc" << "le.00";
        QTest::newRow("left 30") << false << true << "30" << "le.30";
        QTest::newRow("shift 99") << true << false << " 99 " << "to.99";
    }
    void positionPacking()
    {
        QFETCH(bool, top);
        QFETCH(bool, left);
        QFETCH(QString, shift);
        QFETCH(QString, position);
        MenuPosition p;
        p.top = top;
        p.left = left;
        p.shift = shift;
        QCOMPARE(p.pack(), position);
    }

    void positionReading_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<bool>("top");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("shift");
        QTest::newRow("empty") << "" << false << false << "100";
        QTest::newRow("le.30") << "le.30" << false << true << "30";
        QTest::newRow("tole") << "tole" << true << true << "100";
        QTest::newRow("to.05") << "to.05" << true << false << "05";
        QTest::newRow("keys after the shift") << ".50tole" << true << true << "50";
    }
    void positionReading()
    {
        QFETCH(QString, position);
        QFETCH(bool, top);
        QFETCH(bool, left);
        QFETCH(QString, shift);
        const MenuPosition p = MenuPosition::parse(position);
        QCOMPARE(p.top, top);
        QCOMPARE(p.left, left);
        QCOMPARE(p.shift, shift);
    }

    void shiftTyping()
    {
        for (const char *ok : {"", " ", "0", "100", "150", "-20"})
            QVERIFY2(isShiftTextAccepted(QString::fromLatin1(ok)), ok);
        for (const char *bad : {"1.5", "abc", "10%"})
            QVERIFY2(!isShiftTextAccepted(QString::fromLatin1(bad)), bad);
    }

    void multilingual_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("languages");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("both") << "lang" << "en-US;;fr" << true;
        QTest::newRow("no variable") << "" << "en-US;;fr" << false;
        QTest::newRow("no languages") << "lang" << "" << false;
        QTest::newRow("blank variable") << "  " << "en-US;;fr" << false;
        QTest::newRow("nothing") << "" << "" << false;
    }
    void multilingual()
    {
        QFETCH(QString, variable);
        QFETCH(QString, languages);
        QFETCH(bool, ticked);
        QCOMPARE(multilingualComplete(variable, languages), ticked);
    }
};

QTEST_GUILESS_MAIN(TestSectionValues)
#include "tst_sectionvalues.moc"
