#include "support/Engine.h"

#include "support/DbBuilder.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace morvane::test {

bool EngineAvailable() {
    return std::system("command -v isql-fb >/dev/null 2>&1 && command -v fbstat >/dev/null 2>&1") == 0;
}

std::string RunCommand(const std::string& command) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0)
        out.append(buf.data(), n);
    pclose(pipe);
    return out;
}

std::string RunIsql(const std::string& script) {
    TTempDir dir;
    const std::string path = dir.File("script.sql");
    std::ofstream(path) << script;
    return RunCommand("isql-fb -q -i " + path);
}

} // namespace morvane::test
