#pragma once
// The target text of the copy-page tool: a page, a range a-b, or something that names nothing.

#include <cstdint>
#include <string>

namespace morvane {

struct TPageRange {
    int Result;    // 1 range, 2 single page, 3 open range "a-", 4 text starting with "-"
    int64_t First; // -1 where a part is not a decimal integer
    int64_t Last;
};

TPageRange ParsePageRange(const std::string& text);

} // namespace morvane
