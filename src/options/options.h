#pragma once
// The option store: the one access path to project options, program
// preferences and the selected node's properties by key. The values live here
// and the designer's widgets mirror them through the signals.

#include "options/controls.h"
#include "options/nodeoptions.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

namespace qwk {

class Prompt;
class SettingsStore;

class clsOptions : public QObject {
    Q_OBJECT
public:
    clsOptions(Prompt *prompt, SettingsStore *settings, QObject *parent = nullptr);

    Prompt *prompt() const { return m_prompt; }
    SettingsStore *settings() const { return m_settings; }

    // Index of the first control in control order whose tag equals key, or -1.
    int getControl(QStringView key) const;
    int controlCount() const { return int(m_values.size()); }
    const ControlDef &control(int index) const { return optionControls()[size_t(index)]; }

    static bool txtControl(QStringView name) { return kindOfControl(name) == OptionKind::Text; }
    static bool intControl(QStringView name) { return kindOfControl(name) == OptionKind::Check; }
    static bool boolControl(QStringView name) { return kindOfControl(name) == OptionKind::Choice; }

    // The control's text (QString), check value (int) or option value (bool);
    // an invalid QVariant when no control carries the key.
    QVariant controlValue(QStringView key) const;
    // Stores by kind, marks the project changed and emits valueChanged. A
    // value equal to the stored one is accepted but changes nothing, so a
    // widget echoing the store back never counts as an edit. False (and
    // nothing marked) when no control carries the key or the value does not fit.
    bool setControlValue(QStringView key, const QVariant &value);

    // Shortcuts for the generators: a text option, and a check option that is on.
    QString text(QStringView key) const { return controlValue(key).toString(); }
    bool isChecked(QStringView key) const { return controlValue(key).toInt() == 1; }

    QVariant lnkDefault(QStringView controlName, QStringView key) const;
    void loadNewPrjDefaults();
    void saveNewPrjRegisterDefaults();

    // The items of every pixel list. They are fixed, so there is nothing to
    // fill: a list widget asks comboItems with its key when it is built.
    static QStringList pixelItems();
    // The items offered for the control carrying key; empty for a control
    // that is not a list.
    QStringList comboItems(QStringView key) const;

    struct MenuEntry {
        QString caption;
        bool visible = false;
        friend bool operator==(const MenuEntry &, const MenuEntry &) = default;
    };
    void loadMenuArrays();
    void saveMenuArrays();
    void updateMnuRecentFiles(const QString &path);
    const std::vector<MenuEntry> &recentFiles() const { return m_recent; }
    // The preview browsers, each shown, then one hidden "end" entry that
    // closes the list when it is saved.
    const std::vector<MenuEntry> &browsers() const { return m_browsers; }
    // Adds a browser program before the closing entry. False for an empty
    // path or "end", which would cut the saved list short.
    bool addBrowser(const QString &path);
    // Removes the browser at index; the closing entry cannot be removed.
    bool removeBrowser(int index);

    // The project's class name for a class key as the project names it: the
    // "prjCN" field, or the key itself when the field is empty. The run
    // services replace this with their checked lookup.
    QString projectClassName(const QString &classKey) const;
    using ClassNameLookup = std::function<QString(const QString &classKey)>;
    void setClassNameLookup(ClassNameLookup lookup) { m_classLookup = std::move(lookup); }
    QString mainFolderLineClass() const;

    // Set while values are copied into the store (showing a node, reading a
    // project, loading preferences): such copies never mark the project changed.
    bool loadingOptions() const { return m_loading; }
    void setLoadingOptions(bool on) { m_loading = on; }
    bool prjChanged() const { return m_changed; }
    void setPrjChanged(bool changed);
    void markProjectChanged();

Q_SIGNALS:
    void valueChanged(const QString &key);
    void prjChangedChanged(bool changed);
    void recentFilesChanged();
    void browsersChanged();

private:
    void debug(const QString &text) const;
    // Puts value into control i; false when it was already there.
    bool assign(int i, const QVariant &value);
    void storeRecentFiles();

    Prompt *m_prompt;
    SettingsStore *m_settings;
    std::vector<QVariant> m_values;
    // Each control's kind, worked out once from its name (options are read
    // for every node of a large menu).
    std::vector<OptionKind> m_kinds;
    QHash<QStringView, int> m_first;
    std::vector<MenuEntry> m_recent;
    std::vector<MenuEntry> m_browsers;
    ClassNameLookup m_classLookup;
    bool m_loading = false;
    bool m_changed = false;
};

// Sets loadingOptions for a scope and restores the earlier state.
class LoadingOptionsGuard {
public:
    explicit LoadingOptionsGuard(clsOptions *o) : m_o(o), m_was(o && o->loadingOptions())
    {
        if (m_o)
            m_o->setLoadingOptions(true);
    }
    ~LoadingOptionsGuard()
    {
        if (m_o)
            m_o->setLoadingOptions(m_was);
    }
    LoadingOptionsGuard(const LoadingOptionsGuard &) = delete;
    LoadingOptionsGuard &operator=(const LoadingOptionsGuard &) = delete;

private:
    clsOptions *m_o;
    bool m_was;
};

} // namespace qwk
