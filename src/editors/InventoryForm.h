#pragma once
// The window both inventory page editors share: a panel of labelled values above a grid of
// coloured rows, on the structured tab of the common editor layout.

#include "editors/uAbstractEditor.h"

#include <vector>

class QLineEdit;

namespace morvane::ui {
class TGridView;
}

namespace morvane::editors {

class TInventoryForm : public TCommonEditorForm {
    Q_OBJECT
  public:
    struct TPanelField {
        const char* Caption;
        const char* Name;
    };
    TInventoryForm(TAbstractEditor* editor, const QString& title, const QString& specialTab,
                   const QString& hexTab, const std::vector<TPanelField>& panel, QWidget* parent = nullptr);

    ui::TGridView* Grid() const { return FGrid; }
    QLineEdit* PanelField(int i) const { return FPanel[static_cast<size_t>(i)]; }
    hexview::THexEditor* HeaderHexEditor() const { return PageHexView(); }

  private:
    ui::TGridView* FGrid;
    std::vector<QLineEdit*> FPanel;
};

// Reads the head bytes (as many as head holds) and the bit array that fills the rest of the
// page; what cannot be read stays zero.
void ReadInventoryPage(TMemoryStream& data, std::vector<uint8_t>& head, std::vector<uint8_t>& bits);

} // namespace morvane::editors
