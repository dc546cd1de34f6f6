#include "records/uIBFieldDefs.h"

#include <algorithm>

namespace morvane {

int32_t TIBFieldDefList::TypeSize(uint8_t type) {
    switch (type) {
    case 1:
    case 2:
    case 3:
        return -1;
    case 6:
    case 10:
    case 11:
    case 12:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
        return 8;
    case 7:
        return 1;
    case 8:
        return 2;
    case 9:
    case 13:
    case 14:
    case 15:
        return 4;
    default:
        return 0;
    }
}

int TIBFieldDefList::AddField(const std::string& name, uint8_t type, int32_t offset, int32_t position,
                              int32_t length, int8_t scale) {
    const bool taken = std::any_of(FDefs.begin(), FDefs.end(),
                                   [position](const TIBFieldDef& d) { return d.FieldPosition == position; });
    if (taken) return -1;
    const int32_t fixed = TypeSize(type);
    FDefs.push_back(TIBFieldDef{name, offset, position, fixed > 0 ? fixed : length, type, scale});
    return 1;
}

} // namespace morvane
