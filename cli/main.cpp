// pelorn-cli <command> [options]: dispatches to the command named first.
#include <cstring>
#include <iostream>

#include "cli/commands.h"
#include "files/map_name.h"

namespace pelorn::cli {

int usageError(const char* command, const std::string& message) {
    std::cerr << "pelorn-cli " << command << ": " << message << "\n"
              << "Try 'pelorn-cli " << command << " --help'.\n";
    return kExitUsage;
}

std::optional<int> refuseUnsafeName(const char* command, const std::string& option, const std::string& value) {
    const MapNameProblem problem = mapNameProblem(value);
    if (problem == MapNameProblem::None) return std::nullopt;
    return usageError(command, option + " refused: " + mapNameRuleText(problem));
}

std::optional<int> refuseDevicePath(const char* command, const std::string& what, const std::string& path) {
    if (!namesReservedDevice(fileNameOfPath(path))) return std::nullopt;
    return usageError(command, what + " refused: " + mapNameRuleText(MapNameProblem::DeviceName));
}

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Arguments&);
    void (*help)(std::ostream&);
};

const Command kCommands[] = {
    {"generate", "generate a random world and save it as NAME.map", runGenerate, printGenerateHelp},
    {"info", "print a map file's name, size and terrain counts", runInfo, printInfoHelp},
    {"startlocations", "place start locations on a map and save it as NAME.map", runStartLocations, printStartLocationsHelp},
    {"export", "write a map file as a PNG image", runExport, printExportHelp},
    {"import", "make NAME.map from a PNG image", runImport, printImportHelp},
};

void printHelp(std::ostream& out) {
    out << "Usage: pelorn-cli <command> [options]\n"
           "       pelorn-cli <command> --help\n\n"
           "The command-line companion of the Pelorn map editor. Files are read\n"
           "and written in the current folder, in the editor's own formats.\n\n"
           "Commands:\n";
    for (const Command& c : kCommands) out << "  " << c.name << "\t" << c.summary << "\n";
    out << "\nExit status: 0 success, 1 a file could not be read or written (or an\n"
           "image is no map image), 2 bad arguments, 3 fewer start locations than\n"
           "--players asked for, or a home or room spread above --max-spread (the\n"
           "map is written all the same).\n";
    for (const Command& c : kCommands) {
        out << "\n";
        c.help(out);
    }
}

}  // namespace
}  // namespace pelorn::cli

int main(int argc, char** argv) {
    using namespace pelorn::cli;
    if (argc < 2) {
        printHelp(std::cerr);
        return kExitUsage;
    }
    const char* name = argv[1];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0 || std::strcmp(name, "help") == 0) {
        printHelp(std::cout);
        return kExitOk;
    }
    for (const Command& c : kCommands) {
        if (std::strcmp(name, c.name) != 0) continue;
        const Arguments args(argv + 2, argv + argc);
        for (const std::string& a : args) {
            if (a == "--help" || a == "-h") {
                c.help(std::cout);
                return kExitOk;
            }
        }
        return c.run(args);
    }
    std::cerr << "pelorn-cli: unknown command '" << name << "'. Try 'pelorn-cli --help'.\n";
    return kExitUsage;
}
