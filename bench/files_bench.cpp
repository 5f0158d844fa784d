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

#include "bench_files.h"
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

using bench::makeBenchMap;

// The tiles of a generated 10 by 10 quad world: what users export. Made once.
std::vector<TerrainCode> worldTiles() {
    Map map;
    map.quadCountX = 10;
    map.quadCountY = 10;
    Random random(7);
    generateRandomMap(map, GeneratorParameters{}, random);
    std::vector<TerrainCode> tiles;
    for (std::int32_t x = 0; x < mapWidth(map); ++x) tiles.insert(tiles.end(), map.mapGrid[x], map.mapGrid[x] + mapHeight(map));
    return tiles;
}

void makeWorldMap(Map& map) {
    static const std::vector<TerrainCode> world = worldTiles();
    makeBenchMap(map);
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        std::copy_n(world.begin() + static_cast<std::ptrdiff_t>(x) * mapHeight(map), mapHeight(map), map.mapGrid[x]);
}

// Arg 0: the mixed codes of makeBenchMap; arg 1: a generated world.
void makeMapOfArg(Map& map, const benchmark::State& state) {
    if (state.range(0) == 0) makeBenchMap(map);
    else makeWorldMap(map);
}

std::size_t mapFileSize(const Map& map) { return mapFileText(map).size(); }
std::size_t bitmapFileSize(const Map& map) { return 54 + 3 * static_cast<std::size_t>(mapWidth(map)) * mapHeight(map); }

void plainWrite(const char* path, const std::string& bytes, bool sync) {
    std::FILE* file = std::fopen(path, "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fflush(file);
    if (sync) ::fsync(fileno(file));
    std::fclose(file);
}

void BM_SaveMapFile(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    for (auto _ : state) benchmark::DoNotOptimize(saveMapFile(map));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mapFileSize(map)));
}

void BM_PlainWriteOfMapBytes(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    const std::string bytes(mapFileSize(map), '0');
    for (auto _ : state) plainWrite("plain.map", bytes, state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_OpenMapFile(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    saveMapFile(map);
    for (auto _ : state) {
        map.currentMapName = "Bench";
        openMapFile(map);
        benchmark::DoNotOptimize(map.mapGrid);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mapFileSize(map)));
}

void BM_PlainReadOfMapBytes(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    saveMapFile(map);
    const std::size_t size = mapFileSize(map);
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
    Map map;
    makeBenchMap(map);
    saveMapFile(map);
    const std::size_t size = mapFileSize(map);
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
    Map map;
    makeMapOfArg(map, state);
    for (auto _ : state) benchmark::DoNotOptimize(saveMapBitmap(map));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bitmapFileSize(map)));
}

// The PNG exports against the bitmap export above, same map, same safe write.
void BM_SaveMapPng(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(writeMapPng(map, "Bench.png", PngKind::Picture, error));
    state.counters["file_bytes"] = static_cast<double>(mapPngBytes(map, PngKind::Picture, error).size());
}

void BM_SaveMapPngTerrainCodes(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(writeMapPng(map, "Bench.png", PngKind::TerrainCodes, error));
    state.counters["file_bytes"] = static_cast<double>(mapPngBytes(map, PngKind::TerrainCodes, error).size());
}

void BM_LoadMapPngTerrainCodes(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::TerrainCodes, error);
    for (auto _ : state) benchmark::DoNotOptimize(loadMapFromPng(map, png).ok);
}

void BM_LoadMapPngByColour(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::Picture, error);
    for (auto _ : state) benchmark::DoNotOptimize(loadMapFromPng(map, png).ok);
}

void BM_PlainWriteOfBitmapBytes(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    const std::string bytes(bitmapFileSize(map), 'x');
    for (auto _ : state) plainWrite("plain.bmp", bytes, state.range(0) != 0);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The work in memory alone, without the disk.
void BM_MapFileText(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    for (auto _ : state) benchmark::DoNotOptimize(mapFileText(map));
}

// The map reader on text in memory: parsed, then installed, as a file is.
void BM_LoadMapFromText(benchmark::State& state) {
    Map map;
    makeBenchMap(map);
    const std::string text = mapFileText(map);
    for (auto _ : state) {
        freeMapGrid(map);
        installParsedMap(map, parseMapText(text), map.currentMapName);
        benchmark::DoNotOptimize(map.mapGrid);
    }
}

void BM_MapBitmapBytes(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    for (auto _ : state) benchmark::DoNotOptimize(mapBitmapBytes(map));
}

void BM_MapPngBytes(benchmark::State& state) {
    Map map;
    makeMapOfArg(map, state);
    std::string error;
    for (auto _ : state) benchmark::DoNotOptimize(mapPngBytes(map, PngKind::Picture, error));
}

void BM_SettingsRoundTrip(benchmark::State& state) {
    Settings settings;
    for (auto _ : state) {
        writeSettingsFile(settings);
        benchmark::DoNotOptimize(readSettingsFile(settings));
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

int main(int argc, char** argv) { return pelorn::bench::runInTemporaryFolder(argc, argv, "pelorn-files-bench"); }
