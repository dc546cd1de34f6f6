#pragma once
// Text helpers shared by the command line and the record tables.

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvane {

// Appends one character (from the Basic Multilingual Plane) as UTF-8.
void AppendUtf8(std::string& out, char32_t c);
// Lowercase hexadecimal digits of the bytes, two per byte.
std::string LowerHex(const uint8_t* bytes, size_t count);

} // namespace morvane
