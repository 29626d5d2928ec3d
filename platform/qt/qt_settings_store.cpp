#include "platform/qt/qt_settings_store.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>

namespace {

constexpr const char* kOrganization = "Tessmoor Works";
constexpr const char* kApplication = "Keelmark Lite";

QString Key(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

// The text of a stored value. A hand-edited line with unquoted commas reads as a
// list, which would otherwise come back empty; its items are joined as written.
QString Text(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

std::string CQtSettingsStore::FilePath() { return QSettings(kOrganization, kApplication).fileName().toStdString(); }

std::string CQtSettingsStore::GetString(const std::string& section, const std::string& key,
                                        const std::string& defaultValue) const {
    QSettings settings(kOrganization, kApplication);
    const QVariant value = settings.value(Key(section, key));
    if (!value.isValid()) return defaultValue;
    return Text(value).toStdString();
}

int CQtSettingsStore::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    QSettings settings(kOrganization, kApplication);
    const QVariant value = settings.value(Key(section, key));
    if (!value.isValid()) return defaultValue;
    bool ok = false;
    const int number = Text(value).toInt(&ok);
    return ok ? number : 0;
}

bool CQtSettingsStore::Contains(const std::string& section, const std::string& key) const {
    return QSettings(kOrganization, kApplication).contains(Key(section, key));
}

namespace {

bool Store(const QString& key, const QVariant& value, std::string& error) {
    QSettings settings(kOrganization, kApplication);
    settings.setValue(key, value);
    settings.sync();
    switch (settings.status()) {
    case QSettings::NoError:
        error.clear();
        return true;
    case QSettings::AccessError:
        error = "Cannot write the settings file " + settings.fileName().toStdString() + ".";
        return false;
    case QSettings::FormatError:
        error = "The settings file " + settings.fileName().toStdString() + " is not in the expected format.";
        return false;
    }
    return true;
}

} // namespace

bool CQtSettingsStore::SetString(const std::string& section, const std::string& key, const std::string& value) {
    return Store(Key(section, key), QString::fromStdString(value), m_error);
}

bool CQtSettingsStore::SetInt(const std::string& section, const std::string& key, int value) {
    return Store(Key(section, key), value, m_error);
}
