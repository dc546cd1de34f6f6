#pragma once
// The pointer page editor's window: the six pointer page fields, the data page vector and
// the two rebuild commands.

#include "editors/uAbstractEditor.h"

#include <array>

class QListWidget;
class QPushButton;

namespace morvane::editors {

class TfmPointerPage : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfmPointerPage(TAbstractEditor* editor, QWidget* parent = nullptr);
    hexview::THexEditor* PointerHexEditor() const { return PageHexView(); }
    bool AsksOnClose() const override { return false; }

    QLineEdit* edtSequence;
    QLineEdit* edtNext;
    QLineEdit* edtCount;
    QLineEdit* edtRelation;
    QLineEdit* edtMin_space;
    QLineEdit* edtMax_space;
    QListWidget* lstVector;
    QPushButton* btnBuild1;
    QPushButton* btnBuild2;
};

} // namespace morvane::editors
