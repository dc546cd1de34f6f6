#include "editors/uAbstractEditor.h"

#include "hexview/HexMenu.h"
#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"
#include "platform/Errors.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane::editors {

// ------------------------------------------------------------------------------ TAbstractEditor
TAbstractEditor::TAbstractEditor(ui::TManager& manager, TPageFile* page) : FManager(manager), FPage(page) {}

TAbstractEditor::~TAbstractEditor() {
    FreeForm();
    FManager.UnregisterEditor(this);
    delete FPage; // unsaved bytes go with it; nothing is written
}

void TAbstractEditor::SavePage() {
    FPage->WritePage();
    FManager.RefreshPageList();
}

void TAbstractEditor::DoCommand(const std::string&) {}

void TAbstractEditor::AttachForm(TEditorForm* form) {
    FForm = form;
    FManager.Main().AddEditorWindow(form);
    form->setWindowTitle(QString::fromStdString(FPage->PageCaption()));
    form->Bind();
}

void TAbstractEditor::LoadPageView(hexview::THexEditor& view) {
    view.LoadFromStream(FPage->Data());
}

bool TAbstractEditor::ShowForm() {
    if (!FForm) return false;
    try {
        FManager.Main().ShowEditorWindow(FForm);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TAbstractEditor::FreeForm() {
    if (!FForm) return;
    TEditorForm* form = FForm;
    FForm = nullptr;
    form->DetachEditor();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        delete sub;
    else
        delete form;
}

void TAbstractEditor::TakeBytesFromView(hexview::THexEditor& view) {
    // Gather the bytes aside first: a view that fails halfway must not leave a half
    // written buffer that a later save-all would write.
    TMemoryStream bytes;
    if (!view.SaveToStream(bytes))
        throw EError("The page's bytes could not be taken from the hex view; nothing was written.");
    FPage->Data().Seek(0, TSeekOrigin::soBeginning);
    FPage->Data().WriteBuffer(bytes.Memory(), std::min<int64_t>(bytes.Size(), FPage->Data().Size()));
}

void TAbstractEditor::SaveThroughHexView(hexview::THexEditor* view) {
    if (view) {
        TakeBytesFromView(*view);
        view->SetModified(false);
    }
    TAbstractEditor::SavePage();
}

void TAbstractEditor::CloseForm() {
    if (!FForm) return;
    CancelChanges();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(FForm->parentWidget()))
        sub->close();
    else
        FForm->close();
}

// ---------------------------------------------------------------------------------- TEditorForm
TEditorForm::TEditorForm(TAbstractEditor* editor, QWidget* parent) : QWidget(parent), FEditor(editor) {}

TEditorForm::~TEditorForm() {
    DestroyEditor();
}

void TEditorForm::DestroyEditor() {
    if (!FEditor) return;
    TAbstractEditor* editor = FEditor;
    FEditor = nullptr;
    editor->FormGone();
    delete editor;
}

void TEditorForm::Activated() {
    if (FEditor && FBound) FEditor->Manager().SetCurrentPage(FEditor->GetPage()->PageNumber());
}

void TEditorForm::CloseSilently() {
    FSilent = true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void TEditorForm::closeEvent(QCloseEvent* event) {
    if (!FEditor) return event->accept();
    hexview::THexEditor* view = PageHexView();
    if (FSilent || !AsksOnClose() || !view || !view->Modified()) {
        FEditor->CancelChanges();
    } else {
        switch (ui::Ask(this, "Save changes?", ui::TButtons::YesNoCancel)) {
        case ui::TAnswer::Yes:
            try {
                FEditor->SavePage();
            } catch (const std::exception& e) {
                ui::ShowMessage(this, QString::fromStdString(e.what()));
                FSilent = false;
                return event->ignore();
            }
            break;
        case ui::TAnswer::No:
            FEditor->CancelChanges();
            break;
        default:
            FSilent = false;
            return event->ignore();
        }
    }
    event->accept();
    // The editor goes now, not when the window is deleted later: its page buffer must leave
    // the file's list before anything else writes the registered buffers.
    DestroyEditor();
}

void TEditorForm::PrepareHexView(hexview::THexEditor* view, int profile, bool pageView) {
    ui::TManager& manager = FEditor->Manager();
    view->SetPopupMenu(manager.Main().HexMenu());
    if (!FProfileFailed) {
        try {
            hexview::ApplyHexProfile(view->Model(),
                                     hexview::LoadHexProfile(manager.Main().Settings(), profile));
        } catch (const std::exception& e) {
            FProfileFailed = true;
            ui::ShowMessage(this, QString::fromStdString(e.what()));
        }
    }
    view->Relayout();
    if (pageView) {
        view->Model().Colors.ChangedBackground = 0x00FFFF;
        view->OnKeyDown = [this](QKeyEvent*) {
            if (FEditor) FEditor->Manager().SetModified(true);
        };
    }
}

// ---------------------------------------------------------------------------- TCommonEditorForm
TCommonEditorForm::TCommonEditorForm(TAbstractEditor* editor, const QString& title, const QString& specialTab,
                                     const QString& hexTab, const QString& hexViewName, QWidget* parent)
    : TEditorForm(editor, parent) {
    FTitle = new QLabel(title, this);
    FTitle->setObjectName("pnlTitle");
    FTitle->setAutoFillBackground(true);
    QPalette pal = FTitle->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 128));
    pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
    FTitle->setPalette(pal);
    QFont bold = FTitle->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    FTitle->setFont(bold);
    FTitle->setMinimumHeight(24);

    FHeaderBox = new QGroupBox("Header", this);
    FHeaderBox->setObjectName("boxCommonHeader");
    auto* form = new QFormLayout(FHeaderBox);
    static const char* const kHints[] = {"Page Type",
                                         nullptr,
                                         "for IB>4.0 checsum always=12345",
                                         "..ration",
                                         "... of last update (deprecated)",
                                         " of last update (deprecated)"};
    for (size_t i = 0; i < FHeaderFields.size(); ++i) {
        auto* label = new QLabel(kCommonHeaderFields[i].Label, FHeaderBox);
        auto* field = new QLineEdit(FHeaderBox);
        field->setObjectName(kCommonHeaderFields[i].ControlName);
        field->setReadOnly(true);
        field->setMaximumWidth(90);
        if (kHints[i]) field->setToolTip(kHints[i]);
        if (i == 2) label->setToolTip(kHints[i]);
        form->addRow(label, field);
        FHeaderFields[i] = field;
    }
    FHeaderBox->setMaximumWidth(190);

    FTabs = new QTabWidget(this);
    FTabs->setObjectName("PageControl2");
    FTabs->setTabPosition(QTabWidget::South);
    FSpecial = new QWidget;
    FTabs->addTab(FSpecial, specialTab);
    auto* hexPage = new QWidget;
    FHexView = new hexview::THexEditor(hexPage);
    FHexView->setObjectName(hexViewName);
    auto* hexLayout = new QVBoxLayout(hexPage);
    hexLayout->setContentsMargins(0, 0, 0, 0);
    hexLayout->addWidget(FHexView);
    FTabs->addTab(hexPage, hexTab);

    auto* body = new QHBoxLayout;
    body->addWidget(FHeaderBox, 0, Qt::AlignTop);
    body->addWidget(FTabs, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(FTitle);
    layout->addLayout(body, 1);

    PrepareHexView(FHexView, hexview::hpMain, true);
}

void TCommonEditorForm::FillHeaderBox(const TPageHeader& header) {
    const auto texts = CommonHeaderTexts(header);
    for (size_t i = 0; i < texts.size(); ++i)
        FHeaderFields[i]->setText(QString::fromStdString(texts[i]));
}

} // namespace morvane::editors
