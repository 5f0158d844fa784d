// What the commands share in reading their words and reporting their files:
// the option loop with its refusals, the readers of option values, and the
// "wrote" / "cannot write" / "cannot read" lines.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace pelorn::cli {

// An exit status to stop with, or nothing to go on.
using Stop = std::optional<int>;

using OptionNames = std::vector<const char*>;

// What a command takes besides its options: nothing, or plain words (files).
enum class Operands { kNone, kFiles };

// Walks the words of a command: `flags` stand alone, `valued` options take
// the next word, and with Operands::kFiles a word that does not start with
// "-" is an operand, handed over as the value of the option "". Refuses,
// with the usual message, an unknown option, a missing value and a valued
// option given twice; hands everything else to `take` and stops where
// `take` does.
Stop readOptions(const char* command, const Arguments& args, const OptionNames& flags, const OptionNames& valued,
                 Operands operands,
                 const std::function<Stop(const std::string& option, const std::string& value)>& take);

// Readers of option values: each stores the value or refuses it with a
// message naming the option.
// "--seed": 0 to 4294967295, plain decimal digits.
Stop readSeed(const char* command, const std::string& value, std::optional<std::uint32_t>& seed);
// A 32-bit whole number with an optional "-".
Stop readWholeNumber(const char* command, const std::string& option, const std::string& value,
                     std::optional<std::int32_t>& number);
// A map name for the files written in the current folder (the name rule).
Stop readMapName(const char* command, const std::string& option, const std::string& value,
                 std::optional<std::string>& name);
// A file to read, which may lie elsewhere; no device name.
Stop readInputPath(const char* command, const std::string& option, const std::string& value,
                   std::optional<std::string>& path);
// A required option that was not given.
Stop requireOption(const char* command, const char* option, bool given);

// Plain decimal digits, at most ten of them, up to `maxValue`.
std::optional<std::uint64_t> parseDecimal(const std::string& text, std::uint64_t maxValue);

// "wrote NAME" on stdout when `written`, else "pelorn-cli COMMAND: cannot
// write 'NAME'" (": WHY" when given) on stderr; returns kExitOk or kExitFile.
int reportWrite(const char* command, const std::string& name, bool written, const std::string& why = {});
// "pelorn-cli COMMAND: cannot read 'PATH'" (": WHY" when given) on stderr; returns kExitFile.
int reportCannotRead(const char* command, const std::string& path, const std::string& why = {});

}  // namespace pelorn::cli
