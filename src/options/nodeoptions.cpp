#include "options/nodeoptions.h"

#include <QHash>

namespace qwk {

OptionKind kindOfControl(QStringView name)
{
    if (name.startsWith(u"Text") || name.startsWith(u"txt") || name.startsWith(u"cmb"))
        return OptionKind::Text;
    if (name.startsWith(u"opt"))
        return OptionKind::Choice;
    if (name.startsWith(u"chk"))
        return OptionKind::Check;
    return OptionKind::Unknown;
}

bool isFolderOptionKey(QStringView key)
{
    return key.startsWith(u"lnk") && !key.contains(u"Page") && key != u"lnkColWidth";
}

bool isPageOptionKey(QStringView key)
{
    return key.startsWith(u"lnk") && !key.contains(u"Folder") && key != u"lnkColWidth";
}

namespace {

struct RawDef {
    const char16_t *key;
    const char16_t *control;
};

// Key and control name; kind and applicability follow from them.
constexpr RawDef kRaw[kNodeOptionCount] = {
    {u"lnkSubColWidth", u"txtColumnWidth"},
    {u"lnkChkFolderNameIsFunction", u"chkFolderNameIsFunction"},
    {u"lnkChkSubColValue", u"chkSubColValue"},
    {u"lnkNameFolder", u"txtNameFolder"},
    {u"lnkOptTypeFolderJS", u"optTypeFolder"},
    {u"lnkOptTypeFolderNormal", u"optTypeFolder"},
    {u"lnkOptTypePageJS", u"optTypePage"},
    {u"lnkOptTypePageNormal", u"optTypePage"},
    {u"lnkNamePage", u"txtNamePage"},
    {u"lnkOptAdvanced", u"optPageURL"},
    {u"lnkOptURLPageURLNormal", u"optPageURL"},
    {u"lnkURL", u"txtURL"},
    {u"lnkOptURLPageMyWeb", u"optPageURL"},
    {u"lnkFilMyWebPage", u"txtFilMyWebPage"},
    {u"lnkOptURLNone", u"optPageURL"},
    {u"lnkFilPageName", u"txtFilPageName"},
    {u"lnkOptURLNoneInsertFile", u"optPageURL"},
    {u"lnkChkColValue", u"chkColValue"},
    {u"lnkJS", u"txtJS"},
    {u"lnkCSKSku", u"txtCSKSku"},
    {u"lnkCSKOptionChoice", u"txtCSKOptionChoice"},
    {u"lnkDNNTabID", u"txtDNNTabID"},
    {u"lnkChkPageDnnHeaderTemplate", u"txtDnnHeaderTemplate"},
    {u"lnkOptURLDNN", u"optPageHiddenURL"},
    {u"lnkOptURLCSK", u"optPageHiddenURL"},
    {u"lnkOptURLHarddisk", u"optPageHiddenURL"},
    {u"lnkChkNoPageImage", u"chkNoPageImage"},
    {u"lnkChkPageNameIsFunction", u"chkPageNameIsFunction"},
    {u"lnkChkPageNameIsHiddenJavascript", u"chkPageNameIsHiddenJavascript"},
    {u"lnkChkNewWindow", u"chkNewWindow"},
    {u"lnkMenuPosition", u"txtMenuPosition"},
    {u"lnkHarddiskDirPage", u"txtHarddiskDirPage"},
    {u"lnkHarddiskExcludePage", u"txtHarddiskExcludePage"},
    {u"lnkHarddiskOptionsPage", u"txtHarddiskOptionsPage"},
    {u"lnkHarddiskIncludePage", u"txtHarddiskIncludePage"},
};

struct Catalogue {
    std::array<NodeOptionDef, kNodeOptionCount> defs;
    QHash<QStringView, int> index;

    Catalogue()
    {
        for (int i = 0; i < kNodeOptionCount; ++i) {
            const QString key = QString::fromUtf16(kRaw[i].key);
            const QString control = QString::fromUtf16(kRaw[i].control);
            const OptionKind kind = kindOfControl(control);
            const bool choiceDefault = kind == OptionKind::Choice && optionDefault(control, key, {}).toBool();
            const QString initial = kind == OptionKind::Text ? optionDefault(control, key, {}).toString() : QString();
            const QString saved = kind == OptionKind::Text ? optionDefault(u"Text", key, {}).toString() : QString();
            defs[i] = NodeOptionDef{key,     control, kind,          isFolderOptionKey(key), isPageOptionKey(key),
                                    initial, saved,   choiceDefault, key == u"lnkChkPageDnnHeaderTemplate"};
        }
        for (int i = 0; i < kNodeOptionCount; ++i)
            index.insert(QStringView(defs[i].key), i);
    }
};

const Catalogue &catalogue()
{
    static const Catalogue c;
    return c;
}

} // namespace

std::span<const NodeOptionDef> nodeOptionCatalogue()
{
    return catalogue().defs;
}

int nodeOptionIndex(QStringView key)
{
    return catalogue().index.value(key, -1);
}

QString dnnHeaderTemplate(const QString &mainFolderLineClass)
{
    return QStringLiteral("<span class='") + mainFolderLineClass + QStringLiteral("'>[FOLDERNAME]: </span>");
}

const QString &defaultDnnHeaderTemplate()
{
    static const QString t = dnnHeaderTemplate(QStringLiteral("MainFolderLine"));
    return t;
}

QVariant optionDefault(QStringView controlName, QStringView key, const QString &mainFolderLineClass)
{
    switch (kindOfControl(controlName)) {
    case OptionKind::Text: {
        QVariant v = QString();
        if (key == u"lnkHarddiskIncludePage")
            v = QStringLiteral(".htm||.html||");
        else if (key == u"lnkHarddiskOptionsPage")
            v = QStringLiteral("r||str||sub||ext||");
        else if (key == u"lnkChkPageDnnHeaderTemplate")
            v = dnnHeaderTemplate(mainFolderLineClass);
        if (controlName == u"cmbPixels")
            v = 9;
        else if (controlName == u"txtColumnWidth")
            v = QStringLiteral("130px");
        else if (controlName == u"cmbShiftDropDown")
            v = 100;
        return v;
    }
    case OptionKind::Check:
        return 0;
    case OptionKind::Choice:
        return key.contains(u"Normal");
    case OptionKind::Unknown:
        break;
    }
    return {};
}

std::optional<bool> toChoice(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (ok)
        return d != 0;
    return std::nullopt;
}

std::optional<qint16> toCheck(QStringView text)
{
    bool ok = false;
    const short v = text.trimmed().toShort(&ok);
    if (!ok)
        return std::nullopt;
    return qint16(v);
}

} // namespace qwk
