#include "transport/portmap.h"

#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace tavrik {

std::uint8_t comNumber(std::uint8_t port)
{
    return port >= 1 && port <= 6 ? port : 1;
}

std::string programFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return ".";
    std::string exe(path, static_cast<std::size_t>(n));
    const auto slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash == 0 ? 1 : slash);
}

namespace {

std::string trimmed(const std::string &s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> portConfigValue(const std::string &folder, const std::string &key)
{
    // Read the same way as the membership program reads it: '#' and ';' start comments, the
    // last line for a key wins.
    std::ifstream in(folder + "/serialports.conf");
    std::optional<std::string> found;
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (strcasecmp(trimmed(line.substr(0, eq)).c_str(), key.c_str()) != 0) continue;
        std::string value = trimmed(line.substr(eq + 1));
        if (!value.empty()) found = value;
    }
    return found;
}

std::string devicePathOf(int n, const std::string &folder)
{
    const std::string number = std::to_string(n);
    if (const char *env = std::getenv(("TAVRIK_COM" + number).c_str()); env && *env) return env;
    if (auto configured = portConfigValue(folder, "COM" + number)) return *configured;
    return "/dev/ttyS" + std::to_string(n - 1);
}

std::string comDevicePath(std::uint8_t port, const std::string &folder)
{
    return devicePathOf(comNumber(port), folder);
}

}  // namespace tavrik
