// The map, settings, bitmap and PNG files on a 10 by 10 quad map (1,000,000
// tiles), each beside a plain buffered write or read of the same number of
// bytes. Run from anywhere: it works in a temporary folder of its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>
#include <unistd.h>

#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "files/settings_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace {

using namespace pelorn;

// A 10 by 10 quad map of mixed codes, as the generator leaves them.
void makeBenchMap() {
    resetMapState();
    buildTerrainPalette();
    quadCountX = 10;
    quadCountY = 10;
    currentMapName = "Bench";
    allocateMapGrid();
    std::uint32_t state = 12345;
    for (std::int32_t x = 0; x < mapWidth(); ++x)
        for (std::int32_t y = 0; y < mapHeight(); ++y) {
            state = state * 214013u + 2531011u;
            mapGrid[x][y] = static_cast<TerrainCode>((state >> 16) % 61);
        }
}

// A generated 10 by 10 quad world: what users export. Made once, then copied.
void makeWorldMap() {
    static std::vector<TerrainCode> world;
    if (world.empty()) {
        resetMapState();
        quadCountX = 10;
        quadCountY = 10;
        generatorParameters = GeneratorParameters{};
        seedRandom(7);
        generateRandomMap();
        for (std::int32_t x = 0; x < mapWidth(); ++x) world.insert(world.end(), mapGrid[x], mapGrid[x] + mapHeight());
    }
    makeBenchMap();
    for (std::int32_t x = 0; x < mapWidth(); ++x)
        std::copy_n(world.begin() + static_cast<std::ptrdiff_t>(x) * mapHeight(), mapHeight(), mapGrid[x]);
}

// Arg 0: the mixed codes of makeBenchMap; arg 1: a generated world.
void makeMapOfArg(const benchmark::State& state) {
    if (state.range(0) == 0) makeBenchMap();
    else makeWorldMap();
}

std::size_t mapFileSize() { return mapFileText().size(); }
std::size_t bitmapFileSize() { return 54 + 3 * static_cast<std::size_t>(mapWidth()) * mapHeight(); }

void plainWrite(const char* path, const std::string& bytes, bool sync) {
    std::FILE* file = std::fopen(path, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    if (sync) ::fsync(fileno(file));
    std::fclose(file);
}

void BM_SaveMapFile(benchmark::State& state) {
    makeBenchMap();
    for (auto _ : state) benchmark::DoNotOptimize(saveMapFile());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mapFileSize()));
}

void BM_PlainWriteOfMapBytes(benchmark::State& state) {
    makeBenchMap();
    const std::string bytes(mapFileSize(), '0');
    for (auto _ : state) plainWrite("plain.map", bytes, state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_OpenMapFile(benchmark::State& state) {
    makeBenchMap();
    saveMapFile();
    for (auto _ : state) {
        currentMapName = "Bench";
        openMapFile();
        benchmark::DoNotOptimize(mapGrid);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mapFileSize()));
}

void BM_PlainReadOfMapBytes(benchmark::State& state) {
    makeBenchMap();
    saveMapFile();
    const std::size_t size = mapFileSize();
    std::string buffer;
    for (auto _ : state) {
        std::FILE* file = std::fopen("Bench.map", "rb");
        buffer.resize(size);
        benchmark::DoNotOptimize(std::fread(&buffer[0], 1, size, file));
        std::fclose(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// A buffered read that looks at every byte, as any reader of the text must.
void BM_PlainByteByByteReadOfMapBytes(benchmark::State& state) {
    makeBenchMap();
    saveMapFile();
    const std::size_t size = mapFileSize();
    for (auto _ : state) {
        std::FILE* file = std::fopen("Bench.map", "rb");
        unsigned sum = 0;
        for (int c = std::getc(file); c != EOF; c = std::getc(file)) sum += static_cast<unsigned>(c);
        std::fclose(file);
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_SaveMapBitmap(benchmark::State& state) {
    makeMapOfArg(state);
    for (auto _ : state) benchmark::DoNotOptimize(saveMapBitmap());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bitmapFileSize()));
}

// The PNG exports against the bitmap export above, same map, same safe write.
void BM_SaveMapPng(benchmark::State& state) {
    makeMapOfArg(state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(writeMapPng("Bench.png", PngKind::Picture, error));
    state.counters["file_bytes"] = static_cast<double>(mapPngBytes(PngKind::Picture, error).size());
}

void BM_SaveMapPngTerrainCodes(benchmark::State& state) {
    makeMapOfArg(state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(writeMapPng("Bench.png", PngKind::TerrainCodes, error));
    state.counters["file_bytes"] = static_cast<double>(mapPngBytes(PngKind::TerrainCodes, error).size());
}

void BM_LoadMapPngTerrainCodes(benchmark::State& state) {
    makeMapOfArg(state);
    std::string error;
    const std::string png = mapPngBytes(PngKind::TerrainCodes, error);
    for (auto _ : state) benchmark::DoNotOptimize(loadMapFromPng(png).ok);
}

void BM_LoadMapPngByColour(benchmark::State& state) {
    makeMapOfArg(state);
    std::string error;
    const std::string png = mapPngBytes(PngKind::Picture, error);
    for (auto _ : state) benchmark::DoNotOptimize(loadMapFromPng(png).ok);
}

void BM_PlainWriteOfBitmapBytes(benchmark::State& state) {
    makeBenchMap();
    const std::string bytes(bitmapFileSize(), 'x');
    for (auto _ : state) plainWrite("plain.bmp", bytes, state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The work in memory alone, without the disk.
void BM_MapFileText(benchmark::State& state) {
    makeBenchMap();
    for (auto _ : state) benchmark::DoNotOptimize(mapFileText());
}

void BM_LoadMapFromText(benchmark::State& state) {
    makeBenchMap();
    const std::string text = mapFileText();
    for (auto _ : state) {
        loadMapFromText(text);
        benchmark::DoNotOptimize(mapGrid);
    }
}

void BM_MapBitmapBytes(benchmark::State& state) {
    makeMapOfArg(state);
    for (auto _ : state) benchmark::DoNotOptimize(mapBitmapBytes());
}

void BM_MapPngBytes(benchmark::State& state) {
    makeMapOfArg(state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(mapPngBytes(PngKind::Picture, error));
}

void BM_SettingsRoundTrip(benchmark::State& state) {
    resetMapState();
    for (auto _ : state) {
        writeSettingsFile();
        benchmark::DoNotOptimize(readSettingsFile());
    }
}

// Arg 0: a plain write as a program usually makes it; arg 1: followed by
// fsync, the durability the safe saver pays for.
BENCHMARK(BM_SaveMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWriteOfMapBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenMapFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainReadOfMapBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainByteByByteReadOfMapBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveMapBitmap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
// Target: a PNG export takes at most twice the time of the bitmap export.
BENCHMARK(BM_SaveMapPng)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveMapPngTerrainCodes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadMapPngTerrainCodes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadMapPngByColour)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWriteOfBitmapBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MapFileText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadMapFromText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MapBitmapBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MapPngBytes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SettingsRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / ("pelorn-files-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    resetMapState();
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
