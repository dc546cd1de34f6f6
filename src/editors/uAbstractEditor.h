#pragma once
// The contract every page editor fulfils, and the window behaviour every editor window
// shares: activation, the hex view's keys, and the save question on closing.

#include "core/uBaseTools.h"

#include <QPointer>
#include <QWidget>

#include <string>

class QLabel;
class QLineEdit;
class QTabWidget;
class QGroupBox;

namespace morvane::hexview {
class THexEditor;
}
namespace morvane::ui {
class TManager;
}

namespace morvane::editors {

class TEditorForm;

class TAbstractEditor {
  public:
    TAbstractEditor(ui::TManager& manager, TPageFile* page);
    virtual ~TAbstractEditor();
    TAbstractEditor(const TAbstractEditor&) = delete;
    TAbstractEditor& operator=(const TAbstractEditor&) = delete;

    virtual void ReleaseForm() = 0;
    // Base: write the page buffer (which rescans its page-table entry), refresh the page list.
    virtual void SavePage();
    virtual void CancelChanges() = 0;
    virtual void DoCommand(const std::string& command);
    virtual bool ShowEditor() = 0;

    TPageFile* GetPage() const { return FPage; }
    ui::TManager& Manager() const { return FManager; }
    TEditorForm* Form() const { return FForm.data(); }

    // The window is going away with this editor: forget it.
    void FormGone() { FForm = nullptr; }

  protected:
    // Makes the window a child window of the main window with the page's caption, bound to
    // this editor.
    void AttachForm(TEditorForm* form);
    // Loads the whole page buffer into a hex view.
    void LoadPageView(hexview::THexEditor& view);
    bool ShowForm();
    // Frees the window, if there is one, without closing questions.
    void FreeForm();
    // Copies the page hex view's bytes over the page buffer from offset 0. Raises, and
    // leaves the buffer untouched, when the view cannot give its bytes back.
    void TakeBytesFromView(hexview::THexEditor& view);
    // The save of the editors that change a page only through its hex view: the view's bytes
    // into the buffer, the view's marks cleared, then the common save. No view: the common save.
    void SaveThroughHexView(hexview::THexEditor* view);
    // Closes the window as its close box would (the save question included), after CancelChanges.
    void CloseForm();

    ui::TManager& FManager;
    TPageFile* FPage;
    QPointer<TEditorForm> FForm;
};

// The window of an editor.
class TEditorForm : public QWidget {
    Q_OBJECT
  public:
    explicit TEditorForm(TAbstractEditor* editor, QWidget* parent = nullptr);
    ~TEditorForm() override;

    TAbstractEditor* Editor() const { return FEditor; }
    bool Bound() const { return FBound; }
    void Bind() { FBound = true; }
    // The view that holds the whole page; its Modified flag decides the save question.
    virtual hexview::THexEditor* PageHexView() const = 0;
    // The pointer page editor's window closes without asking.
    virtual bool AsksOnClose() const { return true; }

    // The window became the active child window.
    void Activated();
    // Closes the window without the save question, dropping unsaved edits.
    void CloseSilently();
    // The editor is being destroyed by someone else: the window lets go of it.
    void DetachEditor() { FEditor = nullptr; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Sets up a hex view the way every editor window does: the stored profile, the main
    // window's hex menu and, for the page view, SetModified on every key it passes on.
    void PrepareHexView(hexview::THexEditor* view, int profile, bool pageView);

  private:
    void DestroyEditor();

    TAbstractEditor* FEditor;
    bool FBound = false;
    bool FSilent = false;
    // Once a stored profile failed in this window, the window's later views keep their defaults.
    bool FProfileFailed = false;
};

// The layout every editor window but the raw page editor's shares: a navy title band, the
// "Header" box of the common page header at the left, and tabs at the bottom.
class TCommonEditorForm : public TEditorForm {
    Q_OBJECT
  public:
    TCommonEditorForm(TAbstractEditor* editor, const QString& title, const QString& specialTab,
                      const QString& hexTab, const QString& hexViewName, QWidget* parent = nullptr);

    hexview::THexEditor* PageHexView() const override { return FHexView; }
    QTabWidget* Tabs() const { return FTabs; }
    QWidget* SpecialTab() const { return FSpecial; }
    QLabel* TitleBand() const { return FTitle; }
    QGroupBox* HeaderBox() const { return FHeaderBox; }
    void FillHeaderBox(const TPageHeader& header);
    QLineEdit* HeaderField(int i) const { return FHeaderFields[static_cast<size_t>(i)]; }

  private:
    QLabel* FTitle;
    QGroupBox* FHeaderBox;
    std::array<QLineEdit*, 6> FHeaderFields{};
    QTabWidget* FTabs;
    QWidget* FSpecial;
    hexview::THexEditor* FHexView;
};

} // namespace morvane::editors
