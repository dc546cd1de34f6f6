#include "platform/Settings.h"

namespace morvane {

bool TMemorySettings::OpenKey(const std::string& key) {
    if (Keys.count(key)) return true;
    if (ReadOnly) return false;
    Keys.insert(key);
    return true;
}

std::optional<int32_t> TMemorySettings::ReadInteger(const std::string& key, const std::string& name) {
    const auto it = Values.find({key, name});
    if (it == Values.end()) return std::nullopt;
    return it->second;
}

bool TMemorySettings::WriteInteger(const std::string& key, const std::string& name, int32_t value) {
    if (ReadOnly) return false;
    Keys.insert(key);
    Values[{key, name}] = value;
    return true;
}

} // namespace morvane
