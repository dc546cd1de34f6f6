#pragma once
// The generator records of relation 20, read once at open: name and system flag per slot.

#include "core/uBaseTools.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

using TShortGenEntry = std::array<uint8_t, 40>;
using TLongGenEntry = std::array<uint8_t, 76>;

class TRelationID20 {
  public:
    enum class TForm { Short, Long };
    static constexpr int32_t kRelationId = 20;

    explicit TRelationID20(TBaseFile& file);

    TShortGenEntry ShortEntryAt(int32_t i) const;
    TLongGenEntry LongEntryAt(int32_t i) const;
    int32_t Count() const { return FCount; }
    TForm Form() const { return FForm; }

    // Entry i of the built form: the name up to its first zero byte, and the system flag.
    std::string NameAt(int32_t i) const;
    uint16_t SystemFlagAt(int32_t i) const;

  private:
    void Build(TBaseFile& file);
    void AddEntry(const uint8_t* decoded, size_t width);

    std::vector<TShortGenEntry> FShort;
    std::vector<TLongGenEntry> FLong;
    int32_t FCount = 0;
    TForm FForm;
};

} // namespace morvane
