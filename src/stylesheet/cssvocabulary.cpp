#include "stylesheet/cssvocabulary.h"

#include "core/textbuild.h"

namespace qwk {

namespace {

QStringList words(std::initializer_list<const char16_t *> list)
{
    QStringList out;
    out.reserve(qsizetype(list.size()));
    for (const char16_t *w : list)
        out << QString::fromUtf16(w);
    return out;
}

struct Vocabulary {
    QStringList names;
    QList<QStringList> values;
};

const Vocabulary &vocabulary()
{
    static const Vocabulary v = [] {
        const QStringList colours = words({ u"aqua", u"black", u"blue", u"fuchsia", u"gray", u"green",
            u"lime", u"maroon", u"navy", u"olive", u"purple", u"red", u"silver", u"teal", u"white", u"yellow",
            u"rgb(0,255,0)", u"other...", u"delete" });
        const QStringList widths = words({ u"thin", u"medium", u"thick", u"1px", u"2px", u"3px", u"4px",
            u"5px", u"6px", u"7px", u"8px", u"9px", u"10px", u"delete" });
        const QStringList boxes = words({ u"0px 0px 0px 0px", u"1px 1px 1px 1px", u"2px 2px 2px 2px",
            u"3px 3px 3px 3px", u"3px 4px 3px 4px", u"3px 5px 3px 5px", u"3px 6px 3px 6px",
            u"5px 7px 5px 7px", u"5px 9px 5px 9px", u"7px 11px 7px 11px", u"7px 13px 7px 13px",
            u"7px 15px 7px 15px", u"delete" });
        const QStringList marginSides = words({ u"0px", u"1px", u"2px", u"3px", u"4px", u"5px", u"7px",
            u"9px", u"11px", u"13px", u"10pt", u"1em", u"2em", u"3ex", u"120%", u"delete" });
        QStringList paddingSides = marginSides;
        paddingSides[paddingSides.indexOf(u"3ex")] = QStringLiteral("2ex");

        Vocabulary v;
        auto add = [&v](const char16_t *name, const QStringList &values) {
            v.names << QString::fromUtf16(name);
            v.values << values;
        };
        add(u"background-color", colours);
        add(u"border",
            words({ u"1px navy solid", u"1px red solid", u"1px black solid", u"1px maroon solid",
                u"1px fuchsia solid", u"1px silver solid", u"1px white solid", u"2px navy solid",
                u"2px red solid", u"2px black solid", u"2px maroon solid", u"2px fuchsia solid",
                u"2px silver solid", u"2px white solid", u"2px aqua solid", u"2px gray solid",
                u"2px purple solid", u"5px navy double", u"5px navy groove", u"5px navy ridge",
                u"7px yellow outset", u"9px fuchsia inset", u"delete" }));
        add(u"color", colours);
        add(u"cursor",
            words({ u"crosshair", u"ne-resize", u"pointer", u"wait", u"move", u"default", u"delete" }));
        add(u"font-family",
            words({ u"serif", u"sans-serif", u"cursive", u"fantasy", u"monospace", u"delete" }));
        add(u"font-size",
            words({ u"xx-small", u"x-small", u"small", u"medium", u"large", u"x-large", u"smaller", u"larger",
                u"8pt", u"9pt", u"10pt", u"11pt", u"12pt", u"13pt", u"14pt", u"17pt", u"20pt", u"23pt",
                u"26pt", u"1.2em", u"2ex", u"150%", u"delete" }));
        add(u"font-style", words({ u"normal", u"italic", u"delete" }));
        add(u"font-weight",
            words({ u"bold", u"bolder", u"lighter", u"normal", u"100", u"200", u"300", u"400", u"500", u"600",
                u"700", u"800", u"900", u"delete" }));
        add(u"line-height",
            words({ u"3pt", u"13pt", u"15pt", u"18pt", u"1.5em", u"1.5ex", u"150%", u"200%", u"250%", u"300%",
                u"350%", u"400%", u"1.2", u"delete" }));
        add(u"margin", boxes);
        add(u"padding", boxes);
        add(u"text-align", words({ u"center", u"left", u"right", u"delete" }));
        add(u"text-decoration", words({ u"blink", u"line-through", u"underline", u"none", u"delete" }));
        add(u"text-indent",
            words({ u"0px", u"3px", u"6px", u"9px", u"12px", u"15px", u"18px", u"21px", u"25px", u"30px",
                u"36px", u"3em", u"5em", u"5ex", u"120%", u"delete" }));
        add(u"text-transform", words({ u"none", u"capitalize", u"lowercase", u"uppercase", u"delete" }));
        add(u"border-bottom-width", widths);
        add(u"border-left-width", widths);
        add(u"border-right-width", widths);
        add(u"border-top-width", widths);
        add(u"border-color", colours);
        add(u"border-style",
            words({ u"double", u"groove", u"inset", u"none", u"outset", u"ridge", u"solid", u"delete" }));
        add(u"margin-bottom", marginSides);
        add(u"margin-left", marginSides);
        add(u"margin-right", marginSides);
        add(u"margin-top", marginSides);
        add(u"padding-bottom", paddingSides);
        add(u"padding-left", paddingSides);
        add(u"padding-right", paddingSides);
        add(u"padding-top", paddingSides);
        add(u"white-space", words({ u"normal", u"nowrap", u"pre" }));
        return v;
    }();
    return v;
}

} // namespace

const QStringList &cssPropertyNames()
{
    return vocabulary().names;
}

const QList<QStringList> &cssPropertyValueLists()
{
    return vocabulary().values;
}

const QStringList &cssClassKeys()
{
    static const QStringList keys
        = words({ u"MainFolderBox", u"MainFolderLine", u"MainFolderPage", u"SubFolderBox", u"SubFolderLine",
            u"SubFolderPage", u"LinkBox", u"LinkLine", u"LinkPage", u"MenuTreeBox" });
    return keys;
}

QString defaultStyleSheet(bool dropDown, bool mouseOverHover, const ClassNameFunction &className)
{
    QString out;
    auto rule = [&](const QString &selector, const QStringList &declarations) {
        out += selector;
        out += QStringLiteral(" {");
        out += kCRLF;
        for (const QString &d : declarations) {
            out += u'\t';
            out += d;
            out += kCRLF;
        }
        out += u'}';
        out += kCRLF;
        out += kCRLF;
    };
    auto name = [&](const char16_t *key) { return className(QString::fromUtf16(key)); };

    QStringList box { QStringLiteral("background-color : white;") };
    if (dropDown)
        box << QStringLiteral("border : 1px navy solid;");
    box << QStringLiteral("color : navy;");
    if (dropDown)
        box << QStringLiteral("margin : 0px 0px 0px 0px;") << QStringLiteral("padding : 3px 15px 3px 15px;");
    const QStringList lineNavy { QStringLiteral("color : navy;"), QStringLiteral("text-decoration : none;") };
    const QStringList lineRed { QStringLiteral("color : red;"), QStringLiteral("text-decoration : none;") };
    const QStringList blue { QStringLiteral("color : blue;") };
    const QStringList red { QStringLiteral("color : red;") };
    const QString hover = mouseOverHover ? QStringLiteral("MouseOver:hover") : QStringLiteral(":hover");
    const QString dot = QStringLiteral(".");
    const QString aDot = QStringLiteral("a.");
    const QString mouseOver = QStringLiteral("MouseOver");

    const QString mainLine = name(u"MainFolderLine");
    const QString subLine = name(u"SubFolderLine");
    const QString linkLine = name(u"LinkLine");

    rule(dot + name(u"MenuTreeBox"), {});
    rule(dot + name(u"MainFolderBox"), box);
    rule(dot + name(u"MainFolderPage"), {});
    rule(dot + mainLine, lineNavy);
    rule(dot + mainLine + mouseOver, lineRed);
    rule(dot + name(u"SubFolderBox"), box);
    rule(dot + name(u"SubFolderPage"), {});
    rule(dot + subLine, lineNavy);
    rule(dot + subLine + mouseOver, lineRed);
    rule(dot + name(u"LinkBox"), box);
    rule(dot + name(u"LinkPage"), {});
    rule(dot + linkLine, blue);
    rule(dot + linkLine + mouseOver, red);
    rule(aDot + linkLine, blue);
    rule(aDot + linkLine + QStringLiteral(":visited"), blue);
    rule(aDot + linkLine + hover, red);
    rule(aDot + mainLine + mouseOver, lineRed);
    rule(aDot + mainLine + QStringLiteral(":visited"), blue);
    rule(aDot + mainLine + hover, red);
    return out;
}

} // namespace qwk
