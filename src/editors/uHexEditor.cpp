#include "editors/uHexEditor.h"

#include "editors/U_fm_HexEditor.h"
#include "hexview/hexeditor.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"

namespace morvane::editors {

THexEditor::THexEditor(ui::TManager& manager, TPageFile* page) : TAbstractEditor(manager, page) {
    try {
        auto* form = new TfmhexEditor(this);
        AttachForm(form);
        LoadPageView(*form->MainHexEditor);
        manager.SetCurrentPage(page->PageNumber());
    } catch (const std::exception&) {
        FreeForm();
        ui::ShowMessage(manager.Main().Window(), "Error to open page!");
    }
}

TfmhexEditor* THexEditor::Window() const {
    return static_cast<TfmhexEditor*>(Form());
}

void THexEditor::SavePage() {
    SaveThroughHexView(Window() ? Window()->MainHexEditor : nullptr);
}

} // namespace morvane::editors
