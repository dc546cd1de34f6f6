#include "shell/uAbout.h"

#include "shell/DialogParts.h"
#include "shell/Dialogs.h"
#include "shell/Links.h"

#include <QStyle>
#include <QVBoxLayout>

namespace morvane::ui {

namespace {
QLabel* LinkLabel(const QString& text, const QString& url, QWidget* parent) {
    auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(url, text.toHtmlEscaped()), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, [](const QString& link) { Dialogs().OpenUrl(link); });
    return label;
}
} // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Morvane Viewer");
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveHDIcon).pixmap(64, 64));
    setMinimumWidth(380);
    QLabel* product = LinkLabel("Morvane Viewer", links::kHomePage, this);
    product->setObjectName("lblProduct");
    QFont big = product->font();
    big.setBold(true);
    big.setPointSize(big.pointSize() + 4);
    product->setFont(big);
    QLabel* version = LinkLabel("Version 1.0.2", links::kHomePage, this);
    version->setObjectName("lblVersion");
    auto* notice = new QLabel("Looks at and repairs Firebird and InterBase database files page by page, "
                              "without a server.\nUse it on a copy of the damaged database first.",
                              this);
    notice->setWordWrap(true);
    QLabel* support = LinkLabel(links::kSupportAddress, links::kSupportMail, this);
    QLabel* repair = LinkLabel(links::kRepairAddress, links::kRepairMail, this);

    QPushButton* fix = DialogButton("Fix corrupted database", "btnFix", this);
    connect(fix, &QPushButton::clicked, this, [] { Dialogs().OpenUrl(links::kPurchasePage); });
    QPushButton* ok = DialogButton("OK", "btnOK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(version);
    text->addWidget(notice);
    text->addWidget(support);
    text->addWidget(repair);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(ButtonRow({fix, ok}));
}

} // namespace morvane::ui
