#include "pages/HeaderPage.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

void Put(THeaderRecord& r, int offset, uint32_t value, int width) {
    for (int i = 0; i < width; ++i)
        r[static_cast<size_t>(offset + i)] = static_cast<uint8_t>(value >> (8 * i));
}

std::string Value(const THeaderRecord& r, const std::string& name) {
    for (const THeaderRow& row : HeaderRows(r, CreationIsoText))
        if (row.Name == name) return row.Value;
    return "<no such row>";
}

} // namespace

TEST(HeaderPage, CreationMomentExamples) {
    struct Case {
        uint32_t Days, Ticks;
        const char* Text;
    } cases[] = {
        {15018, 0, "1899-12-30"},
        {51544, 432000000, "2000-01-01 12:00:00"},
        {0, 0, "1858-11-17"},
        {0, 432000000, "1858-11-17 12:00:00"},
        {51544, 864000000 + 36000000, "2000-01-02 01:00:00"}, // ticks past a day carry
        {61384, 497910000, "2026-12-10 13:49:51"},
        {0xFFFFFFFF, 0xFFFFFFFF, "11761079-12-10 23:18:16"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreationIsoText(CreationMoment(c.Days, c.Ticks)), c.Text) << c.Days;
}

TEST(HeaderPage, TwentyEightRowsInOrderWithTheirValues) {
    THeaderRecord r{};
    Put(r, 16, 8192, 2);
    Put(r, 18, 0x800C, 2);
    Put(r, 36, 0xFFFFFFFF, 4);
    Put(r, 42, 0x0300, 2);
    Put(r, 60, 8, 2);
    Put(r, 68, 0x00012710, 4); // bytes 10 27 01 00: only the 16 bits at 68 count
    Put(r, 52, 77, 4);
    const auto rows = HeaderRows(r, CreationIsoText);
    ASSERT_EQ(rows.size(), 28u);
    const char* names[] = {"Implementation",
                           "Shadow file",
                           "Forced write ON",
                           "Short-term journal",
                           "Long-term journal",
                           "Calc checksums",
                           "Reserve for versions ",
                           "Disable cache",
                           "DB is shutdown",
                           "Use dialect 3",
                           "Read Only",
                           "Page number of next hdr page",
                           "Sequence number of file",
                           "Page size of database",
                           "Page buffers for database cache",
                           "Page number of PAGES relation",
                           "Version of on-disk structure",
                           "Update version of ODS",
                           "Update version of ODS at creation",
                           "Oldest interesting transaction",
                           "Oldest transaction thought active",
                           "Next transaction id",
                           "Oldest snapshot of active transactions",
                           "Bumped transaction id for log optimization",
                           "Date and Time of creation",
                           "Next attachment id",
                           "Event count for shadow synchronization",
                           "offset of HDR_end in page"};
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].Name, names[i]) << i;
    EXPECT_EQ(rows[0].Value, "OS/2, Windows NT, Novell NetWare");
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(rows[static_cast<size_t>(i)].Value, i == 9 || i == 10 ? "Yes" : "No") << i;
    EXPECT_EQ(Value(r, "Page size of database"), "8192");
    EXPECT_EQ(Value(r, "Version of on-disk structure"), "32780");
    EXPECT_EQ(Value(r, "Next transaction id"), "4294967295");
    EXPECT_EQ(Value(r, "Page buffers for database cache"), "10000");
    EXPECT_EQ(Value(r, "Next attachment id"), "77");
    EXPECT_EQ(Value(r, "Date and Time of creation"), "1858-11-17");
    Put(r, 42, 0xFC00, 2);
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(HeaderRows(r, CreationIsoText)[static_cast<size_t>(i)].Value, "No");
}

TEST(HeaderPage, ImplementationCodes) {
    struct Case {
        unsigned Code;
        const char* Text;
    } cases[] = {{0, "Windows 9x"},  {1, "Apollo"},      {3, "Reserved"},
                 {6, "Reserved"},    {9, "Reserved"},    {14, "Reserved"},
                 {15, "DEC O SF/1"}, {16, "Windows 9x"}, {65535, "Windows 9x"}};
    for (const Case& c : cases)
        EXPECT_STREQ(ImplementationName(c.Code), c.Text) << c.Code;
}

TEST(HeaderPage, AShortPageLeavesTheRestOfTheRecordZero) {
    TMemoryStream s(std::vector<uint8_t>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x04});
    const THeaderRecord r = ReadHeaderRecord(s);
    EXPECT_EQ(Value(r, "Page size of database"), "1024");
    EXPECT_EQ(Value(r, "Next transaction id"), "0");
}
