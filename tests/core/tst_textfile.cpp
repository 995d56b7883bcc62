// Reading and writing text: UTF-8 or the single-byte code page, never losing
// a character; line breaks flattened; atomic writes.

#include "core/textfile.h"
#include "support/testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qwk;

class TestTextFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("ascii") << QByteArray("abc") << QStringLiteral("abc") << true;
        QTest::newRow("utf8") << QByteArray("caf\xC3\xA9") << QStringLiteral("café") << true;
        QTest::newRow("bom skipped") << QByteArray("\xEF\xBB\xBFx") << QStringLiteral("x") << true;
        QTest::newRow("cp1252") << QByteArray("caf\xE9 \x80 \x93q\x94") << QStringLiteral("café € “q”") << false;
        QTest::newRow("cp1252 unassigned byte") << QByteArray("a\x81") << QString(QStringLiteral("a") + QChar(0x81)) << false;
        QTest::newRow("truncated utf8 sequence") << QByteArray("ab\xC3") << QStringLiteral("abÃ") << false;
        QTest::newRow("overlong utf8") << QByteArray("\xC0\xAF") << QStringLiteral("À¯") << false;
        QTest::newRow("surrogate in utf8") << QByteArray("\xED\xA0\x80") << QString::fromUtf16(u"\u00ED\u00A0\u20AC") << false;
        QTest::newRow("4-byte utf8") << QByteArray("\xF0\x9F\x98\x80") << QStringLiteral("😀") << true;
        QTest::newRow("empty") << QByteArray() << QString() << true;
        // Long enough for the eight-byte steps over ASCII.
        QTest::newRow("utf8 after and before long ascii")
            << QByteArray("0123456789abcdefcaf\xC3\xA9 0123456789") << QStringLiteral("0123456789abcdefcafé 0123456789")
            << true;
        QTest::newRow("cp1252 byte inside a long ascii run")
            << QByteArray("0123456789abc\xE9" "0123456789") << QStringLiteral("0123456789abcé0123456789") << false;
        QTest::newRow("utf8 cut at the very end of a long text")
            << QByteArray("0123456789abcdef\xC3") << QStringLiteral("0123456789abcdefÃ") << false;
    }
    void decode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, utf8);
        TextEncoding enc;
        QCOMPARE(decodeText(bytes, &enc), text);
        QCOMPARE(enc == TextEncoding::Utf8, utf8);
    }

    void encodePicksTheNarrowestLosslessForm()
    {
        TextEncoding used;
        QCOMPARE(encodeText(u"Café €", false, &used), QByteArray("Caf\xE9 \x80"));
        QCOMPARE(used, TextEncoding::Windows1252);
        QCOMPARE(encodeText(u"Café ש", false, &used), QStringLiteral("Café ש").toUtf8());
        QCOMPARE(used, TextEncoding::Utf8);
        QCOMPARE(encodeText(u"Café", true, &used), QByteArray("Caf\xC3\xA9"));
        // Single-byte text whose bytes read as UTF-8 is written as UTF-8, so
        // it reads back as it was.
        const QString lookalike = QStringLiteral("CafÃ©");
        const QByteArray bytes = encodeText(lookalike, false, &used);
        QCOMPARE(used, TextEncoding::Utf8);
        QCOMPARE(decodeText(bytes), lookalike);
        // Every byte the code page decodes comes back as the same byte.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        all.append('\xFF'); // not valid UTF-8 on its own, so read as the code page
        const QString text = decodeText(all);
        QCOMPARE(text.size(), all.size());
        QCOMPARE(encodeText(text), all);
    }

    void flattenLineBreaks_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("none") << "a b" << "a b";
        QTest::newRow("crlf is one break") << "a\r\nb" << "a b";
        QTest::newRow("lf") << "a\nb" << "a b";
        QTest::newRow("cr") << "a\rb" << "a b";
        QTest::newRow("lf cr is two") << "a\n\rb" << "a  b";
        QTest::newRow("trailing") << "a\r\n" << "a ";
    }
    void flattenLineBreaks()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(qwk::flattenLineBreaks(in), out);
    }

    void atomicWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        QVERIFY(writeFileAtomic(path, "one").ok);
        QVERIFY(writeFileAtomic(path, "two").ok);
        QByteArray back;
        QVERIFY(readWholeFile(path, &back).ok);
        QCOMPARE(back, QByteArray("two"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("f.txt")});
        const FileResult bad = writeFileAtomic(dir.filePath(QStringLiteral("missing/f.txt")), "x");
        QVERIFY(!bad.ok);
        QVERIFY(!bad.error.isEmpty());
        QVERIFY(!readWholeFile(dir.filePath(QStringLiteral("missing.txt")), &back).ok);
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
