// The main window's paints on the in-memory raster painter: drawing calls per
// paint and time, for the overview of a generated 10x10-quad world (as the
// view draws it, and tile by tile as it first did), the full detail view, and
// the repaint of one brush step (with and without leaving out the tiles
// outside the clip box), the whole-map view of the largest maps, and the
// map drawn as hexagons for sharing.
#include <benchmark/benchmark.h>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/raster_painter.h"
#include "support/reference_view.h"
#include "view/hex_picture.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/screen.h"
#include "view/view_mode.h"

namespace {

using pelorn::Map;
using pelorn::Screen;
using pelorn::test::RasterPainter;

// The generated 10x10 world from seed 7 and the default parameters.
Map generatedWorld() {
    Map map;
    map.quadCountX = 10;
    map.quadCountY = 10;
    pelorn::Random random(7);
    pelorn::generateRandomMap(map, pelorn::GeneratorParameters{}, random);
    return map;
}

// Made once for all the benchmarks that draw it.
const Map& world() {
    static const Map made = generatedWorld();
    return made;
}

// The raster painter with no clip box of its own: every tile is drawn and
// the raster clips it, as the view did before it looked at the clip box.
class WholeSurfacePainter : public RasterPainter {
public:
    pelorn::ClientRect clipBox() const override { return {0, 0, width(), height()}; }
};

template <typename Paint>
void paintLoop(benchmark::State& state, RasterPainter& raster, Paint paint) {
    long calls = 0;
    for (auto _ : state) {
        const long before = raster.calls();
        paint(raster);
        calls = raster.calls() - before;
        benchmark::DoNotOptimize(raster.pixel(100, 100));
    }
    state.counters["calls"] = static_cast<double>(calls);
}

void paintLoop(benchmark::State& state, RasterPainter& raster, const Map& map, const Screen& screen) {
    paintLoop(state, raster, [&](RasterPainter& r) { pelorn::paintMap(r, map, screen, pelorn::FileMarks{}); });
}

void BM_OverviewPaint(benchmark::State& state) {
    Screen screen;
    screen.viewMode = pelorn::kOverview;
    RasterPainter raster;
    paintLoop(state, raster, world(), screen);
}
BENCHMARK(BM_OverviewPaint)->Unit(benchmark::kMillisecond);

void BM_OverviewPaintTileByTile(benchmark::State& state) {
    const Screen screen;
    RasterPainter raster;
    paintLoop(state, raster, [&](RasterPainter& r) { pelorn::test::paintOverviewTileByTile(r, world(), screen); });
}
BENCHMARK(BM_OverviewPaintTileByTile)->Unit(benchmark::kMillisecond);

void BM_DetailPaint(benchmark::State& state) {
    Screen screen;
    screen.viewQuadX = 4;
    screen.viewQuadY = 4;
    RasterPainter raster;
    paintLoop(state, raster, world(), screen);
}
BENCHMARK(BM_DetailPaint)->Unit(benchmark::kMillisecond);

// The repaint after a normal brush step: one tile's 8 by 4 pixels, drawn as
// the view draws it, or drawing every tile for the raster to clip.
template <typename Surface>
void BM_BrushStepRepaint(benchmark::State& state) {
    Screen screen;
    screen.viewQuadX = 4;
    screen.viewQuadY = 4;
    Surface raster;
    raster.setClipRects({pelorn::quadTileRect(50, 50)});
    paintLoop(state, raster, world(), screen);
}
BENCHMARK_TEMPLATE(BM_BrushStepRepaint, RasterPainter)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_BrushStepRepaint, WholeSurfacePainter)->Unit(benchmark::kMicrosecond);

// The whole-map view of the largest maps (32x32 and 100x10 quads, every tile
// another code in turn) and of the generated 10x10 world: one block of
// pixels and the frame, whatever the size.
void BM_WholeMapPaint(benchmark::State& state) {
    const int quadsX = static_cast<int>(state.range(0));
    const int quadsY = static_cast<int>(state.range(1));
    Map patterned;
    const bool generated = quadsX == 10 && quadsY == 10;
    if (!generated) {
        pelorn::replaceWithEmptyMap(patterned, quadsX, quadsY);
        for (int x = 0; x < pelorn::mapWidth(patterned); ++x)
            for (int y = 0; y < pelorn::mapHeight(patterned); ++y) patterned.mapGrid[x][y] = (x * 7 + y * 3) % 39;
    }
    Screen screen;
    screen.viewQuadX = quadsX / 2;
    screen.viewQuadY = quadsY / 2;
    screen.viewMode = pelorn::kWholeMapView;
    RasterPainter raster;
    paintLoop(state, raster, generated ? world() : patterned, screen);
}
BENCHMARK(BM_WholeMapPaint)->Args({32, 32})->Args({100, 10})->Args({10, 10})->Unit(benchmark::kMillisecond);

// The map as hexagons for sharing (pelorn-cli export --hex 1) of the
// generated 10x10 world: drawing and PNG, 6002 by 4002 pixels.
void BM_HexPicturePng(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        bytes = pelorn::hexPicturePng(world(), 1, error).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HexPicturePng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
