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
        b.Typed(1, 2).Data(2, 128, 0, {}).IndexRoot(3, 128).Data(4, 20, 0, {test::TRecordSpec{test::Pack(
            [] {
                test::Bytes r(76, 0);
                r[4] = 'G';
                r[5] = '1';
                r[74] = 1;
                return r;
            }())}}).Typed(5, 0x85, 4).Typed(6, 3, 2);
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
        {{}, "0\tDatabase header page\t0\n1\tPage inventory page\t0\n2\tData page\t0\n3\tIndex root page\t0\n"
             "4\tData page\t0\n5\tUndefined types\t4\n6\tTransaction inventory page\t2\n"},
        {{"--types", "0,5"}, "2\tData page\t0\n4\tData page\t0\n5\tUndefined types\t4\n"},
        {{"--relation", "128"}, "2\tData page\t0\n"},
        {{"--types", "3,2", "--sort", "flags"}, "1\tPage inventory page\t0\n6\tTransaction inventory page\t2\n"},
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
    for (const char* cmd : {"info", "pages", "relations", "generators"}) Cli({cmd, Path});
    EXPECT_EQ(test::ReadFileBytes(Path), before);
}
