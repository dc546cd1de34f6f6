// Databases made by the real engine, compared with what the engine's own tools say.
#include "support/Engine.h"
#include "core/uRelationID.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

using namespace morvane;

namespace {

class RealDatabase : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!test::EngineAvailable()) return;
        Dir = new test::TTempDir();
        Path = Dir->File("real.fdb");
        std::ostringstream script;
        script << "CREATE DATABASE '" << Path << "' PAGE_SIZE 4096 USER 'SYSDBA';\n"
               << "CREATE TABLE ALPHA (ID INTEGER NOT NULL PRIMARY KEY, NAME VARCHAR(40));\n"
               << "CREATE TABLE BETA (ID INTEGER, AMOUNT NUMERIC(12,2), WHEN_AT TIMESTAMP);\n"
               << "CREATE GENERATOR GEN_ALPHA;\nCREATE SEQUENCE SEQ_BETA;\nCOMMIT;\n"
               << "SET TERM ^;\nEXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN\n"
               << "  WHILE (I < 500) DO BEGIN\n"
               << "    INSERT INTO ALPHA VALUES (:I, 'name ' || :I);\n"
               << "    INSERT INTO BETA VALUES (:I, :I * 1.5, CURRENT_TIMESTAMP);\n"
               << "    I = I + 1; END END^\nSET TERM ;^\nCOMMIT;\n"
               << "SELECT 'REL=' || RDB$RELATION_ID FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0;\n"
               << "SELECT 'GEN=' || TRIM(RDB$GENERATOR_NAME) FROM RDB$GENERATORS;\n";
        IsqlOutput = test::RunIsql(script.str());
    }
    static void TearDownTestSuite() {
        delete Dir;
        Dir = nullptr;
    }
    void SetUp() override {
        if (!test::EngineAvailable()) GTEST_SKIP() << "the database engine's tools are not installed";
        ASSERT_TRUE(std::filesystem::exists(Path)) << IsqlOutput;
    }
    static std::vector<std::string> Tagged(const std::string& tag) {
        std::vector<std::string> out;
        std::istringstream in(IsqlOutput);
        for (std::string line; std::getline(in, line);) {
            const auto at = line.find(tag);
            if (at == std::string::npos) continue;
            std::string v = line.substr(at + tag.size());
            v.erase(v.find_last_not_of(" \r") + 1);
            out.push_back(v);
        }
        return out;
    }

    static test::TTempDir* Dir;
    static std::string Path;
    static std::string IsqlOutput;
};

test::TTempDir* RealDatabase::Dir = nullptr;
std::string RealDatabase::Path;
std::string RealDatabase::IsqlOutput;

} // namespace

TEST_F(RealDatabase, HeaderAgreesWithTheEngineStatistics) {
    const std::string stats = test::RunCommand("fbstat -h " + Path);
    const auto field = [&](const std::string& label) {
        const auto at = stats.find(label);
        EXPECT_NE(at, std::string::npos) << stats;
        return at == std::string::npos ? -1 : std::stoi(stats.substr(at + label.size()));
    };
    const int enginePageSize = field("Page size");
    const int engineMajor = field("ODS version");

    TBaseFile file;
    TAnalyser* a = file.Open(Path);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->PageSize(), enginePageSize);
    EXPECT_EQ(a->ODSVersion() & 0x7FFF, engineMajor);
    EXPECT_EQ(a->PageCount(), std::filesystem::file_size(Path) / enginePageSize);
    EXPECT_EQ(a->PageTable().Entry(0).Type, ptHeader);
}

TEST_F(RealDatabase, UserRelationsAreInTheRelationList) {
    TBaseFile file;
    TAnalyser* a = file.Open(Path);
    ASSERT_NE(a, nullptr);
    std::set<int> listed;
    for (size_t i = 0; i < a->PageTable().RelationCount(); ++i)
        listed.insert(a->PageTable().RelationAt(i));
    const auto ids = Tagged("REL=");
    ASSERT_EQ(ids.size(), 2u) << IsqlOutput;
    for (const std::string& id : ids)
        EXPECT_TRUE(listed.count(std::stoi(id))) << id;
    EXPECT_TRUE(listed.count(20));
}

TEST_F(RealDatabase, GeneratorListHasOneEntryPerSlotOfRelation20) {
    TBaseFile file;
    TAnalyser* a = file.Open(Path);
    ASSERT_NE(a, nullptr);
    // Count the slots independently, straight from the file's bytes.
    const test::Bytes bytes = test::ReadFileBytes(Path);
    const size_t ps = a->PageSize();
    int slots = 0;
    for (size_t p = 0; p < bytes.size() / ps; ++p) {
        const uint8_t* page = bytes.data() + p * ps;
        if (page[0] == 5 && (page[20] | page[21] << 8) == 20) slots += page[22] | page[23] << 8;
    }
    const TRelationID20 gens(file);
    EXPECT_EQ(gens.Count(), slots);
    const auto names = Tagged("GEN=");
    ASSERT_GE(names.size(), 2u) << IsqlOutput;
    for (const std::string& name : names) {
        bool found = false;
        for (int32_t i = 0; i < gens.Count() && !found; ++i) {
            std::string n = gens.NameAt(i);
            n.erase(n.find_last_not_of(' ') + 1);
            found = n == name;
        }
        EXPECT_TRUE(found) << name;
    }
}
