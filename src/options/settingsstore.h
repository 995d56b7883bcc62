#pragma once
// The per-user settings store: string values addressed by application,
// section and value name. The designer keeps it in QSettings; the command line
// and the tests use a store in memory that nothing outlives.

#include <QHash>
#include <QString>

namespace qwk {

inline const QString kSettingsApplication = QStringLiteral("quenwick");

class SettingsStore {
public:
    virtual ~SettingsStore();
    virtual QString get(const QString &application, const QString &section, const QString &name,
                        const QString &defaultValue) const = 0;
    virtual void save(const QString &application, const QString &section, const QString &name,
                      const QString &value) = 0;
};

class MemorySettingsStore : public SettingsStore {
public:
    QString get(const QString &application, const QString &section, const QString &name,
                const QString &defaultValue) const override;
    void save(const QString &application, const QString &section, const QString &name,
              const QString &value) override;
    int writeCount() const { return m_writes; }
    bool contains(const QString &application, const QString &section, const QString &name) const;

private:
    static QString path(const QString &a, const QString &s, const QString &n);
    QHash<QString, QString> m_values;
    int m_writes = 0;
};

// QSettings in its native place for the organisation and application
// "quenwick"; each section is a group.
class QSettingsStore : public SettingsStore {
public:
    QString get(const QString &application, const QString &section, const QString &name,
                const QString &defaultValue) const override;
    void save(const QString &application, const QString &section, const QString &name,
              const QString &value) override;
};

} // namespace qwk
