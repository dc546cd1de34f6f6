#include "core/uBaseTools.h"
#include "platform/Errors.h"
#include "records/uRLE.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

using namespace morvane;
using test::Bytes;

namespace {
Bytes Decode(const Bytes& packed) {
    TRLERecord r;
    r.AllocPacked(static_cast<int32_t>(packed.size()));
    std::copy(packed.begin(), packed.end(), r.Packed());
    r.Unpack();
    return r.UnpackedBytes();
}

Bytes DecodeWithCallbacks(const Bytes& packed, std::vector<int32_t>* asked = nullptr) {
    Bytes out;
    const auto n = static_cast<int32_t>(packed.size());
    UnpackRLE(
        n,
        [&](int32_t i) {
            if (asked) asked->push_back(i);
            EXPECT_LE(i, n);
            return i < n ? packed[i] : uint8_t(0);
        },
        [&](uint8_t b) { out.push_back(b); });
    return out;
}
} // namespace

TEST(RLE, DecodesTheDocumentedImagesWithBothDecoders) {
    struct Case {
        Bytes Packed;
        Bytes Expected;
    } cases[] = {
        {{0x03, 0x41, 0x42, 0x43, 0xFD, 0x20}, {0x41, 0x42, 0x43, 0x20, 0x20, 0x20}},
        {{0xFF, 0x07}, {0x07}},
        {{0x80, 0x00}, Bytes(128, 0)},
        {{0x00, 0x02, 0x61, 0x62}, {0x61, 0x62}},
        {{0x02, 0x01, 0x02, 0xFE, 0x09, 0x01, 0x00}, {0x01, 0x02, 0x09, 0x09, 0x00}},
        {{}, {}},
        {{0x05, 1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
        // cut short: a trailing repeat control repeats the zero after the image,
        // a literal run lacking one byte takes that zero, one lacking more stops there
        {{0x01, 0x41, 0xFE}, {0x41, 0x00, 0x00}},
        {{0x03, 0x41, 0x42}, {0x41, 0x42, 0x00}},
        {{0x05, 0x41}, {0x41, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Packed));
        EXPECT_EQ(Decode(c.Packed), c.Expected);
        EXPECT_EQ(DecodeWithCallbacks(c.Packed), c.Expected);
    }
    Bytes literal127{0x7F};
    for (int i = 0; i < 127; ++i)
        literal127.push_back(static_cast<uint8_t>(i));
    EXPECT_EQ(Decode(literal127), Bytes(literal127.begin() + 1, literal127.end()));
}

TEST(RLE, UnpackRLEAsksEachIndexOnceInOrder) {
    std::vector<int32_t> asked;
    const Bytes out = DecodeWithCallbacks({0x03, 0x41, 0x42, 0x43, 0xFD, 0x20}, &asked);
    EXPECT_EQ(asked, (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(out.size(), 6u);
}

TEST(RLE, RecordUnpackReplacesAndAllocDiscards) {
    TRLERecord r;
    EXPECT_EQ(r.PackedLength(), 0);
    EXPECT_EQ(r.UnpackedLength(), 0);
    r.AllocPacked(2);
    r.Packed()[0] = 0xFE;
    r.Packed()[1] = 0x09;
    EXPECT_EQ(r.Packed()[2], 0); // the zero after the stored bytes
    r.Unpack();
    r.Unpack();
    EXPECT_EQ(r.UnpackedLength(), 2);
    r.AllocPacked(4);
    EXPECT_EQ(r.UnpackedLength(), 0);
    EXPECT_EQ(r.PackedLength(), 4);
}

TEST(RLE, ReadIntegersAndRefuseOffsetsOutsideTheRecord) {
    TRLERecord r;
    const Bytes image = {0x06, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00};
    r.AllocPacked(static_cast<int32_t>(image.size()));
    std::copy(image.begin(), image.end(), r.Packed());
    r.Unpack();
    EXPECT_EQ(r.ReadInt16(0), -1);
    EXPECT_EQ(r.ReadInt32(2), 1);
    EXPECT_THROW(r.ReadInt32(3), EError);
    EXPECT_THROW(r.ReadInt16(-1), EError);
}

TEST(RLE, TestPackerRoundTrips) {
    Bytes raw;
    for (int i = 0; i < 700; ++i)
        raw.push_back(static_cast<uint8_t>(i % 7 < 4 ? 0 : i));
    raw.insert(raw.end(), 300, 0x20);
    EXPECT_EQ(Decode(test::Pack(raw)), raw);
}
