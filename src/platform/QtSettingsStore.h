#pragma once
// The settings store of the desktop program: an INI file in the user's configuration
// directory ($XDG_CONFIG_HOME/MorvaneTeam/Morvane.conf).

#include "platform/Settings.h"

#include <QString>

namespace morvane {

class TQtSettingsStore : public TSettingsStore {
  public:
    TQtSettingsStore();
    bool OpenKey(const std::string& key) override;
    std::optional<int32_t> ReadInteger(const std::string& key, const std::string& name) override;
    bool WriteInteger(const std::string& key, const std::string& name, int32_t value) override;
    const QString& FileName() const { return FFileName; }

  private:
    QString FFileName;
};

} // namespace morvane
