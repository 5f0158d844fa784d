// pelorn-cli: the command-line companion of the editor. Each command lives in
// its own cmd_*.cpp and is listed once in main.cpp's table.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace pelorn::cli {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;   // a file could not be read or written
constexpr int kExitUsage = 2;  // bad arguments

using Arguments = std::vector<std::string>;  // the words after the command name

int runGenerate(const Arguments& args);
void printGenerateHelp(std::ostream& out);

int runInfo(const Arguments& args);
void printInfoHelp(std::ostream& out);

int runStartLocations(const Arguments& args);
void printStartLocationsHelp(std::ostream& out);

int runExport(const Arguments& args);
void printExportHelp(std::ostream& out);

int runImport(const Arguments& args);
void printImportHelp(std::ostream& out);

// Shared by the commands: "pelorn-cli <command>: <message>" on stderr, then
// the exit code for bad arguments.
int usageError(const char* command, const std::string& message);

// The name rule of the editor (isSafeMapName) for an option that names a file
// to write in the current folder; an empty optional when the value is safe,
// otherwise the exit code after the message naming the rule.
std::optional<int> refuseUnsafeName(const char* command, const std::string& option, const std::string& value);
// For a file to read, which may lie elsewhere: refused only when its file
// name is a device name, which is never opened.
std::optional<int> refuseDevicePath(const char* command, const std::string& what, const std::string& path);

}  // namespace pelorn::cli
