// Any bytes as a settings file: the reader must never crash, and what it
// read must come back unchanged from the file the writer makes of it.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/map_name.h"
#include "files/settings_file.h"
#include "generator/parameters.h"
#include "map/map_grid.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelorn;
    resetMapState();
    generatorParameters = GeneratorParameters{};
    readSettingsText(std::string_view(reinterpret_cast<const char*>(data), size));
    check(isSafeMapName(currentMapName));  // the map start-up would open
    // Reals read back as their six-digit form; below the normal range that
    // form has fewer digits than the value, so the text need not repeat.
    bool normalReals = true;
    for (const ParameterField& field : kParameterFields) {
        if (field.kind == ParameterKind::Flag) check((generatorParameters.*field.flag) <= 1);
        if (field.kind != ParameterKind::Real) continue;
        const float value = generatorParameters.*field.real;
        check(std::isfinite(value));
        if (value != 0.0f && std::fpclassify(value) != FP_NORMAL) normalReals = false;
    }

    const std::string name = currentMapName;
    const std::string text = settingsFileText();
    const GeneratorParameters before = generatorParameters;
    generatorParameters = GeneratorParameters{};
    currentMapName = "Untitled";
    readSettingsText(text);
    check(currentMapName == name);
    for (const ParameterField& field : kParameterFields) {
        if (field.kind == ParameterKind::Integer)
            check(generatorParameters.*field.integer == before.*field.integer);
        if (field.kind == ParameterKind::Flag) check(generatorParameters.*field.flag == before.*field.flag);
    }
    if (normalReals) check(settingsFileText() == text);
    return 0;
}
