#include "records/uFormats.h"
#include "records/uIBFieldDefs.h"
#include "records/uStencil.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace morvane;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;

namespace {

Bytes FormatRecord(int16_t relation, int16_t format, uint32_t blobRecord) {
    Bytes r(16, 0);
    r[4] = static_cast<uint8_t>(relation);
    r[5] = static_cast<uint8_t>(relation >> 8);
    r[6] = static_cast<uint8_t>(format);
    for (int i = 0; i < 4; ++i)
        r[static_cast<size_t>(12 + i)] = static_cast<uint8_t>(blobRecord >> (8 * i));
    return r;
}

Bytes Descriptor(uint8_t type, uint16_t length, uint32_t offset, int8_t scale = 0) {
    Bytes d(12, 0);
    d[0] = type;
    d[1] = static_cast<uint8_t>(scale);
    d[2] = static_cast<uint8_t>(length);
    d[3] = static_cast<uint8_t>(length >> 8);
    for (int i = 0; i < 4; ++i)
        d[static_cast<size_t>(8 + i)] = static_cast<uint8_t>(offset >> (8 * i));
    return d;
}

// Sets the data length of the blob record in slot `slot` of `page` (record offset 20).
void SetBlobLength(TDbBuilder& b, int page, int slot, uint32_t length) {
    const auto& p = b.Page(page);
    const int offset = p[static_cast<size_t>(24 + 4 * slot)] | p[static_cast<size_t>(25 + 4 * slot)] << 8;
    b.Put32(page, offset + 20, length);
}

} // namespace

TEST(FieldDefs, AddFieldPositionsAndSizes) {
    TIBFieldDefList list;
    EXPECT_EQ(list.AddField("a", 9, 4, 0, 99), 1);
    EXPECT_EQ(list.At(0).FieldLength, 4);
    EXPECT_EQ(list.AddField("b", 3, 8, 0, 5), -1); // position taken
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.AddField("a", 2, 8, 1, -1), 1); // same name, new position
    EXPECT_EQ(list.At(1).FieldLength, -1);
    EXPECT_EQ(list.AddField("c", 0, 0, 2, 17), 1);
    EXPECT_EQ(list.At(2).FieldLength, 17);
    EXPECT_EQ(list.AddField("d", 5, 0, 3, 6), 1);
    EXPECT_EQ(list.At(3).FieldLength, 6);
    const int sizes[][2] = {{0, 0},  {1, -1}, {2, -1}, {3, -1}, {4, 0},  {6, 8},  {7, 1},  {8, 2},  {9, 4},
                            {11, 8}, {12, 8}, {15, 4}, {16, 8}, {17, 8}, {20, 8}, {21, 0}, {255, 0}};
    for (const auto& s : sizes)
        EXPECT_EQ(TIBFieldDefList::TypeSize(static_cast<uint8_t>(s[0])), s[1]) << s[0];
}

TEST(Stencil, ColumnsRowsRenderingAndExport) {
    TIBFieldDefList two, five, none;
    two.AddField("x", 9, 0, 0, 4);
    two.AddField("y", 8, 4, 1, 2);
    for (int i = 0; i < 5; ++i)
        five.AddField("f", 9, 0, i, 4);
    TStensil stensil({&two, &five, &none});
    TRecordTable& t = stensil.ResultTable();
    ASSERT_EQ(t.ColumnCount(), 6u);
    EXPECT_EQ(t.ColumnName(0), "Field0");
    EXPECT_EQ(t.ColumnName(5), "Field5");
    EXPECT_TRUE(t.IsOpen());
    TStensil empty({&none});
    EXPECT_EQ(empty.ResultTable().ColumnCount(), 1u);

    TIBFieldDefList row;
    row.AddField("n", 9, 0, 0, 4);
    row.AddField("s", 2, 4, 1, 3);
    TStensil s({&row});
    IBRec rec;
    rec.Body = test::Pack({1, 0, 0, 0, 'a', 'b', 'c'});
    rec.RecordHeader[10] = 0x01; // deleted
    IBRec blob;
    blob.RecordKind = 2;
    s.AddRecords({rec, blob});
    TRecordTable& rt = s.ResultTable();
    ASSERT_EQ(rt.RowCount(), 1u); // blob records give no row
    EXPECT_EQ(ExportLine(rt, 0), "1;abc;deleted;\r\n");
    rt.First();
    EXPECT_EQ(rt.FieldAsText(1), "abc");
    rt.Next();
    EXPECT_TRUE(rt.Eof());
}

TEST(Stencil, FieldsRenderByType) {
    Bytes r(40, 0);
    auto put = [&](int at, uint64_t v, int width) {
        for (int i = 0; i < width; ++i)
            r[static_cast<size_t>(at + i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(0, static_cast<uint32_t>(-1250), 4);
    put(4, 5, 2);
    std::memcpy(&r[8], "hi", 2);
    double d = 0.25;
    std::memcpy(&r[16], &d, 8);
    put(24, 51544, 4);
    put(28, 432000000, 4);
    put(32, 2, 2);
    std::memcpy(&r[34], "ok", 2);
    struct Case {
        TIBFieldDef Def;
        const char* Text;
    } cases[] = {
        {{"", 0, 0, 4, 9, -2}, "-12.50"},      {{"", 0, 0, 4, 9, 0}, "-1250"},
        {{"", 4, 0, 2, 8, -3}, "0.005"},       {{"", 8, 0, 4, 1, 0}, "hi"},
        {{"", 16, 0, 8, 12, 0}, "0.25"},       {{"", 24, 0, 8, 16, 0}, "2000-01-01 12:00:00.0000"},
        {{"", 24, 0, 4, 14, 0}, "2000-01-01"}, {{"", 32, 0, 6, 3, 0}, "ok"},
        {{"", 38, 0, 8, 19, 0}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RenderField(r, c.Def), c.Text) << int(c.Def.FieldType);
}

TEST(FieldFormat, ReadsTheFormatsOfOneRelationAndTheirDescriptors) {
    TDbBuilder b(1024, 10);
    Bytes blob;
    for (const Bytes& d : {Descriptor(9, 4, 4), Descriptor(3, 12, 8), Descriptor(8, 2, 20)})
        blob.insert(blob.end(), d.begin(), d.end());
    blob.insert(blob.end(), 4, 0); // 40 data bytes: three descriptors
    // Page 2 (sequence 0): formats of relations 128 and 129, a format blob at line 3.
    b.IndexRoot(1, 8).Data(2, 8, 0,
                           {TRecordSpec{test::Pack(FormatRecord(128, 1, 3))},
                            TRecordSpec{test::Pack(FormatRecord(129, 1, 4))},
                            TRecordSpec{test::Pack(FormatRecord(128, 2, 59))},
                            TRecordSpec{blob, 0x0010, 0, false, 30}, TRecordSpec{{}, 0, 0, true}});
    SetBlobLength(b, 2, 3, 40);
    // Page 3 (sequence 1): the second format's blob at line 1 (record 59 = 58 + 1).
    Bytes blob2;
    for (const Bytes& d : {Descriptor(9, 4, 4), Descriptor(9, 4, 8)})
        blob2.insert(blob2.end(), d.begin(), d.end());
    b.Data(3, 8, 1, {TRecordSpec{{}, 0, 0, true}, TRecordSpec{blob2, 0x0010, 0, false, 30}});
    SetBlobLength(b, 3, 1, 24);
    test::TTempDir dir;
    TBaseFile file;
    ASSERT_NE(file.Open(b.Write(dir.File("db"))), nullptr);

    EXPECT_EQ(TFieldFormat::RecordsPerPage(1024), 58);
    EXPECT_EQ(TFieldFormat::RecordsPerPage(4096), 239);
    EXPECT_EQ(TFieldFormat::RecordsPerPage(16384), 962);
    const TFieldFormat formats(file, 128);
    ASSERT_EQ(formats.FormatCount(), 2u);
    EXPECT_EQ(formats.FormatNumber(0), 1);
    EXPECT_EQ(formats.FormatNumber(1), 2);
    ASSERT_EQ(formats.FieldCount(0), 3u);
    EXPECT_EQ(formats.GetDescriptor(0, 1)[0], 3);
    EXPECT_EQ(formats.GetDescriptor(0, 2)[8], 20);
    ASSERT_EQ(formats.FieldCount(1), 2u);
    EXPECT_EQ(TFieldFormat(file, 129).FieldCount(0), 0u); // its blob (record 4) is no blob: empty
    EXPECT_EQ(TFieldFormat(file, 130).FormatCount(), 0u);
}

TEST(FieldFormat, NoPagesOfRelation8MeanNoFormats) {
    TDbBuilder b(1024, 10);
    b.Page(3);
    test::TTempDir dir;
    TBaseFile file;
    ASSERT_NE(file.Open(b.Write(dir.File("db"))), nullptr);
    EXPECT_EQ(TFieldFormat(file, 128).FormatCount(), 0u);
}
