#include "shell/TipOfTheDay.h"

#include "platform/Settings.h"
#include "shell/DialogParts.h"
#include "shell/Dialogs.h"
#include "shell/Links.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace morvane::ui {

const char* const kTipsKey = "SOFTWARE\\MorvaneTeam\\Morvane\\Tips";

namespace {
const char* const kTips[] = {
    "^When a database is damaged beyond repair by hand, Morvane Repair rebuilds it from the pages that "
    "are still sound.",
    "^The most often reason of corruption is emergency shutdown of the server computer (especially after "
    "power supply switching-off). ",
    "?Did you know that file copying or other file access to the database if the server is active can "
    "corrupt "
    "the database?.",
    "^One of the most heavy corruption is exceeding the implemenation limit on database file size. For most "
    "Unix servers it is 2 Gb, for Windows NT/2000 - 4Gb, but it is recommended to stick to 2 Gb.",
    "^Morvane use its own access layer to the InterBase databases and it can view all corrupted databases.",
    "^Morvane AutoRecovery checks every page of a database and mends what it finds without a server.",
};
} // namespace

QString TipHeading(const QString& tip) {
    if (tip.isEmpty()) return {};
    switch (tip[0].unicode()) {
    case '!':
        return "Today's joke...";
    case '#':
        return "Today's message...";
    case '\'':
        return "Today's quote...";
    case '?':
        return "Did you know...";
    case '^':
        return "Today's tip...";
    default:
        return {};
    }
}

TfrmTipOfTheDay::TfrmTipOfTheDay(TSettingsStore& settings, QWidget* parent)
    : QDialog(parent), FSettings(settings) {
    setObjectName("frmTipOfTheDay");
    setWindowTitle("Tip of the day");
    auto* panel = new QWidget(this);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
    auto* picture = new QLabel(panel);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    lTitle = BoldLabel("Oops...", panel);
    lTitle->setObjectName("lTitle");
    lTip = new QLabel("Sorry, there are no tips to show.", panel);
    lTip->setObjectName("lTip");
    lTip->setWordWrap(true);
    lTip->setMinimumSize(320, 90);
    lTip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto* text = new QVBoxLayout;
    text->addWidget(lTitle);
    text->addWidget(lTip, 1);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(picture, 0, Qt::AlignTop);
    panelLayout->addLayout(text, 1);

    lbTips = new QListWidget(this);
    lbTips->setObjectName("lbTips");
    lbTips->hide();
    for (const char* tip : kTips)
        lbTips->addItem(QString::fromUtf8(tip));
    cbShowTips = new QCheckBox("Show &Tips at Startup", this);
    cbShowTips->setObjectName("cbShowTips");
    cbShowTips->setChecked(true);
    cbShowTips->hide();

    auto* buy = DialogButton("Fix corrupted database", "btnPurchase", this);
    connect(buy, &QPushButton::clicked, this, [] { Dialogs().OpenUrl(links::kPurchasePage); });
    QPushButton* close = DialogButton("&Close", "btnClose", this);
    close->setDefault(true);
    QPushButton* next = DialogButton("&Next Tip", "btnNextTip", this);
    QPushButton* prev = DialogButton("&Prev Tip", "btnPrevTip", this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(next, &QPushButton::clicked, this, &TfrmTipOfTheDay::NextTip);
    connect(prev, &QPushButton::clicked, this, &TfrmTipOfTheDay::PrevTip);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buy);
    layout->addWidget(panel, 1);
    layout->addWidget(cbShowTips);
    layout->addLayout(ButtonRow({prev, next, close}));

    if (FSettings.OpenKey(kTipsKey)) {
        if (!FSettings.ReadInteger(kTipsKey, "CurrentTip")) FSettings.WriteInteger(kTipsKey, "CurrentTip", 0);
        FCurrent = FSettings.ReadInteger(kTipsKey, "CurrentTip").value_or(0);
        if (!FSettings.ReadInteger(kTipsKey, "ShowTips")) FSettings.WriteInteger(kTipsKey, "ShowTips", 1);
        FShowTips = FSettings.ReadInteger(kTipsKey, "ShowTips").value_or(0) != 0;
        cbShowTips->setChecked(FShowTips);
    }
    NextTip();
}

int TfrmTipOfTheDay::TipCount() const {
    return lbTips->count();
}

void TfrmTipOfTheDay::ShowTip(bool forward) {
    const int count = TipCount();
    FCurrent += forward ? 1 : -1;
    if (FCurrent < 0) FCurrent = count - 1;
    if (FCurrent > count - 1) FCurrent = 0;
    if (count == 0) return;
    const QString tip = lbTips->item(FCurrent)->text();
    lTitle->setText(TipHeading(tip));
    QString body = tip.mid(1, 255);
    for (int i = 0; i < 5 && body.contains("%s"); ++i)
        body.replace(body.indexOf("%s"), 2, "\n");
    lTip->setText(body);
}

void TfrmTipOfTheDay::done(int result) {
    if (FSettings.OpenKey(kTipsKey)) {
        FShowTips = cbShowTips->isChecked();
        FSettings.WriteInteger(kTipsKey, "ShowTips", FShowTips ? 1 : 0);
        FSettings.WriteInteger(kTipsKey, "CurrentTip", FCurrent);
    }
    QDialog::done(result);
}

void ShowTipsFromMenu(TSettingsStore& settings, QWidget* parent) {
    if (settings.OpenKey(kTipsKey)) settings.WriteInteger(kTipsKey, "ShowTips", 1);
    TfrmTipOfTheDay dialog(settings, parent);
    Dialogs().Exec(dialog);
}

} // namespace morvane::ui
