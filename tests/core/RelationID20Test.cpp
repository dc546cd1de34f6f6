#include "core/uRelationID.h"
#include "platform/Errors.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

using namespace morvane;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;
using test::TTempDir;

namespace {

// A generator record as decoded: 4 unused bytes, the name field, a value and the system flag.
Bytes GenRecord(const std::string& name, uint16_t systemFlag, size_t width) {
    Bytes raw(width, 0);
    const size_t nameEnd = width - 4;
    for (size_t i = 0; i < name.size() && 4 + i < nameEnd; ++i)
        raw[4 + i] = static_cast<uint8_t>(name[i]);
    raw[width - 2] = systemFlag & 0xFF;
    raw[width - 1] = systemFlag >> 8;
    return raw;
}

TRecordSpec Gen(const std::string& name, uint16_t flag, size_t width) {
    return TRecordSpec{test::Pack(GenRecord(name, flag, width))};
}

struct TFixture {
    TTempDir Dir;
    TBaseFile File;
    std::unique_ptr<TRelationID20> Gens;
    void Open(TDbBuilder& b) {
        ASSERT_NE(File.Open(b.Write(Dir.File("db"))), nullptr);
        Gens = std::make_unique<TRelationID20>(File);
    }
};

} // namespace

TEST(RelationID20, FormFollowsTheODSVersion) {
    struct Case {
        uint16_t ODS;
        TRelationID20::TForm Form;
    } cases[] = {{10, TRelationID20::TForm::Short},
                 {11, TRelationID20::TForm::Long},
                 {0x800A, TRelationID20::TForm::Long},
                 {9, TRelationID20::TForm::Short}};
    for (const Case& c : cases) {
        TFixture f;
        TDbBuilder b(1024, c.ODS);
        f.Open(b);
        EXPECT_EQ(f.Gens->Form(), c.Form) << c.ODS;
        EXPECT_EQ(f.Gens->Count(), 0);
    }
}

TEST(RelationID20, EntriesFollowPageThenSlotOrderKeepingEmptySlots) {
    TFixture f;
    TDbBuilder b(1024, 10);
    // index root first (skipped), then the higher page comes after the lower one
    b.IndexRoot(1, 20)
        .Data(4, 20, 1, {Gen("GEN_D", 0, 40), Gen("GEN_E", 1, 40)})
        .Data(2, 20, 0, {Gen("RDB$A", 1, 40), TRecordSpec{{}, 0, 0, true}, Gen("GEN_C", 0, 40)})
        .Data(3, 21, 0, {Gen("OTHER", 0, 40)});
    f.Open(b);
    const TRelationID20& g = *f.Gens;
    ASSERT_EQ(g.Count(), 5);
    EXPECT_EQ(g.NameAt(0), "RDB$A");
    EXPECT_EQ(g.SystemFlagAt(0), 1);
    EXPECT_EQ(g.NameAt(1), "");
    EXPECT_EQ(g.ShortEntryAt(1), TShortGenEntry{});
    EXPECT_EQ(g.NameAt(2), "GEN_C");
    EXPECT_EQ(g.NameAt(3), "GEN_D");
    EXPECT_EQ(g.NameAt(4), "GEN_E");
    EXPECT_EQ(g.SystemFlagAt(4), 1);
    EXPECT_EQ(g.ShortEntryAt(5), TShortGenEntry{}); // index equal to the count
    EXPECT_EQ(g.LongEntryAt(0), TLongGenEntry{});   // the other form is empty
    const auto e = g.ShortEntryAt(0);
    EXPECT_EQ(e[0] | e[1] | e[2] | e[3], 0);
}

TEST(RelationID20, LongFormAndOverlongRecordsKeepOnlyTheRecordWidth) {
    TFixture f;
    TDbBuilder b(4096, 0x800C);
    Bytes longRecord = GenRecord(std::string(67, 'N'), 1, 76);
    longRecord.insert(longRecord.end(), 50, 0x33); // decoded bytes past the width are dropped
    b.Data(1, 20, 0, {TRecordSpec{test::Pack(longRecord)}, Gen("G2", 0, 76)});
    f.Open(b);
    ASSERT_EQ(f.Gens->Count(), 2);
    EXPECT_EQ(f.Gens->NameAt(0), std::string(67, 'N'));
    EXPECT_EQ(f.Gens->SystemFlagAt(0), 1);
    EXPECT_EQ(f.Gens->NameAt(1), "G2");
    EXPECT_EQ(f.Gens->ShortEntryAt(0), TShortGenEntry{});
}

TEST(RelationID20, UnreadableSlotsAbortWithStreamReadError) {
    struct Case {
        const char* Name;
        uint16_t Offset, Length;
    } cases[] = {{"length below the record header", 900, 5},
                 {"record past the page end", 1000, 40},
                 {"offset past the page end", 2000, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        TDbBuilder b(1024, 10);
        b.Data(1, 20, 0, {}).Put16(1, 22, 1).Put16(1, 24, c.Offset).Put16(1, 26, c.Length);
        TBaseFile file;
        ASSERT_NE(file.Open(b.Write(dir.File("db"))), nullptr);
        try {
            TRelationID20 g(file);
            FAIL();
        } catch (const EStreamError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
    }
    // a slot count whose slot array runs off the page
    TTempDir dir;
    TDbBuilder b(1024, 10);
    b.Data(1, 20, 0, {}).Put16(1, 22, 0xFFFF);
    TBaseFile file;
    ASSERT_NE(file.Open(b.Write(dir.File("db"))), nullptr);
    EXPECT_THROW(TRelationID20 g(file), EStreamError);
}
