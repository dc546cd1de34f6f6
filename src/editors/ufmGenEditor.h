#pragma once
// The generator page editor's window: id, name, value and system flag of each generator.

#include "editors/uAbstractEditor.h"

namespace morvane::ui {
class TGridView;
}

namespace morvane::editors {

class TfrmGenEditor : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfrmGenEditor(TAbstractEditor* editor, QWidget* parent = nullptr);
    ui::TGridView* Grid() const { return FGrid; }
    hexview::THexEditor* GenHexEditor() const { return PageHexView(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FitNameColumn();
    ui::TGridView* FGrid;
};

} // namespace morvane::editors
