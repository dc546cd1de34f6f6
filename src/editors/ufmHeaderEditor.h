#pragma once
// The header page editor's window: the 28 decoded parameters beside the page's hex view.

#include "editors/uAbstractEditor.h"

namespace morvane::ui {
class TGridView;
}

namespace morvane::editors {

class TfmHeaderEditor : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfmHeaderEditor(TAbstractEditor* editor, QWidget* parent = nullptr);
    ui::TGridView* Grid() const { return FGrid; }
    hexview::THexEditor* HeaderHexEditor() const { return PageHexView(); }

  private:
    ui::TGridView* FGrid;
};

} // namespace morvane::editors
