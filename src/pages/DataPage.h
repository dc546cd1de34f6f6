#pragma once
// The data page: its header, the slot array that locates its stored records, and the
// stored records with their headers. Pure: bytes in, fields out.

//  OFFSET  WIDTH   MEANING
//   0       16     common page header
//  16        4     dpg_sequence: sequence among the relation's data pages (signed)
//  20        2     dpg_relation: relation that owns the page
//  22        2     dp_rec_count: number of slots
//  24     4 × n    slots: record offset (2) and length (2), 0 and 0 for an empty slot
//
// Record header, at a slot's offset:
//   0        4     transaction number (signed)
//   4        6     back pointer: page (4) and line (2) of the older version
//  10        2     flags
//  12        1     format number

#include "core/uODS.h"
#include "platform/Stream.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

constexpr uint16_t rhd_deleted = 0x0001;
constexpr uint16_t rhd_chain = 0x0002;
constexpr uint16_t rhd_fragment = 0x0004;
constexpr uint16_t rhd_incomplete = 0x0008;
constexpr uint16_t rhd_blob = 0x0010;
constexpr uint16_t rhd_stream_blob = 0x0020;
constexpr uint16_t rhd_delta = 0x0040;
constexpr uint16_t rhd_large = 0x0080;
constexpr uint16_t rhd_damaged = 0x0100;
constexpr uint16_t rhd_gc_active = 0x0200;

enum TRecordKind : uint8_t { rkRecord = 0, rkFragment = 1, rkBlob = 2 };
// Header bytes of each kind: the stored data follows them.
constexpr int kKindHeaderSize[3] = {13, 24, 30};
const char* RecordKindLabel(unsigned kind);
// Captions of the ten flag boxes, bit 0 first.
extern const std::array<const char*, 10> kRecordFlagCaptions;
extern const std::array<const char*, 10> kRecordFlagNames;

struct TDataPageHeader {
    TPageHeader Common;
    int32_t dpg_sequence = 0;
    uint16_t dpg_relation = 0;
    uint16_t dp_rec_count = 0;
    std::array<uint8_t, 24> Raw{}; // the 24 bytes as loaded
};

struct TSlot {
    uint16_t Offset = 0;
    uint16_t Length = 0;
    bool Empty() const { return Offset == 0 || Length == 0; }
    // The slot list's item: offset and length separated by one blank.
    std::string Item() const { return std::to_string(Offset) + " " + std::to_string(Length); }
};

// A record read from its slot: the kind, the headers read and the stored data.
struct TRecordImage {
    uint8_t Kind = rkRecord;
    std::array<uint8_t, kRecordHeaderSize> RecordHeader{};
    std::vector<uint8_t> Header; // 13, 24 or 32 bytes, as the kind reads them
    std::vector<uint8_t> Data;
    uint16_t Flags() const;
    // The transaction as the window shows it: 0 for a blob record.
    int32_t Transaction() const;
};

// Reads a record from the page stream; raises when the slot points outside the page or is
// shorter than its kind's header.
TRecordImage ReadRecordImage(TMemoryStream& page, int64_t offset, int64_t length);

struct TDataPageContent {
    TDataPageHeader Header;
    bool HeaderRead = false;
    std::vector<TSlot> Slots;   // the slots listed
    std::vector<IBRec> Records; // one entry per readable non-empty slot, in slot order
    bool Complete = false;      // false when a failure ended the load early
};

// Stores a data page's sequence number (bytes 16..19) into the page image.
void WriteDataPageSequence(TMemoryStream& page, int32_t sequence);

// Loads header, slots and records; the first failure ends the load, keeping what came before.
TDataPageContent LoadDataPage(TMemoryStream& page);

// The bytes of a record's stored data as packed and as decoded (blob records: twice as stored).
struct TRecordBytes {
    std::vector<uint8_t> Packed;
    std::vector<uint8_t> Unpacked;
};
TRecordBytes RecordBytes(const TRecordImage& image);

} // namespace morvane
