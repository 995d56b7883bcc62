// The script runtime library and page-load code: valid script for every
// combination of the options they read, compact and readable scripts that
// behave alike, identifiers that never collide, and the functions that need
// no browser run under Node against a stand-in document.
#include "browserstandin.h"
#include "generator/runservices.h"
#include "generator/runtimewriter.h"
#include "generatortestutil.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace qwk;
using namespace qwk::test;

namespace {

struct Gen : OptionsFixture {
    ScriptNameTables tables;
    RunServices run { *options, prompt, tables };
    Gen() { run.setProjectFile(u"C:\\web\\mymenu.qwk"_qs); }
    QString script()
    {
        ScriptRuntimeWriter w(run);
        QString s;
        w.writeRuntime(s);
        w.writePageLoadCode(s);
        return s;
    }
};

// One combination of the options the runtime reads.
struct Combination {
    bool dropDown, momo, lineBreaks, cellHeight, topLink, multilingual, transform, compact;
    int images; // 0 none, 1 all equal, 2 all different, 3 main only swaps, 4 sub only swaps
    QString number;

    QString describe() const
    {
        return u"%1 images=%2 momo=%3 breaks=%4 height=%5 toplink=%6 ml=%7 cnv=%8 compact=%9 menu='%10'"_qs
            .arg(dropDown ? u"dropdown"_qs : u"tree"_qs)
            .arg(images)
            .arg(momo)
            .arg(lineBreaks)
            .arg(cellHeight)
            .arg(topLink)
            .arg(multilingual)
            .arg(transform)
            .arg(compact)
            .arg(number);
    }

    void apply(OptionsFixture &f) const
    {
        f.set(u"prjChkTreeMenus"_qs, dropDown ? 0 : 1);
        f.set(u"prjChkMOMO"_qs, momo ? 1 : 0);
        f.set(u"prjChkAllowLineBreaks"_qs, lineBreaks ? 1 : 0);
        f.set(u"prjPixelsHeight"_qs, cellHeight ? u"2\"2'"_qs : u""_qs);
        f.set(u"prjChkTopLinkCSS"_qs, topLink ? 1 : 0);
        f.set(u"prjChkMultiLingual"_qs, multilingual ? 1 : 0);
        f.set(u"prjLanguages"_qs, u"en;;de;;it's\\;;"_qs);
        f.set(u"prjJavascriptLanguageVariable"_qs, u"qwkLang"_qs);
        f.set(u"prjTransformURL"_qs,
            transform ? u"if(k.indexOf('e')!=-1){return url};return '/go?'+url+'&n='+name"_qs : u""_qs);
        f.set(u"pgmChkScrambled"_qs, compact ? 1 : 0);
        f.set(u"prjMultipleMenu"_qs, number.isEmpty() ? 0 : 1);
        f.set(u"prjMultipleMenuNumber"_qs, number);
        const bool on = images != 0;
        f.set(u"prjChkMFI"_qs, on ? 1 : 0);
        f.set(u"prjChkSFI"_qs, on ? 1 : 0);
        f.set(u"prjChkPLI"_qs, on ? 1 : 0);
        f.set(u"prjFilPLIMG"_qs, u"img\\page.gif"_qs);
        f.set(u"prjFilMFOIMG"_qs, u"/img/mfo.gif"_qs);
        f.set(u"prjFilMFCIMG"_qs, images == 2 || images == 3 ? u"/img/mfc.gif"_qs : u"/img/mfo.gif"_qs);
        f.set(u"prjFilSFOIMG"_qs, u"/img/sfo.gif"_qs);
        f.set(u"prjFilSFCIMG"_qs, images == 2 || images == 4 ? u"/img/sfc.gif"_qs : u"/img/sfo.gif"_qs);
    }
};

QList<Combination> allCombinations()
{
    QList<Combination> all;
    for (int bits = 0; bits < 256; ++bits) {
        for (int images = 0; images < 5; ++images) {
            for (const QString &number : { u""_qs, u"2"_qs, u"20"_qs }) {
                Combination c;
                c.dropDown = bits & 1;
                c.momo = bits & 2;
                c.lineBreaks = bits & 4;
                c.cellHeight = bits & 8;
                c.topLink = bits & 16;
                c.multilingual = bits & 32;
                c.transform = bits & 64;
                c.compact = bits & 128;
                c.images = images;
                c.number = number;
                all << c;
            }
        }
    }
    return all;
}

// Every identifier the script uses, mapped from the compact form back to the
// readable one, so two scripts can be compared for behaviour.
QString readableIdentifiers(const QString &text, RunServices &run, bool compact)
{
    if (!compact)
        return text;
    QHash<QString, QString> back;
    auto &opts = run.projectOptions();
    for (const QString &v : ScriptIdentifiers::variableVocabulary()) {
        opts.setControlValue(u"pgmChkScrambled"_qs, 1);
        const QString c = run.scriptVariable(v);
        opts.setControlValue(u"pgmChkScrambled"_qs, 0);
        back.insert(c, run.scriptVariable(v));
    }
    for (const QString &f : ScriptIdentifiers::functionVocabulary()) {
        opts.setControlValue(u"pgmChkScrambled"_qs, 1);
        const QString c = run.scriptFunction(f);
        opts.setControlValue(u"pgmChkScrambled"_qs, 0);
        back.insert(c, run.scriptFunction(f));
    }
    opts.setControlValue(u"pgmChkScrambled"_qs, 1);
    static const QRegularExpression id(QStringLiteral("\\bq[VF]\\d+\\b"));
    QString out;
    qsizetype pos = 0;
    for (auto it = id.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += QStringView(text).mid(pos, m.capturedStart() - pos);
        out += back.value(m.captured(), m.captured());
        pos = m.capturedEnd();
    }
    out += QStringView(text).mid(pos);
    return out;
}

// Script text that makes F.<name> the function and V.<name> the global of
// each internal name, whatever identifiers the script uses.
QString accessors(RunServices &run)
{
    QString s = u"var F = {}, V = {};\n"_qs;
    for (const QString &f : ScriptIdentifiers::functionVocabulary()) {
        const QString id = run.scriptFunction(f);
        s += u"F['%1'] = (typeof %2 !== 'undefined') ? %2 : undefined;\n"_qs.arg(f, id);
    }
    const QStringList globals = { u"co"_qs, u"uc"_qs, u"gstr"_qs, u"o"_qs, u"gn"_qs, u"fl"_qs, u"ml"_qs,
        u"ncf"_qs, u"osec"_qs, u"intTime"_qs, u"intTime2"_qs, u"w3c"_qs, u"gb"_qs, u"langString"_qs };
    for (const QString &v : globals) {
        const QString id = run.scriptVariable(v);
        s += u"Object.defineProperty(V, '%1', { get: function () { return %2; }, set: function (x) { %2 = x; } });\n"_qs
                 .arg(v, id);
    }
    return s;
}

QStringList outputLines(const QString &printed)
{
    QStringList lines = printed.split(u'\n', Qt::SkipEmptyParts);
    return lines;
}

// The checks run in the stand-in browser; each prints label=value.
const QString kBehaviour = QStringLiteral(R"js(
// section ids
out("gf", [F.gf("e1d1"), F.gf("e1d1d2"), F.gf("e1d1d2d3"), F.gf("be1d1d2"), F.gf("be1d3"), F.gf("No such link")]);
out("ismf", [F.ismf("e1d1"), F.ismf("e1d1d2"), F.ismf("out")]);
out("sio", [F.sio("e1d1d2x", "e1d1"), F.sio("e1d1x", "e1d1"), F.sio("e1d10x", "e1d1"),
            F.sio("e1d12d3x", "e1d1"), F.sio("none", "e1d1"), F.sio("0", "e1d1")]);
out("className", [F.className("cn07"), F.className("ddcn12iw"), F.className("iw"), F.className("cn")]);
out("ii", [F.ii("dd.50to", "to"), F.ii("iwnf", "nl"), F.dropDownMenu("dd"), F.dropDownMenu("iw")]);
out("ch", [F.ch("Tom's"), F.ch("a</b"), F.ch("plain")]);

// cookies
cookieNames = []; cookieValues = {};
document.cookie = "a=1;path=/"; document.cookie = "mymenu=e1d1x;path=/"; document.cookie = "mymenuLeft=5;path=/";
out("gc", [F.gc("mymenu"), F.gc("mymenuLeft"), F.gc("a"), F.gc("my"), F.gc("zz")]);
rawCookie = "flag; mymenu=e2d1x"; out("gc loose pair", [F.gc("mymenu"), F.gc("flag")]);
rawCookie = ""; out("gc empty", F.gc("mymenu"));
rawCookie = "mymenu="; out("gc empty value", F.gc("mymenu"));
rawCookie = null;
function cookieAfter(fn, co, id) { V.co = co; fn(id); return cookieValues["mymenu"]; }
out("osc", [cookieAfter(F.osc, "e1d1x", "e1d1d2"), cookieAfter(F.osc, "e2d1x", "e1d1"),
            cookieAfter(F.osc, "0", "e1d1"), cookieAfter(F.osc, "none", "e1d1d1"),
            cookieAfter(F.osc, "e1d1d2xe1d3x", "e1d1d2d1")]);
out("csc", [cookieAfter(F.csc, "e1d1d2x", "e1d1d2"), cookieAfter(F.csc, "e1d1x", "e1d1"),
            cookieAfter(F.csc, "e1d1d2xe2d1x", "e1d1"), cookieAfter(F.csc, "e1d1d2d3x", "e1d1d2"),
            cookieAfter(F.csc, "e1d10xe1d1x", "e1d1")]);
V.uc = true; V.co = "e1d1x"; F.udc("e1d1d2"); var afterOpen = V.co;
F.udc("e1d1d2"); out("udc", [afterOpen, V.co]);
F.ssc(3, 4); out("ssc", [cookieValues["mymenuLeft"], cookieValues["mymenuTop"]]);

// languages
qwkLang = "de"; var de = [F.multilingual("Home;;Heim;;Casa;;"), F.multilingual("Home;;Heim"), F.multilingual("Home;;"), F.multilingual("Home")];
qwkLang = "it's\\"; var it = [F.multilingual("Home;;Heim;;Casa;;"), F.multilingual("Home;;Heim;;")];
qwkLang = "xx"; var xx = [F.multilingual("Home;;Heim;;Casa;;"), F.multilingual("")];
out("multilingual", [de, it, xx, V.langString]);
qwkLang = "en";

// drawing, names and paths
V.gstr = "";
F.mf("e1d1", "", "Products;;Produkte;;", "", "");
F.sf("e1d1d1", "", "Tools", "", "");
F.lk("e1d1d1d1", "iw", "Hammer", "/h.htm", "");
F.de(); F.de();
F.mf("e1d2", "iwnf", "Contact", "/c.htm", ""); F.de();
F.mf("e1d3", "", "More", "", "120px");
F.lk("e1d3d1", "ewnm", "Hammer", "/h2.htm", "");
F.lk("e1d3d2", "jcn05", "Run", "alert(1)", "");
F.lk("e1d3d3", "nl", "Heading", "", "");
F.de();
F.col();
out("gi", [F.gi("Hammer"), F.gi("Tools"), F.gi("Products"), F.gi("Nope"), F.gi("Contact")]);
out("gp", [F.gp("Hammer"), F.gp("Products"), F.gp("Tools"), F.gp("Nope")]);
out("html", V.gstr);

// opening and closing through the scripting functions
["e1d1", "e1d1d1", "e1d3", "ce1d1d1", "ie1d1"].forEach(mk);
F.openpage("Hammer");
out("openpage", [elements["e1d1"].style.display, elements["e1d1d1"].style.display, elements["e1d1d1"].style.zIndex, V.o["e1d1"], V.o["e1d1d1"]]);
F.close("Products");
out("close", [elements["e1d1"].style.display, V.o["e1d1"], V.o["e1d1d1"]]);
F.open("Nope"); F.close("Nope"); F.openpage("Nope"); F.openpage("Contact"); F.closepage("Contact");
out("unknown names", "no error");
F.swapbox("Tools", "style.color", "navy"); F.swapline("Nope", "style.color", "red");
out("swap", elements["ce1d1d1"].style.color);

// placing a drop-down section
var wrap = mk("wrap"); wrap.offsetTop = 10; wrap.offsetLeft = 5;
var box = mk("ce5d1"); box.offsetTop = 100; box.offsetLeft = 50; box.offsetWidth = 120; box.offsetHeight = 20; box.offsetParent = wrap;
var sec = mk("e5d1"); sec.offsetWidth = 80; sec.offsetHeight = 60;
function placed(k) { F.setPosition("e5d1", k); return sec.style.left + "," + sec.style.top; }
var places = [placed("dd"), placed("dd.00"), placed("ddle"), placed("dd.50to"), placed("ddto"), placed("dd.00le")];
wrap.style.position = "absolute";
places.push(placed("dd"));
out("setPosition", places);

// timers of the mouse-over functions
timers = []; V.intTime = undefined; V.intTime2 = undefined;
var ev = {};
F.mi("e1d1", "dd", ev);
F.mi("e1d1", "ddnf", {});
F.mo("e1d1", "dd", {});
fire(1);
F.mi("e1d2", "dd", {});
out("timers", [ev.cancelBubble, timers.map(function (t) { return t.ms + ":" + t.state; })]);

// the drop-down sections follow the mouse
["e7d1", "e7d1d1", "e7d2", "e7d3", "ce7d1", "ce7d1d1", "ce7d2", "ce7d3"].forEach(mk);
V.osec = "";
var steps = [];
function state() { return [V.osec, !!V.o.e7d1, !!V.o.e7d1d1, !!V.o.e7d2, !!V.o.e7d3].join(" "); }
F.mi2("e7d1", "dd"); steps.push(state());
F.mi2("e7d1d1", "dd"); steps.push(state());
F.mi2("e7d1", "dd"); steps.push(state());
F.mi2("e7d2", "dd"); steps.push(state());
F.mi2("be7d2d1", ""); steps.push(state());
F.mi2("be7d3d1", ""); steps.push(state());
F.mi2("e7d3", "dd"); F.mi2("e7d3", "dd"); steps.push(state());
F.timeout(); steps.push(state());
out("mi2", steps);
)js");

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCombinationIsValidScript();
    void nodeCheckAcceptsSamples();
    void identifiersStayInTheVocabulary();
    void compactIsSmallerByWhatItDrops();
    void secondRunKeepsTheSlots();
    void compactAndReadableBehaveAlike();
    void functionsUnderNode();
    void genericBrowser();
    void allMenusClosedIgnoresTheCookie();
    void optionPieces();
    void transformHookWithQuoteAborts();
    void badLanguageVariableAborts();
    void classNamesLookedUpAndWarned();
};

void TestRuntime::everyCombinationIsValidScript()
{
    // Every combination is parsed by Node's own parser (vm.Script, a script
    // and not a module, so a stray top-level return would fail too).
    QTemporaryDir dir;
    const QList<Combination> all = allCombinations();
    QSet<QByteArray> seen;
    QHash<QString, QString> described;
    int written = 0;
    for (int i = 0; i < all.size(); ++i) {
        Gen g;
        all[i].apply(g);
        const QString s = g.script();
        QVERIFY2(!s.isEmpty(), qPrintable(all[i].describe()));
        const QByteArray hash = QCryptographicHash::hash(s.toUtf8(), QCryptographicHash::Sha1);
        if (seen.contains(hash))
            continue;
        seen.insert(hash);
        const QString name = QString::number(i) + u".js"_qs;
        writeBytes(dir.filePath(name), s.toUtf8());
        described.insert(name, all[i].describe());
        ++written;
    }
    // Options that change nothing in the runtime (tree or drop-down) give
    // the same text; everything else differs.
    QCOMPARE(written, all.size() / 2);
    const QString checker = uR"js(
const fs = require("fs"), vm = require("vm"), dir = process.argv[2] || %1;
let n = 0;
for (const f of fs.readdirSync(dir)) {
  try { new vm.Script(fs.readFileSync(dir + "/" + f, "utf8"), { filename: f }); n++; }
  catch (e) { console.log("FAIL " + f + ": " + e.message); }
}
console.log("parsed " + n);
)js"_qs.arg(u"\""_qs + dir.path() + u"\""_qs);
    const QString printed = runNode(checker);
    QStringList fails;
    for (const QString &line : outputLines(printed)) {
        if (line.startsWith(u"FAIL "_qs)) {
            const QString file = line.mid(5, line.indexOf(u':') - 5);
            fails << described.value(file) + u": "_qs + line;
        }
    }
    QVERIFY2(fails.isEmpty(), qPrintable(fails.mid(0, 5).join(u'\n')));
    QCOMPARE(printed.trimmed(), u"parsed "_qs + QString::number(written));
}

void TestRuntime::nodeCheckAcceptsSamples()
{
    // `node --check` itself on a spread of combinations, the extremes included.
    const QList<Combination> all = allCombinations();
    for (int i = 0; i < all.size(); i += 157) {
        Gen g;
        all[i].apply(g);
        const QString complaint = nodeCheck(g.script());
        QVERIFY2(complaint.isEmpty(), qPrintable(all[i].describe() + u"\n"_qs + complaint));
    }
    Gen g;
    all.last().apply(g);
    QVERIFY2(nodeCheck(g.script()).isEmpty(), qPrintable(all.last().describe()));
}

void TestRuntime::identifiersStayInTheVocabulary()
{
    // Every name of the script is one the identifier tables know, so compact
    // and readable forms cover the whole script; and with every option on the
    // tables keep room to spare.
    for (const bool compact : { false, true }) {
        for (const QString &number : { u""_qs, u"20"_qs }) {
            Gen g;
            Combination c { true, true, false, true, true, true, true, compact, 2, number };
            c.apply(g);
            const QString s = g.script();
            QSet<QString> known;
            for (const QString &v : ScriptIdentifiers::variableVocabulary())
                known << g.run.scriptVariable(v);
            for (const QString &f : ScriptIdentifiers::functionVocabulary())
                known << g.run.scriptFunction(f);
            static const QRegularExpression id(QStringLiteral("\\bq[0-9A-Z][0-9A-Za-z]*\\b"));
            QSet<QString> unknown;
            for (auto it = id.globalMatch(s); it.hasNext();) {
                const QString name = it.next().captured();
                if (!known.contains(name))
                    unknown << name;
            }
            QVERIFY2(unknown.isEmpty(), qPrintable(QStringList(unknown.begin(), unknown.end()).join(u' ')));
            if (compact) {
                QVERIFY(g.tables.variables().size() <= 48);
                QVERIFY(g.tables.functions().size() <= 35);
                // No readable identifier of a compactable name is left.
                QVERIFY(!s.contains(u"SECN"_qs));
                QVERIFY(!s.contains(u"qSETPOSITION"_qs));
            } else {
                QVERIFY(!s.contains(QRegularExpression(u"\\bq[VF]\\d"_qs)));
            }
        }
    }
}

void TestRuntime::compactIsSmallerByWhatItDrops()
{
    Gen readable;
    Combination c { true, true, false, true, true, true, true, false, 2, u""_qs };
    c.apply(readable);
    const QString r = readable.script();
    Gen compact;
    c.compact = true;
    c.apply(compact);
    const QString k = compact.script();

    // What the compact script must save at least: every comment line but
    // the notice, and the extra length of every compacted name.
    qsizetype comments = 0;
    for (const QString &line : r.split(u"\r\n"_qs)) {
        if (line.trimmed().startsWith(u"//"_qs) && line != ScriptRuntimeWriter::notice())
            comments += line.size() + 2;
    }
    qsizetype names = 0;
    auto count = [&](const QString &readableId, const QString &compactId) {
        if (readableId == compactId)
            return;
        const QRegularExpression word(u"\\b"_qs + QRegularExpression::escape(readableId) + u"\\b"_qs);
        qsizetype n = 0;
        for (auto it = word.globalMatch(r); it.hasNext(); it.next())
            ++n;
        names += n * (readableId.size() - compactId.size());
    };
    for (const QString &v : ScriptIdentifiers::variableVocabulary())
        count(readable.run.scriptVariable(v), compact.run.scriptVariable(v));
    for (const QString &f : ScriptIdentifiers::functionVocabulary())
        count(readable.run.scriptFunction(f), compact.run.scriptFunction(f));
    QVERIFY(comments > 1000);
    QVERIFY(names > 1000);
    qInfo("readable %lld, compact %lld characters; comments %lld, names %lld", qlonglong(r.size()),
        qlonglong(k.size()), qlonglong(comments), qlonglong(names));
    QVERIFY2(r.size() - k.size() >= comments + names, qPrintable(QString::number(r.size() - k.size())));
    QVERIFY(k.startsWith(ScriptRuntimeWriter::notice()));
}

void TestRuntime::secondRunKeepsTheSlots()
{
    // Two runs in one program, the second with other options that ask for
    // the names in another order: every name keeps its slot, so the parts
    // both scripts share are written alike.
    OptionsFixture f;
    ScriptNameTables tables;
    f.set(u"pgmChkScrambled"_qs, 1);
    QString first;
    {
        RunServices run(*f.options, f.prompt, tables);
        first = ScriptRuntimeWriter(run).writeRuntime();
    }
    const QStringList variablesAfterFirst = tables.variables();
    const QStringList functionsAfterFirst = tables.functions();
    f.set(u"prjChkMultiLingual"_qs, 1);
    f.set(u"prjChkMFI"_qs, 1);
    RunServices run(*f.options, f.prompt, tables);
    const QString second = ScriptRuntimeWriter(run).writeRuntime();
    QCOMPARE(tables.variables().mid(0, variablesAfterFirst.size()), variablesAfterFirst);
    QCOMPARE(tables.functions().mid(0, functionsAfterFirst.size()), functionsAfterFirst);
    QVERIFY(tables.variables().size() > variablesAfterFirst.size());
    QVERIFY(tables.variables().contains(u"langString"_qs));
    const qsizetype cut = first.indexOf(u"function qUDC("_qs);
    QVERIFY(cut > 0);
    QCOMPARE(second.mid(second.indexOf(u"function qUDC("_qs), 3000), first.mid(cut, 3000));
    QVERIFY(nodeCheck(second).isEmpty());
}

void TestRuntime::compactAndReadableBehaveAlike()
{
    QStringList results[2];
    for (const bool compact : { false, true }) {
        Gen g;
        Combination c { true, true, false, false, true, true, false, compact, 2, u""_qs };
        c.apply(g);
        const QString script = browserStandIn() + g.script() + accessors(g.run) + kBehaviour;
        const QString printed = runNode(script);
        QVERIFY2(!printed.startsWith(u"NODE FAILED"_qs), qPrintable(printed));
        results[compact] = outputLines(readableIdentifiers(printed, g.run, compact));
    }
    QCOMPARE(results[1], results[0]);
}

void TestRuntime::functionsUnderNode()
{
    Gen g;
    Combination c { true, true, false, false, true, true, false, false, 2, u""_qs };
    c.apply(g);
    // In strict mode, so that a scratch variable that leaks into the page's
    // globals (where a second menu would share it) fails the test.
    const QString printed =
        runNode(u"\"use strict\";\n"_qs + browserStandIn() + g.script() + accessors(g.run) + kBehaviour);
    QVERIFY2(!printed.startsWith(u"NODE FAILED"_qs), qPrintable(printed));
    QHash<QString, QString> got;
    for (const QString &line : outputLines(printed)) {
        const qsizetype eq = line.indexOf(u'=');
        got.insert(line.left(eq), line.mid(eq + 1));
    }
    QCOMPARE(got.value(u"gf"_qs), u"[\"\",\"e1d1\",\"e1d1d2\",\"e1d1\",\"\",\"\"]"_qs);
    QCOMPARE(got.value(u"ismf"_qs), u"[true,false,false]"_qs);
    QCOMPARE(got.value(u"sio"_qs), u"[true,true,false,false,false,false]"_qs);
    QCOMPARE(got.value(u"className"_qs), u"[\"07\",\"12\",\"\",\"\"]"_qs);
    QCOMPARE(got.value(u"ii"_qs), u"[true,false,true,false]"_qs);
    QCOMPARE(got.value(u"ch"_qs), u"[\"\",\"\",\"plain\"]"_qs);
    QCOMPARE(got.value(u"gc"_qs), u"[\"e1d1x\",\"5\",\"1\",\"0\",\"0\"]"_qs);
    QCOMPARE(got.value(u"gc loose pair"_qs), u"[\"e2d1x\",\"0\"]"_qs);
    QCOMPARE(got.value(u"gc empty"_qs), u"0"_qs);
    QCOMPARE(got.value(u"gc empty value"_qs), u""_qs);
    // Opening drops the ancestors from the list; closing a sub-folder keeps
    // its main folder open; closing the last open section stores "none".
    QCOMPARE(
        got.value(u"osc"_qs), u"[\"e1d1d2x\",\"e2d1xe1d1x\",\"e1d1x\",\"e1d1d1x\",\"e1d3xe1d1d2d1x\"]"_qs);
    QCOMPARE(got.value(u"csc"_qs), u"[\"e1d1x\",\"none\",\"e2d1x\",\"e1d1x\",\"e1d10x\"]"_qs);
    QCOMPARE(got.value(u"udc"_qs), u"[\"e1d1d2x\",\"e1d1x\"]"_qs);
    QCOMPARE(got.value(u"ssc"_qs), u"[\"3\",\"4\"]"_qs);
    QCOMPARE(got.value(u"multilingual"_qs),
        u"[[\"Heim\",\"Heim\",\"Home\",\"Home\"],[\"Casa\",\"Home\"],[\"Home\",\"\"],\"en;;de;;it's\\\\;;\"]"_qs);
    QCOMPARE(got.value(u"gi"_qs), u"[\"be1d1d1d1\",\"e1d1d1\",\"e1d1\",\"No such link\",\"e1d2\"]"_qs);
    QCOMPARE(got.value(u"gp"_qs),
        u"[\"Products&nbsp;&rarr;&nbsp;Tools&nbsp;&rarr;&nbsp;Hammer\",\"Products\","
        u"\"Products&nbsp;&rarr;&nbsp;Tools\",\"Nope\"]"_qs);
    QCOMPARE(got.value(u"openpage"_qs), u"[\"\",\"\",2000,true,true]"_qs);
    QCOMPARE(got.value(u"close"_qs), u"[\"none\",false,true]"_qs);
    QCOMPARE(got.value(u"unknown names"_qs), u"no error"_qs);
    QCOMPARE(got.value(u"swap"_qs), u"navy"_qs);
    // Box at 55,110 (with its parent), 120 x 20; section 80 x 60.
    QCOMPARE(got.value(u"setPosition"_qs),
        u"[\"175px,110px\",\"55px,130px\",\"-25px,110px\",\"115px,50px\","
        u"\"175px,70px\",\"55px,130px\",\"170px,100px\"]"_qs);
    QCOMPARE(
        got.value(u"timers"_qs), u"[true,[\"400:cleared\",\"200:fired\",\"200:cleared\",\"400:live\"]]"_qs);
    QCOMPARE(got.value(u"mi2"_qs),
        u"[\"e7d1 true false false false\",\"e7d1d1 true true false false\","
        u"\"e7d1 true false false false\",\"e7d2 false false true false\","
        u"\"e7d2 false false true false\",\" false false false false\","
        u"\"e7d3 false false false true\","
        u"\" false false false false\"]"_qs);

    // The drawn HTML: ids, classes, attributes and the no-wrap style.
    const QString html = got.value(u"html"_qs);
    const QStringList fragments = {
        u"<div id='ce1d1' class='MainFolderBox' style='cursor:pointer;margin-left:9px'><table  border='0' "
        u"cellspacing='0' cellpadding='0'><tr><td><span id='ae1d1' "
        u"onclick=\"{if(!qO['e1d1']){};qCK('e1d1','')"
        u";return false}\" href=\"javascript:{\\}\" "
        u"onMouseOver=\"if(qW3C){this.className='MainFolderLineMouseOver'}"
        u";return true\" onMouseOut=\"if(qW3C){this.className='MainFolderLine'};return true\" "
        u"style='white-space:nowrap;' class='MainFolderLine'>Products<img border='0' src='/img/mfc.gif' "
        u"id='ie1d1'>&nbsp;</span></td></tr></table><div class='MainFolderPage' id='e1d1' style='display:None'>"_qs,
        u"<div id='ce1d1d1' class='SubFolderBox' style='margin-left:9px'>"_qs,
        u"<div class='SubFolderPage' id='e1d1d1' style='display:None'>"_qs,
        u"<div id='cbe1d1d1d1' class='LinkBox' style='margin-left:9px'><table  border='0' cellspacing='0' "
        u"cellpadding='0'><tr><td class='LinkPage'><a id='abe1d1d1d1' onclick=\"qSSC(0,0);return true\" "
        u"href=\"/h.htm\""_qs,
        u"class='LinkLine'><img border='0' src='img\\page.gif' id='ibe1d1d1d1'>&nbsp;Hammer</a>"_qs,
        u"</div></div></div></div>"_qs,
        // A page at the top level: an anchor box with the top link class.
        u"<div id='ce1d2' class='MainFolderBox' style='cursor:pointer;margin-left:9px'>"_qs,
        u"<a id='ae1d2' onclick=\"qSSC(0,0);return true\" href=\"/c.htm\""_qs,
        u"class='MainFolderLine'><img border='0' src='img\\page.gif' id='ie1d2'>&nbsp;Contact</a>"_qs,
        u"<table width=120px border='0'"_qs,
        // External link: new window, no page image.
        u"class='LinkLine' target=_blank>Hammer</a>"_qs,
        // Script link with a class suffix.
        u"onclick=\"alert(1);return false\" href=\"javascript:{\\}\""_qs,
        u"class='LinkLine05'>"_qs,
        u"<td class='LinkPage'>Heading</td>"_qs,
        u"</td><td class='MenuTreeBox' valign='top'>"_qs,
    };
    for (const QString &f : fragments)
        QVERIFY2(html.contains(f), qPrintable(u"missing: "_qs + f + u"\nin: "_qs + html));
}

void TestRuntime::genericBrowser()
{
    Gen g;
    g.set(u"prjChkTreeMenus"_qs, 0);
    const QString body = uR"js(
out("modes", [V.w3c, V.gb, V.uc, F.dropDownMenu("dd")]);
out("alerts", alerts);
V.co = "e1d1x"; V.gstr = "";
F.mf("e1d1", "dd", "Open", "", ""); F.sf("e1d1d1", "", "Closed sub", "", ""); F.lk("e1d1d1d1", "iw", "Hidden", "/h.htm", "");
F.de(); F.lk("e1d1d2", "iw", "Shown", "/s.htm", ""); F.de();
F.mf("e1d2", "", "Shut", "", ""); F.lk("e1d2d1", "iw", "Inside", "/i.htm", ""); F.de();
out("html", V.gstr);
F.swapbox("Open", "style.color", "red");
out("after swap", "no error");
)js"_qs;
    // Cookies refused: the page-load code warns the visitor.
    const QString printed = runNode(
        browserStandIn(false) + u"refuseCookies = true;\n"_qs + g.script() + accessors(g.run) + body);
    QVERIFY2(!printed.startsWith(u"NODE FAILED"_qs), qPrintable(printed));
    const QStringList lines = outputLines(printed);
    QCOMPARE(lines.value(0), u"modes=[false,true,false,false]"_qs);
    QCOMPARE(lines.value(1), u"alerts=[\"For the tree menu to work properly, you must turn on cookies\"]"_qs);
    const QString html = lines.value(2);
    // Only the open folder's contents are written, as indented paragraphs.
    QVERIFY2(html.contains(u"<p id='ce1d1' class='MainFolderBox' style='margin-left:9px'><a id='ae1d1'"_qs),
        qPrintable(html));
    QVERIFY(html.contains(u"<p id='ce1d1d1' class='SubFolderBox' style='margin-left:18px'>"_qs));
    QVERIFY(!html.contains(u"Hidden"_qs));
    QVERIFY(html.contains(u"<p id='cbe1d1d2' class='LinkBox' style='margin-left:18px'>"_qs));
    QVERIFY(html.contains(u"Shut"_qs));
    QVERIFY(!html.contains(u"Inside"_qs));
    QVERIFY(!html.contains(u"<div"_qs));
    QCOMPARE(lines.value(3), u"after swap=no error"_qs);
}

void TestRuntime::allMenusClosedIgnoresTheCookie()
{
    for (const bool closed : { false, true }) {
        Gen g;
        g.set(u"prjChkAllMenusClosed"_qs, closed ? 1 : 0);
        const QString printed = runNode(browserStandIn() + u"document.cookie = 'mymenu=e1d2x';\n"_qs
            + g.script() + accessors(g.run) + u"out('state', [V.uc, V.co, V.fl]);"_qs);
        QCOMPARE(
            printed.trimmed(), closed ? u"state=[false,\"\",false]"_qs : u"state=[true,\"e1d2x\",false]"_qs);
    }
    // First visit: no cookie, so the first-load flag is set.
    Gen g;
    const QString printed = runNode(browserStandIn() + g.script() + accessors(g.run)
        + u"out('state', [V.uc, V.co, V.fl, cookieValues['mymenu']]);"_qs);
    QCOMPARE(printed.trimmed(), u"state=[true,\"0\",true,\"0\"]"_qs);
}

void TestRuntime::optionPieces()
{
    {
        // No images: no Image objects, no image tags, no swap.
        Gen g;
        const QString s = g.script();
        QVERIFY(!s.contains(u"new Image"_qs));
        QVERIFY(!s.contains(u"+qWI("_qs));
        QVERIFY(!s.contains(u"qDW(qWI("_qs));
        QVERIFY(s.contains(u"qDW(qNAME+\"\")"_qs));
        QVERIFY(!s.contains(u"document.images&&"_qs));
        QVERIFY(!s.contains(u"document.images){t="_qs));
        QVERIFY(s.contains(u"style='white-space:nowrap;'"_qs));
        QVERIFY(!s.contains(u"{white-space"_qs));
        QVERIFY(s.contains(u"return url\r\n"_qs));
        QVERIFY(!s.contains(u"qMULTILINGUAL"_qs));
        QVERIFY(s.contains(u"var qUC=true;"_qs));
    }
    {
        // Equal open and closed images: preloaded, but no swap.
        Gen g;
        Combination c { false, false, true, false, false, false, false, false, 1, u""_qs };
        c.apply(g);
        const QString s = g.script();
        QVERIFY(s.contains(u"var qOMFI=new Image();qOMFI.src=\"/img/mfo.gif\";"_qs));
        QVERIFY(s.contains(u"var qPLI=new Image();qPLI.src=\"img\\\\page.gif\";"_qs));
        QVERIFY(!s.contains(u"t.src="_qs));
        QVERIFY(!s.contains(u"white-space"_qs));
    }
    {
        // Only the main images differ: the swap is for main folders only.
        Gen g;
        Combination c { false, false, false, false, false, false, false, false, 3, u""_qs };
        c.apply(g);
        QVERIFY(g.script().contains(u"if(document.images&&qISMF(qSECN8)){t=qGO(\"i\"+qSECN8);"_qs));
        Gen h;
        c.images = 4;
        c.apply(h);
        QVERIFY(h.script().contains(u"if(document.images&&!qISMF(qSECN8)){"_qs));
        Gen both;
        c.images = 2;
        c.apply(both);
        QVERIFY(both.script().contains(u"if(document.images){t=qGO(\"i\"+qSECN8);"_qs));
    }
    {
        Gen g;
        g.set(u"prjPixelsHeight"_qs, u"'2\"4'"_qs);
        g.set(u"prjLeftIndentMainFolder"_qs, u"12"_qs);
        g.set(u"prjLeftIndentSubFolder"_qs, u"abc"_qs);
        g.set(u"prjChkAllMenusClosed"_qs, 1);
        g.set(u"prjChkMultiLingual"_qs, 1);
        g.set(u"prjJavascriptLanguageVariable"_qs, u"site.lang"_qs);
        const QString s = g.script();
        QVERIFY(s.contains(u"<td height = '24'>"_qs));
        QVERIFY(s.contains(u"margin-left:12px"_qs));
        // An indent that is no number counts as 0, and the sum fails to 0.
        QVERIFY(s.contains(u"qML=qML+(0)"_qs));
        QVERIFY(s.contains(u"qML=0}else{qNCF=1}"_qs));
        QVERIFY(s.contains(u"var qUC=false;"_qs));
        QVERIFY(s.contains(u"qNAME=qMULTILINGUAL(qNAME);qWIDTH=qMULTILINGUAL(qWIDTH);"_qs));
        QVERIFY(s.contains(u"==site.lang)"_qs));
        QVERIFY(nodeCheck(s).isEmpty());
    }
    {
        // Indents past any page's width are held at 10000 pixels: the sum
        // of two of the largest numbers once overflowed.
        Gen g;
        g.set(u"prjLeftIndentMainFolder"_qs, u"2147483647"_qs);
        g.set(u"prjLeftIndentSubFolder"_qs, u"2147483647"_qs);
        const QString s = g.script();
        QVERIFY(s.contains(u"qML=20000}else"_qs));
        QVERIFY(s.contains(u"margin-left:10000px"_qs));
    }
    {
        // An apostrophe in an image address would end the src attribute.
        Gen g;
        g.set(u"prjChkPLI"_qs, 1);
        g.set(u"prjFilPLIMG"_qs, u"/img/it's.gif' onerror='alert(1)"_qs);
        const QString s = g.script();
        QVERIFY2(s.contains(u"\"/img/it%27s.gif%27 onerror=%27alert(1)\""_qs), qPrintable(s));
        QVERIFY(!s.contains(u"onerror='"_qs));
    }
    {
        // The page-load code: its five statements in order, the cookie name
        // from the project's base name.
        Gen g;
        g.run.setProjectFile(u"/home/u/my.menu.qwk"_qs);
        ScriptRuntimeWriter w(g.run);
        const QString load = w.writePageLoadCode();
        const QStringList statements
            = load.split(u"\r\n"_qs, Qt::SkipEmptyParts).filter(QRegularExpression(u"^[^/]"_qs));
        QCOMPARE(statements,
            (QStringList { u"if(qGC(\"my\")==\"0\"){qFL=true};"_qs, u"if(qUC){qCO=qGC(\"my\")};"_qs,
                u"if(qUC&&!qCT()){qUC=false};"_qs,
                u"if(qGB&&!qUC){alert(\"For the tree menu to work properly, you must turn on cookies\")};"_qs,
                u"if(qUC){qSC(\"my\",qCO)};"_qs }));
        QCOMPARE(load.count(u"\r\n//"_qs) + (load.startsWith(u"//"_qs) ? 1 : 0), 5);
    }
}

void TestRuntime::transformHookWithQuoteAborts()
{
    Gen g;
    g.set(u"prjTransformURL"_qs, u"return \"x\""_qs);
    ScriptRuntimeWriter w(g.run);
    QVERIFY(!g.run.runGuarded([&] { w.writeRuntime(); }));
    QCOMPARE(g.run.logEntries().last(), u"Error: \nFunction cnv(url,k) javascript contains quote"_qs);
    // A single-quoted hook is the author's script, written as it stands.
    g.set(u"prjTransformURL"_qs, u"  return url.replace('a','b')  "_qs);
    const QString s = w.writeRuntime();
    QVERIFY(s.contains(u"function qCNV(url,k,name){\r\nreturn url.replace('a','b')\r\n}"_qs));
}

void TestRuntime::badLanguageVariableAborts()
{
    Gen g;
    g.set(u"prjChkMultiLingual"_qs, 1);
    g.set(u"prjJavascriptLanguageVariable"_qs, u"my-lang"_qs);
    ScriptRuntimeWriter w(g.run);
    QVERIFY(!g.run.runGuarded([&] { w.writeRuntime(); }));
    QCOMPARE(
        g.run.logEntries().last(), u"Error: \nJavascript language variable is not a script name: my-lang"_qs);
    // Without languages the variable is not used and not checked.
    g.set(u"prjChkMultiLingual"_qs, 0);
    QVERIFY(g.run.runGuarded([&] { w.writeRuntime(); }));
}

void TestRuntime::classNamesLookedUpAndWarned()
{
    Gen g;
    g.set(u"prjCNLinkBox"_qs, u"nav-Box"_qs);
    g.run.setClassCheck([](const QString &name) { return name != u"MenuTreeBox"_qs; });
    const QString s = g.script();
    QCOMPARE(g.run.logEntries(), QStringList { u"Warning! Class not found in style sheet: MenuTreeBox"_qs });
    QVERIFY(s.contains(u"class='nav-Box\"+qCLASSNAME(qK)"_qs));
    QVERIFY(nodeCheck(s).isEmpty());
}

QTEST_GUILESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
