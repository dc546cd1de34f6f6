#include "pages/InventoryPages.h"

#include <algorithm>

namespace morvane {

int PageInventoryHeadSize(uint16_t odsVersion) {
    return HasFirebird3Layout(odsVersion) ? 28 : kInventoryHeadSize;
}

int64_t InventoryBytes(int pageSize, int headSize) {
    return std::max<int64_t>(0, int64_t(pageSize) - headSize);
}

int64_t TransactionsPerPage(int pageSize) {
    return 4 * InventoryBytes(pageSize);
}

// A page whose own entry is not counted (sequence 0) is taken for the first of its kind.
int64_t FirstTransactionOfPage(int32_t sequence, int pageSize) {
    return (std::max(sequence, 1) - int64_t(1)) * TransactionsPerPage(pageSize);
}

int TransactionState(const std::vector<uint8_t>& states, int64_t row) {
    if (row < 0 || static_cast<uint64_t>(row / 4) >= states.size()) return 0;
    return (states[static_cast<size_t>(row / 4)] >> (2 * (row % 4))) & 3;
}

const char* TransactionStateText(int code) {
    static const char* const kTexts[] = {"Not Used", "Limbo", "Rollback", "Commited"};
    return kTexts[code & 3];
}

uint32_t TransactionStateColour(int code) {
    static const uint32_t kColours[] = {0x00FF00, 0xFFFF79, 0x95FFFF, 0xFF9F7F};
    return kColours[code & 3];
}

int64_t PagesPerInventoryPage(int pageSize, int headSize) {
    return 8 * InventoryBytes(pageSize, headSize);
}

int64_t FirstPageOfInventory(int32_t sequence, int pageSize, int headSize) {
    return (std::max(sequence, 1) - int64_t(1)) * PagesPerInventoryPage(pageSize, headSize);
}

bool PageIsFree(const std::vector<uint8_t>& bitmap, int64_t row) {
    if (row < 0 || static_cast<uint64_t>(row / 8) >= bitmap.size()) return false;
    return (bitmap[static_cast<size_t>(row / 8)] >> (row % 8)) & 1;
}

void TogglePageBit(std::vector<uint8_t>& bitmap, int64_t row) {
    if (row < 0 || static_cast<uint64_t>(row / 8) >= bitmap.size()) return;
    bitmap[static_cast<size_t>(row / 8)] ^= static_cast<uint8_t>(1u << (row % 8));
}

uint32_t AllocationColour(bool allocated) {
    return allocated ? 0x00FF00 : 0xFF9F7F;
}

std::optional<int64_t> LastAllocatedRow(const std::vector<uint8_t>& bitmap) {
    for (size_t i = bitmap.size(); i-- > 0;) {
        if (bitmap[i] == 0xFF) continue;
        for (int bit = 7; bit >= 0; --bit)
            if (!((bitmap[i] >> bit) & 1)) return static_cast<int64_t>(i) * 8 + bit;
    }
    return std::nullopt;
}

} // namespace morvane
