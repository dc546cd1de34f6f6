#include "editors/InventoryForm.h"

#include "pages/InventoryPages.h"
#include "widgets/GridView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace morvane::editors {

TInventoryForm::TInventoryForm(TAbstractEditor* editor, const QString& title, const QString& specialTab,
                               const QString& hexTab, const std::vector<TPanelField>& panel, QWidget* parent)
    : TCommonEditorForm(editor, title, specialTab, hexTab, "HeaderHexEditor", parent) {
    auto* fields = new QHBoxLayout;
    for (const TPanelField& f : panel) {
        auto* value = new QLineEdit(SpecialTab());
        value->setObjectName(f.Name);
        value->setReadOnly(true);
        value->setMaximumWidth(110);
        fields->addWidget(new QLabel(f.Caption, SpecialTab()));
        fields->addWidget(value);
        fields->addSpacing(12);
        FPanel.push_back(value);
    }
    fields->addStretch();
    FGrid = new ui::TGridView(SpecialTab());
    FGrid->setObjectName("GridView1");
    auto* layout = new QVBoxLayout(SpecialTab());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(fields);
    layout->addWidget(FGrid, 1);
    resize(720, 560);
}

void ReadInventoryPage(TMemoryStream& data, std::vector<uint8_t>& head, std::vector<uint8_t>& bits) {
    std::fill(head.begin(), head.end(), uint8_t(0));
    bits.assign(
        static_cast<size_t>(InventoryBytes(static_cast<int>(data.Size()), static_cast<int>(head.size()))), 0);
    data.Seek(0, TSeekOrigin::soBeginning);
    data.Read(head.data(), static_cast<int64_t>(head.size()));
    data.Read(bits.data(), static_cast<int64_t>(bits.size()));
}

} // namespace morvane::editors
