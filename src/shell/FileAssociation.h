#pragma once
// Associates database files with the program in the user's desktop: a MIME type for the
// extension and a desktop entry that opens it with this program, rewritten at every start.

#include <QString>

namespace morvane::ui {

// Writes under $XDG_DATA_HOME (mime/packages and applications). Failures are not reported.
void RegisterFileType(const QString& extension, const QString& programPath);

} // namespace morvane::ui
