#pragma once
// The generator page: one value slot per generator after a 32-byte head.
//
//  OFFSET  WIDTH   MEANING
//   0       16     common page header
//  16        4     sequence number of this generator page (signed)
//  20       12     not read (Firebird 3 files: 4, with the values from 24)
//  32     C x W    values: slot r holds generator F + r
//
// W is 4 (signed 32-bit) up to ODS 9 and 8 (signed 64-bit) from ODS 10; C = (page size - base)
// div W; F = C x sequence. Names come from the generator records, short form below ODS 11.

#include "platform/Stream.h"

#include <cstdint>
#include <optional>

namespace morvane {

struct TGeneratorLayout {
    int Base = 32; // offset of slot 0: 24 on Firebird 3 files
    int ValueWidth = 8;
    int64_t Slots = 0;
    int64_t FirstId = 0;
    bool LongNames = false;
};

TGeneratorLayout GeneratorLayout(uint16_t odsVersion, int pageSize, int32_t sequence);
// The value of row r, read from the page; nothing when the slot lies outside the page.
std::optional<int64_t> GeneratorValue(TMemoryStream& page, const TGeneratorLayout& layout, int64_t row);

} // namespace morvane
