#include "platform/Settings.h"
#include "records/uExtracter.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>
#include <set>

#include <fstream>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;
using test::TRecordSpec;

namespace {

class Extractor : public testing::Test {
  protected:
    Extractor() : Window(Settings) {}
    void OpenSample(const std::string& path) {
        Window.OpenFlow(QString::fromStdString(path));
        ASSERT_TRUE(Window.GetManager() && Window.GetManager()->IsOpen());
        X = qobject_cast<records::TfmExtracter*>(Window.Extactor1Click());
        ASSERT_NE(X, nullptr);
    }
    void Pick(const QString& type) {
        X->lbSour->setCurrentItem(X->lbSour->findItems(type, Qt::MatchExactly).first());
        X->AddSelected();
    }
    test::TTempDir Dir;
    TMemorySettings Settings;
    test::TScriptedDialogs Dialogs;
    TfrmMain Window;
    records::TfmExtracter* X = nullptr;
};

} // namespace

TEST_F(Extractor, ManualFieldListsBuildDefinitionsByPosition) {
    TDbBuilder b(1024);
    Bytes rec = {0, 0, 0, 0, 7, 0, 0, 0};
    b.IndexRoot(1, 40).Data(2, 40, 0, {TRecordSpec{test::Pack(rec)}, TRecordSpec{test::Pack(rec)}});
    OpenSample(b.Write(Dir.File("db.fdb")));
    EXPECT_EQ(X->windowTitle(), "Extract data from table");
    EXPECT_EQ(X->Tabs->currentIndex(), 1);
    EXPECT_EQ(X->edRelID->text(), "0");
    EXPECT_EQ(X->lblCNT->text(), "0");

    X->ManualExtract(); // an empty list: one column
    ASSERT_NE(X->Table(), nullptr);
    EXPECT_EQ(X->Table()->ColumnCount(), 1u);
    EXPECT_EQ(X->Table()->RowCount(), 0u);

    for (const char* t : {"INTEGER", "DATE", "SMALLINT"})
        Pick(t);
    X->edRelID->setText("40");
    X->ManualExtract();
    EXPECT_EQ(X->lblCNT->text(), "2");
    ASSERT_EQ(X->Lists().size(), 1u);
    const TIBFieldDefList& list = *X->Lists()[0];
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(0).FieldName, "field0");
    EXPECT_EQ(list.At(0).FieldType, 9);
    EXPECT_EQ(list.At(0).FieldLength, 4);
    EXPECT_EQ(list.At(1).FieldName, "field2");
    EXPECT_EQ(list.At(1).FieldPosition, 2);
    EXPECT_EQ(list.At(1).FieldLength, 2);
    EXPECT_EQ(X->Table()->ColumnCount(), 3u);
    EXPECT_EQ(X->Table()->RowCount(), 2u);
    EXPECT_EQ(X->Grid->model()->rowCount(), 2);

    X->lbSour->setCurrentItem(X->lbSour->findItems("CHARACTER", Qt::MatchExactly).first());
    EXPECT_FALSE(X->edCharLen->isHidden());
    X->edCharLen->setText("12");
    X->AddSelected();
    EXPECT_EQ(X->lbTarg->item(3)->text(), "CHARACTER(12)");
    X->edCharLen->clear();
    X->AddSelected();
    EXPECT_EQ(X->lbTarg->item(4)->text(), "CHARACTER()");
    X->ManualExtract();
    EXPECT_EQ(Dialogs.Shown.back(), "'' is not a valid integer value");
    X->lbTarg->setCurrentRow(4);
    X->RemoveSelected();
    EXPECT_EQ(X->lbTarg->count(), 4);
    X->ClearTarget();
    EXPECT_EQ(X->lbTarg->count(), 0);

    X->edRelID->setText("4x");
    X->ManualExtract();
    EXPECT_EQ(Dialogs.Shown.back(), "'4x' is not a valid integer value");
}

TEST_F(Extractor, AutomaticExtractionWithoutFormatsSaysSoAndExportWritesRows) {
    TDbBuilder b(1024);
    b.IndexRoot(1, 40).Data(2, 40, 0, {TRecordSpec{test::Pack({0, 0, 0, 0, 1, 0, 0, 0})}});
    OpenSample(b.Write(Dir.File("db.fdb")));
    X->edRelID->setText("40");
    X->AutomaticExtract();
    EXPECT_EQ(X->lblcntRec->text(), "1");
    EXPECT_EQ(Dialogs.Shown.back(), "Some troubles with extracting - no formats found.");
    EXPECT_EQ(X->Table(), nullptr);

    const std::string out = Dir.File("out.txt");
    Dialogs.FileToSave = std::nullopt; // cancelled: nothing written
    X->ExportToScript();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
    Dialogs.FileToSave = QString::fromStdString(out);
    X->ExportToScript(); // before any table: an empty file
    EXPECT_TRUE(QFile::exists(QString::fromStdString(out)));
    EXPECT_TRUE(test::ReadFileBytes(out).empty());

    X->lbSour->setCurrentItem(X->lbSour->findItems("INTEGER", Qt::MatchExactly).first());
    X->AddSelected();
    X->ManualExtract();
    X->ExportToScript();
    const Bytes text = test::ReadFileBytes(out);
    EXPECT_EQ(std::string(text.begin(), text.end()), "0;;\r\n"); // offset 0: the null bits
}

TEST_F(Extractor, AutomaticExtractionOfTheSampleReadsItsStoredFormat) {
    OpenSample(MORVANE_SOURCE_DIR "/samples/sample.fdb");
    X->Tabs->setCurrentIndex(0);
    EXPECT_EQ(X->Tabs->height(), 100);
    X->edRelID->setText("128"); // CUSTOMERS
    X->AutomaticExtract();
    ASSERT_NE(X->Table(), nullptr) << (Dialogs.Shown.empty() ? "" : Dialogs.Shown.back().toStdString());
    ASSERT_FALSE(X->Lists().empty());
    EXPECT_EQ(X->Lists()[0]->At(0).FieldName, "fieldV0n0");
    EXPECT_EQ(X->Table()->ColumnCount(), X->Lists()[0]->Count() + 1);
    // Every customer id 1..300 appears in the first column (updated rows add old versions).
    std::set<std::string> ids;
    for (size_t r = 0; r < X->Table()->RowCount(); ++r)
        ids.insert(X->Table()->Value(r, 0));
    for (int id = 1; id <= 300; ++id)
        EXPECT_TRUE(ids.count(std::to_string(id))) << id;
    bool named = false;
    for (size_t r = 0; r < X->Table()->RowCount(); ++r)
        named |= X->Table()->Value(r, 1) == "Customer 7";
    EXPECT_TRUE(named);
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR")) {
        X->resize(900, 600);
        X->grab().save(QString::fromLocal8Bit(dir) + "/extractor.png");
    }
    Window.CloseCommand();
    EXPECT_EQ(Window.Workspace()->subWindowList().size(), 0);
}
