#pragma once
// The raw page editor's window: one hex view holding the whole page.

#include "editors/uAbstractEditor.h"

namespace morvane::editors {

class TfmhexEditor : public TEditorForm {
    Q_OBJECT
  public:
    explicit TfmhexEditor(TAbstractEditor* editor, QWidget* parent = nullptr);
    hexview::THexEditor* PageHexView() const override { return MainHexEditor; }

    hexview::THexEditor* MainHexEditor;
};

} // namespace morvane::editors
