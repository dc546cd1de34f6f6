#include "core/uBaseTools.h"
#include "platform/Errors.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace morvane;
using test::TDbBuilder;
using test::TTempDir;

namespace {

struct THeaderCase {
    const char* Name;
    uint16_t StoredPageSize;
    uint16_t ODS;
    std::optional<int> Answer; // what the page size question answers
    bool Accepted;
    bool Asked;
    uint16_t PageSize;
};

std::vector<int> Column(const TAnalyser& a, int column) {
    std::vector<int> out;
    for (size_t r = 0; r < a.VisibleCount(); ++r)
        out.push_back(std::stoi(a.GetCellText(column, r)));
    return out;
}

std::vector<int> PageNumbers(const TAnalyser& a) {
    return Column(a, 0);
}

} // namespace

TEST(Analyser, HeaderAcceptanceRules) {
    const THeaderCase cases[] = {
        {"known ODS, usual size", 4096, 10, std::nullopt, true, false, 4096},
        {"known ODS, odd size", 3000, 10, std::nullopt, true, false, 3000},
        {"ODS 6", 1000, 6, std::nullopt, true, false, 1000},
        {"ODS 11, tiny size", 12, 11, std::nullopt, true, false, 12},
        {"known ODS, size 0 refused", 0, 10, 4096, false, false, 0},
        {"Firebird ODS, listed size", 8192, 0x800A, std::nullopt, true, false, 8192},
        {"Firebird ODS, size 0 asks", 0, 0x800A, 2048, true, true, 2048},
        {"unknown size, question refused", 3000, 0x800C, std::nullopt, false, true, 0},
        {"ODS 5 unknown size asks", 4000, 5, 1024, true, true, 1024},
    };
    for (const THeaderCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        TDbBuilder b(4096);
        b.Header(c.StoredPageSize, c.ODS).Typed(1, 2).Typed(2, 5);
        const std::string path = b.Write(dir.File("db.fdb"));
        TBaseFile file;
        bool asked = false;
        const TPageSizeQuery query = [&] {
            asked = true;
            return c.Answer;
        };
        if (c.Accepted) {
            TAnalyser* a = file.Open(path, {}, query);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->PageSize(), c.PageSize);
            EXPECT_EQ(a->ODSVersion(), c.ODS);
            EXPECT_EQ(a->PageCount(), 3u * 4096u / c.PageSize);
            EXPECT_TRUE(file.IsOpen());
        } else {
            try {
                file.Open(path, {}, query);
                FAIL();
            } catch (const EError& e) {
                EXPECT_STREQ(e.what(), "It seems that file is not valid database!");
            }
            EXPECT_FALSE(file.IsOpen());
            EXPECT_EQ(file.Analyser(), nullptr);
        }
        EXPECT_EQ(asked, c.Asked);
    }
}

TEST(Analyser, MissingFileOpensNothingAndPartialPageIsNotCounted) {
    TTempDir dir;
    TBaseFile file;
    EXPECT_EQ(file.Open(dir.File("absent.fdb")), nullptr);
    EXPECT_FALSE(file.IsOpen());

    TDbBuilder b(4096);
    b.Page(9);
    const std::string path = b.Write(dir.File("db.fdb"), 100);
    TAnalyser* a = file.Open(path);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->PageCount(), 10u);
    EXPECT_EQ(a->VisibleCount(), 10u);
    EXPECT_EQ(a->GetCellText(0, 9), "9");
    EXPECT_EQ(a->GetCellText(0, 10), "");
}

TEST(Analyser, ProgressRunsToOneHundredBeforeEachPage) {
    TTempDir dir;
    struct Case {
        int Pages;
        std::vector<int> Positions;
    } cases[] = {{1, {100}}, {3, {33, 66, 100}}, {4, {25, 50, 75, 100}}};
    for (const Case& c : cases) {
        TDbBuilder b(1024);
        b.Page(c.Pages - 1);
        const std::string path = b.Write(dir.File("p" + std::to_string(c.Pages)));
        std::vector<int> seen;
        TBaseFile file;
        file.Open(path, [&](int lo, int hi, int pos) {
            EXPECT_EQ(lo, 0);
            EXPECT_EQ(hi, 100);
            seen.push_back(pos);
        });
        EXPECT_EQ(seen, c.Positions);
    }
}

TEST(Analyser, EntriesCarryRelationAndSequenceOfDataAndIndexRootPages) {
    TTempDir dir;
    TDbBuilder b(1024);
    b.Data(1, 0xFFFF, 7, {}).IndexRoot(2, 12).Data(3, 12, -2, {}).Typed(4, 4, 0x81);
    TBaseFile file;
    TAnalyser* a = file.Open(b.Write(dir.File("db")));
    const TMemTable& t = a->PageTable();
    EXPECT_EQ(t.Entry(1).Relation, 65535);
    EXPECT_EQ(t.Entry(1).Sequence, 7);
    EXPECT_EQ(t.Entry(2).Relation, 12);
    EXPECT_EQ(t.Entry(2).Sequence, -1);
    EXPECT_EQ(t.Entry(3).Sequence, -2);
    EXPECT_EQ(t.Entry(4).Relation, -1);
    EXPECT_EQ(t.Entry(4).Flags, 0x81);
    ASSERT_EQ(t.RelationCount(), 2u);
    EXPECT_EQ(t.RelationAt(0), 12);
    EXPECT_EQ(t.RelationAt(1), 65535);
    EXPECT_EQ(t.RelationString(1), "0065535");
    EXPECT_EQ(t.RelationString(0), "0000012");
}

class PageTableView : public testing::Test {
  protected:
    void SetUp() override {
        // page: 0 header, 1 PIP, 2 data r12, 3 index root r12, 4 data r12, 5 type 0,
        // 6 type 0x85, 7 data r30, 8 data r12, 9 TIP, 10 type 11
        TDbBuilder b(1024);
        b.Typed(1, 2)
            .Data(2, 12, 0, {})
            .IndexRoot(3, 12)
            .Data(4, 12, 1, {})
            .Typed(6, 0x85)
            .Data(7, 30, 0, {})
            .Data(8, 12, 2, {})
            .Typed(9, 3, 2)
            .Typed(10, 11, 1);
        b.Typed(0, 1, 3);
        Analyser = File.Open(b.Write(Dir.File("db")));
        ASSERT_NE(Analyser, nullptr);
    }
    TTempDir Dir;
    TBaseFile File;
    TAnalyser* Analyser = nullptr;
};

TEST_F(PageTableView, TypeFilterTogglesAndUndefinedCoversHighBytes) {
    TAnalyser& a = *Analyser;
    EXPECT_EQ(a.VisibleCount(), 11u);
    for (int code = 0; code <= 10; ++code)
        a.ToggleTypeFilter(code);
    EXPECT_EQ(a.VisibleCount(), 0u);
    a.ToggleTypeFilter(0);
    EXPECT_EQ(PageNumbers(a), (std::vector<int>{5, 6, 10}));
    a.ToggleTypeFilter(5);
    a.ToggleTypeFilter(5);
    a.ToggleTypeFilter(5);
    EXPECT_EQ(PageNumbers(a), (std::vector<int>{2, 4, 5, 6, 7, 8, 10}));
    a.ToggleTypeFilter(5);
    EXPECT_EQ(PageNumbers(a), (std::vector<int>{5, 6, 10}));
}

TEST_F(PageTableView, RelationFilterListsOnlyDataPagesButCountsIndexRoot) {
    TAnalyser& a = *Analyser;
    a.ToggleTypeFilter(5); // the type filter is not consulted while a relation is chosen
    a.SetRelationFilter(12);
    EXPECT_EQ(PageNumbers(a), (std::vector<int>{2, 4, 8}));
    EXPECT_EQ(a.CountRelationPages(12), 4);
    EXPECT_EQ(a.RelationPageAt(12, 0), 2);
    EXPECT_EQ(a.RelationPageAt(12, 1), 3);
    EXPECT_EQ(a.RelationPageAt(12, 3), 8);
    EXPECT_EQ(a.RelationPageAt(12, 4), 0);
    EXPECT_EQ(a.RelationPageAt(12, -1), 0);
    EXPECT_EQ(a.CountRelationPages(99), 0);
    a.SetRelationFilter(-1);
    EXPECT_EQ(a.VisibleCount(), 7u); // the four data pages are still filtered out
}

TEST_F(PageTableView, TypeSequenceCountsPagesOfATypeUpToAnIndex) {
    const TMemTable& t = Analyser->PageTable();
    EXPECT_EQ(t.TypeSequence(5, 1), 0);
    EXPECT_EQ(t.TypeSequence(5, 2), 1);
    EXPECT_EQ(t.TypeSequence(5, 8), 4);
    EXPECT_EQ(t.TypeSequence(5, 1000), 4);
    EXPECT_EQ(t.TypeSequence(2, 1), 1);
    EXPECT_EQ(t.EntryType(6), 0x85);
}

TEST_F(PageTableView, SortByTypeAndFlagsGroupsKeysAndRepeatsIdempotently) {
    TAnalyser& a = *Analyser;
    a.SetSortColumn(1);
    std::vector<int> types;
    for (int p : PageNumbers(a))
        types.push_back(a.PageTable().Entry(p).Type);
    EXPECT_TRUE(std::is_sorted(types.begin(), types.end()));
    const auto once = PageNumbers(a);
    a.SetSortColumn(1);
    EXPECT_EQ(PageNumbers(a), once);
    std::multiset<int> all(once.begin(), once.end());
    EXPECT_EQ(all.size(), 11u);
    a.SetSortColumn(2);
    const auto flags = Column(a, 2);
    EXPECT_TRUE(std::is_sorted(flags.begin(), flags.end()));
    a.SetSortColumn(0);
    const auto pages = PageNumbers(a);
    EXPECT_TRUE(std::is_sorted(pages.begin(), pages.end()));
}

TEST(PageTable, SortHandlesManyEqualKeysAndLargeTables) {
    TMemTable t(200000);
    for (size_t i = 0; i < t.EntryCount(); ++i)
        t.SetEntry(i, TRecordEntry{0, static_cast<uint8_t>((i * 7) % 3), 0, -1, -1});
    t.SetSortColumn(1);
    ASSERT_EQ(t.VisibleCount(), 200000u);
    for (size_t r = 1; r < t.VisibleCount(); ++r)
        ASSERT_LE(t.VisibleEntry(r - 1).Type, t.VisibleEntry(r).Type);
    t.SetSortColumn(0);
    for (size_t r = 0; r < t.VisibleCount(); ++r)
        ASSERT_EQ(t.VisibleEntry(r).PageNumber, static_cast<int32_t>(r));
}
