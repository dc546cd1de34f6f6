#include "editors/TBTreeNode.h"
#include "editors/TIndexRoot.h"
#include "editors/uPPEditor.h"
#include "editors/ufmBTreeNode.h"
#include "editors/ufmIndexRoot.h"
#include "editors/ufmPPEditor.h"
#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "platform/Settings.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/EditorFixture.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;

namespace {

using StructureEditors = test::TEditorFixture;

void SetText(QLineEdit* box, const QString& text) {
    box->setText(text);
}

QStringList Lines(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace

TEST_F(StructureEditors, PointerPageShowsFieldsAndVectorAndSavesOnlyThroughSaveAll) {
    TDbBuilder b(1024);
    b.Typed(1, 4)
        .Put32(1, 16, 2)
        .Put32(1, 20, 0xFFFFFFFF)
        .Put16(1, 24, 4)
        .Put16(1, 26, 140)
        .Put16(1, 28, 1)
        .Put16(1, 30, 3);
    b.Put32(1, 32, 7).Put32(1, 36, 8).Put32(1, 40, 0).Put32(1, 44, 0xFFFFFFFF);
    b.Page(1)[100] = 0x5A; // after the vector: never touched
    b.Typed(2, 4);         // count 0
    Open(b);
    auto* e = OpenAs<editors::TPPEditor>(1);
    editors::TfmPointerPage* f = e->Window();
    EXPECT_EQ(f->TitleBand()->text(), " Pointer Page");
    EXPECT_EQ(f->edtSequence->text(), "2");
    EXPECT_EQ(f->edtNext->text(), "-1");
    EXPECT_EQ(f->edtCount->text(), "4");
    EXPECT_EQ(f->edtRelation->text(), "140");
    EXPECT_EQ(f->edtMin_space->text(), "1");
    EXPECT_EQ(f->edtMax_space->text(), "3");
    EXPECT_EQ(Lines(f->lstVector), (QStringList{"7", "8", "0", "4294967295"}));
    EXPECT_TRUE(f->PointerHexEditor()->ReadOnlyView());

    const Bytes before = PageOnDisk(1);
    SetText(f->edtRelation, "141");
    CloseWindowOf(e); // never asks, writes nothing
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(PageOnDisk(1), before);

    e = OpenAs<editors::TPPEditor>(1);
    f = e->Window();
    SetText(f->edtRelation, "141");
    M().SaveAll();
    Bytes expected = before;
    expected[26] = 141;
    EXPECT_EQ(PageOnDisk(1), expected); // bytes 26 and 27 only; the large slot survives

    SetText(f->edtCount, "9"); // more than listed: the count as typed, the slots listed
    e->SavePage();
    EXPECT_EQ(PageOnDisk(1)[24], 9);
    EXPECT_EQ(PageOnDisk(1)[48], 0);

    SetText(f->edtNext, "x1");
    const Bytes kept = PageOnDisk(1);
    try {
        e->SavePage();
        FAIL();
    } catch (const EConvertError& err) {
        EXPECT_STREQ(err.what(), "'x1' is not a valid integer value");
    }
    EXPECT_EQ(e->GetPage()->Data().Bytes(), kept); // nothing reached the buffer either
    EXPECT_EQ(PageOnDisk(1), kept);

    const Bytes emptyBefore = PageOnDisk(2);
    auto* empty = OpenAs<editors::TPPEditor>(2);
    EXPECT_EQ(empty->Window()->lstVector->count(), 0);
    empty->SavePage(); // the fields and no slots
    EXPECT_EQ(PageOnDisk(2), emptyBefore);
}

TEST_F(StructureEditors, PointerPageOpensListedPagesAndRebuildsItsVector) {
    TDbBuilder b(1024);
    b.Typed(1, 4).Put16(1, 24, 2).Put16(1, 26, 40).Put32(1, 32, 5).Put32(1, 36, 4);
    b.IndexRoot(3, 40).Data(4, 40, 0, {}).Data(5, 40, 1, {}).Data(6, 40, 3, {});
    Open(b);
    auto* e = OpenAs<editors::TPPEditor>(1);
    editors::TfmPointerPage* f = e->Window();
    e->OpenVectorLine(0);
    ASSERT_EQ(M().Editors().size(), 2u);
    EXPECT_EQ(M().Editors()[1]->GetPage()->PageNumber(), 5);
    e->OpenVectorLine(0); // the same editor again
    EXPECT_EQ(M().Editors().size(), 2u);
    e->OpenVectorLine(7); // no such line
    EXPECT_EQ(M().Editors().size(), 2u);

    e->DoCommand("BUILD1");
    EXPECT_EQ(Lines(f->lstVector), (QStringList{"4", "5", "0", "6"}));
    EXPECT_EQ(f->edtCount->text(), "2"); // the boxes keep their values
    e->SavePage();
    EXPECT_EQ(PageOnDisk(1)[24], 2);
    EXPECT_EQ(PageOnDisk(1)[44], 6);

    Dialogs.Answers = {TAnswer::No};
    f->btnBuild2->click(); // confirmed first: No renumbers nothing
    EXPECT_EQ(PageOnDisk(6)[16], 3);
    Dialogs.Answers = {TAnswer::Yes};
    f->btnBuild2->click();
    EXPECT_EQ(Lines(f->lstVector), (QStringList{"4", "5", "6"}));
    EXPECT_EQ(PageOnDisk(6)[16], 2);
}

TEST_F(StructureEditors, IndexRootListsIndicesShowsDetailsAndSavesTopPages) {
    TDbBuilder b(1024);
    b.IndexRoot(1, 128).Put16(1, 18, 3);
    float half = 0.5f;
    uint32_t bits;
    std::memcpy(&bits, &half, 4);
    b.Put32(1, 20, 7).Put32(1, 24, bits).Put16(1, 28, 900).Page(1)[30] = 2;
    b.Page(1)[31] = 1 | 2; // unique, descending
    b.Put32(1, 32, 0).Put16(1, 40, 904);
    b.Put32(1, 44, 0xFFFFFFFF).Put16(1, 52, 2000); // key descriptions past the page
    b.Put16(1, 900, 3).Put16(1, 902, 4).Put16(1, 904, 9).Put16(1, 906, 5);
    b.Typed(7, 7).IndexRoot(2, 129);
    Open(b);
    auto* e = OpenAs<editors::TIndexRootEditor>(1);
    editors::TfrmIndexRoot* f = e->Window();
    EXPECT_EQ(f->TitleBand()->text(), " Index Root Page");
    EXPECT_EQ(f->edtRelation->text(), "128");
    EXPECT_EQ(Lines(f->lstIndex), (QStringList{"7", "Deleted", "4294967295"}));
    f->lstIndex->setCurrentRow(0);
    e->ShowEntry(0);
    EXPECT_EQ(f->edtSelectivity->text(), "0.5");
    EXPECT_EQ(f->edtKeyOffset->text(), "900");
    EXPECT_EQ(f->edtKeys->text(), "2");
    EXPECT_EQ(f->edtField->text(), "3");
    EXPECT_EQ(f->edtType->text(), "CHAR(31)");
    EXPECT_TRUE(f->FlagBoxes[0]->isChecked());
    EXPECT_TRUE(f->FlagBoxes[1]->isChecked());
    f->FlagBoxes[4]->click(); // "Primary" goes back to what the page says
    EXPECT_FALSE(f->FlagBoxes[4]->isChecked());
    e->ShowEntry(1);
    EXPECT_EQ(f->edtType->text(), "5");
    e->ShowEntry(2);
    EXPECT_EQ(Dialogs.Shown.back(), "Stream read error");
    EXPECT_EQ(f->edtType->text(), "5"); // kept

    e->OpenLine(1); // "Deleted" opens nothing
    EXPECT_EQ(M().Editors().size(), 1u);
    e->OpenLine(0);
    ASSERT_EQ(M().Editors().size(), 2u);
    EXPECT_NE(dynamic_cast<editors::TBTreeNodeEditor*>(M().Editors()[1]), nullptr);

    const Bytes before = PageOnDisk(1);
    e->SavePage(); // the listed numbers, "Deleted" as 0, the large one intact
    EXPECT_EQ(PageOnDisk(1), before);
    auto* none = OpenAs<editors::TIndexRootEditor>(2);
    EXPECT_EQ(none->Window()->lstIndex->count(), 0);
    EXPECT_EQ(none->Window()->edtRelation->text(), "129");
}

TEST_F(StructureEditors, BTreeListsNodesShowsKeysAndSavesTheHeaderFields) {
    TDbBuilder b(1024);
    auto node = [&](int page, int at, uint8_t prefix, const Bytes& key, int32_t number) {
        b.Page(page)[static_cast<size_t>(at)] = prefix;
        b.Page(page)[static_cast<size_t>(at + 1)] = static_cast<uint8_t>(key.size());
        b.Put32(page, at + 2, static_cast<uint32_t>(number));
        std::copy(key.begin(), key.end(), b.Page(page).begin() + at + 6);
        return at + 6 + static_cast<int>(key.size());
    };
    b.Typed(1, 7).Put32(1, 16, 9).Put32(1, 20, 0xFFFFFFFF).Put16(1, 28, 128);
    b.Page(1)[32] = 2;
    int at = node(1, 34, 0, {1, 2, 3, 4, 5}, 100);
    at = node(1, at, 2, {}, -1);
    at = node(1, at, 0, {9}, -2);
    b.Put16(1, 30, static_cast<uint16_t>(at));
    b.Typed(2, 7).Put16(2, 30, 34);
    b.Typed(3, 7).Put16(3, 30, 60000); // past the page: nodes up to its end
    Open(b);
    auto* e = OpenAs<editors::TBTreeNodeEditor>(1);
    editors::TfrmBTreeNode* f = e->Window();
    EXPECT_EQ(f->TitleBand()->text(), " Index (B-tree) Page");
    EXPECT_EQ(Lines(f->lstBTree), (QStringList{"100", "4294967295", "Last"}));
    EXPECT_EQ(f->edtRight->text(), "9");
    EXPECT_EQ(f->edtLeft->text(), "-1");
    EXPECT_EQ(f->edtIndexID->text(), "2");
    EXPECT_FALSE(f->BoxChanged(f->edtRelation));
    e->ShowNode(0);
    EXPECT_EQ(f->hexIndexNode->Model().DataSize(), 5);
    EXPECT_EQ(f->hexIndexNode->Model().ByteAt(4), 5);
    e->ShowNode(1);
    EXPECT_EQ(f->hexIndexNode->Model().DataSize(), 0);

    const Bytes before = PageOnDisk(1);
    f->edtRelation->setText("129");
    EXPECT_TRUE(f->BoxChanged(f->edtRelation));
    EXPECT_EQ(f->edtRelation->palette().color(QPalette::Base), QColor(255, 0, 0));
    CloseWindowOf(e);
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(PageOnDisk(1), before);

    e = OpenAs<editors::TBTreeNodeEditor>(1);
    e->Window()->edtRelation->setText("129");
    M().SaveAll();
    Bytes expected = before;
    expected[28] = 129;
    EXPECT_EQ(PageOnDisk(1), expected);

    EXPECT_EQ(OpenAs<editors::TBTreeNodeEditor>(2)->Window()->lstBTree->count(), 0);
    EXPECT_GT(OpenAs<editors::TBTreeNodeEditor>(3)->Window()->lstBTree->count(), 100);
}

#include "editors/TBlobEditor.h"
#include "editors/TGenEditor.h"
#include "editors/TTIEditor.h"
#include "editors/uPIPEditor.h"
#include "editors/ufmGenEditor.h"
#include "widgets/GridView.h"

// Every page of the bundled sample opens in the editor of its type, and looks right.
TEST_F(StructureEditors, EveryPageOfTheSampleOpensInItsEditor) {
    Window.OpenFlow(MORVANE_SOURCE_DIR "/samples/sample.fdb");
    ASSERT_TRUE(Window.GetManager()->IsOpen());
    const TMemTable& table = M().Analyser()->PageTable();
    std::map<int, int> firstOfType;
    for (size_t p = 0; p < table.EntryCount(); ++p) {
        editors::TAbstractEditor* e = M().OpenPageEditor(static_cast<int32_t>(p));
        ASSERT_NE(e, nullptr) << p;
        ASSERT_NE(e->Form(), nullptr) << p;
        firstOfType.emplace(table.EntryType(p), static_cast<int>(p));
        CloseWindowOf(e);
    }
    EXPECT_TRUE(Dialogs.Shown.empty()) << Dialogs.Shown.front().toStdString();
    EXPECT_TRUE(M().Editors().empty());

    auto* gens = OpenAs<editors::TGeneratorEditor>(firstOfType.at(9));
    bool sawCustomerGenerator = false;
    for (int r = 0; r < 20; ++r) {
        if (!gens->Window()->Grid()->CellText(1, r).startsWith("GEN_CUSTOMER_ID")) continue;
        sawCustomerGenerator = true;
        EXPECT_EQ(gens->Window()->Grid()->CellText(2, r), "300"); // 300 customers were numbered by it
    }
    EXPECT_TRUE(sawCustomerGenerator);
    auto* tip = OpenAs<editors::TTIPEditor>(firstOfType.at(3));
    EXPECT_EQ(tip->Window()->Grid()->CellText(1, 1), "Commited");
    auto* pip = OpenAs<editors::TPIPEditor>(firstOfType.at(2));
    for (int page = 0; page < 20; ++page)
        EXPECT_EQ(pip->Window()->Grid()->CellText(1, page), "Yes") << page;
    EXPECT_EQ(pip->Window()->Grid()->CellText(1, static_cast<int>(table.EntryCount()) + 10), "No");
    auto* root = OpenAs<editors::TIndexRootEditor>(firstOfType.at(6));
    auto* btree = OpenAs<editors::TBTreeNodeEditor>(firstOfType.at(7));
    EXPECT_GT(btree->Window()->lstBTree->count(), 0);
    // The primary key of CUSTOMERS (relation 128, index 0): one leaf with the 300 records.
    bool found = false;
    for (size_t p = 0; p < table.EntryCount(); ++p) {
        if (table.EntryType(p) != 7) continue;
        auto* node = OpenAs<editors::TBTreeNodeEditor>(static_cast<int>(p));
        const TBTreePage& decoded = node->Decoded();
        if (decoded.Relation == 128 && decoded.IndexId == 0) {
            found = true;
            ASSERT_EQ(node->Window()->lstBTree->count(), 301);
            EXPECT_EQ(node->Window()->lstBTree->item(300)->text(), "Last");
            std::set<QString> records;
            for (int i = 0; i < 300; ++i)
                records.insert(node->Window()->lstBTree->item(i)->text());
            EXPECT_EQ(records.size(), 300u);
        }
        if (node != btree) CloseWindowOf(node);
    }
    EXPECT_TRUE(found);
    auto* pointer = OpenAs<editors::TPPEditor>(firstOfType.at(4));
    EXPECT_GT(pointer->Window()->lstVector->count(), 0);
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR")) {
        const QString d = QString::fromLocal8Bit(dir);
        gens->Window()->Tabs()->setCurrentIndex(0);
        gens->Window()->grab().save(d + "/generators.png");
        tip->Window()->grab().save(d + "/tip.png");
        pip->Window()->grab().save(d + "/pip.png");
        root->ShowEntry(0);
        root->Window()->grab().save(d + "/index-root.png");
        btree->ShowNode(0);
        btree->Window()->grab().save(d + "/btree.png");
        pointer->Window()->grab().save(d + "/pointer.png");
    }
    Window.CloseCommand();
}
