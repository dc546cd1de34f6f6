#pragma once
// The headless twin of the main window: the same core, driven from a command line.

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane::cli {

// Runs one command line (without the program name); returns the exit status:
// 0 done, 1 the file could not be read as a database, 2 the command line is wrong.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace morvane::cli
