#include "cli/Commands.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace morvane;
using test::TDbBuilder;
using test::TTempDir;

namespace {

struct TResult {
    int Status;
    std::string Out, Err;
};

TResult Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
}

class CliTest : public testing::Test {
  protected:
    void SetUp() override {
        TDbBuilder b(1024, 0x800C);
        b.Put16(0, 64, 0);
        b.Typed(1, 2)
            .Data(2, 128, 0, {})
            .IndexRoot(3, 128)
            .Data(4, 20, 0, {test::TRecordSpec{test::Pack([] {
                      test::Bytes r(76, 0);
                      r[4] = 'G';
                      r[5] = '1';
                      r[74] = 1;
                      return r;
                  }())}})
            .Typed(5, 0x85, 4)
            .Typed(6, 3, 2);
        Path = b.Write(Dir.File("db.fdb"), 10);
    }
    TTempDir Dir;
    std::string Path;
};

} // namespace

TEST_F(CliTest, InfoPrintsTheFourLines) {
    const TResult r = Cli({"info", Path});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "File: " + Path + "\nPage size: 1024\nODS version: 32780 (Firebird 12.0)\nPages: 7\n");
}

TEST_F(CliTest, PagesPrintsTheViewWithFiltersAndSort) {
    struct Case {
        std::vector<std::string> Options;
        std::string Rows;
    } cases[] = {
        {{},
         "0\tDatabase header page\t0\n1\tPage inventory page\t0\n2\tData page\t0\n3\tIndex root page\t0\n"
         "4\tData page\t0\n5\tUndefined types\t4\n6\tTransaction inventory page\t2\n"},
        {{"--types", "0,5"}, "2\tData page\t0\n4\tData page\t0\n5\tUndefined types\t4\n"},
        {{"--relation", "128"}, "2\tData page\t0\n"},
        {{"--types", "3,2", "--sort", "flags"},
         "1\tPage inventory page\t0\n6\tTransaction inventory page\t2\n"},
        {{"--types", ""}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"pages"};
        args.insert(args.end(), c.Options.begin(), c.Options.end());
        args.push_back(Path);
        const TResult r = Cli(args);
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Out, "Page\tTypes\tFlag\n" + c.Rows) << testing::PrintToString(c.Options);
    }
    const TResult sorted = Cli({"pages", "--sort", "type", Path});
    EXPECT_EQ(sorted.Out.substr(0, 40), "Page\tTypes\tFlag\n0\tDatabase header page\t0");
}

TEST_F(CliTest, RelationsAndGenerators) {
    EXPECT_EQ(Cli({"relations", Path}).Out, "20\n128\n");
    const TResult g = Cli({"generators", Path});
    EXPECT_EQ(g.Status, 0) << g.Err;
    EXPECT_EQ(g.Out, "0\tG1\t1\n");
}

TEST_F(CliTest, ErrorsAndUsage) {
    struct Case {
        std::vector<std::string> Args;
        int Status;
        std::string ErrPart;
    } cases[] = {
        {{}, 2, "no command"},
        {{"info"}, 2, "exactly one FILE"},
        {{"frobnicate", "x"}, 2, "unknown command"},
        {{"info", "--bogus", "x"}, 2, "unknown option"},
        {{"info", "--page-size", "3000", "x"}, 2, "--page-size must be"},
        {{"pages", "--relation", "x12", "x"}, 2, "'x12' is not a valid integer value"},
        {{"pages", "--sort", "size", "x"}, 2, "--sort must be"},
        {{"info", "/no/such/file.fdb"}, 1, "is not an existing file"},
    };
    for (const Case& c : cases) {
        const TResult r = Cli(c.Args);
        EXPECT_EQ(r.Status, c.Status) << testing::PrintToString(c.Args);
        EXPECT_NE(r.Err.find(c.ErrPart), std::string::npos) << r.Err;
        EXPECT_EQ(r.Out, "");
    }
    EXPECT_EQ(Cli({"--help"}).Status, 0);
    EXPECT_NE(Cli({"--version"}).Out.find("morvane-cli "), std::string::npos);
}

TEST_F(CliTest, UnrecognisedHeaderNeedsPageSize) {
    TDbBuilder b(2048, 0x800C);
    b.Put16(0, 16, 0).Typed(3, 5);
    const std::string path = b.Write(Dir.File("bad.fdb"));
    const TResult refused = Cli({"info", path});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err.rfind("It seems that file is not valid database!\n", 0), 0u) << refused.Err;
    EXPECT_NE(refused.Err.find("--page-size"), std::string::npos);
    const TResult given = Cli({"info", "--page-size", "2048", path});
    EXPECT_EQ(given.Status, 0) << given.Err;
    EXPECT_NE(given.Out.find("Pages: 4\n"), std::string::npos);
    const TResult valid = Cli({"info", "--page-size", "2048", Path}); // ignored when the header is fine
    EXPECT_NE(valid.Out.find("Page size: 1024\n"), std::string::npos);
}

TEST_F(CliTest, ReportsNeverWriteTheFile) {
    const auto before = test::ReadFileBytes(Path);
    for (const char* cmd : {"info", "pages", "relations", "generators"})
        Cli({cmd, Path});
    EXPECT_EQ(test::ReadFileBytes(Path), before);
}

TEST_F(CliTest, PageShowsTheCommonHeaderThenTheDecodedPage) {
    TDbBuilder b(1024, 10);
    b.Put32(0, 44, 51544).Put32(0, 48, 432000000).Put32(0, 36, 4294967295u);
    b.Typed(1, 9, 3).Put32(1, 4, 0xFFFFFFFF);
    const test::Bytes raw = {0, 0, 0, 0, 42, 0, 0, 0};
    b.Data(2, 128, 6,
           {test::TRecordSpec{test::Pack(raw), 0x0201, 77}, test::TRecordSpec{{}, 0, 0, true},
            test::TRecordSpec{{0xAB, 0xCD}, 0x0010, 5, false, 30}});
    const std::string path = b.Write(Dir.File("page.fdb"));

    const TResult header = Cli({"page", path, "0"});
    ASSERT_EQ(header.Status, 0) << header.Err;
    std::vector<std::string> lines;
    std::istringstream in(header.Out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u + 28u);
    EXPECT_EQ(lines[0], "Page Type\t1");
    EXPECT_EQ(lines[3], "Page Gene..\t0");
    EXPECT_EQ(lines[6], "Implementation\tWindows 9x");
    EXPECT_EQ(lines[6 + 21], "Next transaction id\t4294967295");
    EXPECT_EQ(lines[6 + 24], "Date and Time of creation\t2000-01-01 12:00:00");

    const TResult other = Cli({"page", path, "1"});
    EXPECT_EQ(other.Out,
              "Page Type\t9\nPage Flags\t3\nChecksum\t0\nPage Gene..\t-1\nWAL seqno\t0\nWAL offset\t0\n");

    const TResult data = Cli({"page", path, "2"});
    ASSERT_EQ(data.Status, 0) << data.Err;
    const std::string expectedTail =
        "Relation ID\t128\n# in relation\t6\n# of record segments\t3\n"
        "Slot\tOffset  -  length\tRecord\tFlags\tTransaction ID\tPacked\tUnPacked\n";
    EXPECT_NE(data.Out.find(expectedTail), std::string::npos) << data.Out;
    EXPECT_NE(data.Out.find("\tRecord\t513\t77\t" +
                            [&] {
                                std::string hex;
                                for (uint8_t v : test::Pack(raw))
                                    hex += "0123456789abcdef"[v >> 4], hex += "0123456789abcdef"[v & 15];
                                return hex;
                            }() +
                            "\t000000002a000000\n"),
              std::string::npos)
        << data.Out;
    EXPECT_NE(data.Out.find("\n1\t0 0\t\t\t\t\t\n"), std::string::npos);
    EXPECT_NE(data.Out.find("\tRecord blob\t16\t0\tabcd\tabcd\n"), std::string::npos) << data.Out;
}

TEST_F(CliTest, PageHexDumpAndPageErrors) {
    const TResult hex = Cli({"page", "--hex", Path, "3"});
    ASSERT_EQ(hex.Status, 0) << hex.Err;
    std::istringstream in(hex.Out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("0x", 0) == 0) rows.push_back(line);
    ASSERT_EQ(rows.size(), 64u); // 1024 bytes, 16 a row
    EXPECT_EQ(rows[0], "0x000: 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00  ................");
    EXPECT_EQ(rows[1].substr(0, 10), "0x010: 80 ");
    EXPECT_EQ(rows.back().substr(0, 7), "0x3F0: ");

    EXPECT_EQ(Cli({"page", Path, "7"}).Status, 1); // past the last page
    EXPECT_EQ(Cli({"page", Path, "-1"}).Status, 1);
    EXPECT_EQ(Cli({"page", Path}).Status, 2);
    EXPECT_EQ(Cli({"page", Path, "x"}).Status, 2);
}

#include <random>

// Damaged files are the normal input: whatever the bytes, every command ends with a message
// or a result, never outside a buffer (the tests run under the address sanitizer).
TEST(CliDamagedFiles, RandomPagesNeverCrashAnyCommand) {
    TTempDir dir;
    std::mt19937 rng(20261210);
    for (int round = 0; round < 6; ++round) {
        const int pageSize = 1024;
        TDbBuilder b(pageSize, round % 2 ? 10 : 0x800C);
        for (int p = 1; p < 24; ++p) {
            test::Bytes& page = b.Page(p);
            for (auto& v : page)
                v = static_cast<uint8_t>(rng());
            page[0] = static_cast<uint8_t>(1 + rng() % 10);
            if (rng() % 2) page[0] = 5;
            if (page[0] == 5 && rng() % 2) page[20] = 20, page[21] = 0; // some relation-20 pages
            if (rng() % 3 == 0) page[22] = static_cast<uint8_t>(rng() % 8), page[23] = 0; // few slots
        }
        const std::string path = b.Write(dir.File("junk" + std::to_string(round)), rng() % pageSize);
        for (const char* cmd : {"info", "pages", "relations", "generators"}) {
            const TResult r = Cli({cmd, path});
            EXPECT_TRUE(r.Status == 0 || (r.Status == 1 && !r.Err.empty())) << cmd << r.Err;
        }
        for (int p = 0; p < 24; ++p) {
            const TResult r = Cli({"page", "--hex", path, std::to_string(p)});
            EXPECT_EQ(r.Status, 0) << p << " " << r.Err;
        }
    }
}

TEST(CliExtract, TheSampleOrdersComeOutAsExportLines) {
    const std::string sample = MORVANE_SOURCE_DIR "/samples/sample.fdb";
    const TResult r = Cli({"extract", sample, "129"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.rfind("1;1;2024-03-01 09:00:00.0000;3.1415;2;order note 1;;\r\n", 0), 0u)
        << r.Out.substr(0, 200);
    EXPECT_NE(r.Out.find("\r\n3;3;2024-03-01 11:00:00.0000;9.4245;4;;;\r\n"), std::string::npos); // NULL note
    const TResult none = Cli({"extract", sample, "999"});
    EXPECT_EQ(none.Status, 1);
    EXPECT_EQ(none.Err, "Some troubles with extracting - no formats found.\n");
    EXPECT_EQ(Cli({"extract", sample}).Status, 2);
}
