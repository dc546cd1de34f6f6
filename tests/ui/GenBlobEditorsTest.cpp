#include "editors/TBlobEditor.h"
#include "editors/TGenEditor.h"
#include "editors/ufmBlobEditor.h"
#include "editors/ufmGenEditor.h"
#include "hexview/hexeditor.h"
#include "platform/Settings.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/EditorFixture.h"
#include "support/ScriptedDialogs.h"
#include "widgets/GridView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;

namespace {

using GenBlobEditors = test::TEditorFixture;

TRecordSpec ShortGen(const std::string& name, uint16_t flag) {
    Bytes r(40, 0);
    std::copy(name.begin(), name.end(), r.begin() + 4);
    r[38] = flag & 0xFF;
    return TRecordSpec{test::Pack(r)};
}

} // namespace

TEST_F(GenBlobEditors, GeneratorPageShowsIdsNamesValuesAndSystemFlags) {
    TDbBuilder b(1024, 10); // ODS 10: 8-byte values, 32-byte names
    b.Data(1, 20, 0,
           {ShortGen("RDB$SYS_GEN", 1), ShortGen(std::string(32, 'Z'), 2), TRecordSpec{{}, 0, 0, true}});
    b.Typed(2, 9);
    b.Put32(2, 32, 3).Put32(2, 40, 0xFFFFFFFF).Put32(2, 44, 0xFFFFFFFF).Put32(2, 48, 1000);
    b.Typed(3, 9).Put32(3, 16, 1);
    Open(b);
    auto* e = dynamic_cast<editors::TGeneratorEditor*>(M().OpenPageEditor(2));
    ASSERT_NE(e, nullptr);
    editors::TfrmGenEditor* form = e->Window();
    EXPECT_EQ(form->Tabs()->currentIndex(), 1); // opens on the hex tab
    EXPECT_EQ(form->TitleBand()->text(), " Generator Page");
    TGridView* grid = form->Grid();
    ASSERT_EQ(grid->RowCount(), 124); // (1024 - 32) / 8
    struct Row {
        int R;
        const char* Id;
        QString Name;
        const char* Value;
        const char* System;
    } rows[] = {
        {0, "0", "Generators Count", "3", "N/A"},
        {1, "1", "RDB$SYS_GEN", "-1", "Yes"},
        {2, "2", QString(32, 'Z'), "1000", "No"},
        {3, "3", "N/A", "0", "N/A"},
        {50, "50", "N/A", "0", "N/A"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(grid->CellText(0, r.R), r.Id);
        EXPECT_EQ(grid->CellText(1, r.R), r.Name) << r.R;
        EXPECT_EQ(grid->CellText(2, r.R), r.Value) << r.R;
        EXPECT_EQ(grid->CellText(3, r.R), r.System) << r.R;
    }
    auto background = [&](int row) {
        return grid->model()->data(grid->model()->index(row, 1), Qt::BackgroundRole).value<QColor>();
    };
    EXPECT_EQ(background(0), QColor(Qt::white));
    EXPECT_EQ(background(1), QColor(0, 255, 0));
    EXPECT_EQ(background(2), QColor(0, 255, 255));

    // A value edited in the hex tab shows only after the save.
    hexview::THexEditor* view = form->GenHexEditor();
    view->SetSelStart(32);
    QTest::keyClicks(view, "07");
    EXPECT_EQ(grid->CellText(2, 0), "3");
    e->SavePage();
    EXPECT_EQ(grid->CellText(2, 0), "7");

    auto* second = dynamic_cast<editors::TGeneratorEditor*>(M().OpenPageEditor(3));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Window()->Grid()->CellText(0, 0), "124");
}

TEST_F(GenBlobEditors, GeneratorValueWidthFollowsTheODSVersion) {
    TDbBuilder b(4096, 9);
    b.Typed(1, 9).Put32(1, 32 + 4 * 5, 0xFFFFFFFE);
    Open(b);
    auto* e = dynamic_cast<editors::TGeneratorEditor*>(M().OpenPageEditor(1));
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->Window()->Grid()->RowCount(), 1016);
    EXPECT_EQ(e->Window()->Grid()->CellText(2, 5), "-2");
    EXPECT_EQ(GeneratorLayout(10, 4096, 1).FirstId, 508);
    EXPECT_EQ(GeneratorLayout(10, 4096, -3).FirstId, 1);
}

TEST_F(GenBlobEditors, BlobPageShowsItsHeaderBytesAndText) {
    TDbBuilder b(1024);
    const Bytes blob = {0x41, 0x0D, 0x0A, 0x42, 0x00, 0x43, 0xC0};
    b.Typed(1, 8).Put32(1, 16, 77).Put32(1, 20, 2).Put16(1, 24, static_cast<uint16_t>(blob.size()));
    std::copy(blob.begin(), blob.end(), b.Page(1).begin() + 28);
    b.Typed(2, 8).Put16(2, 24, 0);
    b.Typed(3, 8).Put16(3, 24, 2000); // past the page
    Open(b);
    auto* e = dynamic_cast<editors::TBlobEdit*>(M().OpenPageEditor(1));
    ASSERT_NE(e, nullptr);
    editors::TfrmBlobEditor* form = e->Window();
    EXPECT_EQ(form->TitleBand()->text(), " Blob Page");
    EXPECT_EQ(form->edtLeadPage->text(), "77");
    EXPECT_EQ(form->edtSequence->text(), "2");
    EXPECT_EQ(form->edtLength->text(), "7");
    EXPECT_EQ(form->hxPacked->Model().DataSize(), 7);
    EXPECT_FALSE(form->hxPacked->Model().HasSelection());
    EXPECT_EQ(form->edtText->toPlainText(), QString::fromUtf8("A \nB C\u0410"));
    EXPECT_EQ(form->ViewTabs->tabText(0), "Binary");
    EXPECT_EQ(form->ViewTabs->tabText(1), "Text");

    for (int page : {2, 3}) {
        auto* other = dynamic_cast<editors::TBlobEdit*>(M().OpenPageEditor(page));
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->Window()->hxPacked->Model().DataSize(), 0) << page;
        EXPECT_EQ(other->Window()->edtText->toPlainText(), "") << page;
        EXPECT_EQ(other->Window()->HeaderHexEditor()->Model().DataSize(), 1024) << page;
    }
    EXPECT_EQ(e->Window()->edtLength->text(), "7");
    EXPECT_TRUE(Dialogs.Shown.empty());
}
