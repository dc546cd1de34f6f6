#include "shell/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

namespace morvane::ui {

namespace {

bool WriteText(const QString& path, const QString& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream(&file) << text;
    return file.error() == QFile::NoError;
}

// A desktop entry's Exec value: the path quoted when it needs it, then the file argument.
QString ExecLine(const QString& programPath) {
    QString path = programPath;
    if (path.contains(QRegularExpression(R"([\s"'\\$`])"))) {
        path.replace('\\', "\\\\").replace('"', "\\\"").replace('$', "\\$").replace('`', "\\`");
        path = '"' + path + '"';
    }
    return path + " %f";
}

} // namespace

void RegisterFileType(const QString& extension, const QString& programPath) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return;
    const QString type = "application/x-" + extension + "file";
    WriteText(data + "/mime/packages/morvane-" + extension + ".xml",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"" +
                  type +
                  "\">\n"
                  "    <comment>Firebird / InterBase database</comment>\n"
                  "    <glob pattern=\"*." +
                  extension +
                  "\"/>\n"
                  "  </mime-type>\n"
                  "</mime-info>\n");
    WriteText(data + "/applications/morvane-viewer.desktop",
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Morvane Viewer\n"
              "Comment=Investigate and repair database files page by page\n"
              "Exec=" +
                  ExecLine(programPath) +
                  "\n"
                  "Icon=" +
                  programPath +
                  "\n"
                  "Terminal=false\n"
                  "Categories=Development;Database;\n"
                  "MimeType=" +
                  type + ";\n");
    // Let the desktop pick the new type up; nothing is reported when the tool is missing.
    const QString update = QStandardPaths::findExecutable("update-mime-database");
    if (!update.isEmpty()) QProcess::startDetached(update, {data + "/mime"});
}

} // namespace morvane::ui
