#include "editors/TBTreeNode.h"
#include "editors/TIndexRoot.h"
#include "editors/uHeaderEditor.h"
#include "editors/ufmHeaderEditor.h"
#include "hexview/hexeditor.h"
#include "pages/DataPage.h"
#include "platform/Errors.h"
#include "platform/Settings.h"
#include "records/TDataEditor.h"
#include "records/ufmDataEditor.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/EditorFixture.h"
#include "support/Engine.h"
#include "support/ScriptedDialogs.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <sstream>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;

namespace {

class PageEditors : public test::TEditorFixture {
  protected:
    editors::TDataPageEditor* OpenData(int page) { return OpenAs<editors::TDataPageEditor>(page); }
    void Select(editors::TDataPageEditor* e, int slot) {
        QListWidget* list = e->Window()->lbOffsets;
        list->setCurrentRow(slot);
        emit list->itemClicked(list->item(slot));
    }
};

Bytes Record(int32_t key, const std::string& text) {
    Bytes r = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i)
        r.push_back(static_cast<uint8_t>(key >> (8 * i)));
    r.insert(r.end(), text.begin(), text.end());
    return r;
}

} // namespace

TEST_F(PageEditors, HeaderEditorShowsItsRowsAndKeepsThemAfterAHexEditAndSave) {
    TDbBuilder b(2048, 0x800C);
    b.Put32(0, 36, 12345).Put16(0, 60, 3).Put32(0, 44, 51544).Put32(0, 48, 432000000);
    b.Page(3);
    Open(b);
    auto* e = dynamic_cast<editors::THeaderEditor*>(M().OpenPageEditor(0));
    ASSERT_NE(e, nullptr);
    editors::TfmHeaderEditor* form = e->Window();
    EXPECT_EQ(form->TitleBand()->text(), " Header Page");
    EXPECT_EQ(form->Tabs()->tabText(0), "Special Header Editor");
    EXPECT_EQ(form->Tabs()->tabText(1), "HEX Header Editor");
    EXPECT_EQ(form->Tabs()->currentIndex(), 0);
    EXPECT_EQ(form->Tabs()->tabPosition(), QTabWidget::South);
    EXPECT_EQ(form->HeaderField(0)->text(), "1");
    ui::TGridView* grid = form->Grid();
    ASSERT_EQ(grid->RowCount(), 28);
    EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Parameter Name");
    EXPECT_EQ(grid->CellText(1, 0), "Reserved");
    EXPECT_EQ(grid->CellText(1, 13), "2048");
    EXPECT_EQ(grid->CellText(1, 21), "12345");
    EXPECT_TRUE(grid->CellText(1, 24).contains("12")) << grid->CellText(1, 24).toStdString();

    QTest::keyClick(form->HeaderHexEditor(), Qt::Key_Down);
    QTest::keyClick(form->HeaderHexEditor(), Qt::Key_Down);
    QTest::keyClicks(form->HeaderHexEditor(), "99"); // byte 32
    QTest::keyClick(form->HeaderHexEditor(), Qt::Key_Tab);
    e->SavePage();
    EXPECT_EQ(PageOnDisk(0)[32], 0x99);
    EXPECT_EQ(grid->CellText(1, 20), "0"); // read once, at opening
    EXPECT_FALSE(form->HeaderHexEditor()->Modified());
}

TEST_F(PageEditors, DataEditorListsSlotsAndShowsRecords) {
    TDbBuilder b(1024);
    b.Data(1, 12, 4,
           {TRecordSpec{test::Pack(Record(7, "seven")), 0x0201, 42}, TRecordSpec{{}, 0, 0, true},
            TRecordSpec{Bytes{9, 8, 7}, rhd_incomplete | rhd_blob, 99, false, 30}, TRecordSpec{{}, 0, 55}});
    Open(b);
    editors::TDataPageEditor* e = OpenData(1);
    editors::TfmDataEditor* form = e->Window();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->TitleBand()->text(), " Data Page");
    EXPECT_EQ(form->lbOffsets->count(), 4);
    EXPECT_EQ(form->lbOffsets->item(1)->text(), "0 0");
    EXPECT_EQ(form->dpg_relation->text(), "12");
    EXPECT_EQ(form->dpg_sequence->text(), "4");
    EXPECT_EQ(form->dp_rec_count->text(), "4");
    EXPECT_FALSE(form->RecordTabs->isTabVisible(2));
    EXPECT_EQ(form->lblOffset->text(), "0 0");
    EXPECT_EQ(e->Records().size(), 3u);

    Select(e, 0);
    EXPECT_EQ(form->lblRECORD->text(), "Record");
    EXPECT_EQ(form->ed_rhd_transaction->text(), "42");
    EXPECT_EQ(form->lblOffset->text(), QString("Offset=%1 Length=%2")
                                           .arg(form->lbOffsets->item(0)->text().split(' ')[0])
                                           .arg(form->lbOffsets->item(0)->text().split(' ')[1]));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(form->FlagBoxes[static_cast<size_t>(i)]->isChecked(), i == 0 || i == 9) << i;
    EXPECT_EQ(form->heRecord->Model().DataSize(), 13);
    EXPECT_EQ(form->heRecord->Model().ByteAt(4), 7);
    EXPECT_EQ(form->hxPacked->Model().DataSize(),
              static_cast<int64_t>(test::Pack(Record(7, "seven")).size()));
    EXPECT_FALSE(form->heRecord->Model().HasSelection());
    EXPECT_TRUE(form->heRecord->ReadOnlyView());
    EXPECT_EQ(form->HeaderHexEditor()->objectName(), "HeaderHexEditor");

    Select(e, 1); // an empty slot: only the label moves
    EXPECT_EQ(form->lblOffset->text(), "Offset=0 Length=0");
    EXPECT_EQ(form->lblRECORD->text(), "Record");

    Select(e, 2);
    EXPECT_EQ(form->lblRECORD->text(), "Record blob");
    EXPECT_EQ(form->ed_rhd_transaction->text(), "0");
    EXPECT_EQ(form->hxPacked->Model().DataSize(), 3);
    EXPECT_EQ(form->heRecord->Model().DataSize(), 3);
    EXPECT_EQ(form->heRecord->Model().ByteAt(0), 9);
    EXPECT_TRUE(Dialogs.Shown.empty());

    Select(e, 3); // stored data empty
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0], "Selected record cannot be displayed");
}

TEST_F(PageEditors, RelationZeroShowsThePageAllocationTab) {
    Bytes pages = {0, 0, 0, 0};
    auto put = [&](int32_t v, int width) {
        for (int i = 0; i < width; ++i)
            pages.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put(321, 4);
    put(12, 2);
    pages.insert(pages.end(), {0, 0});
    put(5, 4);
    put(4, 2);
    TDbBuilder b(1024);
    b.Data(1, 0, 0, {TRecordSpec{test::Pack(pages), 0, 1}});
    Open(b);
    editors::TDataPageEditor* e = OpenData(1);
    editors::TfmDataEditor* form = e->Window();
    ASSERT_TRUE(form->RecordTabs->isTabVisible(2));
    EXPECT_EQ(form->RecordTabs->tabText(2), "As Values - only RDB$Pages");
    Select(e, 0);
    EXPECT_EQ(form->edPageNum->text(), ""); // filled only while the tab is active
    form->RecordTabs->setCurrentIndex(2);
    Select(e, 0);
    EXPECT_EQ(form->edPageNum->text(), "321");
    EXPECT_EQ(form->edRelationID->text(), "12");
    EXPECT_EQ(form->edPageSequence->text(), "5");
    EXPECT_EQ(form->edPageType->text(), "4");
}

TEST_F(PageEditors, DataEditorSavesTheHexViewWithAWindowAndTheHeaderWithout) {
    TDbBuilder b(1024);
    b.Data(1, 12, 4, {TRecordSpec{test::Pack(Record(1, "x")), 0, 1}});
    Open(b);
    const Bytes before = PageOnDisk(1);
    editors::TDataPageEditor* e = OpenData(1);
    e->Window()->Tabs()->setCurrentIndex(1);
    QTest::keyClick(e->Window()->HeaderHexEditor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(e->Window()->HeaderHexEditor(), "ab");
    e->SavePage();
    Bytes expected = before;
    expected[1023] = 0xAB;
    EXPECT_EQ(PageOnDisk(1), expected);
    Dialogs.Answers = {};
    qobject_cast<QMdiSubWindow*>(e->Window()->parentWidget())->close();
    QApplication::processEvents();

    M().SetDataPageSequence(9, 1);
    Bytes renumbered = PageOnDisk(1);
    EXPECT_EQ(renumbered[16], 9);
    renumbered[16] = 4;
    EXPECT_EQ(renumbered, expected); // nothing but the sequence changed
    EXPECT_EQ(M().Analyser()->PageTable().Entry(1).Sequence, 9);
    EXPECT_TRUE(M().Editors().empty());
}

TEST_F(PageEditors, CollectionsSkipIndexRootAndNonDataPagesAndFillGaps) {
    TDbBuilder b(1024);
    b.IndexRoot(1, 40)
        .Data(2, 40, 2,
              {TRecordSpec{test::Pack(Record(1, "a")), 0, 1}, TRecordSpec{test::Pack(Record(2, "b")), 0, 1}})
        .Data(3, 40, 0, {TRecordSpec{test::Pack(Record(3, "c")), 0, 1}})
        .Data(4, 40, 5, {TRecordSpec{{}, 0, 0, true}, TRecordSpec{test::Pack(Record(4, "d")), 0, 1}})
        .IndexRoot(5, 41);
    Open(b);
    const auto records = M().CollectRecords(40);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].Body, test::Pack(Record(1, "a")));
    EXPECT_EQ(records[2].Body, test::Pack(Record(3, "c")));
    EXPECT_FALSE(M().Collecting());
    EXPECT_TRUE(M().Editors().empty());
    EXPECT_TRUE(M().File().Buffers().empty());
    EXPECT_TRUE(M().CollectRecords(41).empty()); // only an index root page
    EXPECT_TRUE(M().CollectRecords(77).empty());

    const std::vector<TDataPageRef> filled = M().CollectDataPages(40, 1);
    EXPECT_EQ(filled, (std::vector<TDataPageRef>{{0, 3}, {1, 0}, {2, 2}, {3, 0}, {4, 0}, {5, 4}}));
    const std::vector<TDataPageRef> plain = M().CollectDataPages(40, 0);
    EXPECT_EQ(plain, (std::vector<TDataPageRef>{{0, 3}, {2, 2}, {5, 4}}));
}

TEST_F(PageEditors, CollectionsKeepADataPageThatComesBeforeTheIndexRootPage) {
    TDbBuilder b(1024);
    b.Data(1, 50, 0, {TRecordSpec{test::Pack(Record(1, "first")), 0, 1}})
        .IndexRoot(2, 50)
        .Data(3, 50, 1, {TRecordSpec{test::Pack(Record(2, "second")), 0, 1}});
    Open(b);
    const auto records = M().CollectRecords(50);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Body, test::Pack(Record(1, "first")));
    EXPECT_EQ(M().CollectDataPages(50, 0), (std::vector<TDataPageRef>{{0, 1}, {1, 3}}));
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(PageEditors, RenumberingWritesSequencesInOrderAndRestoresTheRebuild) {
    TDbBuilder b(1024);
    b.IndexRoot(1, 40).Data(2, 40, 7, {}).Data(3, 40, 3, {}).Data(4, 40, 9, {});
    Open(b);
    const auto pages = M().CollectDataPages(40, 2);
    EXPECT_EQ(pages, (std::vector<TDataPageRef>{{0, 3}, {1, 2}, {2, 4}}));
    EXPECT_EQ(PageOnDisk(3)[16], 0);
    EXPECT_EQ(PageOnDisk(2)[16], 1);
    EXPECT_EQ(PageOnDisk(4)[16], 2);
    EXPECT_FALSE(M().Analyser()->RebuildSuspended);
    EXPECT_FALSE(M().Collecting());
}

TEST_F(PageEditors, APageOpenInAWindowIsLeftUndisturbedByCollections) {
    TDbBuilder b(1024);
    b.IndexRoot(1, 40).Data(2, 40, 1, {TRecordSpec{test::Pack(Record(1, "a")), 0, 1}}).Data(3, 40, 0, {});
    Open(b);
    editors::TDataPageEditor* open = OpenData(2);
    QTest::keyClicks(open->Window()->HeaderHexEditor(), "ff"); // unsaved typing in the window
    const auto records = M().CollectRecords(40);
    EXPECT_EQ(records.size(), 1u);
    ASSERT_EQ(M().Editors().size(), 1u);
    EXPECT_EQ(M().Editors()[0], open);
    EXPECT_EQ(open->Records().size(), 1u);
    EXPECT_EQ(Window.Workspace()->subWindowList().size(), 1);
    EXPECT_TRUE(open->Window()->HeaderHexEditor()->Modified());

    const auto renumbered = M().CollectDataPages(40, 2);
    EXPECT_EQ(renumbered, (std::vector<TDataPageRef>{{0, 3}, {1, 2}}));
    EXPECT_EQ(M().Editors()[0], open);
    EXPECT_EQ(PageOnDisk(2)[16], 1);
    EXPECT_EQ(PageOnDisk(2)[0], 5); // the window's unsaved typing was not written
}

TEST_F(PageEditors, RealEngineRecordsAndHeaderAgreeWithTheEngine) {
    if (!test::EngineAvailable()) GTEST_SKIP() << "the database engine's tools are not installed";
    const std::string path = Dir.File("real.fdb");
    std::ostringstream script;
    script << "CREATE DATABASE '" << path << "' PAGE_SIZE 4096 USER 'SYSDBA';\n"
           << "CREATE TABLE T (ID INTEGER NOT NULL, NAME VARCHAR(8));\nCOMMIT;\n"
           << "SET TERM ^;\nEXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN\n"
           << "  WHILE (I < 700) DO BEGIN INSERT INTO T VALUES (:I * 3 + 1, 'n' || :I); I = I + 1; END END^\n"
           << "SET TERM ;^\nCOMMIT;\n"
           << "SELECT 'COUNT=' || COUNT(*) FROM T;\n"
           << "SELECT 'REL=' || RDB$RELATION_ID FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'T';\n";
    const std::string out = test::RunIsql(script.str());
    auto tagged = [&](const std::string& tag) {
        const auto at = out.find(tag);
        return at == std::string::npos ? -1 : std::stoi(out.substr(at + tag.size()));
    };
    const int count = tagged("COUNT=");
    const int relation = tagged("REL=");
    ASSERT_EQ(count, 700) << out;
    Window.OpenFlow(QString::fromStdString(path));
    ASSERT_TRUE(Window.GetManager()->IsOpen());
    const auto records = M().CollectRecords(relation);
    ASSERT_EQ(static_cast<int>(records.size()), count);
    std::vector<int32_t> keys;
    for (const IBRec& rec : records) {
        ASSERT_EQ(rec.RecordKind, rkRecord);
        TMemoryStream stored(rec.Body);
        TRecordImage image;
        image.Data = rec.Body;
        const TRecordBytes bytes = RecordBytes(image);
        ASSERT_GE(bytes.Unpacked.size(), 8u);
        keys.push_back(static_cast<int32_t>(bytes.Unpacked[4] | bytes.Unpacked[5] << 8 |
                                            bytes.Unpacked[6] << 16 | bytes.Unpacked[7] << 24));
    }
    std::sort(keys.begin(), keys.end());
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(keys[static_cast<size_t>(i)], i * 3 + 1);

    auto* header = dynamic_cast<editors::THeaderEditor*>(M().OpenPageEditor(0));
    ASSERT_NE(header, nullptr);
    const std::string stats = test::RunCommand("fbstat -h " + path);
    auto stat = [&](const std::string& label) {
        const auto at = stats.find(label);
        return at == std::string::npos ? std::string("?")
                                       : std::to_string(std::stoul(stats.substr(at + label.size())));
    };
    ui::TGridView* grid = header->Window()->Grid();
    EXPECT_EQ(grid->CellText(1, 13).toStdString(), stat("Page size"));
    EXPECT_EQ(grid->CellText(1, 21).toStdString(), stat("Next transaction"));
    EXPECT_EQ(grid->CellText(1, 19).toStdString(), stat("Oldest transaction"));
    EXPECT_EQ(grid->CellText(1, 20).toStdString(), stat("Oldest active"));
    EXPECT_EQ(grid->CellText(1, 25).toStdString(), stat("Next attachment ID"));
}

TEST_F(PageEditors, ScreenshotsOfBothEditorsOnTheSample) {
    Window.resize(1200, 760);
    Window.show();
    Window.OpenFlow(MORVANE_SOURCE_DIR "/samples/sample.fdb");
    ASSERT_TRUE(Window.GetManager()->IsOpen());
    auto* header = dynamic_cast<editors::THeaderEditor*>(M().OpenPageEditor(0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Window()->Grid()->CellText(1, 13), "4096");
    const auto& table = M().Analyser()->PageTable();
    const int32_t dataPage = table.RelationPageAt(table.RelationAt(table.RelationCount() - 1), 1);
    editors::TDataPageEditor* data = OpenData(dataPage);
    ASSERT_NE(data, nullptr);
    EXPECT_GT(data->Window()->lbOffsets->count(), 0);
    Select(data, 0);
    EXPECT_TRUE(Dialogs.Shown.empty());
    QApplication::processEvents();
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR")) {
        data->Window()->grab().save(QString::fromLocal8Bit(dir) + "/data-editor.png");
        header->Window()->grab().save(QString::fromLocal8Bit(dir) + "/header-editor.png");
    }
    Window.CloseCommand();
}

TEST_F(PageEditors, ABadStoredLineLengthIsShownAndTheWindowStillOpens) {
    Settings.Values[{"SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Main", "BytesPerLine"}] = 300;
    Settings.Values[{"SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Main", "OffsetDisplay"}] = 2;
    Settings.Values[{"SOFTWARE\\MorvaneTeam\\Morvane\\Hex\\Record", "BytesPerLine"}] = 8;
    TDbBuilder b(1024);
    b.Data(1, 12, 0, {});
    Open(b);
    editors::TDataPageEditor* e = OpenData(1);
    ASSERT_NE(e->Window(), nullptr);
    EXPECT_EQ(Dialogs.Shown, (std::vector<QString>{"Invalid BytesPerLine argument"}));
    EXPECT_EQ(e->Window()->HeaderHexEditor()->BytesPerLine(), 16);
    EXPECT_EQ(e->Window()->HeaderHexEditor()->OffsetDisplay(), hexview::odHex); // not reached
    EXPECT_EQ(e->Window()->heRecord->BytesPerLine(), 16); // the record views keep their defaults
    EXPECT_EQ(e->Window()->HeaderHexEditor()->Model().DataSize(), 1024);
}

#include <random>

TEST_F(PageEditors, EditorsOfRandomPagesShowWhatTheyCanAndNeverCrash) {
    for (const uint16_t ods : {uint16_t(0x800C), uint16_t(10)}) { // both page layouts
        SCOPED_TRACE(ods);
        std::mt19937 rng(1210 + ods);
        TDbBuilder b(1024, ods);
        for (int p = 1; p < 30; ++p) {
            test::Bytes& page = b.Page(p);
            for (auto& v : page)
                v = static_cast<uint8_t>(rng());
            page[0] = static_cast<uint8_t>(p % 2 == 0 ? 5 : p % 11); // every page type, many data pages
            page[22] = static_cast<uint8_t>(rng() % 12);
            page[23] = 0;
            // Point some slots near the page end and give some records odd flags.
            for (int j = 0; j < page[22]; ++j) {
                const int at = 24 + 4 * j;
                const int offset = 900 + static_cast<int>(rng() % 130);
                page[static_cast<size_t>(at)] = static_cast<uint8_t>(offset & 0xFF);
                page[static_cast<size_t>(at + 1)] = static_cast<uint8_t>(offset >> 8);
                page[static_cast<size_t>(at + 2)] = static_cast<uint8_t>(rng() % 140);
                page[static_cast<size_t>(at + 3)] = 0;
            }
        }
        b.Put16(7, 20, 0); // a relation 0 page
        Open(b);
        const Bytes before = test::ReadFileBytes(Path);
        for (int p = 0; p < 30; ++p) {
            editors::TAbstractEditor* e = M().OpenPageEditor(p);
            ASSERT_NE(e, nullptr);
            if (auto* data = dynamic_cast<editors::TDataPageEditor*>(e)) {
                if (!data->Window()) continue;
                data->Window()->RecordTabs->setCurrentIndex(p == 7 ? 2 : 0);
                for (int slot = 0; slot < data->Window()->lbOffsets->count(); ++slot)
                    Select(data, slot);
            } else if (auto* btree = dynamic_cast<editors::TBTreeNodeEditor*>(e)) {
                for (int node = 0; node < static_cast<int>(btree->Decoded().Nodes.size()); ++node)
                    btree->ShowNode(node);
            } else if (auto* root = dynamic_cast<editors::TIndexRootEditor*>(e)) {
                for (int entry = 0; entry < static_cast<int>(root->Decoded().Entries.size()); ++entry)
                    root->ShowEntry(entry);
            }
        }
        EXPECT_EQ(static_cast<int>(M().Editors().size()), 30);
        for (const QString& shown : Dialogs.Shown)
            EXPECT_TRUE(shown == "Selected record cannot be displayed" || shown == "Stream read error")
                << shown.toStdString();
        Dialogs.Shown.clear();
        Window.CloseCommand();
        EXPECT_EQ(test::ReadFileBytes(Path), before); // looking changes no byte
    }
}
