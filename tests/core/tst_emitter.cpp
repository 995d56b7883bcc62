// The template emitter: substitution, scopes, resolvers, comment and
// optional lines, and the hard failures that keep half-substituted text out
// of generated files.
#include "core/emitter.h"

#include <QtTest>

using namespace qwk;

class TestEmitter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void substitution_data();
    void substitution();
    void scopesShadowAndEnd();
    void callbacksEmitNestedPieces();
    void resolvers();
    void commentLinesGoThroughTheFilter();
    void lonePlaceholderLineDisappearsWhenEmpty();
    void stripIndentKeepsValues();
    void escaping_data();
    void escaping();
    void escapingPrefixesAreTaken();
    void piecesAroundSlots();
    void failures_data();
    void failures();
};

void TestEmitter::substitution_data()
{
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << u"a\nb"_qs << u"a\r\nb"_qs;
    QTest::newRow("variable") << u"x=$a$;"_qs << u"x=1;"_qs;
    QTest::newRow("two variables") << u"$a$$b$"_qs << u"1two"_qs;
    QTest::newRow("literal dollar") << u"cost $$5 $a$"_qs << u"cost $5 1"_qs;
    QTest::newRow("value is not re-read as template") << u"[$c$]"_qs << u"[$a$ \\]"_qs;
    QTest::newRow("trailing newline") << u"$a$\n"_qs << u"1\r\n"_qs;
}

void TestEmitter::substitution()
{
    QFETCH(QString, tmpl);
    QFETCH(QString, expected);
    QString out;
    TextEmitter e(out);
    e.setLineEnd(u"\r\n"_qs);
    e.emit({ { u"a"_qs, u"1"_qs }, { u"b"_qs, u"two"_qs }, { u"c"_qs, u"$a$ \\"_qs } }, tmpl);
    QCOMPARE(out, expected);
}

void TestEmitter::scopesShadowAndEnd()
{
    QString out;
    TextEmitter e(out);
    e.set(u"x"_qs, u"outer"_qs);
    {
        TextEmitter::Scope s(e, { { u"x"_qs, u"inner"_qs } });
        e.emit(u"$x$ "_qs);
    }
    e.emit(u"$x$"_qs);
    QCOMPARE(out, u"inner outer"_qs);
    // A value set in an inner scope is gone with it.
    {
        TextEmitter::Scope s(e, {});
        e.set(u"y"_qs, u"1"_qs);
    }
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.emit(u"$y$"_qs));
}

void TestEmitter::callbacksEmitNestedPieces()
{
    QString out;
    TextEmitter e(out);
    const QStringList items = { u"a"_qs, u"b"_qs, u"c"_qs };
    e.set(u"items"_qs, TextEmitter::Callback([&] {
        for (const QString &i : items)
            e.emit({ { u"i"_qs, i } }, u"<$i$>"_qs);
    }));
    e.emit(u"[$items$]\nend"_qs);
    QCOMPARE(out, u"[<a><b><c>]\nend"_qs);
    // render() leaves the buffer alone.
    const QString piece = e.render(u"($items$)"_qs);
    QCOMPARE(piece, u"(<a><b><c>)"_qs);
    QCOMPARE(out, u"[<a><b><c>]\nend"_qs);
}

void TestEmitter::resolvers()
{
    QString out;
    TextEmitter e(out);
    e.addResolver(u"v"_qs, [](const QString &n) { return u"q"_qs + n.toUpper(); });
    e.emit(u"var $v:secn9$=$v:co$;"_qs);
    QCOMPARE(out, u"var qSECN9=qCO;"_qs);
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.emit(u"$f:mf$"_qs));
}

void TestEmitter::commentLinesGoThroughTheFilter()
{
    QString out;
    TextEmitter e(out);
    e.setLineEnd(u"\r\n"_qs);
    QStringList seen;
    e.setCommentFilter([&](const QString &line) {
        seen << line;
        return QString();
    });
    e.emit({ { u"n"_qs, u"7"_qs } }, u"a\n  // comment $n$\nb // not a comment line\n"_qs);
    QCOMPARE(out, u"a\r\nb // not a comment line\r\n"_qs);
    QCOMPARE(seen, QStringList { u"  // comment 7"_qs });
}

void TestEmitter::lonePlaceholderLineDisappearsWhenEmpty()
{
    QString out;
    TextEmitter e(out);
    e.emit({ { u"opt"_qs, u""_qs }, { u"on"_qs, u"x();"_qs } }, u"a\n  $opt$\n  $on$\nb"_qs);
    QCOMPARE(out, u"a\n  x();\nb"_qs);
}

void TestEmitter::stripIndentKeepsValues()
{
    QString out;
    TextEmitter e(out);
    e.setStripIndent(true);
    e.emit({ { u"v"_qs, u"  kept"_qs } }, u"    if(a){\n\t\tb=\"$v$\"\n    }"_qs);
    QCOMPARE(out, u"if(a){\nb=\"  kept\"\n}"_qs);
}

void TestEmitter::escaping_data()
{
    QTest::addColumn<QString>("tmpl");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text") << u"<p>$h:t$</p>"_qs << u"<p>&lt;b&gt; Tom's &amp; &quot;x&quot;</p>"_qs;
    QTest::newRow("attribute") << u"class='$a:t$'"_qs << u"class='&lt;b&gt; Tom&#39;s &amp; &quot;x&quot;'"_qs;
    QTest::newRow("raw beside escaped") << u"$t$|$h:t$"_qs << u"<b> Tom's & \"x\"|&lt;b&gt; Tom's &amp; &quot;x&quot;"_qs;
    QTest::newRow("dollar in value") << u"$h:d$"_qs << u"$h:t$"_qs;
    QTest::newRow("callback piece") << u"<p>$h:cb$</p>"_qs << u"<p>&lt;i&gt;</p>"_qs;
    QTest::newRow("inner scope wins") << u"$a:s$"_qs << u"&#39;in"_qs;
}

void TestEmitter::escaping()
{
    QFETCH(QString, tmpl);
    QFETCH(QString, expected);
    QString out;
    TextEmitter e(out);
    e.set(u"t"_qs, u"<b> Tom's & \"x\""_qs);
    e.set(u"d"_qs, u"$h:t$"_qs);
    e.set(u"cb"_qs, TextEmitter::Callback([&] { e.raw(u"<i>"); }));
    e.set(u"s"_qs, u"out"_qs);
    TextEmitter::Scope inner(e, { { u"s"_qs, u"'in"_qs } });
    e.emit(tmpl);
    QCOMPARE(out, expected);
}

void TestEmitter::escapingPrefixesAreTaken()
{
    QString out;
    TextEmitter e(out);
    const auto resolver = [](const QString &n) { return n; };
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.addResolver(u"h"_qs, resolver));
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.addResolver(u"a"_qs, resolver));
}

void TestEmitter::piecesAroundSlots()
{
    QString out = u"kept"_qs;
    TextEmitter e(out);
    e.setLineEnd(u"\r\n"_qs);
    e.set(u"cls"_qs, u"Box"_qs);
    const QStringList pieces
        = e.renderPieces(u"<p class='$cls$'>$indent$<span>$text$</span></p>\n"_qs, { u"text"_qs, u"indent"_qs });
    QCOMPARE(pieces, (QStringList { u"<p class='Box'>"_qs, u"<span>"_qs, u"</span></p>\r\n"_qs }));
    QCOMPARE(out, u"kept"_qs);
    // The slots are gone afterwards; the shared values stay.
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.emit(u"$text$"_qs));
    QCOMPARE(e.render(u"$cls$"_qs), u"Box"_qs);
}

void TestEmitter::failures_data()
{
    QTest::addColumn<QString>("tmpl");
    QTest::newRow("unknown variable") << u"a $nope$ b"_qs;
    QTest::newRow("unterminated") << u"a $open"_qs;
    QTest::newRow("unknown in comment") << u"// $nope$"_qs;
    QTest::newRow("unknown prefix") << u"$z:co$"_qs;
    QTest::newRow("unknown escaped variable") << u"<p>$h:nope$</p>"_qs;
    QTest::newRow("unknown attribute variable") << u"$a:nope$"_qs;
}

void TestEmitter::failures()
{
    QFETCH(QString, tmpl);
    QString out;
    TextEmitter e(out);
    QVERIFY_THROWS_EXCEPTION(TemplateError, e.emit(tmpl));
}

QTEST_GUILESS_MAIN(TestEmitter)
#include "tst_emitter.moc"
