#pragma once
// Field definitions: where a field lies in a decoded record and what type it has.

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

struct TIBFieldDef {
    std::string FieldName;
    int32_t FieldOffset = 0;
    int32_t FieldPosition = 0;
    int32_t FieldLength = 0;
    uint8_t FieldType = 0;
    int8_t FieldScale = 0; // decimal scale of exact numerics, from the stored descriptor
};

class TIBFieldDefList {
  public:
    // 1 when added; -1 when the position is taken (nothing added). Types of a fixed size store
    // that size whatever length is passed.
    int AddField(const std::string& name, uint8_t type, int32_t offset, int32_t position, int32_t length,
                 int8_t scale = 0);
    static int32_t TypeSize(uint8_t type);
    size_t Count() const { return FDefs.size(); }
    const TIBFieldDef& At(size_t i) const { return FDefs[i]; }
    const std::vector<TIBFieldDef>& Defs() const { return FDefs; }

    // The format number the list describes (automatic extraction), -1 for a hand-made list.
    int32_t FormatNumber = -1;
    // Records of this format start with one null bit per field (Firebird 3 files).
    bool NullFlags = false;

  private:
    std::vector<TIBFieldDef> FDefs;
};

} // namespace morvane
