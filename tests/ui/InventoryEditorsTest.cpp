#include "editors/TTIEditor.h"
#include "editors/uPIPEditor.h"
#include "hexview/hexeditor.h"
#include "platform/Settings.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/EditorFixture.h"
#include "support/ScriptedDialogs.h"
#include "widgets/GridView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;

namespace {

using InventoryEditors = test::TEditorFixture;

} // namespace

TEST_F(InventoryEditors, TransactionInventoryListsStatesInColourNumberedByItsSequence) {
    TDbBuilder b(1024);
    b.Typed(1, 3).Typed(2, 3).Put32(2, 16, 0xFFFFFFFF);
    b.Page(2)[20] = 0xE4;
    b.Page(2)[1023] = 0xC0; // the page's last transaction
    Open(b);
    auto* e = dynamic_cast<editors::TTIPEditor*>(M().OpenPageEditor(2));
    ASSERT_NE(e, nullptr);
    editors::TInventoryForm* form = e->Window();
    EXPECT_EQ(form->TitleBand()->text(), " Transaction Inventory");
    EXPECT_EQ(form->Tabs()->tabText(0), "Special Transaction Inventory Editor");
    EXPECT_EQ(form->Tabs()->tabText(1), "HEX Transaction Inventory Editor");
    EXPECT_EQ(form->PanelField(0)->text(), "-1");
    TGridView* grid = form->Grid();
    ASSERT_EQ(grid->RowCount(), 4016);
    EXPECT_EQ(grid->CellText(0, 0), "4016"); // the second transaction inventory page
    EXPECT_EQ(grid->CellText(1, 0), "Not Used");
    EXPECT_EQ(grid->CellText(1, 1), "Limbo");
    EXPECT_EQ(grid->CellText(1, 2), "Rollback");
    EXPECT_EQ(grid->CellText(1, 3), "Commited");
    EXPECT_EQ(grid->CellText(1, 4015), "Commited");
    EXPECT_EQ(grid->CellText(1, 4014), "Not Used");
    const QModelIndex limbo = grid->model()->index(1, 1);
    EXPECT_EQ(grid->model()->data(limbo, Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 121));
    EXPECT_EQ(grid->model()->data(limbo, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));

    form->Tabs()->setCurrentIndex(1);
    QTest::keyClicks(form->HeaderHexEditor(), "ff"); // byte 0
    e->SavePage();
    EXPECT_EQ(PageOnDisk(2)[0], 0xFF);
    EXPECT_EQ(grid->CellText(1, 1), "Limbo"); // the list keeps what it read at opening
}

TEST_F(InventoryEditors, PageInventoryTogglesRefreshesAndSaves) {
    TDbBuilder b(1024);
    b.Typed(1, 2).Typed(2, 7).Typed(3, 5);
    b.Page(1)[20] = 0x01; // page 0 free, pages 1..7 allocated
    for (int i = 21; i < 1024; ++i)
        b.Page(1)[static_cast<size_t>(i)] = 0xFF;
    Open(b);
    auto* e = dynamic_cast<editors::TPIPEditor*>(M().OpenPageEditor(1));
    ASSERT_NE(e, nullptr);
    editors::TInventoryForm* form = e->Window();
    TGridView* grid = form->Grid();
    EXPECT_EQ(form->TitleBand()->text(), " Inventory Page");
    ASSERT_EQ(grid->RowCount(), 8032);
    EXPECT_EQ(grid->CellText(0, 0), "0");
    EXPECT_EQ(grid->CellText(1, 0), "No");
    EXPECT_EQ(grid->CellText(1, 1), "Yes");
    EXPECT_EQ(grid->CellText(2, 2), "Index (B-tree) page");
    EXPECT_EQ(grid->CellText(2, 4), "N/A"); // past the page table
    EXPECT_EQ(grid->CellText(1, 4), "Yes");
    EXPECT_EQ(form->PanelField(1)->text(), "7");
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 2), Qt::BackgroundRole).value<QColor>(),
              QColor(255, 159, 127));

    grid->SetFocusedRow(1);
    emit grid->RowDoubleClicked(1);
    EXPECT_EQ(grid->CellText(1, 1), "No");
    EXPECT_EQ(form->HeaderHexEditor()->Model().ByteAt(20), 0x03);
    EXPECT_TRUE(form->HeaderHexEditor()->Modified());
    EXPECT_TRUE(Window.SaveAllButton()->isEnabled());
    EXPECT_EQ(PageOnDisk(1)[20], 0x01); // nothing written yet
    grid->actions().first()->trigger(); // "Change Allocated": the same row back
    EXPECT_EQ(form->HeaderHexEditor()->Model().ByteAt(20), 0x01);
    EXPECT_EQ(grid->actions().first()->text(), "Change Allocated");

    // A bitmap edit in the hex tab shows up when the list's tab comes back.
    form->Tabs()->setCurrentIndex(1);
    hexview::THexEditor* view = form->HeaderHexEditor();
    view->SetSelStart(21);
    QTest::keyClicks(view, "00");
    form->Tabs()->setCurrentIndex(0);
    EXPECT_EQ(grid->CellText(1, 8), "Yes");
    // ... and a toggle after it keeps that edit.
    grid->SetFocusedRow(0);
    emit grid->RowDoubleClicked(0);
    EXPECT_EQ(view->Model().ByteAt(21), 0x00);
    EXPECT_EQ(view->Model().ByteAt(20), 0x00);
    M().SaveAll();
    EXPECT_EQ(PageOnDisk(1)[20], 0x00);
    EXPECT_EQ(PageOnDisk(1)[21], 0x00);
    EXPECT_FALSE(M().Modified());
}

TEST_F(InventoryEditors, SecondPageInventoryPageStartsAfterTheFirst) {
    TDbBuilder b(1024);
    b.Typed(1, 2).Typed(2, 2);
    Open(b);
    auto* e = dynamic_cast<editors::TPIPEditor*>(M().OpenPageEditor(2));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FirstPage(), 8032);
    EXPECT_EQ(e->Window()->Grid()->CellText(0, 0), "8032");
    EXPECT_EQ(e->Window()->Grid()->CellText(2, 0), "N/A");
}
