#pragma once
// The window tests' common ground: a main window with scripted dialogs and an in-memory
// settings store, and a database file written for each test.

#include "editors/uAbstractEditor.h"
#include "platform/Settings.h"
#include "shell/uMain.h"
#include "support/DbBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace morvane::test {

class TEditorFixture : public testing::Test {
  protected:
    TEditorFixture() : Window(Settings) {}

    void Open(TDbBuilder& b) {
        Path = b.Write(Dir.File("db.fdb"));
        Window.OpenFlow(QString::fromStdString(Path));
        ASSERT_TRUE(Window.GetManager() && Window.GetManager()->IsOpen());
    }
    ui::TManager& M() { return *Window.GetManager(); }
    Bytes PageOnDisk(int page) {
        const Bytes all = ReadFileBytes(Path);
        const auto size = static_cast<long>(M().Analyser()->PageSize());
        return Bytes(all.begin() + page * size, all.begin() + (page + 1) * size);
    }
    template <typename T> T* OpenAs(int page) {
        auto* e = dynamic_cast<T*>(M().OpenPageEditor(page));
        EXPECT_NE(e, nullptr) << "page " << page;
        return e;
    }
    // Closes an editor's window as its close box would.
    void CloseWindowOf(editors::TAbstractEditor* e) {
        qobject_cast<QMdiSubWindow*>(e->Form()->parentWidget())->close();
        QApplication::processEvents();
    }

    TTempDir Dir;
    std::string Path;
    TMemorySettings Settings;
    TScriptedDialogs Dialogs;
    ui::TfrmMain Window;
};

} // namespace morvane::test
