#include "editors/U_fm_HexEditor.h"
#include "editors/uHexEditor.h"
#include "hexview/HexMenu.h"
#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "platform/Settings.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/ScriptedDialogs.h"
#include "widgets/GridView.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace morvane;
using namespace morvane::ui;
using test::Bytes;
using test::TDbBuilder;

namespace {

class MainWindow : public testing::Test {
  protected:
    MainWindow() : Window(Settings) {}

    // page: 0 header, 1 PIP, 2 data r12, 3 index root r12, 4 data r12, 5 type 0, 6 type 200,
    // 7 data r30, 8 TIP, 9 type 10
    std::string Sample(const std::string& name = "db.fdb") {
        TDbBuilder b(1024);
        b.Typed(1, 2)
            .Data(2, 12, 0, {})
            .IndexRoot(3, 12)
            .Data(4, 12, 1, {})
            .Typed(6, 200)
            .Data(7, 30, 0, {})
            .Typed(8, 3)
            .Typed(9, 10);
        for (int p = 0; p < 10; ++p)
            b.Page(p)[1000] = static_cast<uint8_t>(0xA0 + p);
        return b.Write(Dir.File(name));
    }
    void Open(const std::string& path) {
        Window.OpenFlow(QString::fromStdString(path));
        ASSERT_TRUE(Window.GetManager() && Window.GetManager()->IsOpen());
    }
    std::vector<QString> Column(int column) {
        std::vector<QString> out;
        for (int r = 0; r < Window.PageList()->RowCount(); ++r)
            out.push_back(Window.PageList()->CellText(column, r));
        return out;
    }
    std::vector<int> Pages() {
        std::vector<int> out;
        for (const QString& s : Column(0))
            out.push_back(s.toInt());
        return out;
    }
    editors::THexEditor* OpenRaw(int page) {
        auto* e = dynamic_cast<editors::THexEditor*>(Window.GetManager()->OpenPageEditor(page));
        EXPECT_NE(e, nullptr);
        return e;
    }
    hexview::THexEditor* ViewOf(editors::THexEditor* e) { return e->Window()->MainHexEditor; }
    Bytes PageOnDisk(const std::string& path, int page) {
        const Bytes all = test::ReadFileBytes(path);
        return Bytes(all.begin() + page * 1024, all.begin() + (page + 1) * 1024);
    }
    int WindowCount() { return static_cast<int>(Window.Workspace()->subWindowList().size()); }
    void CloseEditorWindow(editors::THexEditor* e) {
        auto* sub = qobject_cast<QMdiSubWindow*>(e->Window()->parentWidget());
        sub->close();
        QApplication::processEvents();
    }

    test::TTempDir Dir;
    TMemorySettings Settings;
    test::TScriptedDialogs Dialogs;
    TfrmMain Window;
};

} // namespace

TEST_F(MainWindow, StartsClosedAndOpensIntoTheOpenLook) {
    EXPECT_EQ(Window.windowTitle(), " Morvane Viewer 1.0.2");
    EXPECT_TRUE(Window.LeftPanel()->isHidden());
    EXPECT_FALSE(Window.SaveAllButton()->isEnabled());
    for (int c = 0; c <= 10; ++c) {
        EXPECT_FALSE(Window.FilterButton(c)->isEnabled());
        EXPECT_TRUE(Window.FilterButton(c)->isChecked());
        EXPECT_EQ(Window.FilterButton(c)->property("Tag").toInt(), c);
    }
    EXPECT_EQ(Window.FilterButton(9)->toolTip(), "Generators Page");
    const std::string path = Sample();
    Dialogs.FileToOpen = QString::fromStdString(path);
    Window.OpenCommand();
    ASSERT_TRUE(Window.GetManager()->IsOpen());
    EXPECT_EQ(Dialogs.LastFilter, "All known databases (*.gdb *.ib *.fdb);;All files (*.*)");
    EXPECT_EQ(Window.windowTitle(), QString::fromStdString(" Morvane Viewer 1.0.2 - < " + path + " >"));
    EXPECT_FALSE(Window.LeftPanel()->isHidden());
    EXPECT_EQ(Window.PageList()->RowCount(), 10);
    EXPECT_EQ(Window.PageList()->CellText(1, 9), "Write ahead log information");
    QStringList relations;
    for (int i = 0; i < Window.RelationChoice()->count(); ++i)
        relations << Window.RelationChoice()->itemText(i);
    EXPECT_EQ(relations, (QStringList{"All Pages", "12", "30"}));
    for (int c = 0; c <= 10; ++c)
        EXPECT_TRUE(Window.FilterButton(c)->isEnabled() && Window.FilterButton(c)->isChecked());

    Window.CloseCommand();
    EXPECT_EQ(Window.GetManager(), nullptr);
    EXPECT_EQ(Window.windowTitle(), " Morvane Viewer 1.0.2");
    EXPECT_TRUE(Window.LeftPanel()->isHidden());
    EXPECT_EQ(Window.RelationChoice()->count(), 0);
    EXPECT_FALSE(Window.FilterButton(3)->isEnabled());
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(MainWindow, SamePageOpenedTwiceGivesOneEditorAndOneBuffer) {
    Open(Sample());
    TManager& m = *Window.GetManager();
    editors::TAbstractEditor* first = m.OpenPageEditor(4);
    editors::TAbstractEditor* second = m.OpenPageEditor(4);
    EXPECT_EQ(first, second);
    EXPECT_EQ(m.Editors().size(), 1u);
    EXPECT_EQ(m.File().Buffers().size(), 1u);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(m.GetCurrentPage(), 4);
    EXPECT_EQ(first->Form()->windowTitle(), " Data page #4 ");
}

TEST_F(MainWindow, UndefinedAndLogPagesOpenInTheRawPageEditor) {
    Open(Sample());
    for (int page : {5, 6, 9}) {
        auto* e = OpenRaw(page);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(ViewOf(e)->Model().DataSize(), 1024);
        EXPECT_EQ(ViewOf(e)->Model().ByteAt(1000), 0xA0 + page);
        EXPECT_EQ(ViewOf(e)->objectName(), "MainHexEditor");
        EXPECT_EQ(ViewOf(e)->PopupMenu(), static_cast<QMenu*>(Window.HexMenu()));
    }
    EXPECT_EQ(OpenRaw(6)->Form()->windowTitle(), " Undefined types #6 ");
}

TEST_F(MainWindow, AThousandPageScanMovesTheBarOnlyAtEvenPercentages) {
    TDbBuilder b(1024);
    b.Page(999);
    const std::string path = b.Write(Dir.File("big.fdb"));
    std::vector<int> values;
    QObject::connect(Window.ProgressBar(), &QProgressBar::valueChanged, [&](int v) { values.push_back(v); });
    Open(path);
    ASSERT_FALSE(values.empty());
    EXPECT_LE(values.size(), 52u);
    for (int v : values)
        EXPECT_EQ(v % 2, 0) << v;
    EXPECT_EQ(values.front(), 2);
    EXPECT_EQ(values.back(), 0); // reset when the scan is over
    EXPECT_EQ(values[values.size() - 2], 100);
}

TEST_F(MainWindow, OpeningASecondDatabaseClosesTheFirstOnesWindowsWithoutAsking) {
    const std::string first = Sample("a.fdb");
    Open(first);
    auto* e = OpenRaw(5);
    QTest::keyClicks(ViewOf(e), "ff");
    ASSERT_TRUE(ViewOf(e)->Modified());
    TDbBuilder b(2048);
    b.Page(2);
    Open(b.Write(Dir.File("b.fdb")));
    QApplication::processEvents();
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(Window.PageList()->RowCount(), 3);
    EXPECT_EQ(PageOnDisk(first, 5)[0], 0); // the unsaved typing was dropped
}

TEST_F(MainWindow, FilterButtonsToggleTypesOfThePageList) {
    Open(Sample());
    for (int c = 0; c <= 10; ++c)
        QTest::mouseClick(Window.FilterButton(c), Qt::LeftButton);
    EXPECT_EQ(Window.PageList()->RowCount(), 0);
    for (int c = 0; c <= 10; ++c)
        EXPECT_FALSE(Window.FilterButton(c)->isChecked());
    QTest::mouseClick(Window.FilterButton(0), Qt::LeftButton);
    EXPECT_EQ(Pages(), (std::vector<int>{5, 6}));
    QTest::mouseClick(Window.FilterButton(10), Qt::LeftButton);
    EXPECT_EQ(Pages(), (std::vector<int>{5, 6, 9}));
}

TEST_F(MainWindow, RelationChoiceListsItsDataPagesAndAllPagesRestoresTheFilters) {
    Open(Sample());
    QTest::mouseClick(Window.FilterButton(1), Qt::LeftButton);
    Window.RelationChoice()->setCurrentIndex(1);
    Window.RelationChosen(Window.RelationChoice()->currentText());
    EXPECT_EQ(Pages(), (std::vector<int>{2, 4}));
    EXPECT_TRUE(Window.PageList()->isEnabled());
    Window.RelationChoice()->setCurrentIndex(0);
    Window.RelationChosen("All Pages");
    EXPECT_EQ(Pages(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(MainWindow, HeaderClickSortsAscendingAndASecondClickKeepsTheOrder) {
    Open(Sample());
    Window.PageListHeaderClicked(1);
    const auto once = Pages();
    std::vector<int> types;
    for (int p : once)
        types.push_back(Window.GetManager()->Analyser()->PageTable().EntryType(p));
    EXPECT_TRUE(std::is_sorted(types.begin(), types.end()));
    Window.PageListHeaderClicked(1);
    EXPECT_EQ(Pages(), once);
    Window.PageListHeaderClicked(0);
    EXPECT_EQ(Pages(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(MainWindow, DoubleClickOpensTheFocusedRowsPage) {
    Open(Sample());
    Window.RelationChoice()->setCurrentIndex(2);
    Window.RelationChosen("30");
    Window.PageList()->SetFocusedRow(0);
    Window.PageListDoubleClicked();
    ASSERT_EQ(Window.GetManager()->Editors().size(), 1u);
    EXPECT_EQ(Window.GetManager()->Editors()[0]->GetPage()->PageNumber(), 7);
}

TEST_F(MainWindow, ExitQuestionNoKeepsTheDatabaseOpen) {
    Open(Sample());
    Window.show();
    Dialogs.Answers = {TAnswer::No};
    EXPECT_FALSE(Window.close());
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0], "Are you sure you wish to quit Morvane?");
    EXPECT_TRUE(Window.GetManager()->IsOpen());
    Dialogs.Answers = {TAnswer::Yes};
    EXPECT_TRUE(Window.close());
    EXPECT_EQ(Window.GetManager(), nullptr);
}

TEST_F(MainWindow, TheCloseBoxDoesNothingWhileTheScanRuns) {
    TDbBuilder b(1024);
    b.Page(499);
    const std::string path = b.Write(Dir.File("big.fdb"));
    Window.show();
    int refusals = 0;
    QObject::connect(Window.ProgressBar(), &QProgressBar::valueChanged, [&](int v) {
        if (v == 50) refusals += Window.close() ? 0 : 1;
    });
    Open(path);
    EXPECT_EQ(refusals, 1);
    EXPECT_TRUE(Dialogs.Shown.empty()); // not even asked
    EXPECT_TRUE(Window.isVisible());
    Dialogs.Answers = {TAnswer::Yes};
    Window.close();
}

TEST_F(MainWindow, SaveQuestionNoDiscardsCancelKeepsYesWrites) {
    const std::string path = Sample();
    Open(path);
    auto* e = OpenRaw(5);
    QTest::keyClicks(ViewOf(e), "05"); // type byte 5: a data page
    Dialogs.Answers = {TAnswer::Cancel};
    CloseEditorWindow(e);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(ViewOf(e)->Model().ByteAt(0), 0x05);
    Dialogs.Answers = {TAnswer::No};
    CloseEditorWindow(e);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_TRUE(Window.GetManager()->Editors().empty());
    EXPECT_TRUE(Window.GetManager()->File().Buffers().empty());
    EXPECT_EQ(PageOnDisk(path, 5)[0], 0);

    e = OpenRaw(5);
    EXPECT_EQ(ViewOf(e)->Model().ByteAt(0), 0); // the file's bytes again
    QTest::keyClicks(ViewOf(e), "05");
    Dialogs.Answers = {TAnswer::Yes};
    CloseEditorWindow(e);
    EXPECT_EQ(PageOnDisk(path, 5)[0], 5);
    EXPECT_EQ(Window.PageList()->CellText(1, 5), "Data page");
    EXPECT_EQ(Dialogs.Shown, (std::vector<QString>{"Save changes?", "Save changes?", "Save changes?"}));
}

TEST_F(MainWindow, AnyKeyPassedOnEnablesSaveAllAndSaveAllDisablesIt) {
    const std::string path = Sample();
    Open(path);
    auto* e = OpenRaw(6);
    EXPECT_FALSE(Window.SaveAllButton()->isEnabled());
    QTest::keyClick(ViewOf(e), Qt::Key_Right);
    EXPECT_FALSE(Window.SaveAllButton()->isEnabled());
    QTest::keyClick(ViewOf(e), Qt::Key_Escape);
    EXPECT_TRUE(Window.SaveAllButton()->isEnabled());
    QTest::keyClicks(ViewOf(e), "7");
    QTest::mouseClick(Window.SaveAllButton(), Qt::LeftButton);
    EXPECT_FALSE(Window.SaveAllButton()->isEnabled());
    EXPECT_EQ(PageOnDisk(path, 6)[0], 0xC7); // 200 with its low digit typed over
    EXPECT_FALSE(ViewOf(e)->Modified());
    EXPECT_EQ(ViewOf(e)->Model().MarkCount(), 0u);
}

TEST_F(MainWindow, CtrlDeleteOnTheFirstByteThenSaveShiftsThePageDown) {
    const std::string path = Sample();
    const Bytes before = PageOnDisk(path, 9);
    Open(path);
    auto* e = OpenRaw(9);
    QTest::keyClick(ViewOf(e), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ViewOf(e)->Model().DataSize(), 1023);
    e->SavePage();
    const Bytes after = PageOnDisk(path, 9);
    for (int i = 0; i < 1023; ++i)
        ASSERT_EQ(after[i], before[i + 1]) << i;
    EXPECT_EQ(after[1023], before[1023]);
}

TEST_F(MainWindow, AWindowClosedUntouchedAsksAndWritesNothing) {
    const std::string path = Sample();
    Open(path);
    const auto stamp = std::filesystem::last_write_time(path);
    const Bytes before = test::ReadFileBytes(path);
    auto* e = OpenRaw(6);
    QTest::keyClick(ViewOf(e), Qt::Key_Down);
    QTest::keyClicks(ViewOf(e), "0"); // the same digit: no change
    CloseEditorWindow(e);
    EXPECT_TRUE(Dialogs.Shown.empty());
    EXPECT_EQ(test::ReadFileBytes(path), before);
    EXPECT_EQ(std::filesystem::last_write_time(path), stamp);
    Window.CloseCommand();
    EXPECT_EQ(test::ReadFileBytes(path), before);
}

TEST_F(MainWindow, AViewThatCannotGiveItsBytesBackFailsTheSaveAndWritesNothing) {
    const std::string path = Sample();
    Open(path);
    auto* e = OpenRaw(5);
    QTest::keyClicks(ViewOf(e), "ab");
    // Take the working copy's file away from under the view.
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (std::filesystem::read_symlink(fd.path(), ec).string().find("morvane-hex-") != std::string::npos)
            ::close(std::stoi(fd.path().filename().string()));
    }
    EXPECT_THROW(e->SavePage(), EError);
    EXPECT_EQ(PageOnDisk(path, 5)[0], 0);
    EXPECT_TRUE(ViewOf(e)->Modified());
    EXPECT_EQ(e->GetPage()->Data().Memory()[0], 0); // the buffer was not touched either
    Dialogs.Answers = {TAnswer::Yes};               // the failed save keeps the window open
    CloseEditorWindow(e);
    EXPECT_EQ(WindowCount(), 1);
    EXPECT_EQ(Dialogs.Shown.back().left(38), "The page's bytes could not be taken fr");
    Window.CloseCommand();
    EXPECT_EQ(PageOnDisk(path, 5)[0], 0);
}

TEST_F(MainWindow, FailedOpensShowTheirMessageAndLeaveTheWindowUsable) {
    TDbBuilder bad(1024, 0x800C);
    bad.Put16(0, 16, 0).Page(3);
    const std::string path = bad.Write(Dir.File("bad.fdb"));
    Window.OpenFlow(QString::fromStdString(path));
    EXPECT_EQ(Dialogs.PageSizeAsked, 1);
    ASSERT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_EQ(Dialogs.Shown[0], "It seems that file is not valid database!");
    EXPECT_TRUE(Window.LeftPanel()->isHidden());
    EXPECT_FALSE(Window.Busy());

    Dialogs.PageSizeAnswer = 1024;
    Open(path);
    EXPECT_EQ(Window.PageList()->RowCount(), 4);

    Window.OpenFlow(QString::fromStdString(Dir.File("missing.fdb"))); // nothing, no message
    EXPECT_EQ(Dialogs.Shown.size(), 1u);
    EXPECT_FALSE(Window.GetManager()->IsOpen());
}

TEST(GridView, TwoMillionRowsAskOnlyForWhatIsPainted) {
    TGridView grid;
    grid.SetColumns({{"Page", 55}, {"Types", 145}});
    long asked = 0;
    grid.SetCellText([&](int column, int row) {
        ++asked;
        return QString("%1:%2").arg(column).arg(row);
    });
    grid.resize(300, 400);
    grid.show();
    grid.SetRowCount(2'000'000);
    grid.scrollToBottom();
    grid.viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(grid.RowCount(), 2'000'000);
    EXPECT_LT(asked, 2000);
    grid.SetFocusedRow(1'999'999);
    EXPECT_EQ(grid.FocusedRow(), 1'999'999);
    EXPECT_EQ(grid.CellText(1, 1'999'999), "1:1999999");
}

TEST_F(MainWindow, TheBundledSampleOpensAndShowsARawPage) {
    Window.resize(1100, 720);
    Window.show();
    Open(MORVANE_SOURCE_DIR "/samples/sample.fdb");
    EXPECT_GT(Window.PageList()->RowCount(), 100);
    EXPECT_EQ(Window.PageList()->CellText(1, 0), "Database header page");
    auto* e = OpenRaw(2);
    ASSERT_NE(e, nullptr);
    QTest::keyClicks(ViewOf(e), "ff");
    EXPECT_TRUE(ViewOf(e)->Modified());
    QApplication::processEvents();
    if (const char* dir = std::getenv("MORVANE_SCREENSHOT_DIR"))
        Window.grab().save(QString::fromLocal8Bit(dir) + "/main-window.png");
    Window.CloseCommand(); // unsaved typing is dropped: the sample stays as it is
    EXPECT_TRUE(Dialogs.Shown.empty());
}

TEST_F(MainWindow, GotoFocusesTheRowAndOpensThePage) {
    Open(Sample());
    EXPECT_TRUE(Window.GotoButton()->isEnabled());
    Dialogs.GotoAnswer = "0";
    Window.GotoCommand();
    EXPECT_EQ(Dialogs.GotoLimit, 10);
    EXPECT_EQ(Window.PageList()->FocusedRow(), 0);
    ASSERT_EQ(Window.GetManager()->Editors().size(), 1u);
    EXPECT_EQ(Window.GetManager()->Editors()[0]->GetPage()->PageNumber(), 0);
    for (const char* nothing : {"", "abc", "-3"}) {
        Dialogs.GotoAnswer = nothing;
        Window.GotoCommand();
    }
    EXPECT_EQ(Window.GetManager()->Editors().size(), 1u);
    Window.CloseCommand();
    EXPECT_FALSE(Window.GotoButton()->isEnabled());
}

TEST_F(MainWindow, CopyPageCopiesOverTargetsAndGrowsTheFile) {
    const std::string path = Sample();
    Open(path);
    Window.CopyPageCommand(); // no child window: nothing
    EXPECT_TRUE(Dialogs.CopySourceShown.isEmpty());
    OpenRaw(9);
    struct Case {
        QString Target;
        std::vector<int> Written;
    } cases[] = {{"-", {}}, {"7-", {}}, {"6-5", {}}, {"5", {5}}, {"6-8", {6, 7, 8}}};
    for (const Case& c : cases) {
        const Bytes before = test::ReadFileBytes(path);
        Dialogs.CopyAnswer = TDialogs::TCopyRequest{"9", c.Target};
        Window.CopyPageCommand();
        EXPECT_EQ(Dialogs.CopySourceShown, "9");
        for (int p = 0; p < 10; ++p) {
            const bool written = std::find(c.Written.begin(), c.Written.end(), p) != c.Written.end();
            EXPECT_EQ(PageOnDisk(path, p)[1000],
                      written ? 0xA9 : before[static_cast<size_t>(p * 1024 + 1000)])
                << c.Target.toStdString() << " page " << p;
        }
    }
    Dialogs.CopyAnswer = TDialogs::TCopyRequest{"9", "12"};
    Window.CopyPageCommand();
    EXPECT_EQ(test::ReadFileBytes(path).size(), 13u * 1024u);
    EXPECT_EQ(Window.PageList()->RowCount(), 13);
    EXPECT_EQ(PageOnDisk(path, 12)[0], 10);

    Dialogs.CopyAnswer = TDialogs::TCopyRequest{"nine", "3"};
    Window.CopyPageCommand();
    EXPECT_EQ(Dialogs.Shown.back(), "'nine' is not a valid integer value");
    Dialogs.CopyAnswer = std::nullopt; // Cancel
    const Bytes before = test::ReadFileBytes(path);
    Window.CopyPageCommand();
    EXPECT_EQ(test::ReadFileBytes(path), before);
}

#include "shell/uCopyPage.h"
#include "shell/uGoto.h"
#include "shell/uPageSize.h"

#include <QComboBox>
#include <QLineEdit>

TEST_F(MainWindow, SmallDialogsCheckAndKeepTheirFields) {
    TfrmPageSize pageSize;
    EXPECT_EQ(pageSize.windowTitle(), "Set Page size");
    EXPECT_EQ(pageSize.PageSizes()->count(), 5);
    EXPECT_EQ(pageSize.PageSizes()->currentText(), "1024");
    EXPECT_FALSE(pageSize.PageSizes()->isEditable());
    pageSize.PageSizes()->setCurrentIndex(4);
    EXPECT_EQ(pageSize.ChosenPageSize(), 16384);

    TfrmGoto jump(10);
    EXPECT_EQ(jump.windowTitle(), "Jump to page");
    for (const char* bad : {"abc", "", "-1", "10"}) {
        jump.edtPageNum->setText(bad);
        jump.Ok();
        EXPECT_EQ(jump.result(), QDialog::Rejected) << bad;
        EXPECT_EQ(Dialogs.Shown.back(), "Page not found!");
    }
    jump.edtPageNum->setText("9");
    jump.Ok();
    EXPECT_EQ(jump.result(), QDialog::Accepted);
    jump.edtPageNum->setText("3");
    jump.Cancel();
    EXPECT_EQ(jump.edtPageNum->text(), "");

    TfrmCopyPage copy;
    EXPECT_EQ(copy.windowTitle(), "Copy page");
    EXPECT_EQ(copy.edtSource->text(), "0");
    EXPECT_EQ(copy.edtTarget->text(), "-");
}

TEST_F(MainWindow, ActivatingAnEditorWindowMakesItsPageTheCurrentPage) {
    Open(Sample());
    Window.show();
    auto* first = OpenRaw(5);
    OpenRaw(6);
    EXPECT_EQ(Window.GetManager()->GetCurrentPage(), 6);
    Window.Workspace()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->Window()->parentWidget()));
    EXPECT_EQ(Window.GetManager()->GetCurrentPage(), 5);
    Dialogs.CopyAnswer = std::nullopt;
    Window.CopyPageCommand();
    EXPECT_EQ(Dialogs.CopySourceShown, "5"); // the copy tool offers it as its source
}
