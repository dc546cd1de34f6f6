#include "pages/DataPage.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

using namespace morvane;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;

namespace {
TMemoryStream PageStream(TDbBuilder& b, int n) {
    return TMemoryStream(b.Page(n));
}
} // namespace

TEST(DataPage, HeaderSlotsAndRecordKinds) {
    TDbBuilder b(1024);
    const Bytes raw = {7, 0, 0, 0, 'A', 'B', 'C'};
    b.Data(1, 12, 3,
           {TRecordSpec{test::Pack(raw), 0x0201, 42}, TRecordSpec{{}, 0, 0, true},
            TRecordSpec{test::Pack(raw), rhd_incomplete, -5, false, 24},
            TRecordSpec{Bytes{1, 2, 3, 4}, rhd_incomplete | rhd_blob, 99, false, 30}});
    TMemoryStream s = PageStream(b, 1);
    const TDataPageContent c = LoadDataPage(s);
    EXPECT_TRUE(c.Complete);
    EXPECT_EQ(c.Header.dpg_relation, 12);
    EXPECT_EQ(c.Header.dpg_sequence, 3);
    ASSERT_EQ(c.Slots.size(), 4u);
    EXPECT_EQ(c.Slots[1].Item(), "0 0");
    ASSERT_EQ(c.Records.size(), 3u); // the empty slot gives no entry
    EXPECT_EQ(c.Records[0].RecordKind, rkRecord);
    EXPECT_EQ(c.Records[1].RecordKind, rkFragment);
    EXPECT_EQ(c.Records[2].RecordKind, rkBlob);
    EXPECT_EQ(c.Records[2].Body, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(c.Records[2].SlotLength, 34);

    const TRecordImage first = ReadRecordImage(s, c.Slots[0].Offset, c.Slots[0].Length);
    EXPECT_EQ(first.Flags(), 0x0201);
    EXPECT_EQ(first.Transaction(), 42);
    const TFlagBits bits = DecodeFlagBits(first.Flags());
    for (size_t i = 0; i < bits.size(); ++i)
        EXPECT_EQ(bits[i], i == 0 || i == 9);
    const TRecordBytes firstBytes = RecordBytes(first);
    EXPECT_EQ(firstBytes.Unpacked, raw);
    EXPECT_EQ(firstBytes.Packed, test::Pack(raw));
    EXPECT_EQ(ReadRecordImage(s, c.Slots[2].Offset, c.Slots[2].Length).Transaction(), -5);
    const TRecordImage blob = ReadRecordImage(s, c.Slots[3].Offset, c.Slots[3].Length);
    EXPECT_EQ(blob.Transaction(), 0);
    EXPECT_EQ(RecordBytes(blob).Packed, RecordBytes(blob).Unpacked);
    EXPECT_STREQ(RecordKindLabel(blob.Kind), "Record blob");
}

TEST(DataPage, FailuresEndTheLoadKeepingWhatCameBefore) {
    struct Case {
        const char* Name;
        uint16_t Count;
        std::vector<std::pair<uint16_t, uint16_t>> Slots;
        size_t Listed, Collected;
    } cases[] = {
        {"no slots", 0, {}, 0, 0},
        {"slot past the page", 3, {{900, 20}, {1020, 20}, {900, 20}}, 2, 1},
        {"length below the header", 2, {{900, 5}, {900, 20}}, 1, 0},
        {"fragment shorter than its header", 1, {{900, 20}}, 1, 0},
        {"slot array off the page", 300, {}, 0, 0},
        {"empty stored data loads", 1, {{900, 13}}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TDbBuilder b(1024);
        b.Data(1, 7, 0, {}).Put16(1, 22, c.Count);
        for (size_t j = 0; j < c.Slots.size(); ++j) {
            b.Put16(1, 24 + 4 * static_cast<int>(j), c.Slots[j].first);
            b.Put16(1, 26 + 4 * static_cast<int>(j), c.Slots[j].second);
        }
        if (std::string(c.Name) == "fragment shorter than its header") b.Put16(1, 910, rhd_incomplete);
        TMemoryStream s = PageStream(b, 1);
        const TDataPageContent content = LoadDataPage(s);
        EXPECT_EQ(content.Slots.size(), c.Listed);
        EXPECT_EQ(content.Records.size(), c.Collected);
        EXPECT_TRUE(content.HeaderRead);
    }
}

#include "pages/PageRange.h"

TEST(PageRange, TargetTexts) {
    struct Case {
        const char* Text;
        int Result;
        int64_t First, Last;
    } cases[] = {
        {"7", 2, 7, -1},
        {"7-9", 1, 7, 9},
        {"9-7", 1, 9, 7},
        {"7-", 3, 7, -1},
        {"-", 4, -1, -1},
        {"-5", 4, -1, -1},
        {"x", 2, -1, -1},
        {"7-9-11", 1, 7, -1},
        {"a-9", 1, -1, 9},
        {"", 2, -1, -1},
        {"5000000000", 2, 5000000000, -1},
    };
    for (const Case& c : cases) {
        const TPageRange r = ParsePageRange(c.Text);
        EXPECT_EQ(r.Result, c.Result) << c.Text;
        EXPECT_EQ(r.First, c.First) << c.Text;
        EXPECT_EQ(r.Last, c.Last) << c.Text;
    }
}

#include "pages/StructurePages.h"
#include "platform/Errors.h"

TEST(StructurePages, PageNumbersParseAsUnsigned32Bit) {
    EXPECT_EQ(ParsePageNumber("0"), 0u);
    EXPECT_EQ(ParsePageNumber("4294967295"), 4294967295u);
    EXPECT_THROW(ParsePageNumber("4294967296"), EConvertError);
    EXPECT_THROW(ParsePageNumber("-1"), EConvertError);
    EXPECT_THROW(ParsePageNumber("Deleted"), EConvertError);
    EXPECT_EQ(KeyTypeName(0), "Digitals");
    EXPECT_EQ(KeyTypeName(32883), "Characters");
    EXPECT_EQ(KeyTypeName(7), "BLOB");
    EXPECT_EQ(SelectivityText(0.125f), "0.125");
    EXPECT_EQ(SelectivityText(0.0f), "0");
}

TEST(StructurePages, VectorsThatDoNotFitAreRefusedBeforeWriting) {
    TDbBuilder b(64);
    b.Typed(0, 4);
    TMemoryStream page(b.Page(0));
    TPointerPage p = DecodePointerPage(page);
    p.Slots.assign(20, 1); // 32 + 80 bytes > 64
    EXPECT_THROW(EncodePointerPage(page, p), EError);
    EXPECT_EQ(page.Bytes(), b.Page(0));
    TMemoryStream big(b.Page(0));
    b.Put16(0, 24, 500); // a count far past the page lists only what fits
    TMemoryStream counted(b.Page(0));
    EXPECT_EQ(DecodePointerPage(counted).Slots.size(), 8u);
}

TEST(StructurePages, CompressedBTreeNodesDecodeToTheEndOfTheBucket) {
    Bytes page(1024, 0);
    page[0] = 7;
    page[33] = 0; // leaf
    page[36] = 3; // jump table of 3 bytes
    std::vector<uint8_t> nodes = {
        0x00 | 0x05,     0x01, 0x00, 0x02, 0xAA, 0xBB, // normal: record 5 + (1 << 5) = 37, prefix 0, length 2
        (5 << 5) | 0x01, 0x81, 0x01, 0x03, 0xCC, // one-length: record 1 + (1 << 5) + (1 << 12), prefix 3
        (3 << 5) | 0x02, 0x00,                   // zero prefix, zero length: record 2
        (1 << 5),                                // end of level
    };
    std::copy(nodes.begin(), nodes.end(), page.begin() + 42);
    const uint16_t length = static_cast<uint16_t>(42 + nodes.size());
    page[30] = static_cast<uint8_t>(length);
    page[31] = static_cast<uint8_t>(length >> 8);
    TMemoryStream s(page);
    const TBTreePage p = DecodeBTreePage(s, true);
    ASSERT_EQ(p.Nodes.size(), 4u);
    EXPECT_EQ(p.Nodes[0].Number, 37);
    EXPECT_EQ(p.Nodes[0].Length, 2);
    EXPECT_EQ(ReadNodeKey(s, p.Nodes[0]), (Bytes{0xAA, 0xBB}));
    EXPECT_EQ(p.Nodes[1].Number, 1 + 32 + 4096);
    EXPECT_EQ(p.Nodes[1].Prefix, 3);
    EXPECT_EQ(ReadNodeKey(s, p.Nodes[1]), (Bytes{0xCC}));
    EXPECT_EQ(p.Nodes[2].Number, 2);
    EXPECT_EQ(p.Nodes[2].Length, 0);
    EXPECT_EQ(NodeLine(p.Nodes[3]), "Last");

    // A number that never ends is a damaged node: the list stops before it.
    std::fill(page.begin() + 42, page.begin() + 60, uint8_t(0xFF));
    page[42] = 0x01;
    TMemoryStream damaged(page);
    EXPECT_TRUE(DecodeBTreePage(damaged, true).Nodes.empty());
}
