#include "options/sectionvalues.h"

#include <QStringList>

namespace qwk {

namespace {

const QString kSep = QStringLiteral("||");

SectionTarget targetOf(const QString &options)
{
    if (options.startsWith(u'e'))
        return SectionTarget::NewWindow;
    if (options.startsWith(u'i'))
        return SectionTarget::SameWindow;
    return SectionTarget::Neither;
}

QString targetKey(SectionTarget t)
{
    return t == SectionTarget::NewWindow ? QStringLiteral("e||") : QStringLiteral("i||");
}

void add(QString &out, bool on, const char16_t *key)
{
    if (on)
        out += QString::fromUtf16(key) + kSep;
}

bool isWholeNumber(const QString &text)
{
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

} // namespace

QString packList(const QString &lines)
{
    QString text = lines;
    text.remove(u'\r');
    return text.replace(u'\n', kSep) + kSep;
}

QString unpackList(const QString &stored)
{
    // "||" alone is the packed empty box: shown empty, so accepting it again
    // stores "||" again rather than a list that grows each time.
    if (!stored.endsWith(kSep))
        return stored;
    return stored.chopped(2).replace(kSep, QStringLiteral("\n"));
}

// The generator tests these keys the same way: "sub", "str" and "dash" with
// their "||", the others anywhere in the string.
FolderSectionOptions FolderSectionOptions::parse(const QString &options)
{
    FolderSectionOptions o;
    o.target = targetOf(options);
    o.structure = options.contains(u"str||");
    o.subFiles = options.contains(u"sub||");
    o.date = options.contains(u"date");
    o.size = options.contains(u"size");
    o.time = options.contains(u"time");
    o.extension = options.contains(u"ext");
    o.underscoreToSpace = options.contains(u"dash||");
    o.asp = options.contains(u"asp||");
    return o;
}

QString FolderSectionOptions::pack() const
{
    QString out = targetKey(target);
    add(out, structure, u"str");
    add(out, subFiles, u"sub");
    add(out, date, u"date");
    add(out, size, u"size");
    add(out, time, u"time");
    add(out, extension, u"ext");
    add(out, underscoreToSpace, u"dash");
    add(out, asp, u"asp");
    return out;
}

PortalSectionOptions PortalSectionOptions::parse(const QString &options)
{
    PortalSectionOptions o;
    o.target = targetOf(options);
    o.structure = options.contains(u"str||");
    o.underscoreToSpace = options.contains(u"dash||");
    o.skipOnMainMenuTab = options.contains(u"nmf||");
    o.replaceMainMenu = options.contains(u"rmf||");
    o.header = options.contains(u"ih||");
    return o;
}

QString PortalSectionOptions::pack() const
{
    QString out = targetKey(target);
    add(out, structure, u"str");
    add(out, underscoreToSpace, u"dash");
    add(out, skipOnMainMenuTab, u"nmf");
    add(out, replaceMainMenu, u"rmf");
    add(out, header, u"ih");
    return out;
}

PortalTab parsePortalTab(const QString &stored)
{
    if (stored == u"0")
        return {PortalScope::EntirePortal, {}};
    if (stored == u"-1")
        return {PortalScope::ActiveTab, {}};
    // A section never given a tab id lists the whole portal, as "0" does.
    if (stored.isEmpty())
        return {PortalScope::EntirePortal, {}};
    return {PortalScope::SiblingsOf, stored};
}

TabIdCheck checkPortalTab(PortalScope scope, const QString &typed)
{
    switch (scope) {
    case PortalScope::EntirePortal:
        return {QStringLiteral("0"), {}};
    case PortalScope::ActiveTab:
        return {QStringLiteral("-1"), {}};
    case PortalScope::SiblingsOf:
        break;
    }
    const QString t = typed.trimmed();
    if (t.isEmpty())
        return {{}, QStringLiteral("You must give the TabID of the folder to add.")};
    if (!isWholeNumber(t))
        return {{}, QStringLiteral("The tabID of the folder to insert must be an integer")};
    return {t, {}};
}

bool headerTemplateHasDoubleQuote(const QString &text)
{
    return text.contains(u'"');
}

QString headerTemplateWithoutDoubleQuotes(const QString &text)
{
    return QString(text).replace(u'"', u'\'');
}

QString headerTemplateQuoteQuestion()
{
    return QStringLiteral("Header template can't contains double quote. Replace with single quote?");
}

// The generator places drop-down folders by the same reading.
MenuPosition MenuPosition::parse(QStringView position)
{
    MenuPosition p;
    p.top = position.contains(u"to");
    p.left = position.contains(u"le");
    const qsizetype dot = position.indexOf(u'.');
    if (dot >= 0)
        p.shift = position.mid(dot + 1, 2).toString();
    return p;
}

QString MenuPosition::pack() const
{
    QString out;
    if (top)
        out += QStringLiteral("to");
    if (left)
        out += QStringLiteral("le");
    const QString t = shift.trimmed();
    if (t.isEmpty())
        return out;
    bool ok = false;
    const qlonglong n = qMax(0LL, t.toLongLong(&ok)); // not a number: 0
    if (n < 100)
        out += QStringLiteral(".%1").arg(ok ? n : 0, 2, 10, QLatin1Char('0'));
    return out;
}

QString menuPositionCancelled()
{
    return QStringLiteral("CANCEL");
}

bool isShiftTextAccepted(const QString &text)
{
    const QString t = text.trimmed();
    return t.isEmpty() || isWholeNumber(t);
}

QString shiftTextMessage()
{
    return QStringLiteral("The value must be a integer between 0 and 100");
}

bool multilingualComplete(const QString &variable, const QString &languages)
{
    return !variable.trimmed().isEmpty() && !languages.trimmed().isEmpty();
}

} // namespace qwk
