#include "pages/InventoryPages.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(TransactionInventory, StatesOfABytesFourRowsAndNumbering) {
    const std::vector<uint8_t> states = {0xE4, 0x03};
    const char* expected[] = {"Not Used", "Limbo",    "Rollback", "Commited",
                              "Commited", "Not Used", "Not Used", "Not Used"};
    for (int r = 0; r < 8; ++r)
        EXPECT_STREQ(TransactionStateText(TransactionState(states, r)), expected[r]) << r;
    EXPECT_EQ(TransactionState(states, 8), 0); // past the array
    EXPECT_EQ(TransactionStateColour(1), 0xFFFF79u);
    EXPECT_EQ(TransactionsPerPage(1024), 4016);
    EXPECT_EQ(TransactionsPerPage(4096), 16304);
    EXPECT_EQ(FirstTransactionOfPage(1, 4096), 0);
    EXPECT_EQ(FirstTransactionOfPage(2, 4096), 16304);
    EXPECT_EQ(FirstTransactionOfPage(3, 4096), 32608);
    EXPECT_EQ(FirstTransactionOfPage(0, 4096), 0);
    EXPECT_EQ(TransactionsPerPage(12), 0);
}

TEST(PageInventory, BitsTogglesAndNumbering) {
    std::vector<uint8_t> bitmap = {0x01, 0x00, 0xFF};
    EXPECT_TRUE(PageIsFree(bitmap, 0));
    for (int r = 1; r < 8; ++r)
        EXPECT_FALSE(PageIsFree(bitmap, r)) << r;
    EXPECT_TRUE(PageIsFree(bitmap, 23));
    EXPECT_EQ(LastAllocatedRow(bitmap), 15);
    TogglePageBit(bitmap, 3);
    EXPECT_EQ(bitmap[0], 0x09);
    TogglePageBit(bitmap, 3);
    EXPECT_EQ(bitmap[0], 0x01);
    TogglePageBit(bitmap, 99); // outside: nothing
    EXPECT_EQ(LastAllocatedRow(std::vector<uint8_t>(4, 0xFF)), std::nullopt);
    EXPECT_EQ(PagesPerInventoryPage(4096), 32608);
    EXPECT_EQ(FirstPageOfInventory(2, 4096), 32608);
    EXPECT_EQ(AllocationColour(true), 0x00FF00u);
    EXPECT_EQ(AllocationColour(false), 0xFF9F7Fu);
}

#include "pages/GeneratorPage.h"

TEST(Firebird3Layouts, InventoryBitsAndGeneratorValuesMoved) {
    EXPECT_EQ(PageInventoryHeadSize(10), 20);
    EXPECT_EQ(PageInventoryHeadSize(0x800B), 20);
    EXPECT_EQ(PageInventoryHeadSize(0x800C), 28);
    EXPECT_EQ(PagesPerInventoryPage(4096, 28), 32544);
    const TGeneratorLayout old = GeneratorLayout(0x800B, 4096, 0);
    EXPECT_EQ(old.Base, 32);
    EXPECT_EQ(old.Slots, 508);
    const TGeneratorLayout fb3 = GeneratorLayout(0x800C, 4096, 1);
    EXPECT_EQ(fb3.Base, 24);
    EXPECT_EQ(fb3.Slots, 509);
    EXPECT_EQ(fb3.FirstId, 509);
    std::vector<uint8_t> page(4096, 0);
    page[24] = 7;
    page[32] = 9;
    TMemoryStream s(page);
    EXPECT_EQ(GeneratorValue(s, fb3, 0), 7);
    EXPECT_EQ(GeneratorValue(s, old, 0), 9);
    EXPECT_EQ(GeneratorValue(s, fb3, 509), std::nullopt);
}
