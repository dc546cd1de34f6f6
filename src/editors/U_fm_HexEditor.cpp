#include "editors/U_fm_HexEditor.h"

#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"

#include <QVBoxLayout>

namespace morvane::editors {

TfmhexEditor::TfmhexEditor(TAbstractEditor* editor, QWidget* parent) : TEditorForm(editor, parent) {
    setObjectName("fmhexEditor");
    setWindowTitle("  Hex Editor");
    MainHexEditor = new hexview::THexEditor(this);
    MainHexEditor->setObjectName("MainHexEditor");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MainHexEditor);
    PrepareHexView(MainHexEditor, hexview::hpMain, true);
    resize(660, 420);
}

} // namespace morvane::editors
