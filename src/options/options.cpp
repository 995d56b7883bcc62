#include "options/options.h"

#include "core/prompt.h"
#include "core/textfile.h"
#include "options/settingsstore.h"

namespace qwk {

namespace {
const QString kRecentSection = QStringLiteral("recentFiles");
const QString kBrowserSection = QStringLiteral("browsers");
const QString kCaption = QStringLiteral("caption");
const QString kEnd = QStringLiteral("end");
constexpr int kRecentCount = 4;
} // namespace

clsOptions::clsOptions(Prompt *prompt, SettingsStore *settings, QObject *parent)
    : QObject(parent), m_prompt(prompt), m_settings(settings)
{
    const auto controls = optionControls();
    m_values.resize(controls.size());
    m_kinds.resize(controls.size());
    for (int i = 0; i < int(controls.size()); ++i) {
        if (!m_first.contains(QStringView(controls[i].tag)))
            m_first.insert(QStringView(controls[i].tag), i);
        m_kinds[i] = kindOfControl(controls[i].name);
        switch (m_kinds[i]) {
        case OptionKind::Text:
            m_values[i] = QString();
            break;
        case OptionKind::Check:
            m_values[i] = 0;
            break;
        case OptionKind::Choice:
            m_values[i] = false;
            break;
        case OptionKind::Unknown:
            break;
        }
    }
    m_recent.resize(kRecentCount);
    m_browsers.push_back({kEnd, false});
}

void clsOptions::debug(const QString &text) const
{
    if (m_prompt)
        m_prompt->message(text);
}

int clsOptions::getControl(QStringView key) const
{
    return m_first.value(key, -1);
}

QVariant clsOptions::controlValue(QStringView key) const
{
    const int i = getControl(key);
    if (i < 0)
        return {};
    if (m_kinds[size_t(i)] == OptionKind::Unknown) {
        debug(QStringLiteral("Debug.clsOptions.controlValue: control type not found: ") + control(i).name);
        return {};
    }
    return m_values[size_t(i)];
}

bool clsOptions::setControlValue(QStringView key, const QVariant &value)
{
    const int i = getControl(key);
    if (i < 0)
        return false;
    const QString &name = control(i).name;
    QVariant stored;
    switch (m_kinds[size_t(i)]) {
    case OptionKind::Text:
        stored = flattenLineBreaks(value.toString());
        break;
    case OptionKind::Check: {
        bool ok = false;
        const int v = value.toInt(&ok);
        if (!ok || v < -32768 || v > 32767)
            return false;
        stored = v;
        break;
    }
    case OptionKind::Choice:
        if (!value.canConvert<bool>())
            return false;
        stored = value.toBool();
        break;
    case OptionKind::Unknown:
        debug(QStringLiteral("Debug.options.controlvalue.  Control type not found: ") + name);
        return false;
    }
    if (!assign(i, stored))
        return true;
    markProjectChanged();
    Q_EMIT valueChanged(control(i).tag);
    return true;
}

bool clsOptions::assign(int i, const QVariant &value)
{
    // Values of one control always hold the same type, so this compares like with like.
    if (m_values[size_t(i)] == value)
        return false;
    m_values[size_t(i)] = value;
    return true;
}

QVariant clsOptions::lnkDefault(QStringView controlName, QStringView key) const
{
    QVariant v = optionDefault(controlName, key, mainFolderLineClass());
    if (!v.isValid())
        debug(QStringLiteral("Debug.options.default: Error processing tag ") + key.toString());
    return v;
}

void clsOptions::loadNewPrjDefaults()
{
    const auto controls = optionControls();
    {
        LoadingOptionsGuard loading(this);
        for (int i = 0; i < int(controls.size()); ++i) {
            const ControlDef &c = controls[i];
            if (!c.tag.startsWith(u"prj") && !c.tag.startsWith(u"pgm"))
                continue;
            // The preferences are read from the settings below; a reset to 0
            // first would announce a stored 1 twice.
            if (c.tag.startsWith(u"pgmChk"))
                continue;
            QVariant v;
            switch (kindOfControl(c.name)) {
            case OptionKind::Text:
                if (c.name == u"cmbPixels")
                    v = QStringLiteral("9");
                else if (c.tag.startsWith(u"prjCN"))
                    v = c.tag.mid(5);
                else
                    v = QString();
                break;
            case OptionKind::Check:
                v = (c.tag == u"prjChkMOMO" || c.tag == u"prjCSSinJS") ? 1 : 0;
                break;
            case OptionKind::Choice:
                v = c.tag.contains(u"Normal");
                break;
            case OptionKind::Unknown:
                debug(QStringLiteral("Debug.options.default: Error processing tag ") + c.tag);
                continue;
            }
            if (assign(i, v))
                Q_EMIT valueChanged(c.tag);
        }
        for (int i = 0; i < int(controls.size()); ++i) {
            const ControlDef &c = controls[i];
            if (!c.tag.startsWith(u"pgmChk"))
                continue;
            const QString stored = m_settings ? m_settings->get(kSettingsApplication, c.name, c.tag,
                                                                QStringLiteral("0"))
                                              : QStringLiteral("0");
            if (assign(i, toCheck(stored).value_or(0)))
                Q_EMIT valueChanged(c.tag);
        }
    }
}

void clsOptions::saveNewPrjRegisterDefaults()
{
    if (!m_settings)
        return;
    const auto controls = optionControls();
    for (int i = 0; i < int(controls.size()); ++i) {
        const ControlDef &c = controls[i];
        if (c.tag.startsWith(u"pgmChk"))
            m_settings->save(kSettingsApplication, c.name, c.tag, m_values[i].toString());
    }
}

QStringList clsOptions::pixelItems()
{
    QStringList items;
    for (int x = 10; x <= 15; ++x)
        items << QString::number((x - 10) * 2 + 5);
    return items;
}

QStringList clsOptions::comboItems(QStringView key) const
{
    const int i = getControl(key);
    if (i >= 0 && control(i).name == u"cmbPixels")
        return pixelItems();
    return {};
}

void clsOptions::loadMenuArrays()
{
    m_recent.assign(kRecentCount, {});
    for (int i = 0; i < kRecentCount; ++i) {
        const QString caption = m_settings ? m_settings->get(kSettingsApplication, kRecentSection,
                                                             kCaption + QString::number(i), QString())
                                           : QString();
        m_recent[i] = {caption, !caption.isEmpty()};
    }
    m_browsers.clear();
    for (int i = 0;; ++i) {
        const QString caption = m_settings ? m_settings->get(kSettingsApplication, kBrowserSection,
                                                             kCaption + QString::number(i), kEnd)
                                           : kEnd;
        if (caption == kEnd)
            break;
        m_browsers.push_back({caption, true});
    }
    m_browsers.push_back({kEnd, false});
    Q_EMIT recentFilesChanged();
    Q_EMIT browsersChanged();
}

bool clsOptions::addBrowser(const QString &path)
{
    if (path.isEmpty() || path == kEnd)
        return false;
    m_browsers.insert(m_browsers.end() - 1, {path, true});
    Q_EMIT browsersChanged();
    return true;
}

bool clsOptions::removeBrowser(int index)
{
    if (index < 0 || index >= int(m_browsers.size()) - 1)
        return false;
    m_browsers.erase(m_browsers.begin() + index);
    Q_EMIT browsersChanged();
    return true;
}

void clsOptions::storeRecentFiles()
{
    if (!m_settings)
        return;
    for (int i = 0; i < kRecentCount; ++i)
        m_settings->save(kSettingsApplication, kRecentSection, kCaption + QString::number(i),
                         m_recent[i].caption);
}

void clsOptions::saveMenuArrays()
{
    storeRecentFiles();
    if (!m_settings)
        return;
    for (int i = 0; i < int(m_browsers.size()); ++i)
        m_settings->save(kSettingsApplication, kBrowserSection, kCaption + QString::number(i),
                         m_browsers[i].caption);
}

void clsOptions::updateMnuRecentFiles(const QString &path)
{
    const std::vector<MenuEntry> before = m_recent;
    QString carry = path;
    bool found = false;
    for (int i = 0; i < kRecentCount; ++i) {
        const QString old = m_recent[i].caption;
        m_recent[i].caption = carry;
        if (!carry.isEmpty())
            m_recent[i].visible = true;
        if (old == path) {
            found = true;
            break;
        }
        carry = old;
    }
    // A path new to the list is stored at once; a reordering waits for the
    // next saveMenuArrays.
    if (!found)
        storeRecentFiles();
    if (m_recent != before)
        Q_EMIT recentFilesChanged();
}

QString clsOptions::projectClassName(const QString &classKey) const
{
    const QString name = text(QStringLiteral("prjCN") + classKey);
    return name.isEmpty() ? classKey : name;
}

QString clsOptions::mainFolderLineClass() const
{
    // Asked for every new page (its portal header template): the key is
    // written out whole instead of put together each time.
    static const QString key = QStringLiteral("MainFolderLine");
    if (m_classLookup)
        return m_classLookup(key);
    const QString name = text(u"prjCNMainFolderLine");
    return name.isEmpty() ? key : name;
}

void clsOptions::setPrjChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    Q_EMIT prjChangedChanged(changed);
}

void clsOptions::markProjectChanged()
{
    if (!m_loading)
        setPrjChanged(true);
}

} // namespace qwk
