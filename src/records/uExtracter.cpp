#include "records/uExtracter.h"

#include "platform/Errors.h"
#include "platform/IntConv.h"
#include "records/uFormats.h"
#include "shell/Dialogs.h"
#include "shell/uManager.h"
#include "widgets/RecordTableModel.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace morvane::records {

namespace {

struct TSourceType {
    const char* Name;
    int Code; // -1: no definition
    int32_t Length;
};

const TSourceType kSourceTypes[] = {
    {"SMALLINT", 8, -1},   {"INTEGER", 9, 4},   {"INT64", -1, 0},
    {"VARCHAR", 3, -1},    {"DATE", -1, 0},     {"TIME", -1, 0},
    {"TIMESTAMP", 16, -1}, {"CHARACTER", 2, 0}, {"DOUBLEPRECISION", 12, -1},
    {"BLOB", 17, -1},
};

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TfmExtracter::TfmExtracter(std::function<ui::TManager*()> manager, QWidget* parent)
    : QWidget(parent), FManager(std::move(manager)) {
    setObjectName("fmExtracter");
    setWindowTitle("Extract data from table");
    edRelID = new QLineEdit("0", this);
    edRelID->setObjectName("edRelID");
    edRelID->setMaximumWidth(100);
    QPushButton* exit = Button("Exit Extractor", "btnExit", this);
    connect(exit, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Enter here RelationID to extract", this));
    top->addWidget(edRelID);
    top->addStretch();
    top->addWidget(exit);

    Tabs = new QTabWidget(this);
    auto* automatic = new QWidget;
    QPushButton* extract = Button("Extract recs", "btnExtract", automatic);
    connect(extract, &QPushButton::clicked, this, &TfmExtracter::AutomaticExtract);
    lblcntRec = new QLabel(automatic);
    lblcntRec->setObjectName("lblcntRec");
    auto* autoLayout = new QHBoxLayout(automatic);
    autoLayout->addWidget(extract);
    autoLayout->addWidget(new QLabel("Count of records. including BLOBs", automatic));
    autoLayout->addWidget(lblcntRec);
    autoLayout->addStretch();

    auto* manual = new QWidget;
    lbSour = new QListWidget(manual);
    lbSour->setObjectName("lbSour");
    lbSour->setToolTip("List of available InterBase types");
    for (const TSourceType& t : kSourceTypes)
        lbSour->addItem(t.Name);
    edCharLen = new QLineEdit(manual);
    edCharLen->setObjectName("edCharLen");
    edCharLen->setToolTip("Enter here length of CHAR filed intended to add");
    edCharLen->setMaximumWidth(60);
    edCharLen->setVisible(false);
    lbTarg = new QListWidget(manual);
    lbTarg->setObjectName("lbTarg");
    lbTarg->setToolTip("List of fields to extract");
    lbTarg->installEventFilter(this);
    QPushButton* add = Button(">", "btnAdd", manual);
    QPushButton* remove = Button("<", "btnRemove", manual);
    QPushButton* clear = Button("Clear", "btnClear", manual);
    QPushButton* tryIt = Button("Try to extract! (first-look demo only)", "btnTry", manual);
    lblCNT = new QLabel("0", manual);
    lblCNT->setObjectName("lblCNT");
    connect(lbSour, &QListWidget::currentTextChanged, this,
            [this](const QString& text) { edCharLen->setVisible(text == "CHARACTER"); });
    connect(add, &QPushButton::clicked, this, &TfmExtracter::AddSelected);
    connect(remove, &QPushButton::clicked, this, &TfmExtracter::RemoveSelected);
    connect(clear, &QPushButton::clicked, this, &TfmExtracter::ClearTarget);
    connect(tryIt, &QPushButton::clicked, this, &TfmExtracter::ManualExtract);
    auto* middle = new QVBoxLayout;
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addWidget(edCharLen);
    middle->addWidget(clear);
    middle->addStretch();
    auto* run = new QVBoxLayout;
    run->addWidget(tryIt);
    run->addWidget(new QLabel("Count of records. including BLOBs", manual));
    run->addWidget(lblCNT);
    run->addStretch();
    auto* manualLayout = new QHBoxLayout(manual);
    manualLayout->addWidget(lbSour);
    manualLayout->addLayout(middle);
    manualLayout->addWidget(lbTarg);
    manualLayout->addLayout(run);

    Tabs->addTab(automatic, "Automatic Extraction");
    Tabs->addTab(manual, "Extraction with manual structure");
    connect(Tabs, &QTabWidget::currentChanged, this,
            [this](int index) { Tabs->setFixedHeight(index == 0 ? 100 : 200); });
    Tabs->setCurrentIndex(1);
    Tabs->setFixedHeight(200);

    Grid = new QTableView(this);
    Grid->setObjectName("DBGrid1");
    FModel = new ui::TRecordTableModel(this);
    Grid->setModel(FModel);
    Grid->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QPushButton* script = Button("Extract to script", "btnScript", this);
    connect(script, &QPushButton::clicked, this, &TfmExtracter::ExportToScript);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Tabs);
    layout->addWidget(Grid, 1);
    layout->addWidget(script, 0, Qt::AlignLeft);
    resize(820, 560);
}

TfmExtracter::~TfmExtracter() = default;

const TRecordTable* TfmExtracter::Table() const {
    return FStensil ? &FStensil->ResultTable() : nullptr;
}

ui::TManager* TfmExtracter::Manager() const {
    ui::TManager* m = FManager ? FManager() : nullptr;
    if (!m || !m->IsOpen()) throw EError("No database is open.");
    return m;
}

void TfmExtracter::AddSelected() {
    QListWidgetItem* item = lbSour->currentItem();
    if (!item) return;
    if (item->text() == "CHARACTER")
        lbTarg->addItem("CHARACTER(" + edCharLen->text() + ")");
    else
        lbTarg->addItem(item->text());
}

void TfmExtracter::RemoveSelected() {
    delete lbTarg->currentItem();
}

void TfmExtracter::ClearTarget() {
    lbTarg->clear();
}

bool TfmExtracter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lbTarg && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfmExtracter::Show(std::vector<std::unique_ptr<TIBFieldDefList>> lists,
                        const std::vector<IBRec>& records) {
    std::vector<const TIBFieldDefList*> views;
    for (const auto& l : lists)
        views.push_back(l.get());
    auto stensil = std::make_unique<TStensil>(views);
    stensil->AddRecords(records);
    FModel->SetTable(nullptr);
    FLists = std::move(lists);
    FStensil = std::move(stensil);
    FModel->SetTable(&FStensil->ResultTable());
}

void TfmExtracter::ManualExtract() {
    try {
        const int32_t relation = StrToInt(edRelID->text().toStdString());
        FRecords = Manager()->CollectRecords(relation);
        lblCNT->setText(QString::number(FRecords.size()));
        auto list = std::make_unique<TIBFieldDefList>();
        for (int k = 0; k < lbTarg->count(); ++k) {
            const QString item = lbTarg->item(k)->text();
            const QString name = item.section('(', 0, 0);
            for (const TSourceType& t : kSourceTypes) {
                if (name != t.Name || t.Code < 0) continue;
                int32_t length = t.Length;
                if (name == "CHARACTER") length = StrToInt(item.mid(10, item.size() - 11).toStdString());
                list->AddField("field" + std::to_string(k), static_cast<uint8_t>(t.Code), 0, k, length);
            }
        }
        std::vector<std::unique_ptr<TIBFieldDefList>> lists;
        lists.push_back(std::move(list));
        Show(std::move(lists), FRecords);
    } catch (const std::exception& e) {
        ui::ShowMessage(this, QString::fromStdString(e.what()));
    }
}

void TfmExtracter::AutomaticExtract() {
    try {
        const int32_t relation = StrToInt(edRelID->text().toStdString());
        ui::TManager* manager = Manager();
        FRecords = manager->CollectRecords(relation);
        lblcntRec->setText(QString::number(FRecords.size()));
        const TFieldFormat formats(manager->File(), relation);
        auto lists =
            DefinitionsFromFormats(formats, [this] { ui::ShowMessage(this, "Position already occupied!"); });
        if (lists.empty()) {
            ui::ShowMessage(this, "Some troubles with extracting - no formats found.");
            return;
        }
        Show(std::move(lists), FRecords);
    } catch (const std::exception& e) {
        ui::ShowMessage(this, QString::fromStdString(e.what()));
    }
}

void TfmExtracter::ExportToScript() {
    const auto name = ui::Dialogs().SaveFileName(this, "Text files (*.txt *.sql);;All files (*)");
    if (!name) return;
    QFile file(*name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ui::ShowMessage(this, file.errorString());
        return;
    }
    if (const TRecordTable* table = Table()) {
        for (size_t row = 0; row < table->RowCount(); ++row) {
            const std::string line = ExportLine(*table, row);
            if (file.write(line.data(), static_cast<qint64>(line.size())) !=
                static_cast<qint64>(line.size())) {
                ui::ShowMessage(this, file.errorString());
                return;
            }
        }
    }
    if (!file.flush()) ui::ShowMessage(this, file.errorString());
}

} // namespace morvane::records
