#pragma once
// The blob page editor's window: the blob header and the page's blob bytes as hex and as text.

#include "editors/uAbstractEditor.h"

class QPlainTextEdit;

namespace morvane::editors {

class TfrmBlobEditor : public TCommonEditorForm {
    Q_OBJECT
  public:
    explicit TfrmBlobEditor(TAbstractEditor* editor, QWidget* parent = nullptr);
    hexview::THexEditor* HeaderHexEditor() const { return PageHexView(); }

    QLineEdit* edtLeadPage;
    QLineEdit* edtSequence;
    QLineEdit* edtLength;
    QTabWidget* ViewTabs;
    hexview::THexEditor* hxPacked;
    QPlainTextEdit* edtText;
};

} // namespace morvane::editors
