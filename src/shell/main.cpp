#include "platform/QtSettingsStore.h"
#include "shell/FileAssociation.h"
#include "shell/uMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Morvane");
    QApplication::setOrganizationName("MorvaneTeam");
    QApplication::setApplicationDisplayName("Morvane Viewer 1.0.2");
    morvane::ui::RegisterFileType("gdb", QApplication::applicationFilePath());
    const QStringList args = QApplication::arguments();
    morvane::TQtSettingsStore settings;
    morvane::ui::TfrmMain window(settings, args.size() > 1 ? args.at(1) : QString());
    window.show();
    return app.exec();
}
