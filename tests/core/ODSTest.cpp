#include "core/uODS.h"

#include <gtest/gtest.h>

using namespace morvane;

TEST(PageType, CodeAndNameOfTypeBytes) {
    struct Case {
        unsigned Byte;
        TPageTypeCode Code;
        const char* Name;
    } cases[] = {
        {0, ptUndefined, "Undefined types"},
        {1, ptHeader, "Database header page"},
        {5, ptData, "Data page"},
        {9, ptGenerators, "Gen-ids"},
        {10, ptWriteAheadLog, "Write ahead log information"},
        {11, ptUndefined, "Undefined types"},
        {0x85, ptUndefined, "Undefined types"}, // not masked down to 5
        {200, ptUndefined, "Undefined types"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Byte);
        EXPECT_EQ(PageTypeCode(c.Byte), c.Code);
        EXPECT_STREQ(PageTypeName(c.Byte), c.Name);
    }
}

TEST(DecodeFlagBits, TenLowBitsOnly) {
    const auto all = DecodeFlagBits(0xFFFF);
    for (bool b : all)
        EXPECT_TRUE(b);
    const auto high = DecodeFlagBits(0xFC00);
    for (bool b : high)
        EXPECT_FALSE(b);
    const auto some = DecodeFlagBits(0x0201);
    for (size_t i = 0; i < some.size(); ++i)
        EXPECT_EQ(some[i], i == 0 || i == 9) << i;
}

TEST(PageHeader, DecodesSignedAndUnsignedFieldsAndShortBuffers) {
    const uint8_t bytes[16] = {7, 0xFE, 0x39, 0x30, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0x80};
    const TPageHeader h = TPageHeader::Decode(bytes, sizeof bytes);
    const auto texts = CommonHeaderTexts(h);
    EXPECT_EQ(texts[0], "7");
    EXPECT_EQ(texts[1], "254");
    EXPECT_EQ(texts[2], "12345");
    EXPECT_EQ(texts[3], "-1");
    EXPECT_EQ(texts[4], "1");
    EXPECT_EQ(texts[5], "-2147483648");
    const TPageHeader shortOne = TPageHeader::Decode(bytes, 3);
    EXPECT_EQ(shortOne.pag_checksum, 0x39);
    EXPECT_EQ(shortOne.pag_generation, 0);
}
