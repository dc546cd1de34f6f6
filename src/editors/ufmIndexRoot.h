#pragma once
// The index root page editor's window: the relation's indices, and the details of the one picked.

#include "editors/uAbstractEditor.h"

#include <array>

class QCheckBox;
class QListWidget;

namespace morvane::editors {

class TfrmIndexRoot : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfrmIndexRoot(TAbstractEditor* editor, QWidget* parent = nullptr);
    hexview::THexEditor* IndexRootHexEditor() const { return PageHexView(); }

    QListWidget* lstIndex;
    QLineEdit* edtRelation;
    std::array<QCheckBox*, 6> FlagBoxes{};
    QLineEdit* edtField;
    QLineEdit* edtType;
    QLineEdit* edtPageNum;
    QLineEdit* edtSelectivity;
    QLineEdit* edtKeyOffset;
    QLineEdit* edtKeys;
};

} // namespace morvane::editors
