#pragma once
// The database engine's own tools, run in embedded mode, to make real databases.

#include <string>

namespace morvane::test {

bool EngineAvailable();
// Runs a script through isql-fb; returns everything it printed.
std::string RunIsql(const std::string& script);
std::string RunCommand(const std::string& command);

} // namespace morvane::test
