#include "options/settingsstore.h"

#include <QSettings>

namespace qwk {

SettingsStore::~SettingsStore() = default;

QString MemorySettingsStore::path(const QString &a, const QString &s, const QString &n)
{
    return a + u'\x1f' + s + u'\x1f' + n;
}

QString MemorySettingsStore::get(const QString &application, const QString &section,
                                 const QString &name, const QString &defaultValue) const
{
    return m_values.value(path(application, section, name), defaultValue);
}

void MemorySettingsStore::save(const QString &application, const QString &section,
                               const QString &name, const QString &value)
{
    m_values.insert(path(application, section, name), value);
    ++m_writes;
}

bool MemorySettingsStore::contains(const QString &application, const QString &section,
                                   const QString &name) const
{
    return m_values.contains(path(application, section, name));
}

QString QSettingsStore::get(const QString &application, const QString &section, const QString &name,
                            const QString &defaultValue) const
{
    QSettings settings(application, application);
    settings.beginGroup(section);
    return settings.value(name, defaultValue).toString();
}

void QSettingsStore::save(const QString &application, const QString &section, const QString &name,
                          const QString &value)
{
    QSettings settings(application, application);
    settings.beginGroup(section);
    settings.setValue(name, value);
}

} // namespace qwk
