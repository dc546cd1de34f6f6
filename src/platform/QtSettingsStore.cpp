#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace morvane {

namespace {
QString Path(const std::string& key, const std::string& name) {
    QString k = QString::fromStdString(key);
    k.replace('\\', '/');
    return name.empty() ? k : k + '/' + QString::fromStdString(name);
}
} // namespace

TQtSettingsStore::TQtSettingsStore() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    FFileName = dir + "/MorvaneTeam/Morvane.conf";
}

// An INI file has no empty sections: a key exists once the directory holding the file
// can be made, and its values appear when they are written.
bool TQtSettingsStore::OpenKey(const std::string&) {
    return QDir().mkpath(QFileInfo(FFileName).absolutePath());
}

std::optional<int32_t> TQtSettingsStore::ReadInteger(const std::string& key, const std::string& name) {
    QSettings s(FFileName, QSettings::IniFormat);
    const QVariant v = s.value(Path(key, name));
    if (!v.isValid()) return std::nullopt;
    bool ok = false;
    const int value = v.toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

bool TQtSettingsStore::WriteInteger(const std::string& key, const std::string& name, int32_t value) {
    QSettings s(FFileName, QSettings::IniFormat);
    s.setValue(Path(key, name), value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace morvane
