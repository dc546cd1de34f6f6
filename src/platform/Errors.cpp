#include "platform/Errors.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace morvane {

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

std::string SysErrorText(int code) {
    char buf[256];
    // GNU strerror_r may return a static string instead of filling buf.
    const char* text = strerror_r(code, buf, sizeof buf);
    return Format("System Error.  Code: %d.\r\n%s", code, text);
}

void RaiseOSError(int code) {
    throw EOSError(code, SysErrorText(code));
}

} // namespace morvane
