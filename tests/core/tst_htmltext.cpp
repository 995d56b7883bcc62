// Text put into a page as text: the two escaping rules side by side.

#include "core/htmltext.h"

#include <QTest>

using namespace qwk;

class TestHtmlText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void escaping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::addColumn<QString>("attribute");
        QTest::newRow("plain") << QStringLiteral("Café menu") << QStringLiteral("Café menu")
                               << QStringLiteral("Café menu");
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("markup") << QStringLiteral("<b>a & b</b>") << QStringLiteral("&lt;b&gt;a &amp; b&lt;/b&gt;")
                                << QStringLiteral("&lt;b&gt;a &amp; b&lt;/b&gt;");
        QTest::newRow("entity stays text") << QStringLiteral("&amp;") << QStringLiteral("&amp;amp;")
                                           << QStringLiteral("&amp;amp;");
        QTest::newRow("quotes") << QStringLiteral("x\"y'z") << QStringLiteral("x&quot;y'z")
                                << QStringLiteral("x&quot;y&#39;z");
    }
    void escaping()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QFETCH(QString, attribute);
        QCOMPARE(htmlEscaped(text), escaped);
        QString appended = QStringLiteral("<p>");
        appendHtmlEscaped(appended, text);
        QCOMPARE(appended, QStringLiteral("<p>") + escaped);
        QCOMPARE(htmlAttributeEscaped(text), attribute);
        // The page writers used the library's escaping before; the bytes stay.
        QCOMPARE(htmlEscaped(text), text.toHtmlEscaped());
    }
};

QTEST_GUILESS_MAIN(TestHtmlText)
#include "tst_htmltext.moc"
