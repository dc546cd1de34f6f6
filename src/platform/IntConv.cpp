#include "platform/IntConv.h"

#include "platform/Errors.h"

#include <charconv>
#include <limits>

namespace morvane {

namespace {

[[noreturn]] void Invalid(const std::string& text) {
    throw EConvertError(Format("'%s' is not a valid integer value", text.c_str()));
}

int64_t Parse(const std::string& text, int64_t lo, int64_t hi) {
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last) Invalid(text);
    uint64_t magnitude = 0;
    auto [ptr, ec] = std::from_chars(first, last, magnitude, 10);
    if (ec != std::errc() || ptr != last) Invalid(text);
    if (negative) {
        if (magnitude > static_cast<uint64_t>(-(lo + 1)) + 1) Invalid(text);
        return magnitude == 0 ? 0 : -static_cast<int64_t>(magnitude - 1) - 1;
    }
    if (magnitude > static_cast<uint64_t>(hi)) Invalid(text);
    return static_cast<int64_t>(magnitude);
}

} // namespace

int32_t StrToInt(const std::string& text) {
    return static_cast<int32_t>(
        Parse(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int64_t StrToInt64(const std::string& text) {
    return Parse(text, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max());
}

} // namespace morvane
