#include "stylesheet/accessiblesheet.h"

#include "core/textbuild.h"

namespace qwk {

namespace {

// Dark text on white and white on dark: both far above 4.5:1, so an author
// who lightens one of them a little still passes.
const QString kText = QStringLiteral("navy");
const QString kLinkText = QStringLiteral("#004080");
const QString kBackground = QStringLiteral("white");
// The focus ring sits inside the entry, on the dark focus background, where
// it keeps well over 3:1 (and cannot be clipped by a section's edge).
const QString kFocusRing = QStringLiteral("#ffbf47");

class SheetText {
public:
    void comment(const QString &text)
    {
        m_out += QStringLiteral("/* ") + text + QStringLiteral(" */") + kCRLF + kCRLF;
    }
    void rule(const QString &selector, const QStringList &declarations)
    {
        m_out += selector + QStringLiteral(" {") + kCRLF;
        for (const QString &d : declarations)
            m_out += u'\t' + d + kCRLF;
        m_out += u'}' + kCRLF + kCRLF;
    }
    QString take() { return std::move(m_out); }

private:
    QString m_out;
};

QString declaration(const char *property, const QString &value)
{
    return QString::fromLatin1(property) + QStringLiteral(" : ") + value + u';';
}

} // namespace

QString accessibleStyleSheet(bool dropDown, const ClassNameFunction &className)
{
    const auto name = [&](const char16_t *key) { return className(QString::fromUtf16(key)); };
    const QString dot = QStringLiteral(".");
    SheetText s;

    s.comment(QStringLiteral("The menu: a nav of lists, one list per column, side by side."));
    s.rule(QStringLiteral(".qwk-menu"),
        { declaration("display", QStringLiteral("flex")), declaration("flex-wrap", QStringLiteral("wrap")),
            declaration("align-items", QStringLiteral("flex-start")),
            declaration("font-family", QStringLiteral("sans-serif")),
            declaration("background-color", kBackground), declaration("color", kText) });
    s.rule(QStringLiteral(".qwk-menu ul"),
        { declaration("list-style", QStringLiteral("none")), declaration("margin", QStringLiteral("0px")),
            declaration("padding", QStringLiteral("0px")) });
    s.rule(QStringLiteral(".qwk-column"),
        { declaration("flex", QStringLiteral("0 0 auto")), declaration("min-width", QStringLiteral("10em")) });
    // A closed section stays closed whatever an author's rule for its class says.
    s.rule(QStringLiteral(".qwk-menu [hidden]"), { declaration("display", QStringLiteral("none !important")) });
    s.rule(QStringLiteral(".qwk-sr"),
        { declaration("position", QStringLiteral("absolute")), declaration("width", QStringLiteral("1px")),
            declaration("height", QStringLiteral("1px")), declaration("margin", QStringLiteral("-1px")),
            declaration("padding", QStringLiteral("0px")), declaration("overflow", QStringLiteral("hidden")),
            declaration("clip", QStringLiteral("rect(0, 0, 0, 0)")),
            declaration("white-space", QStringLiteral("nowrap")), declaration("border", QStringLiteral("0px")) });

    s.comment(QStringLiteral("The class names of the menu's elements."));
    s.rule(dot + name(u"MenuTreeBox"), { declaration("background-color", kBackground) });
    const QStringList box { declaration("margin", QStringLiteral("0px")), declaration("padding", QStringLiteral("0px")) };
    // Buttons, links and plain names look alike: a row at least 24 px high
    // (a target a finger can hit), the mark and the name side by side.
    const auto line = [&](const QString &colour) {
        return QStringList { declaration("display", QStringLiteral("flex")),
            declaration("align-items", QStringLiteral("center")), declaration("gap", QStringLiteral("0.3em")),
            declaration("box-sizing", QStringLiteral("border-box")), declaration("width", QStringLiteral("100%")),
            declaration("min-height", QStringLiteral("24px")), declaration("margin", QStringLiteral("0px")),
            declaration("padding", QStringLiteral("2px 8px")), declaration("border", QStringLiteral("0px")),
            declaration("background-color", kBackground), declaration("color", colour),
            declaration("font", QStringLiteral("inherit")), declaration("text-align", QStringLiteral("left")),
            declaration("text-decoration", QStringLiteral("none")), declaration("cursor", QStringLiteral("pointer")) };
    };
    const QStringList lit { declaration("background-color", kText), declaration("color", kBackground) };
    QStringList focused = lit;
    focused << declaration("outline", QStringLiteral("3px solid ") + kFocusRing)
            << declaration("outline-offset", QStringLiteral("-3px"));
    const QString mainPage = name(u"MainFolderPage");
    const QString subPage = name(u"SubFolderPage");
    const struct {
        const char16_t *box, *line, *page;
        QString colour;
    } kinds[] = { { u"MainFolderBox", u"MainFolderLine", u"MainFolderPage", kText },
        { u"SubFolderBox", u"SubFolderLine", u"SubFolderPage", kText },
        { u"LinkBox", u"LinkLine", u"LinkPage", kLinkText } };
    for (const auto &kind : kinds) {
        const QString lineClass = dot + name(kind.line);
        s.rule(dot + name(kind.box), box);
        s.rule(lineClass, line(kind.colour));
        // Separate rules: a browser that does not know :focus-visible drops
        // only that rule, not the hover colours with it.
        s.rule(lineClass + QStringLiteral(":hover"), lit);
        s.rule(lineClass + QStringLiteral("MouseOver"), lit);
        s.rule(lineClass + QStringLiteral(":focus-visible"), focused);
        s.rule(dot + name(kind.page), {});
    }
    s.rule(QStringLiteral("a.") + name(u"LinkLine") + QStringLiteral(":visited"), { declaration("color", kLinkText) });
    s.rule(QStringLiteral(".qwk-menu [aria-current=page]"),
        { declaration("font-weight", QStringLiteral("bold")),
            declaration("border-left", QStringLiteral("4px solid ") + kText) });

    // The mark is generated content with an empty alternative text, so a
    // screen reader says only the name and the button's expanded state. A
    // browser without alternative text keeps the first declaration.
    s.comment(QStringLiteral("Open and closed folders: a mark that screen readers skip."));
    s.rule(QStringLiteral(".qwk-menu [aria-expanded]::before"),
        { declaration("content", QStringLiteral("'\\25B8'")), declaration("content", QStringLiteral("'\\25B8' / ''")),
            declaration("display", QStringLiteral("inline-block")), declaration("width", QStringLiteral("1em")),
            declaration("flex", QStringLiteral("none")) });
    s.rule(QStringLiteral(".qwk-menu [aria-expanded=true]::before"),
        { declaration("content", QStringLiteral("'\\25BE'")),
            declaration("content", QStringLiteral("'\\25BE' / ''")) });

    if (dropDown) {
        // Sections open over the page beside or below their folder; the
        // script may place them otherwise by the folder's flags.
        s.comment(QStringLiteral("Drop-down sections open over the page."));
        s.rule(QStringLiteral(".qwk-dropdown li"), { declaration("position", QStringLiteral("relative")) });
        const auto section = [&](const QString &top, const QString &left) {
            return QStringList { declaration("position", QStringLiteral("absolute")),
                declaration("z-index", QStringLiteral("2000")), declaration("top", top), declaration("left", left),
                declaration("min-width", QStringLiteral("12em")), declaration("background-color", kBackground),
                declaration("border", QStringLiteral("1px solid ") + kText) };
        };
        s.rule(QStringLiteral(".qwk-dropdown .") + mainPage, section(QStringLiteral("100%"), QStringLiteral("0px")));
        s.rule(QStringLiteral(".qwk-dropdown .") + subPage, section(QStringLiteral("0px"), QStringLiteral("100%")));
    } else {
        s.comment(QStringLiteral("Tree sections open in place, indented."));
        s.rule(QStringLiteral(".qwk-tree .") + mainPage, { declaration("padding-left", QStringLiteral("1em")) });
        s.rule(QStringLiteral(".qwk-tree .") + subPage, { declaration("padding-left", QStringLiteral("1em")) });
    }
    return s.take();
}

} // namespace qwk
