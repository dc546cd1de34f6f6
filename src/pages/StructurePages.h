#pragma once
// The pages whose editors write decoded fields back: pointer pages, index root pages and
// index B-tree pages. Pure: bytes in, fields out, and fields back into bytes.
//
// Pointer page (type 4)             Index root page (type 6)        B-tree page (type 7)
//  16  4 sequence in relation        16  2 relation id               16  4 right sibling
//  20  4 next pointer page           18  2 number of indices         20  4 left sibling
//  24  2 slots in the vector         20 12 x n index entries:        24  4 sum of prefixes
//  26  2 relation id                     0 4 top B-tree page         28  2 relation id
//  28  2 lowest slot with space          4 4 selectivity (float)     30  2 length of data
//  30  2 highest slot with space         8 2 key descriptions at     32  1 index id
//  32  4 x n data page numbers          10 1 number of keys          33  1 level (0 leaf)
//                                       11 1 flags                  34 .. nodes: prefix (1),
//                                                                       length L (1), number (4),
//                                                                       L key bytes

#include "core/uODS.h"
#include "platform/Stream.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// Parses a page number as the lists show it: unsigned 32-bit decimal. Raises
// "'%s' is not a valid integer value" for anything else.
uint32_t ParsePageNumber(const std::string& text);

// --- pointer page ------------------------------------------------------------------------
struct TPointerPage {
    std::array<uint8_t, 32> Image{};
    int32_t Sequence = 0, Next = 0;
    uint16_t Count = 0, Relation = 0, MinSpace = 0, MaxSpace = 0;
    std::vector<uint32_t> Slots; // as many as the count names and the page holds
};
TPointerPage DecodePointerPage(TMemoryStream& page);
// Writes the image with the fields, then the slots from offset 32; the caller has parsed
// every value first, so nothing can fail halfway.
void EncodePointerPage(TMemoryStream& page, const TPointerPage& p);

// --- index root page ---------------------------------------------------------------------
struct TIndexEntry {
    int32_t TopPage = 0;
    float Selectivity = 0;
    uint16_t KeyOffset = 0;
    uint8_t Keys = 0;
    uint8_t Flags = 0;
};
struct TIndexRootPage {
    std::array<uint8_t, 20> Image{};
    uint16_t Relation = 0;
    uint16_t Count = 0;
    std::vector<TIndexEntry> Entries; // those that fit in the page
};
struct TKeyDescriptor {
    uint16_t Field = 0;
    uint16_t Type = 0;
};
TIndexRootPage DecodeIndexRootPage(TMemoryStream& page);
TIndexEntry ReadIndexEntry(TMemoryStream& page, int index);             // raises past the page
TKeyDescriptor ReadKeyDescriptor(TMemoryStream& page, uint16_t offset); // raises past the page
std::string KeyTypeName(uint16_t type);
std::string SelectivityText(float selectivity);
extern const std::array<const char*, 6> kIndexFlagCaptions;
// Rewrites the first 4 bytes of each entry with the given top page numbers.
void EncodeIndexTopPages(TMemoryStream& page, const std::vector<uint32_t>& topPages);

// --- B-tree page -------------------------------------------------------------------------
// Firebird 3 files store compressed nodes after a jump table (header bytes 34..38: jump interval,
// jump table size, jump count): a first byte with three flag bits and five bits of the record
// number, the rest of the record number, the child page number (above the leaf level), prefix and
// length in 7-bit groups, then the key bytes. Older files use the 6-byte node head above.
enum TNodeKind : uint8_t { nkNormal, nkEndBucket, nkEndLevel };

struct TBTreeNode {
    int64_t KeyOffset = 0; // where the stored key bytes start
    uint16_t Prefix = 0;
    uint16_t Length = 0;
    int64_t Number = 0; // leaf: record number; above: child page (old layout: -2 marks the last node)
    TNodeKind Kind = nkNormal;
};
struct TBTreePage {
    std::array<uint8_t, 36> Image{};
    int32_t Right = 0, Left = 0, PrefixSum = 0;
    uint16_t Relation = 0, DataLength = 0;
    uint8_t IndexId = 0, Level = 0;
    std::vector<TBTreeNode> Nodes;
};
TBTreePage DecodeBTreePage(TMemoryStream& page, bool compressedNodes = false);
std::vector<uint8_t> ReadNodeKey(TMemoryStream& page, const TBTreeNode& node); // raises past the page
void EncodeBTreeHeader(TMemoryStream& page, const TBTreePage& p);
std::string NodeLine(const TBTreeNode& node);

} // namespace morvane
