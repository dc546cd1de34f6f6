#pragma once
// The settings store: keys named by backslash paths, each holding named integers.
// The desktop program backs it by an INI file; tests use the in-memory store.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace morvane {

class TSettingsStore {
  public:
    virtual ~TSettingsStore() = default;
    // Opens the key, creating it when missing; false when it can be neither.
    virtual bool OpenKey(const std::string& key) = 0;
    virtual std::optional<int32_t> ReadInteger(const std::string& key, const std::string& name) = 0;
    // False when the value could not be stored.
    virtual bool WriteInteger(const std::string& key, const std::string& name, int32_t value) = 0;
};

class TMemorySettings : public TSettingsStore {
  public:
    bool OpenKey(const std::string& key) override;
    std::optional<int32_t> ReadInteger(const std::string& key, const std::string& name) override;
    bool WriteInteger(const std::string& key, const std::string& name, int32_t value) override;

    bool ReadOnly = false; // a store that refuses to create keys and to write
    std::set<std::string> Keys;
    std::map<std::pair<std::string, std::string>, int32_t> Values;
};

} // namespace morvane
