#pragma once
// The blob data page.
//
//  OFFSET  WIDTH   MEANING
//   0       16     common page header
//  16        4     first page of the blob (signed)
//  20        4     sequence of this page within the blob (signed)
//  24        2     number of blob bytes on this page
//  26        2     not shown
//  28    length    the blob bytes

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

struct TBlobPageHeader {
    int32_t LeadPage = 0;
    int32_t Sequence = 0;
    uint16_t Length = 0;
};

TBlobPageHeader DecodeBlobHeader(const uint8_t* bytes, size_t size);
// The blob's bytes as text: codes from 0x20 as the display code page's characters, 0x0A as a
// line break, every other byte as a blank.
std::u32string BlobText(const std::vector<uint8_t>& bytes);

} // namespace morvane
