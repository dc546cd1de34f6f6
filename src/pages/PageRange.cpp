#include "pages/PageRange.h"

#include "platform/Errors.h"
#include "platform/IntConv.h"

namespace morvane {

namespace {
int64_t NumberOrMinusOne(const std::string& text) {
    try {
        return StrToInt64(text);
    } catch (const EConvertError&) {
        return -1;
    }
}
} // namespace

TPageRange ParsePageRange(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) return {2, NumberOrMinusOne(text), -1};
    if (dash == 0) return {4, -1, -1};
    const int64_t first = NumberOrMinusOne(text.substr(0, dash));
    if (dash + 1 == text.size()) return {3, first, -1};
    return {1, first, NumberOrMinusOne(text.substr(dash + 1))};
}

} // namespace morvane
