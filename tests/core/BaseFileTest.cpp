#include "core/uBaseTools.h"
#include "platform/Errors.h"
#include "support/DbBuilder.h"

#include <gtest/gtest.h>

#include <memory>

using namespace morvane;
using test::Bytes;
using test::TDbBuilder;
using test::TTempDir;

namespace {

class BaseFile : public testing::Test {
  protected:
    void Open(TDbBuilder& b, size_t trailing = 0) {
        Path = b.Write(Dir.File("db.fdb"), trailing);
        ASSERT_NE(File.Open(Path), nullptr);
    }
    Bytes PageOnDisk(int n) const {
        const Bytes all = test::ReadFileBytes(Path);
        return Bytes(all.begin() + n * 1024, all.begin() + (n + 1) * 1024);
    }
    TAnalyser& A() { return *File.Analyser(); }

    TTempDir Dir;
    std::string Path;
    TBaseFile File;
};

void Poke(TPageFile& p, int offset, uint8_t value) {
    p.Data().Seek(offset, TSeekOrigin::soBeginning);
    p.Data().WriteBuffer(&value, 1);
}

} // namespace

TEST_F(BaseFile, GetPageBufferSharesUntilTheOwnerDestroysIt) {
    TDbBuilder b(1024);
    b.Data(3, 12, 0, {});
    Open(b);
    std::unique_ptr<TPageFile> first(File.GetPageBuffer(3));
    EXPECT_EQ(File.GetPageBuffer(3), first.get());
    EXPECT_EQ(File.Buffers().size(), 1u);
    EXPECT_EQ(first->PageSize(), 1024);
    EXPECT_EQ(first->Data().Size(), 1024);
    EXPECT_EQ(first->PageCaption(), " Data page #3 ");
    Poke(*first, 20, 99); // an unsaved change lives in this buffer only
    first.reset();
    EXPECT_TRUE(File.Buffers().empty());
    std::unique_ptr<TPageFile> again(File.GetPageBuffer(3));
    EXPECT_EQ(again->Data().Memory()[20], 12);
}

TEST_F(BaseFile, CaptionsAndTypeKeepWhatWasReadAtCreation) {
    TDbBuilder b(1024);
    b.Typed(2, 200);
    Open(b);
    std::unique_ptr<TPageFile> header(File.GetPageBuffer(0));
    EXPECT_EQ(header->PageCaption(), " Database header page #0 ");
    std::unique_ptr<TPageFile> odd(File.GetPageBuffer(2));
    EXPECT_EQ(odd->PageCaption(), " Undefined types #2 ");
    Poke(*odd, 0, 5);
    odd->WritePage();
    EXPECT_EQ(odd->PageTypeCode(), ptUndefined);
    EXPECT_EQ(A().PageTable().Entry(2).Type, 5);
}

TEST_F(BaseFile, PageBeyondTheEndReadsAsZeros) {
    TDbBuilder b(1024);
    b.Typed(1, 7);
    Open(b, 10); // 10 stray bytes after page 1
    std::unique_ptr<TPageFile> partial(File.GetPageBuffer(2));
    EXPECT_EQ(partial->Data().Size(), 1024);
    EXPECT_EQ(partial->Data().Memory()[9], 7);
    for (int i = 10; i < 1024; ++i)
        ASSERT_EQ(partial->Data().Memory()[i], 0) << i;
    std::unique_ptr<TPageFile> far(File.GetPageBuffer(50));
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(far->Data().Memory()[i], 0);
}

TEST_F(BaseFile, WritePageWritesTheBufferAndRescansItsEntry) {
    TDbBuilder b(1024);
    b.Typed(1, 2).Data(2, 12, 0, {});
    Open(b);
    A().SetRelationFilter(12);
    EXPECT_EQ(A().VisibleCount(), 1u);
    std::unique_ptr<TPageFile> p(File.GetPageBuffer(1));
    const Bytes before = PageOnDisk(1);
    p->WritePage(); // unchanged bytes: same bytes, entry refreshed
    EXPECT_EQ(PageOnDisk(1), before);
    Poke(*p, 0, 5);
    Poke(*p, 20, 12);
    p->WritePage();
    EXPECT_EQ(PageOnDisk(1)[0], 5);
    EXPECT_EQ(A().VisibleCount(), 2u);
    A().RebuildSuspended = true;
    Poke(*p, 20, 13);
    p->WritePage();
    EXPECT_EQ(A().PageTable().Entry(1).Relation, 13);
    EXPECT_EQ(A().VisibleCount(), 2u); // stale until the next rebuild
}

TEST_F(BaseFile, CloseWritesRemainingBuffersOnlyWhenSaving) {
    TDbBuilder b(1024);
    b.Page(3);
    Open(b);
    TPageFile* p1 = File.GetPageBuffer(1);
    TPageFile* p2 = File.GetPageBuffer(2);
    Poke(*p1, 100, 0xAA);
    Poke(*p2, 100, 0xBB);
    EXPECT_TRUE(File.Close(false));
    EXPECT_FALSE(File.Close(false));
    EXPECT_EQ(PageOnDisk(1)[100], 0);
    EXPECT_EQ(PageOnDisk(2)[100], 0);

    ASSERT_NE(File.Open(Path), nullptr);
    Poke(*File.GetPageBuffer(1), 100, 0xAA);
    EXPECT_TRUE(File.Close(true));
    EXPECT_TRUE(File.Buffers().empty());
    EXPECT_EQ(PageOnDisk(1)[100], 0xAA);
}

TEST_F(BaseFile, DestructorAsksAndSavesOnlyOnYes) {
    TDbBuilder b(1024);
    b.Page(2);
    Path = b.Write(Dir.File("db.fdb"));
    for (bool answer : {false, true}) {
        auto f = std::make_unique<TBaseFile>();
        ASSERT_NE(f->Open(Path), nullptr);
        int asked = 0;
        f->AskSaveOnDestroy = [&] {
            ++asked;
            return answer;
        };
        Poke(*f->GetPageBuffer(1), 5, 0x5A);
        f.reset();
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(PageOnDisk(1)[5], answer ? 0x5A : 0);
    }
}

TEST_F(BaseFile, CopyPageInsideTheTableOverwritesTargetOnly) {
    TDbBuilder b(1024);
    b.Data(1, 12, 4, {}).Typed(2, 7).Typed(3, 8);
    Open(b);
    std::unique_ptr<TPageFile> src(File.GetPageBuffer(1));
    Poke(*src, 500, 0x42); // an unsaved edit in the buffer is what gets copied
    File.CopyPage(3, 1);
    EXPECT_EQ(A().PageTable().EntryCount(), 4u);
    EXPECT_EQ(PageOnDisk(3)[500], 0x42);
    EXPECT_EQ(PageOnDisk(3)[0], 5);
    EXPECT_EQ(A().PageTable().Entry(3).Relation, 12);
    EXPECT_EQ(A().PageTable().Entry(2).Type, 7);
    EXPECT_EQ(File.Buffers().size(), 1u); // the target buffer it made is gone
}

TEST_F(BaseFile, CopyPageOntoAnOpenBufferReplacesItsBytes) {
    TDbBuilder b(1024);
    b.Typed(1, 4).Typed(2, 7);
    Open(b);
    std::unique_ptr<TPageFile> src(File.GetPageBuffer(1));
    std::unique_ptr<TPageFile> dst(File.GetPageBuffer(2));
    File.CopyPage(2, 1);
    EXPECT_EQ(dst->Data().Memory()[0], 4);
    EXPECT_EQ(PageOnDisk(2)[0], 4);
    EXPECT_EQ(File.Buffers().size(), 2u);
}

TEST_F(BaseFile, CopyPageBeyondTheTableGrowsFileAndTable) {
    TDbBuilder b(1024);
    b.Typed(1, 9).Typed(2, 3);
    Open(b); // e = 3
    std::unique_ptr<TPageFile> src(File.GetPageBuffer(1));
    File.CopyPage(6, 1); // t = e + 3
    const TMemTable& t = A().PageTable();
    ASSERT_EQ(t.EntryCount(), 7u);
    EXPECT_EQ(t.Entry(6).Type, 9);
    for (int p = 3; p <= 5; ++p)
        EXPECT_EQ(t.Entry(p).Type, 0) << p; // read back: the gap is zeros
    EXPECT_EQ(test::ReadFileBytes(Path).size(), 7u * 1024u);
    EXPECT_EQ(A().VisibleCount(), 7u);
}

TEST_F(BaseFile, CopyPageWithoutSourceBufferReadsTheFileOrRefuses) {
    TDbBuilder b(1024);
    b.Typed(1, 9).Typed(2, 3);
    Open(b, 100);
    File.CopyPage(2, 1); // no buffer of page 1: read from the file
    EXPECT_EQ(PageOnDisk(2)[0], 9);
    EXPECT_TRUE(File.Buffers().empty());

    const Bytes before = test::ReadFileBytes(Path);
    try {
        File.CopyPage(10, 4); // page 4 lies wholly past the end
        FAIL();
    } catch (const EError& e) {
        EXPECT_NE(std::string(e.what()).find("beyond the end of the file"), std::string::npos);
    }
    EXPECT_EQ(test::ReadFileBytes(Path), before);
    EXPECT_EQ(A().PageTable().EntryCount(), 3u);
    EXPECT_THROW(File.CopyPage(-1, 1), EError);
    EXPECT_THROW(File.CopyPage(1, -1), EError);
}

TEST_F(BaseFile, WriteAllWritesEveryRegisteredBuffer) {
    TDbBuilder b(1024);
    b.Page(3);
    Open(b);
    std::unique_ptr<TPageFile> p1(File.GetPageBuffer(1)), p3(File.GetPageBuffer(3));
    Poke(*p1, 7, 1);
    Poke(*p3, 7, 3);
    File.WriteAll();
    EXPECT_EQ(PageOnDisk(1)[7], 1);
    EXPECT_EQ(PageOnDisk(3)[7], 3);
}

TEST_F(BaseFile, ReopeningClosesTheFirstFileWritingItsBuffers) {
    TDbBuilder b(1024);
    b.Page(2);
    Open(b);
    Poke(*File.GetPageBuffer(1), 9, 0x11);
    const std::string second = TDbBuilder(2048).Write(Dir.File("two.fdb"));
    TAnalyser* a = File.Open(second);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->PageSize(), 2048);
    EXPECT_EQ(PageOnDisk(1)[9], 0x11);
    EXPECT_EQ(File.FileName(), second);
}
