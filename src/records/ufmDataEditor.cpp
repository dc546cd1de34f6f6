#include "records/ufmDataEditor.h"

#include "hexview/HexProfile.h"
#include "hexview/hexeditor.h"
#include "pages/DataPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morvane::editors {

namespace {
QLineEdit* ReadOnlyBox(QWidget* parent, const char* name, const QString& hint = {}) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    if (!hint.isEmpty()) e->setToolTip(hint);
    return e;
}
} // namespace

TfmDataEditor::TfmDataEditor(TAbstractEditor* editor, QWidget* parent)
    : TCommonEditorForm(editor, " Data Page", "Special Data Page Editor", "HEX Data Page Editor",
                        "HeaderHexEditor", parent) {
    setObjectName("fmDataEditor");
    QWidget* special = SpecialTab();

    auto* slotsBox = new QWidget(special);
    auto* slotsLayout = new QVBoxLayout(slotsBox);
    slotsLayout->setContentsMargins(0, 0, 0, 0);
    slotsLayout->addWidget(new QLabel("Records", slotsBox));
    slotsLayout->addWidget(new QLabel("Offset  -  length", slotsBox));
    lbOffsets = new QListWidget(slotsBox);
    lbOffsets->setObjectName("lbOffsets");
    lbOffsets->setToolTip("Choose offset and length to view corresponding record");
    lbOffsets->setMaximumWidth(110);
    slotsLayout->addWidget(lbOffsets, 1);
    connect(lbOffsets, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (Editor()) Editor()->DoCommand(item->text().toStdString());
    });

    lblRECORD = new QLabel("Record", special);
    lblRECORD->setObjectName("lblRECORD");
    QFont bold = lblRECORD->font();
    bold.setBold(true);
    lblRECORD->setFont(bold);

    auto* flags = new QGroupBox(" Record Flags ", special);
    flags->setObjectName("gbFlags");
    flags->setToolTip("Flags in the selected record segment");
    auto* flagGrid = new QGridLayout(flags);
    for (int i = 0; i < 10; ++i) {
        auto* box = new QCheckBox(kRecordFlagCaptions[static_cast<size_t>(i)], flags);
        box->setObjectName(kRecordFlagNames[static_cast<size_t>(i)]);
        box->setAttribute(Qt::WA_TransparentForMouseEvents); // shows values only
        box->setFocusPolicy(Qt::NoFocus);
        flagGrid->addWidget(box, i % 5, i / 5);
        FlagBoxes[static_cast<size_t>(i)] = box;
    }

    ed_rhd_transaction = ReadOnlyBox(special, "ed_rhd_transaction");
    lblOffset = new QLabel("0 0", special);
    lblOffset->setObjectName("lblOffset");
    lblOffset->setToolTip("Current record offset and length");
    dpg_relation = ReadOnlyBox(special, "dpg_relation", "Internal number  of table-owner of this page");
    dpg_sequence = ReadOnlyBox(special, "dpg_sequence", "Page number in the table");
    dp_rec_count = ReadOnlyBox(special, "dp_rec_count",
                               "Number of records, record segments and blob records on this page");

    auto* fields = new QFormLayout;
    fields->addRow("Transaction ID", ed_rhd_transaction);
    fields->addRow("Relation ID", dpg_relation);
    fields->addRow("# in relation", dpg_sequence);
    fields->addRow("# of record segments", dp_rec_count);

    RecordTabs = new QTabWidget(special);
    RecordTabs->setObjectName("RecordTabs");
    auto makeView = [&](const char* name) {
        auto* view = new hexview::THexEditor;
        view->setObjectName(name);
        view->SetReadOnlyView(true);
        view->setToolTip("Content of the selected record");
        return view;
    };
    hxPacked = makeView("hxPacked");
    heRecord = makeView("heRecord");
    RecordTabs->addTab(hxPacked, "Packed");
    RecordTabs->addTab(heRecord, "UnPacked");
    PagesTab = new QWidget;
    auto* pagesForm = new QFormLayout(PagesTab);
    edPageNum = ReadOnlyBox(PagesTab, "edPageNum");
    edRelationID = ReadOnlyBox(PagesTab, "edRelationID");
    edPageSequence = ReadOnlyBox(PagesTab, "edPageSequence");
    edPageType = ReadOnlyBox(PagesTab, "edPageType");
    pagesForm->addRow("RDB$PAGE_NUMBER", edPageNum);
    pagesForm->addRow("RDB$RELATION_ID", edRelationID);
    pagesForm->addRow("RDB$PAGE_SEQUENCE", edPageSequence);
    pagesForm->addRow("RDB$PAGE_TYPE", edPageType);
    RecordTabs->addTab(PagesTab, "As Values - only RDB$Pages");
    RecordTabs->setTabVisible(2, false);

    auto* right = new QVBoxLayout;
    auto* current = new QHBoxLayout;
    current->addWidget(lblRECORD);
    current->addSpacing(24);
    current->addWidget(new QLabel("Current record is: ", special));
    current->addWidget(lblOffset, 1);
    right->addLayout(current);
    auto* top = new QHBoxLayout;
    top->addWidget(flags);
    top->addLayout(fields, 1);
    right->addLayout(top);
    right->addWidget(RecordTabs, 1);
    auto* layout = new QHBoxLayout(special);
    layout->addWidget(slotsBox);
    layout->addLayout(right, 1);

    PrepareHexView(hxPacked, hexview::hpRecord, false);
    PrepareHexView(heRecord, hexview::hpRecord, false);
    resize(1000, 600);
}

bool TfmDataEditor::PagesTabActive() const {
    return RecordTabs->currentWidget() == PagesTab;
}

} // namespace morvane::editors
