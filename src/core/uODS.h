#pragma once
// The on-disk structures every page shares: the common page header, the page type
// codes and their names, flag bits, and the record entry taken from data pages.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

constexpr int kPageHeaderSize = 16;

// Page type codes. Type bytes 1..10 give the same code; every other byte gives ptUndefined.
enum TPageTypeCode : uint8_t {
    ptUndefined = 0,
    ptHeader = 1,
    ptPageInventory = 2,
    ptTransactionInventory = 3,
    ptPointer = 4,
    ptData = 5,
    ptIndexRoot = 6,
    ptBTree = 7,
    ptBlob = 8,
    ptGenerators = 9,
    ptWriteAheadLog = 10,
};

// Type byte the page table uses for entries appended past the old end of the file.
constexpr uint8_t kAddedPageType = 11;

//  OFFSET  WIDTH  MEANING
//   0       1     page type byte
//   1       1     page flags
//   2       2     checksum (never checked)
//   4       4     generation (signed)
//   8       4     WAL sequence number of last update (signed)
//  12       4     WAL offset of last update (signed)
struct TPageHeader {
    uint8_t pag_type = 0;
    uint8_t pag_flags = 0;
    uint16_t pag_checksum = 0;
    int32_t pag_generation = 0;
    int32_t pag_seqno = 0;
    int32_t pag_offset = 0;

    // Decodes from up to 16 bytes; bytes missing from a short buffer read as zero.
    static TPageHeader Decode(const uint8_t* bytes, size_t size);
};

TPageTypeCode PageTypeCode(unsigned typeByte);

// Firebird's ODS 12 (version 3) moved a few fields: the page inventory bits start at 28, the
// generator values at 24, and format blobs count their descriptors. Older files keep the
// layouts this program was first written for.
inline bool HasFirebird3Layout(uint16_t odsVersion) {
    return (odsVersion & 0x8000) && (odsVersion & 0x7FFF) >= 12;
}
const char* PageTypeName(unsigned typeOrCode);

using TFlagBits = std::array<bool, 10>;
TFlagBits DecodeFlagBits(uint16_t flags);

// Labels, hints and texts of the six common header fields, in display order.
struct THeaderFieldText {
    const char* Label;
    const char* ControlName;
};
extern const std::array<THeaderFieldText, 6> kCommonHeaderFields;
// The six header values as the "Header" box shows them.
std::array<std::string, 6> CommonHeaderTexts(const TPageHeader& header);

constexpr int kRecordHeaderSize = 13;

// A stored record taken from a data page slot.
struct IBRec {
    uint8_t RecordKind = 0; // 0 record, 1 fragment, 2 blob
    std::array<uint8_t, kRecordHeaderSize> RecordHeader{};
    std::vector<uint8_t> Body;
    int32_t SlotLength = 0;
};

} // namespace morvane
