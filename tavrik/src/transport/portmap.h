// Where COM port n lives on this machine, and the shared port configuration file.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tavrik {

// 1-6 stay as they are; any other number means COM1.
std::uint8_t comNumber(std::uint8_t port);

// Folder of the running program, where serialports.conf is looked for.
std::string programFolder();

// Value of the line "key=value" in folder/serialports.conf (keys compared without case).
std::optional<std::string> portConfigValue(const std::string &folder, const std::string &key);

// Device of COM n (any n from 1), the rule the membership program shares: TAVRIK_COM<n>, else
// COM<n>=<path> in serialports.conf of the folder, else /dev/ttyS<n-1>.
std::string devicePathOf(int n, const std::string &folder);

// Device path of the library's COM port: devicePathOf(comNumber(port)).
std::string comDevicePath(std::uint8_t port, const std::string &folder);

}  // namespace tavrik
