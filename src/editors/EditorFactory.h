#pragma once
// Which editor opens a page: one table, indexed by page type code.

#include "core/uBaseTools.h"

namespace morvane::ui {
class TManager;
}

namespace morvane::editors {

class TAbstractEditor;

using TEditorClass = TAbstractEditor* (*)(ui::TManager& manager, TPageFile* page);
TEditorClass EditorClassFor(TPageTypeCode code);
TAbstractEditor* CreateEditor(ui::TManager& manager, TPageFile* page);

} // namespace morvane::editors
