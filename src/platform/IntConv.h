#pragma once
// The one strict decimal conversion used by every edit box and dialog.

#include <cstdint>
#include <string>

namespace morvane {

// Optional sign and decimal digits only, within the 32-bit range; anything else raises
// "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
int64_t StrToInt64(const std::string& text);

} // namespace morvane
