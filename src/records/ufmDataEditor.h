#pragma once
// The data page editor's window: the slot list, the selected record's flags, transaction
// and bytes (packed and unpacked), the page fields, and the page's hex view.

#include "editors/uAbstractEditor.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

namespace morvane::editors {

class TfmDataEditor : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfmDataEditor(TAbstractEditor* editor, QWidget* parent = nullptr);

    hexview::THexEditor* HeaderHexEditor() const { return PageHexView(); }
    QListWidget* lbOffsets;
    QLabel* lblRECORD;
    QLabel* lblOffset;
    QLineEdit* ed_rhd_transaction;
    std::array<QCheckBox*, 10> FlagBoxes{};
    QLineEdit* dpg_relation;
    QLineEdit* dpg_sequence;
    QLineEdit* dp_rec_count;
    QTabWidget* RecordTabs;
    hexview::THexEditor* hxPacked;
    hexview::THexEditor* heRecord;
    QWidget* PagesTab;
    QLineEdit* edPageNum;
    QLineEdit* edRelationID;
    QLineEdit* edPageSequence;
    QLineEdit* edPageType;

    bool PagesTabActive() const;
};

} // namespace morvane::editors
