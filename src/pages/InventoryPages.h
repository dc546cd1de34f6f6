#pragma once
// The two inventory pages. Both start with the common header and a 4-byte number, then fill
// the rest of the page with a bit array:
//
//  OFFSET  WIDTH          PAGE INVENTORY (type 2)           TRANSACTION INVENTORY (type 3)
//   0       16            common page header                common page header
//  16        4            lowest (possible) free page       next transaction inventory page
//  20       size - 20     1 bit per page, set = free        2 bits per transaction, 4 a byte
//
// The k-th inventory page of its type (k from 1, counted in page order) starts at
// (k - 1) x (entries per page).

#include "core/uODS.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace morvane {

constexpr int kInventoryHeadSize = 20;
// The page inventory page's head: 20 bytes, or 28 on Firebird 3 files (with the extent and
// used-page counts after the lowest free page).
int PageInventoryHeadSize(uint16_t odsVersion);

// Bytes of the bit array on a page of this size.
int64_t InventoryBytes(int pageSize, int headSize = kInventoryHeadSize);

// --- transaction inventory ----------------------------------------------------------------
int64_t TransactionsPerPage(int pageSize);
int64_t FirstTransactionOfPage(int32_t sequence, int pageSize);
// The state code 0..3 of row r: bits 2p+1 and 2p of byte r div 4, p = r mod 4.
int TransactionState(const std::vector<uint8_t>& states, int64_t row);
const char* TransactionStateText(int code);
uint32_t TransactionStateColour(int code); // 0xRRGGBB

// --- page inventory -----------------------------------------------------------------------
int64_t PagesPerInventoryPage(int pageSize, int headSize = kInventoryHeadSize);
int64_t FirstPageOfInventory(int32_t sequence, int pageSize, int headSize = kInventoryHeadSize);
// Bit r mod 8 of byte r div 8; a set bit means the page is free.
bool PageIsFree(const std::vector<uint8_t>& bitmap, int64_t row);
void TogglePageBit(std::vector<uint8_t>& bitmap, int64_t row);
uint32_t AllocationColour(bool allocated); // 0xRRGGBB
// The highest row whose page is allocated, if any.
std::optional<int64_t> LastAllocatedRow(const std::vector<uint8_t>& bitmap);

} // namespace morvane
