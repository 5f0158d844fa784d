#include "cli/options.h"

#include <algorithm>
#include <iostream>
#include <set>

#include "text/whole_number.h"

namespace pelorn::cli {

namespace {

bool listed(const OptionNames& names, const std::string& option) {
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return option == name; });
}

// An option's number has at most ten digits, a sign apart.
constexpr std::size_t kMaxOptionDigits = 10;

// An optional "-" and at most ten decimal digits, within [minValue, maxValue].
std::optional<std::int64_t> parseWhole(const std::string& text, std::int64_t minValue, std::int64_t maxValue) {
    const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() - sign > kMaxOptionDigits) return std::nullopt;
    return parseWholeNumber(text, minValue, maxValue);
}

}  // namespace

Stop readOptions(const char* command, const Arguments& args, const OptionNames& flags, const OptionNames& valued,
                 Operands operands,
                 const std::function<Stop(const std::string& option, const std::string& value)>& take) {
    std::set<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (operands == Operands::kFiles && (option.empty() || option[0] != '-')) {
            if (const Stop stop = take(std::string(), option)) return stop;
            continue;
        }
        if (listed(flags, option)) {
            if (const Stop stop = take(option, std::string())) return stop;
            continue;
        }
        if (!listed(valued, option)) return usageError(command, "unknown option '" + option + "'");
        if (i + 1 >= args.size()) return usageError(command, option + " needs a value");
        if (!given.insert(option).second) return usageError(command, option + " given twice");
        if (const Stop stop = take(option, args[++i])) return stop;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> parseDecimal(const std::string& text, std::uint64_t maxValue) {
    if (text.size() > kMaxOptionDigits) return std::nullopt;
    // Ten digits stay far below 2^63, so a larger maximum changes nothing.
    const std::int64_t most = static_cast<std::int64_t>(std::min<std::uint64_t>(maxValue, 9999999999u));
    const auto value = parseWholeNumber(text, 0, most);
    if (!value) return std::nullopt;
    return static_cast<std::uint64_t>(*value);
}

Stop readSeed(const char* command, const std::string& value, std::optional<std::uint32_t>& seed) {
    const auto parsed = parseDecimal(value, 0xFFFFFFFFu);
    if (!parsed) return usageError(command, "--seed must be a whole number from 0 to 4294967295");
    seed = static_cast<std::uint32_t>(*parsed);
    return std::nullopt;
}

Stop readWholeNumber(const char* command, const std::string& option, const std::string& value,
                     std::optional<std::int32_t>& number) {
    const auto parsed = parseWhole(value, INT32_MIN, INT32_MAX);
    if (!parsed) return usageError(command, option + " must be a whole number from -2147483648 to 2147483647");
    number = static_cast<std::int32_t>(*parsed);
    return std::nullopt;
}

Stop readMapName(const char* command, const std::string& option, const std::string& value,
                 std::optional<std::string>& name) {
    if (value.empty()) return usageError(command, option + " must not be empty");
    // The files go to the current folder, as the editor's do.
    if (const Stop refused = refuseUnsafeName(command, option, value)) return refused;
    name = value;
    return std::nullopt;
}

Stop readInputPath(const char* command, const std::string& option, const std::string& value,
                   std::optional<std::string>& path) {
    if (value.empty()) return usageError(command, option + " must not be empty");
    if (const Stop refused = refuseDevicePath(command, option, value)) return refused;
    path = value;
    return std::nullopt;
}

Stop requireOption(const char* command, const char* option, bool given) {
    if (given) return std::nullopt;
    return usageError(command, std::string(option) + " is required");
}

int reportWrite(const char* command, const std::string& name, bool written, const std::string& why) {
    if (written) {
        std::cout << "wrote " << name << "\n";
        return kExitOk;
    }
    std::cerr << "pelorn-cli " << command << ": cannot write '" << name << "'";
    if (!why.empty()) std::cerr << ": " << why;
    std::cerr << "\n";
    return kExitFile;
}

int reportCannotRead(const char* command, const std::string& path, const std::string& why) {
    std::cerr << "pelorn-cli " << command << ": cannot read '" << path << "'";
    if (!why.empty()) std::cerr << ": " << why;
    std::cerr << "\n";
    return kExitFile;
}

}  // namespace pelorn::cli
