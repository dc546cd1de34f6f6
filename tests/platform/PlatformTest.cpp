#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/IntConv.h"
#include "platform/Stream.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace morvane;

TEST(MemoryStream, ShortReadAndBadWriteRaiseTheirTexts) {
    TMemoryStream s(std::vector<uint8_t>{1, 2, 3});
    uint8_t buf[4] = {};
    s.Seek(1, TSeekOrigin::soBeginning);
    EXPECT_EQ(s.Read(buf, 4), 2);
    s.SetPosition(1);
    try {
        s.ReadBuffer(buf, 3);
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    s.SetPosition(-5);
    EXPECT_THROW(s.ReadBuffer(buf, 1), EStreamError);
    try {
        s.WriteBuffer(buf, 1); // negative position
        FAIL();
    } catch (const EStreamError& e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }
    s.Seek(0, TSeekOrigin::soEnd);
    s.WriteBuffer(buf, 2);
    EXPECT_EQ(s.Size(), 5);
}

TEST(StrToInt, AcceptsOnlyPlainDecimalIn32Bits) {
    struct Case {
        const char* Text;
        bool Ok;
        int32_t Value;
    } cases[] = {
        {"0", true, 0},
        {"123", true, 123},
        {"-17", true, -17},
        {"+5", true, 5},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"0x10", false, 0},
        {"1,000", false, 0},
        {"12a", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        if (c.Ok) {
            EXPECT_EQ(StrToInt(c.Text), c.Value);
        } else {
            try {
                StrToInt(c.Text);
                FAIL();
            } catch (const EConvertError& e) {
                EXPECT_EQ(std::string(e.what()),
                          std::string("'") + c.Text + "' is not a valid integer value");
            }
        }
    }
}

TEST(OSFile, FailuresCarryTheSystemCodeAndText) {
    TOSFile f;
    try {
        f.Open("/nonexistent/dir/file.fdb");
        FAIL();
    } catch (const EOSError& e) {
        EXPECT_EQ(e.Code, ENOENT);
        EXPECT_EQ(std::string(e.what()), std::string("System Error.  Code: 2.\r\n") + std::strerror(ENOENT));
    }
}

TEST(OSFile, ReadsShortAtEndAndWritesAtLargeOffsets) {
    test::TTempDir dir;
    const std::string path = dir.File("f.bin");
    test::TDbBuilder(1024).Write(path, 10);
    TOSFile f;
    f.Open(path);
    std::vector<uint8_t> buf(100, 0xEE);
    EXPECT_EQ(f.ReadAt(1024 - 5, buf.data(), 100), 15);
    EXPECT_EQ(f.ReadAt(5000, buf.data(), 100), 0);
    const int64_t far = int64_t(5) << 30; // past 4 GiB: offsets are 64-bit
    f.WriteAt(far, "xy", 2);
    EXPECT_EQ(f.Size(), far + 2);
    char back[2] = {};
    EXPECT_EQ(f.ReadAt(far, back, 2), 2);
    EXPECT_EQ(std::string(back, 2), "xy");
    EXPECT_THROW(f.ReadAt(-1, buf.data(), 1), EOSError);
}

TEST(OSFile, ReadOnlyOpenRefusesWrites) {
    test::TTempDir dir;
    const std::string path = test::TDbBuilder(1024).Write(dir.File("f.bin"));
    TOSFile f;
    f.Open(path, true);
    EXPECT_THROW(f.WriteAt(0, "x", 1), EOSError);
    EXPECT_EQ(test::ReadFileBytes(path)[0], 1);
}
